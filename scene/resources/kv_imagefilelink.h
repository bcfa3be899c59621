// A picture link, with the undo observer that follows its key.
#pragma once

#include "scene/model/undo_ctrl.h"
#include "scene/model/undo_history.h"
#include "scene/resources/kv_filelink3.h"

class KV_ImageFileLink : public KV_FileLink3 {
public:
    class UndoImage : public UndoCtrl {
    public:
        UndoImage() = default;
        ~UndoImage() override;

        void SetOwner(KV_ImageFileLink* owner) { owner_ = owner; }
        void Detach() override { owner_ = nullptr; }
        // Captures the owner's key when it differs from the captured one.
        void OnChanged(MediaControl* source) override;
        void Undo() override;
        void Redo() override;
        void Checkpoint() override { history_.Push(captured_); }

        const ResourceKey& Captured() const { return captured_; }
        const UndoHistory<ResourceKey>& History() const { return history_; }

    private:
        // Puts the captured key into the owner and tells its other controls.
        void Restore();

        KV_ImageFileLink* owner_ = nullptr;
        ResourceKey captured_;
        UndoHistory<ResourceKey> history_;
    };

    KV_ImageFileLink() { AttachUndo(); }
    // Copies the key of any link; serves as the copy construction too.
    explicit KV_ImageFileLink(const KV_FileLink3& link) : KV_FileLink3(link) { AttachUndo(); }
    KV_ImageFileLink(const KV_ImageFileLink& other) : KV_ImageFileLink(static_cast<const KV_FileLink3&>(other)) {}
    static KV_ImageFileLink FromFileLink(const KV_FileLink3& link) { return KV_ImageFileLink(link); }

    UndoImage& UndoControl() { return undo_; }

private:
    void AttachUndo();

    // Leaves the control list when it is destroyed, before the link's base.
    UndoImage undo_;
};

// The stored form of a picture link, registered first with the current
// manager, whose image table the reader turns into textures.
void WriteImageLink(KV_IOF_Virtual& archive, const KV_ImageFileLink& link);
