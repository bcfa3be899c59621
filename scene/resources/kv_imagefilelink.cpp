#include "scene/resources/kv_imagefilelink.h"

#include "scene/resources/kv_docresmanager.h"

void KV_ImageFileLink::AttachUndo() {
    undo_.SetOwner(this);
    Attach(&undo_);
    undo_.OnChanged(nullptr);
}

KV_ImageFileLink::UndoImage::~UndoImage() {
    if (owner_ != nullptr) {
        owner_->Remove(this);
    }
}

void KV_ImageFileLink::UndoImage::OnChanged(MediaControl*) {
    if (owner_ != nullptr) {
        captured_ = owner_->Key();
    }
}

void KV_ImageFileLink::UndoImage::Undo() {
    history_.StepOlder(captured_);
    Restore();
}

void KV_ImageFileLink::UndoImage::Redo() {
    history_.StepNewer(captured_);
    Restore();
}

void KV_ImageFileLink::UndoImage::Restore() {
    if (owner_ == nullptr) {
        return;
    }
    owner_->SetKey(captured_);
    owner_->NotifyControls(this);
}

void WriteImageLink(KV_IOF_Virtual& archive, const KV_ImageFileLink& link) {
    if (g_currentDocResManager != nullptr) {
        g_currentDocResManager->RegisterImageLink(link);
    }
    WriteLinkKey(archive, link);
}
