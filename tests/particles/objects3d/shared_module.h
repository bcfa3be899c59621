// The project's default meshes and pictures of the 3D objects, served as
// the shared resource module from a private folder, with a document
// resource manager made current.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "scene/model/picture_placement.h"
#include "scene/render/light_fixture.h"
#include "scene/resources/kv_docresmanager.h"

namespace objects3d_test {

using Bytes = std::vector<BYTE>;

// A file of resources/objects3d.
Bytes ResourceFile(const std::string& name);
// A flat 20 x 20 square in the xy plane around the origin, its front to -z.
Bytes OneSidedSquareX();

class SharedModule {
public:
    SharedModule();
    ~SharedModule();
    SharedModule(const SharedModule&) = delete;
    SharedModule& operator=(const SharedModule&) = delete;

    // A picture for the link's key: a sequence of one frame.
    void SetPicture(const ResourceKey& key, IDirect3DTexture9* texture);

    KV_DocResManager manager;

private:
    std::filesystem::path folder_;
};

// A picture of w x h filling a back buffer of the same size, published
// while this lives.
PicturePlacement WholePicture(int w, int h);

class PublishedPicture {
public:
    PublishedPicture(int w, int h) : placement(WholePicture(w, h)) { g_picturePlacement = &placement; }
    ~PublishedPicture() { g_picturePlacement = &g_noPicturePlacement; }
    PublishedPicture(const PublishedPicture&) = delete;
    PublishedPicture& operator=(const PublishedPicture&) = delete;

    PicturePlacement placement;
};

// The light fixture's 64 x 64 back buffer showing a black picture of the
// same size, with the shared module.
class ModuleSceneTest : public render_test::LightTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::optional<SharedModule> module;
};

}  // namespace objects3d_test
