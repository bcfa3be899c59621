// Base of the sound-object descriptions: a volume and a balance (0 to
// 100, 50 is centre) and the operations its runtime object drives.
#pragma once

#include <windows.h>

#include <memory>

#include "scene/model/abobj_constructor.h"
#include "scene/model/undo_ctrl.h"

class KV_Sound_Ctrl : public KV_ABObj_Constructor {
public:
    KV_Sound_Ctrl();
    KV_Sound_Ctrl(const KV_Sound_Ctrl& other) = default;

    ~KV_Sound_Ctrl() override = default;
    // The "KV_Sound_Ctrl" part that ends every sound record.
    void Write(KV_IOF_Virtual& archive) const override;
    ImageInfo GetImageInfo() const override;
    std::unique_ptr<KV_ABObj> CreateObject() const override;
    virtual void Prepare() = 0;
    virtual void Stop() = 0;
    virtual void Update(float time) = 0;
    virtual std::unique_ptr<KV_Sound_Ctrl> Clone() const = 0;

    // The sound part: its class name (not compared), version and fields.
    void ReadRecord(KV_IOF_Virtual& archive);
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);

    MediaParamT<unsigned int> volume;
    MediaParamT<unsigned int> balance;
};
