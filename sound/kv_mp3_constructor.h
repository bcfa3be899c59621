// A compressed sound stored in the document, played through a private
// filter graph from a temporary copy of the file.
#pragma once

#include <dshow.h>

#include "scene/document/embedded_file.h"
#include "scene/model/com_holder.h"
#include "sound/kv_sound_ctrl.h"

class KV_MP3_Constructor : public KV_Sound_Ctrl {
public:
    KV_MP3_Constructor() = default;
    // The file and the temporary path; no graph until prepared.
    KV_MP3_Constructor(const KV_MP3_Constructor& other);
    // Deletes the temporary copy, if this object wrote it.
    ~KV_MP3_Constructor() override;

    void Write(KV_IOF_Virtual& archive) const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    void Prepare() override;
    void Stop() override;
    void Update(float time) override;
    std::unique_ptr<KV_Sound_Ctrl> Clone() const override;

    EmbeddedFile file;
    const kv_string& TempPath() const { return m_tempPath; }

private:
    bool WriteTempCopy();
    void ApplyLevels();

    ComHolder<IGraphBuilder> m_builder;
    ComHolder<IMediaControl> m_control;
    ComHolder<IMediaSeeking> m_seeking;
    ComHolder<IMediaEventEx> m_events;
    ComHolder<IBasicAudio> m_audio;
    ComHolder<IBaseFilter> m_source;
    kv_string m_tempPath;
    bool m_wroteTempCopy = false;
};
