// The tables of the document resource manager. Every per-key list is a
// std::list and every table an ordered map, so nothing the lookups hand out
// ever moves while the manager lives.
#pragma once

#include <list>
#include <map>
#include <memory>
#include <vector>

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include "scene/document/embedded_file.h"
#include "scene/model/com_holder.h"
#include "scene/render/render_target_pair.h"
#include "scene/resources/mesh_buffers.h"
#include "scene/resources/resource_key.h"
#include "scene/resources/texture_sequence.h"

using EntryList = std::list<ResourceEntry>;
using EntryTable = std::map<ResourceKey, EntryList>;
using DurationTable = std::map<ResourceKey, std::vector<float>>;
using GuidImageTable = std::map<GuidKey, EmbeddedFile>;

// The four tables a document stores.
struct StoredResourceTables {
    EntryTable images;
    DurationTable frameDurations;
    EntryTable otherFiles;
    GuidImageTable guidImages;
};

struct DocResTables : StoredResourceTables {
    EntryTable entries;
    std::map<ResourceKey, TextureSequence> sequences;
    std::map<ResourceKey, MeshBuffers> meshes;
    std::map<ResourceKey, ComHolder<ID3DXEffect>> effects;
    std::map<GuidKey, std::unique_ptr<RenderTargetPair>> renderTargets;
    std::map<GuidKey, ComHolder<IDirect3DTexture9>> guidTextures;
};
