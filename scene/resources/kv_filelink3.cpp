#include "scene/resources/kv_filelink3.h"

#include <cwctype>

#include "scene/resources/kv_docresmanager.h"

namespace {

// Links made from stored entries without an id take their stamps from here.
LONGLONG g_entryLinkCounter = 0;

}  // namespace

KV_FileLink3 KV_FileLink3::FromResource(INT id, const kv_string& moduleName) {
    return KV_FileLink3(ResourceKey{moduleName, static_cast<LONGLONG>(id)});
}

KV_FileLink3 KV_FileLink3::FromKey(const ResourceKey& key) {
    return KV_FileLink3(key);
}

KV_FileLink3 KV_FileLink3::FromEntry(const ResourceEntry& entry) {
    if (entry.Id() != 0) {
        return KV_FileLink3(ResourceKey{entry.ModuleName(), static_cast<LONGLONG>(static_cast<DWORD>(entry.Id()))});
    }
    return KV_FileLink3(ResourceKey{entry.FileName(), g_entryLinkCounter++});
}

kv_string KV_FileLink3::GetExtension() const {
    const auto dot = key_.name.rfind(L'.');
    if (dot == kv_string::npos) {
        return {};
    }
    kv_string extension = key_.name.substr(dot);
    for (wchar_t& c : extension) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return extension;
}

void ReadFileLink(KV_IOF_Virtual& archive, KV_FileLink3& link) {
    ResourceKey stored;
    archive.ReadString(&stored.name);
    archive.ReadInt64(&stored.stamp);
    link.SetKey(stored);
}

void WriteLinkKey(KV_IOF_Virtual& archive, const KV_FileLink3& link) {
    const ResourceKey& key = link.Key();
    archive.WriteString(&key.name);
    archive.WriteInt64(&key.stamp);
}

void WriteFileLink(KV_IOF_Virtual& archive, const KV_FileLink3& link) {
    WriteLinkKey(archive, link);
    // The saved document carries the bytes the link stands for.
    const ResourceKey& key = link.Key();
    if (g_currentDocResManager != nullptr && !key.name.empty()) {
        DocResTables& tables = g_currentDocResManager->Tables();
        const auto entries = tables.entries.find(key);
        if (entries != tables.entries.end()) {
            tables.otherFiles[key] = entries->second;
        }
    }
}
