#include "slide_setup.h"

#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

KV_SlideContainer& AddSlide(SampleScene& scene, const SlideTiming& timing, const CameraSetup& camera,
                            std::unique_ptr<KV_2D_Light> layer) {
    auto* slide = new KV_SlideContainer;
    scene.show.slides.emplace_back(slide);
    slide->fadeIn.SetValue(timing.fadeIn);
    slide->hold.SetValue(timing.hold);
    slide->fadeOut.SetValue(timing.fadeOut);
    KVM_Camera& view = layer->camera;
    view.enable.SetValue(camera.wanders ? 1 : 0);
    view.zoom.SetValue(camera.zoom);
    view.speed.SetValue(camera.speed);
    slide->light = CountedRef<KV_2D_Light>(layer.release());
    return *slide;
}

KV_SlideContainer& AddPictureSlide(SampleScene& scene, const SlideTiming& timing, const CameraSetup& camera) {
    return AddSlide(scene, timing, camera, std::make_unique<KV_2D_Light>());
}

void ShowOwnPicture(KV_SlideContainer& slide, int id) {
    // An empty module name stands for the program itself.
    slide.light->pictureLink.SetKey(KV_FileLink3::FromResource(id, L"").Key());
}

ResourceKey StoreInDocument(SampleScene& scene, const kv_string& name, const std::vector<BYTE>& bytes) {
    ResourceEntry entry;
    entry.Assign(name, static_cast<DWORD>(bytes.size()), bytes.data());
    const KV_FileLink3 link = KV_FileLink3::FromEntry(entry);
    scene.manager.Tables().entries[link.Key()].push_back(entry);
    return link.Key();
}
