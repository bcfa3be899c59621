// Turns stored resources into Direct3D objects and remembers them per
// source (file path, module resource), so that a picture used by several
// links is created once. The cache holds one reference to everything in
// its tables; what it hands out holds its own.
#pragma once

#include <list>
#include <map>
#include <utility>

#include <windows.h>

#include <d3d9.h>

#include "scene/document/embedded_file.h"
#include "scene/model/com_holder.h"
#include "scene/resources/mesh_buffers.h"
#include "scene/resources/texture_record.h"

class ResourceCache {
public:
    ResourceCache() = default;
    ResourceCache(const ResourceCache&) = delete;
    ResourceCache& operator=(const ResourceCache&) = delete;

    // The entry's picture: its bytes when it has a file name and bytes
    // (decoded anew), its file otherwise; without a file name the module's
    // resource, or the bytes when that fails. A module that cannot be
    // loaded gives a record of 800 x 600 without texture when the bytes do
    // not decode either.
    TextureRecord GetTexture(const ResourceEntry& entry);
    // The entry's mesh, a copy the caller holds: from its bytes when it has
    // a file name or id 0 and bytes, else from its file; otherwise the
    // module's resource (the bytes when that fails), cached per module and
    // id also when empty; the bytes when the module cannot be loaded.
    MeshBuffers GetMesh(const ResourceEntry& entry, UINT vertexSize);
    // The program's own "DDS" 2 with its full mip chain, a reference added.
    IDirect3DTexture9* GetDefaultTexture();
    // A module by name; the empty name is the program itself. Names that
    // are not module names, and modules that cannot be loaded, give false.
    std::pair<bool, HMODULE> GetModule(const kv_string& name);

private:
    TextureRecord FileTexture(const kv_string& path);
    TextureRecord ModuleTexture(HMODULE module, const ResourceEntry& entry);
    TextureRecord UnloadableModuleTexture(const ResourceEntry& entry);

    std::map<int, ComHolder<IDirect3DTexture9>> ownTextures_;
    std::map<kv_string, TextureRecord> fileTextures_;
    std::map<std::pair<HMODULE, int>, TextureRecord> moduleTextures_;
    std::map<std::pair<kv_string, int>, TextureRecord> unloadableModuleTextures_;
    std::map<std::pair<kv_string, int>, std::list<MeshBuffers>> meshes_;  // empty, or one mesh
    std::map<kv_string, HMODULE> modules_;  // never freed
};
