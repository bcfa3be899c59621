#include "sound/kv_sound.h"

KV_Sound::KV_Sound(std::unique_ptr<KV_Sound_Ctrl> sound) : KV_ABObj(std::move(sound))
{
    Sound().Prepare();
}

void KV_Sound::SetActive(int active)
{
    if (!active)
        Sound().Stop();
    KV_ABObj::SetActive(active);
}

void KV_Sound::Update(float localTime)
{
    if (IsActive())
        Sound().Update(localTime);
}
