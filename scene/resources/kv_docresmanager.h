// The document resource manager: one per loaded document. It owns the
// resource bytes the document stores, turns them into Direct3D objects on
// first request and keeps every result for the manager's life.
#pragma once

#include <memory>
#include <vector>

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include "scene/document/kv_iof_virtual.h"
#include "scene/resources/doc_res_tables.h"
#include "scene/resources/kv_filelink3.h"
#include "scene/resources/kv_imagefilelink.h"
#include "scene/resources/resource_cache.h"

class KV_DocResManager {
public:
    KV_DocResManager() = default;
    KV_DocResManager(const KV_DocResManager&) = delete;
    KV_DocResManager& operator=(const KV_DocResManager&) = delete;
    virtual ~KV_DocResManager();
    virtual void Write(KV_IOF_Virtual& archive) const;

    // The record's tables after its class name and version; the pictures
    // are converted on the way. Always succeeds.
    bool Read(KV_IOF_Virtual& archive, DWORD version);

    TextureSequence& GetImage(const KV_FileLink3& link);
    std::vector<TextureSequence*> GetImages(const std::vector<KV_ImageFileLink>& links);
    void LoadModuleImage(const KV_FileLink3& link, TextureSequence& sequence);
    // Like GetImage, but a link without stored frames reads a module
    // image-sequence resource.
    TextureSequence& GetImageSequence(const KV_FileLink3& link);
    std::vector<TextureSequence*> GetImageSequences(const std::vector<KV_ImageFileLink>& links);
    // The link's first stored entry; null for a file link with none.
    ResourceEntry* GetEntry(const KV_FileLink3& link);
    MeshBuffers& GetMesh(const KV_FileLink3& link, UINT vertexSize);
    // A reference added for the caller; null when it cannot be created,
    // which the next call tries again.
    ID3DXEffect* GetEffect(const KV_FileLink3& link);
    // Owned by the manager; a new pair is 512 x 512 and starts with the
    // generated picture stored under the key.
    RenderTargetPair* GetRenderTarget(const GuidKey& key);
    // The generated pictures, read and written by their users.
    std::map<GuidKey, ComHolder<IDirect3DTexture9>>& GuidTextures() { return tables_.guidTextures; }

    // Effects are told of the reset; render targets are released before it
    // and made again afterwards at their sizes, filled from their pictures.
    void ReleaseDeviceObjects();
    void RestoreDeviceObjects();

    // Saving side.
    bool RegisterImageLink(const KV_FileLink3& link);
    KV_ImageFileLink BuildImageLink(const ResourceEntry& entry);
    KV_ImageFileLink BuildImageLinkFromList(const std::vector<ResourceEntry>& entries,
                                            const std::vector<float>& durations);

    ResourceCache& Cache() { return cache_; }
    const DocResTables& Tables() const { return tables_; }
    DocResTables& Tables() { return tables_; }

private:
    // One more frame per entry, the size from the last one.
    void ConvertEntries(EntryList::const_iterator first, EntryList::const_iterator last, TextureSequence& sequence);
    // The entry's picture as the sequence's only frame, its timing restarted.
    void ShowSingleFrame(const ResourceEntry& entry, TextureSequence& sequence);
    void ReadModuleSequence(const KV_FileLink3& link, HMODULE module, TextureSequence& sequence);
    // The key's entry list, with the link's module entry stored when empty.
    EntryList& ModuleEntries(const KV_FileLink3& link);
    // The pair made at w x h from the generated picture under the key (an
    // empty slot inserted when there is none).
    void FillRenderTarget(const GuidKey& key, RenderTargetPair& pair, UINT w, UINT h);

    ResourceCache cache_;
    DocResTables tables_;
};

// The manager of the unit being updated or drawn; not owned.
extern KV_DocResManager* g_currentDocResManager;

// The whole manager record; its class name is read and not compared.
std::unique_ptr<KV_DocResManager> ReadDocResManagerRecord(KV_IOF_Virtual& archive);
