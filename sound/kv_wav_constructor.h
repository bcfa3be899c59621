// Wave data reached through a resource link, played from a DirectSound
// buffer that copies of the description share.
#pragma once

#include <dsound.h>

#include "scene/model/com_holder.h"
#include "scene/resources/kv_filelink3.h"
#include "sound/kv_sound_ctrl.h"

class KV_WAV_Constructor : public KV_Sound_Ctrl {
public:
    KV_WAV_Constructor();
    // The link, and the buffer with a reference of its own.
    KV_WAV_Constructor(const KV_WAV_Constructor& other);

    void Write(KV_IOF_Virtual& archive) const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    void Prepare() override;
    void Stop() override;
    void Update(float time) override;
    std::unique_ptr<KV_Sound_Ctrl> Clone() const override;

    // The buffer from the link's stored wave data; false when there is none.
    bool CreateBuffer();
    void PlayFromStart(bool loop);

    KV_FileLink3 link;
    IDirectSoundBuffer8* Buffer() const { return m_buffer.Get(); }

private:
    ComHolder<IDirectSoundBuffer8> m_buffer;
};
