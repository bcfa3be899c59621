// A resource cache on a device of the simulated machine, with pictures in
// the program's own module, in a resource module and in files of a
// private folder (also the folder searched for resource modules).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/d3dx9/device_fixture.h"
#include "platform/resources/res_builder.h"
#include "platform/sim_resources.h"
#include "scene/resources/resource_cache.h"

namespace resources_test {

using Bytes = std::vector<BYTE>;

// The stored resource id of the fixtures' pictures.
inline constexpr int kPictureId = 40;
inline constexpr const wchar_t* kModuleName = L"common_res.dll";

// An opaque red RGBA PNG.
Bytes RedPng(UINT width, UINT height);
// The references an object holds now.
ULONG References(IUnknown* object);

class CacheTest : public d3d9_test::D3DXDeviceTest {
protected:
    void SetUp() override;
    void TearDown() override;

    ResourceCache& cache() { return *cache_; }
    void DestroyCache() { cache_.reset(); }

    // Resource "DDS" kPictureId of the own module or of kModuleName.
    void SetOwnResource(const Bytes& bytes) const;
    void WriteModule(const Bytes& picture) const;
    // A file of the private folder, by its full path.
    std::wstring FilePath(const std::string& name) const;
    void WriteFile(const std::string& name, const Bytes& bytes) const;

private:
    std::filesystem::path folder_;
    std::optional<ResourceCache> cache_;
};

}  // namespace resources_test
