#include "scene/resources/kv_docresmanager.h"

#include "scene/document/dds_resource.h"
#include "scene/document/module_name.h"
#include "scene/document/record.h"
#include "scene/render/current_device.h"
#include "scene/resources/mesh_loaders.h"
#include "scene/resources/stored_resource_tables.h"
#include "scene/resources/texture_loaders.h"

KV_DocResManager* g_currentDocResManager = nullptr;

namespace {

constexpr DWORD kWrittenVersion = 3;
constexpr UINT kRenderTargetSide = 512;

INT ResourceId(const ResourceKey& key) {
    return static_cast<INT>(static_cast<DWORD>(key.stamp));
}

void SetSize(TextureSequence& sequence, const TextureRecord& record) {
    sequence.width = record.width;
    sequence.height = record.height;
    sequence.aspect = record.aspect;
}

}  // namespace

KV_DocResManager::~KV_DocResManager() {
    ReleaseDeviceObjects();
}

void KV_DocResManager::ConvertEntries(EntryList::const_iterator first, EntryList::const_iterator last,
                                      TextureSequence& sequence) {
    for (; first != last; ++first) {
        const TextureRecord record = cache_.GetTexture(*first);
        sequence.AppendFrame(record.Texture());
        SetSize(sequence, record);
    }
}

void KV_DocResManager::ShowSingleFrame(const ResourceEntry& entry, TextureSequence& sequence) {
    const TextureRecord record = cache_.GetTexture(entry);
    sequence.ReleaseFrames();
    sequence.AppendFrame(record.Texture());
    SetSize(sequence, record);
    sequence.lastSwitch = 0.0f;
}

bool KV_DocResManager::Read(KV_IOF_Virtual& archive, DWORD version) {
    ReadStoredTables(archive, version, tables_);
    for (auto& [key, entries] : tables_.images) {
        EntryList& stored = tables_.entries[key] = std::move(entries);
        TextureSequence& sequence = tables_.sequences[key];
        ConvertEntries(stored.begin(), stored.end(), sequence);
        if (stored.size() > 1) {
            const auto durations = tables_.frameDurations.find(key);
            if (durations != tables_.frameDurations.end()) {
                sequence.durations = durations->second;
            }
        }
    }
    tables_.images.clear();
    for (const auto& [key, entries] : tables_.otherFiles) {
        tables_.entries.try_emplace(key, entries);
    }
    for (const auto& [key, picture] : tables_.guidImages) {
        IDirect3DTexture9* texture = nullptr;
        D3DXIMAGE_INFO info;
        LoadTextureFromMemory(picture.Data(), picture.Size(), &texture, &info);
        tables_.guidTextures[key].Reset(texture);
    }
    tables_.guidImages.clear();
    return true;
}

void KV_DocResManager::Write(KV_IOF_Virtual& archive) const {
    WriteRecordFrame(archive, L"KV_DocResManager", kWrittenVersion);
    WriteStoredTables(archive, tables_);
}

TextureSequence& KV_DocResManager::GetImage(const KV_FileLink3& link) {
    TextureSequence& sequence = tables_.sequences[link.Key()];
    if (sequence.Frames().empty() && IsModuleName(link.GetPath())) {
        LoadModuleImage(link, sequence);
    }
    return sequence;
}

std::vector<TextureSequence*> KV_DocResManager::GetImages(const std::vector<KV_ImageFileLink>& links) {
    std::vector<TextureSequence*> sequences;
    for (const KV_ImageFileLink& link : links) {
        sequences.push_back(&GetImage(link));
    }
    return sequences;
}

void KV_DocResManager::LoadModuleImage(const KV_FileLink3& link, TextureSequence& sequence) {
    const ResourceEntry entry(ResourceId(link.Key()), link.GetPath());
    EntryList& stored = tables_.entries[link.Key()];
    if (stored.empty()) {
        stored.push_back(entry);
    }
    ShowSingleFrame(entry, sequence);
}

std::vector<TextureSequence*> KV_DocResManager::GetImageSequences(const std::vector<KV_ImageFileLink>& links) {
    std::vector<TextureSequence*> sequences;
    for (const KV_ImageFileLink& link : links) {
        sequences.push_back(&GetImageSequence(link));
    }
    return sequences;
}

