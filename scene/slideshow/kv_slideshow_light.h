// The slide show, the root record of a scene document: the slides in
// order, played in a loop with a fade through black between them when
// there are two or more, and the background-music playlist.
#pragma once

#include <memory>
#include <vector>

#include "scene/document/kv_iof_virtual.h"
#include "scene/model/counted_ref.h"
#include "scene/model/kv_iof_item.h"
#include "scene/model/screen_quad.h"
#include "scene/render/kv_simple_mesh.h"
#include "scene/slideshow/kv_audio_file.h"
#include "scene/slideshow/kv_slide_container.h"

class KV_SlideShow_Light : public KV_IOF_Item {
public:
    KV_SlideShow_Light();
    KV_SlideShow_Light(const KV_SlideShow_Light&) = delete;
    KV_SlideShow_Light& operator=(const KV_SlideShow_Light&) = delete;

    ~KV_SlideShow_Light() override;
    void Write(KV_IOF_Virtual& archive) const override;
    // Between the device's BeginScene and EndScene, after FrameMove.
    virtual void Render(int flag);
    virtual void InvalidateDeviceObjects();
    // The current slide's light, at once (after a device reset).
    virtual void RestoreDeviceObjects();
    // t: application time in seconds.
    virtual void FrameMove(float t);
    virtual void EnterSlide();
    virtual ScreenQuad GetViewportQuad() const;

    void ReadSlides(KV_IOF_Virtual& archive);
    void ReadAudioFiles(KV_IOF_Virtual& archive);
    void BuildSlides();
    void SetPicturePosition(int mode);

    KV_SlideContainer* CurrentSlide() const { return m_current.Get(); }
    // The black quad of the fade; none before the first frame.
    const KV_SimpleMesh* FadeOverlay() const { return m_overlay.get(); }

    std::vector<CountedRef<KV_SlideContainer>> slides;
    std::vector<CountedRef<KV_AudioFile>> playlist;

private:
    // The fade through black between two slides.
    void FadeBetweenSlides(float t);

    CountedRef<KV_SlideContainer> m_current;
    float m_slideStart = 0;
    UINT m_nextSlide = 1;
    std::unique_ptr<KV_SimpleMesh> m_overlay;
};

// The root record.
std::unique_ptr<KV_SlideShow_Light> ReadSlideShowRecord(KV_IOF_Virtual& archive);
