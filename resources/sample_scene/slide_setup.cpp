#include "slide_setup.h"

#include "scene/slideshow/kv_slideshow_light.h"

KV_SlideContainer& AddPictureSlide(SampleScene& scene, const SlideTiming& timing, const CameraSetup& camera) {
    auto* slide = new KV_SlideContainer;
    scene.show.slides.emplace_back(slide);
    slide->fadeIn.SetValue(timing.fadeIn);
    slide->hold.SetValue(timing.hold);
    slide->fadeOut.SetValue(timing.fadeOut);
    slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
    KVM_Camera& view = slide->light->camera;
    view.enable.SetValue(camera.wanders ? 1 : 0);
    view.zoom.SetValue(camera.zoom);
    view.speed.SetValue(camera.speed);
    return *slide;
}

void ShowOwnPicture(KV_SlideContainer& slide, int id) {
    // An empty module name stands for the program itself.
    slide.light->pictureLink.SetKey(KV_FileLink3::FromResource(id, L"").Key());
}
