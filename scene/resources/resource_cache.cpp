#include "scene/resources/resource_cache.h"

#include "scene/document/module_name.h"
#include "scene/resources/mesh_loaders.h"
#include "scene/resources/texture_loaders.h"

namespace {

constexpr int kDefaultTextureId = 2;

// What a module that cannot be loaded stands for when its bytes fail too.
constexpr UINT kUnloadableWidth = 800;
constexpr UINT kUnloadableHeight = 600;

// A record of the texture a loader made; the loader's reference is let go.
TextureRecord Loaded(IDirect3DTexture9* texture, const D3DXIMAGE_INFO& info) {
    ComHolder<IDirect3DTexture9> loaded;
    loaded.Reset(texture);
    TextureRecord record;
    record.Set(info, loaded.Get());
    return record;
}

TextureRecord FromBytes(const ResourceEntry& entry) {
    IDirect3DTexture9* texture = nullptr;
    D3DXIMAGE_INFO info;
    LoadTextureFromMemory(entry.Data(), entry.Size(), &texture, &info);
    return Loaded(texture, info);
}

}  // namespace

TextureRecord ResourceCache::GetTexture(const ResourceEntry& entry) {
    if (!entry.FileName().empty()) {
        if (entry.Size() != 0) {
            return FromBytes(entry);
        }
        return FileTexture(entry.FileName());
    }
    const auto [loaded, module] = GetModule(entry.ModuleName());
    return loaded ? ModuleTexture(module, entry) : UnloadableModuleTexture(entry);
}

TextureRecord ResourceCache::FileTexture(const kv_string& path) {
    TextureRecord& cached = fileTextures_[path];
    if (cached.Texture() == nullptr) {
        // A failed load leaves the record without texture: tried again next time.
        IDirect3DTexture9* texture = nullptr;
        D3DXIMAGE_INFO info;
        LoadTextureFromFile(path, &texture, &info);
        cached = Loaded(texture, info);
    }
    return cached;
}

TextureRecord ResourceCache::ModuleTexture(HMODULE module, const ResourceEntry& entry) {
    TextureRecord& cached = moduleTextures_[{module, entry.Id()}];
    if (cached.Texture() == nullptr) {
        IDirect3DTexture9* texture = nullptr;
        D3DXIMAGE_INFO info;
        if (SUCCEEDED(LoadTextureFromModuleResource(module, entry.Id(), &texture, &info))) {
            cached = Loaded(texture, info);
        } else {
            cached = FromBytes(entry);
        }
    }
    return cached;
}

TextureRecord ResourceCache::UnloadableModuleTexture(const ResourceEntry& entry) {
    TextureRecord& cached = unloadableModuleTextures_[{entry.ModuleName(), entry.Id()}];
    if (cached.Texture() == nullptr) {
        cached = FromBytes(entry);
        if (cached.Texture() == nullptr) {
            D3DXIMAGE_INFO unloadable{};
            unloadable.Width = kUnloadableWidth;
            unloadable.Height = kUnloadableHeight;
            cached.Set(unloadable, nullptr);
        }
    }
    return cached;
}

MeshBuffers ResourceCache::GetMesh(const ResourceEntry& entry, UINT vertexSize) {
    MeshBuffers mesh;
    // Id 0 names no resource: such an entry stands for its own bytes, and
    // entries of different bytes must never share a cached mesh.
    if (!entry.FileName().empty() || entry.Id() == 0) {
        if (entry.Size() != 0) {
            LoadMeshFromMemory(entry.Data(), entry.Size(), vertexSize, mesh);
        } else if (!entry.FileName().empty()) {
            LoadMeshFromFile(entry.FileName(), vertexSize, mesh);
        }
        return mesh;
    }
    std::list<MeshBuffers>& cached = meshes_[{entry.ModuleName(), entry.Id()}];
    if (!cached.empty()) {
        return cached.front();
    }
    const auto [loaded, module] = GetModule(entry.ModuleName());
    if (loaded) {
        LoadMeshFromResource(module, entry.Id(), vertexSize, mesh);
    }
    if (!mesh.HasBuffers()) {
        LoadMeshFromMemory(entry.Data(), entry.Size(), vertexSize, mesh);
    }
    if (loaded) {
        // Also when empty: a failed module load is not tried again.
        cached.push_back(mesh);
    }
    return mesh;
}

IDirect3DTexture9* ResourceCache::GetDefaultTexture() {
    ComHolder<IDirect3DTexture9>& cached = ownTextures_[kDefaultTextureId];
    if (!cached) {
        LoadTextureFromResource(kDefaultTextureId, true, cached.Receive());
    }
    if (cached) {
        cached->AddRef();
    }
    return cached.Get();
}

std::pair<bool, HMODULE> ResourceCache::GetModule(const kv_string& name) {
    if (const auto found = modules_.find(name); found != modules_.end()) {
        return {true, found->second};
    }
    if (!IsModuleName(name)) {
        return {false, nullptr};
    }
    HMODULE module = nullptr;
    if (!name.empty()) {
        module = LoadLibraryW(name.c_str());
        if (module == nullptr) {
            return {false, nullptr};
        }
    }
    modules_.emplace(name, module);
    return {true, module};
}
