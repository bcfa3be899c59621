// The manager's link side: module image sequences, and the links the
// writers and the old sprite records build from stored entries.
#include "scene/document/kv_iof_r.h"
#include "scene/document/module_name.h"
#include "scene/document/resource_buffer.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr std::size_t kMinEntryBytes = 4;  // id

}  // namespace

TextureSequence& KV_DocResManager::GetImageSequence(const KV_FileLink3& link) {
    TextureSequence& sequence = tables_.sequences[link.Key()];
    if (sequence.Frames().empty() && IsModuleName(link.GetPath())) {
        // Never freed; a module that cannot be loaded searches the
        // program's own under the same id.
        ReadModuleSequence(link, LoadLibraryW(link.GetPath().c_str()), sequence);
    }
    return sequence;
}

void KV_DocResManager::ReadModuleSequence(const KV_FileLink3& link, HMODULE module, TextureSequence& sequence) {
    ResourceBuffer buffer;
    if (!buffer.OpenResource(module, static_cast<INT>(static_cast<DWORD>(link.Key().stamp)))) {
        return;
    }
    KV_IOF_R<ResourceBuffer> reader(buffer);
    DWORD count = 0;
    reader.ReadDword(&count);
    if (!reader.CanHold(count, sizeof(float))) {
        return;
    }
    std::vector<float> durations(count);
    for (float& duration : durations) {
        reader.ReadFloat(&duration);
    }
    reader.ReadDword(&count);
    if (!reader.CanHold(count, kMinEntryBytes)) {
        return;
    }
    // Each frame from a fresh entry: nothing of an entry already stored
    // under the key carries over.
    EntryList frames;
    for (DWORD i = 0; i < count && !reader.Failed(); ++i) {
        reader.ReadResourceEntry(&frames.emplace_back());
    }
    if (reader.Failed()) {
        return;
    }
    sequence.durations = std::move(durations);
    // Over the stored entries in place, so that entries handed out before
    // stay where they are.
    EntryList& entries = tables_.entries[link.Key()];
    auto stored = entries.begin();
    for (ResourceEntry& frame : frames) {
        if (stored == entries.end()) {
            stored = entries.insert(stored, std::move(frame));
        } else {
            *stored = std::move(frame);
        }
        ++stored;
    }
    entries.erase(stored, entries.end());
    sequence.ReleaseFrames();
    ConvertEntries(entries.begin(), entries.end(), sequence);
}

bool KV_DocResManager::RegisterImageLink(const KV_FileLink3& link) {
    if (link.GetPath().empty()) {
        return true;
    }
    const ResourceKey& key = link.Key();
    const auto sequence = tables_.sequences.find(key);
    if (sequence != tables_.sequences.end() && !sequence->second.Frames().empty()) {
        tables_.frameDurations[key] = sequence->second.durations;
    }
    tables_.images[key] = tables_.entries[key];
    return true;
}

KV_ImageFileLink KV_DocResManager::BuildImageLink(const ResourceEntry& entry) {
    const KV_FileLink3 link = KV_FileLink3::FromEntry(entry);
    EntryList& stored = tables_.entries[link.Key()];
    if (stored.empty()) {
        stored.push_back(entry);
    }
    ShowSingleFrame(entry, tables_.sequences[link.Key()]);
    return KV_ImageFileLink(link);
}

KV_ImageFileLink KV_DocResManager::BuildImageLinkFromList(const std::vector<ResourceEntry>& entries,
                                                          const std::vector<float>& durations) {
    const KV_FileLink3 link = KV_FileLink3::FromEntry(entries.front());
    TextureSequence& sequence = tables_.sequences[link.Key()];
    if (sequence.Frames().empty()) {
        EntryList& stored = tables_.entries[link.Key()];
        const auto added = stored.insert(stored.end(), entries.begin(), entries.end());
        ConvertEntries(added, stored.end(), sequence);
        sequence.durations = durations;
    }
    return KV_ImageFileLink(link);
}
