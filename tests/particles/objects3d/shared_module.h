// The project's default meshes and pictures of the 3D objects, served as
// the shared resource module from a private folder, with a document
// resource manager made current.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

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

}  // namespace objects3d_test
