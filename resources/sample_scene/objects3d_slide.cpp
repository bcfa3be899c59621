// The slide of the 3D objects: two butterflies, the clock and falling
// leaves over a picture. The butterflies' pictures and the leaves' mesh and
// picture are the project's own files, stored in the document.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"
#include "particles/objects3d/kv_butterfly_constructor.h"
#include "particles/objects3d/kv_clock_constructor.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"

namespace {

std::vector<BYTE> ObjectFile(const char* name) {
    std::ifstream file(std::string(SAVER_OBJECTS3D_DIR) + "/" + name, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

ResourceEntry StoredFile(const wchar_t* fileName, const char* name) {
    const std::vector<BYTE> bytes = ObjectFile(name);
    ResourceEntry entry;
    entry.Assign(fileName, static_cast<DWORD>(bytes.size()), bytes.data());
    return entry;
}

// Writing the description registers the link, which stores these bytes.
void StorePicture(SampleScene& scene, KV_ImageFileLink& link, const char* name) {
    const std::wstring fileName(name, name + std::char_traits<char>::length(name));
    const ResourceEntry entry = StoredFile(fileName.c_str(), name);
    const KV_FileLink3 stored = KV_FileLink3::FromEntry(entry);
    scene.manager.Tables().entries[stored.Key()].push_back(entry);
    link.SetKey(stored.Key());
}

}  // namespace

void AddObjects3DSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 12, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_MOUNTAIN_LAKE);

    auto butterflies = std::make_unique<KV_ButterflyConstructor>();
    butterflies->instanceCount.Value() = 2;
    butterflies->size.Value() = 220;
    butterflies->relative = {0.1f, 0.6f, 0.15f, 0.7f};
    StorePicture(scene, butterflies->texture, "butterfly_wing.png");
    StorePicture(scene, butterflies->bodyTexture, "butterfly_body.png");
    slide.drawnDescriptions.push_back(std::move(butterflies));

    // In the picture's pixels: the default centre comes from the back
    // buffer of whoever builds the description, here none.
    auto clock = std::make_unique<KV_ClockConstructor>();
    clock->size.Value() = 300;
    clock->placement.extra1.Value() = 800;
    clock->placement.extra2.Value() = 200;
    slide.drawnDescriptions.push_back(std::move(clock));

    auto leaves = std::make_unique<KV_3D_in_2D_array_Constructor>();
    leaves->instanceCount.Value() = 40;
    leaves->drift.size.Value() = 70;
    leaves->drift.sway.Value() = 40;
    leaves->drift.wobbleChangeRate.Value() = 30;
    leaves->drift.SetDirection(250);
    leaves->mesh = StoredFile(L"leaf.x", "leaf.x");
    leaves->texture = StoredFile(L"leaf.png", "leaf.png");
    slide.drawnDescriptions.push_back(std::move(leaves));
}
