// The runtime object of a sound description: it draws nothing, and plays
// its description's sound while it is active.
#pragma once

#include <memory>

#include "scene/model/abobj.h"
#include "sound/kv_sound_ctrl.h"

class KV_Sound : public KV_ABObj {
public:
    // Takes the clone and prepares it at once.
    explicit KV_Sound(std::unique_ptr<KV_Sound_Ctrl> sound);

    void Render(KV_ABRender&) override {}
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    // Turned off, the sound stops.
    void SetActive(int active) override;
    int GetKindCode() const override { return 1; }
    void Update(float localTime) override;

private:
    KV_Sound_Ctrl& Sound() { return static_cast<KV_Sound_Ctrl&>(Description()); }
};