EntryList& KV_DocResManager::ModuleEntries(const KV_FileLink3& link) {
    EntryList& entries = tables_.entries[link.Key()];
    if (entries.empty()) {
        entries.emplace_back(ResourceId(link.Key()), link.GetPath()).LoadFromModule();
    }
    return entries;
}

ResourceEntry* KV_DocResManager::GetEntry(const KV_FileLink3& link) {
    const auto found = tables_.entries.find(link.Key());
    if (found != tables_.entries.end() && !found->second.empty()) {
        return &found->second.front();
    }
    if (link.GetExtension() != L".dll") {
        return nullptr;
    }
    return &ModuleEntries(link).front();
}

MeshBuffers& KV_DocResManager::GetMesh(const KV_FileLink3& link, UINT vertexSize) {
    MeshBuffers& mesh = tables_.meshes[link.Key()];
    if (!mesh.HasBuffers()) {
        const ResourceEntry& entry = ModuleEntries(link).front();
        LoadMeshFromMemory(entry.Data(), entry.Size(), vertexSize, mesh);
    }
    return mesh;
}

namespace {

// Resource RT_RCDATA id of a module name's module (the program's own when
// it cannot be loaded).
void LoadEffectResource(ResourceEntry& entry) {
    if (!IsModuleName(entry.ModuleName())) {
        return;
    }
    HMODULE module = LoadLibraryW(entry.ModuleName().c_str());  // never freed
    if (const auto bytes = FindModuleResource(module, entry.Id(), RT_RCDATA)) {
        entry.SetBytes(static_cast<DWORD>(bytes->size()), bytes->data());
    }
}

void CreateEffect(const ResourceEntry& entry, ComHolder<ID3DXEffect>& effect) {
    D3DXCreateEffect(g_currentDevice, entry.Data(), entry.Size(), nullptr, nullptr, 0, nullptr, effect.Receive(),
                     nullptr);
}

}  // namespace

// Documents of other tools store their module effects compiled, which does
// not run here: the module's own resource of that id stands in for them.
ID3DXEffect* KV_DocResManager::GetEffect(const KV_FileLink3& link) {
    ComHolder<ID3DXEffect>& effect = tables_.effects[link.Key()];
    if (!effect) {
        EntryList& entries = tables_.entries[link.Key()];
        const bool stored = !entries.empty();
        if (!stored) {
            LoadEffectResource(entries.emplace_back(ResourceId(link.Key()), link.GetPath()));
        }
        CreateEffect(entries.back(), effect);
        if (!effect && stored) {
            ResourceEntry own(ResourceId(link.Key()), link.GetPath());
            LoadEffectResource(own);
            CreateEffect(own, effect);
        }
    }
    if (effect) {
        effect->AddRef();
    }
    return effect.Get();
}

void KV_DocResManager::FillRenderTarget(const GuidKey& key, RenderTargetPair& pair, UINT w, UINT h) {
    pair.CopyFrom(tables_.guidTextures[key].Get(), w, h);
}

RenderTargetPair* KV_DocResManager::GetRenderTarget(const GuidKey& key) {
    std::unique_ptr<RenderTargetPair>& pair = tables_.renderTargets[key];
    if (!pair) {
        pair = std::make_unique<RenderTargetPair>();
        FillRenderTarget(key, *pair, kRenderTargetSide, kRenderTargetSide);
    }
    return pair.get();
}

void KV_DocResManager::ReleaseDeviceObjects() {
    for (auto& [key, effect] : tables_.effects) {
        if (effect) {
            effect->OnLostDevice();
        }
    }
    for (auto& [key, pair] : tables_.renderTargets) {
        pair->Release();
    }
}

void KV_DocResManager::RestoreDeviceObjects() {
    for (auto& [key, effect] : tables_.effects) {
        if (effect) {
            effect->OnResetDevice();
        }
    }
    for (auto& [key, pair] : tables_.renderTargets) {
        FillRenderTarget(key, *pair, pair->width, pair->height);
    }
}

std::unique_ptr<KV_DocResManager> ReadDocResManagerRecord(KV_IOF_Virtual& archive) {
    const DWORD version = ReadRecordVersion(archive);
    auto manager = std::make_unique<KV_DocResManager>();
    manager->Read(archive, version);
    return manager;
}
