#include "scene/slideshow/kv_slideshow_light.h"

#include "scene/render/current_device.h"
#include "scene/render/d3d_helpers.h"

KV_SlideShow_Light::KV_SlideShow_Light() = default;

KV_SlideShow_Light::~KV_SlideShow_Light() = default;

void KV_SlideShow_Light::BuildSlides() {
    for (const CountedRef<KV_SlideContainer>& slide : slides)
        slide->Build();
}

void KV_SlideShow_Light::SetPicturePosition(int mode) {
    for (const CountedRef<KV_SlideContainer>& slide : slides)
        slide->SetPicturePosition(mode);
}

void KV_SlideShow_Light::InvalidateDeviceObjects() {
    for (const CountedRef<KV_SlideContainer>& slide : slides)
        slide->InvalidateDeviceObjects();
}

void KV_SlideShow_Light::RestoreDeviceObjects() {
    if (KV_2D_Light* light = m_current ? m_current->GetLight() : nullptr)
        light->RestoreDeviceObjects();
}

ScreenQuad KV_SlideShow_Light::GetViewportQuad() const {
    ScreenQuad quad;
    quad.MakeFullScreen();
    return quad;
}

void KV_SlideShow_Light::EnterSlide() {
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    if (backBuffer.Width != 0)
        m_current->Resize(static_cast<int>(backBuffer.Width), static_cast<int>(backBuffer.Height));
    if (KV_2D_Light* light = m_current->GetLight())
        light->SetCameraWander(true);
    m_current->RestoreDeviceObjects();
    m_current->StartStopObjects(true);
}

void KV_SlideShow_Light::FrameMove(float t) {
    if (slides.empty())
        return;
    if (!m_current || !m_overlay) {
        // The first slide is fully visible at once.
        m_current = slides[0];
        m_slideStart = t - static_cast<float>(m_current->fadeIn.Value());
        EnterSlide();
        m_overlay = std::make_unique<KV_SimpleMesh>();
        m_overlay->CreateQuadRHWC();
        m_overlay->SetQuadRHWC(0, GetViewportQuad());
    } else if (slides.size() >= 2) {
        FadeBetweenSlides(t);
    }
    m_current->FrameMove(t);
}

void KV_SlideShow_Light::FadeBetweenSlides(float t) {
    // Those of the slide that ends on this frame, if one does.
    const unsigned in = m_current->fadeIn.Value();
    const unsigned hold = m_current->hold.Value();
    const unsigned out = m_current->fadeOut.Value();
    if (t - m_slideStart > static_cast<float>(in + hold + out)) {
        m_current->StartStopObjects(false);
        m_current = slides[m_nextSlide];
        m_slideStart = t;
        m_nextSlide = m_nextSlide + 1 < slides.size() ? m_nextSlide + 1 : 0;
        EnterSlide();
    }
    const float a = t - m_slideStart;
    float opacity = 0;
    if (a < static_cast<float>(in))
        opacity = (static_cast<float>(in) - a) / static_cast<float>(in);
    else if (a > static_cast<float>(in + hold))
        opacity = (a - static_cast<float>(in + hold)) / static_cast<float>(out);
    m_overlay->SetAlphasRHWC(opacity, opacity, opacity, opacity);
}

void KV_SlideShow_Light::Render(int flag) {
    KV_2D_Light* light = m_current ? m_current->GetLight() : nullptr;
    if (!light) {
        // Nothing to show: black rather than whatever was there.
        g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        return;
    }
    m_current->Render(flag);
    light->DrawBorders(flag);
    if (m_overlay)
        light->DrawOverlay(m_overlay.get());
}
