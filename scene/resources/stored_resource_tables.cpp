#include "scene/resources/stored_resource_tables.h"

#include <utility>

#include "scene/document/guid_text.h"

namespace {

// The fewest bytes a row can take, to check counts against.
constexpr std::size_t kMinStringBytes = 1;
constexpr std::size_t kMinKeyRowBytes = kMinStringBytes + 8 + 4;  // name, stamp, count
constexpr std::size_t kMinEntryBytes = 4;  // id
constexpr std::size_t kMinGuidImageBytes = 3 * kMinStringBytes + 1;  // GUID, name, flag, file name

ResourceKey ReadKey(KV_IOF_Virtual& archive) {
    ResourceKey key;
    archive.ReadString(&key.name);
    archive.ReadInt64(&key.stamp);
    return key;
}

void WriteKey(KV_IOF_Virtual& archive, const ResourceKey& key) {
    archive.WriteString(&key.name);
    archive.WriteInt64(&key.stamp);
}

template <class Item, class ReadItem>
std::vector<Item> ReadList(KV_IOF_Virtual& archive, std::size_t minBytes, ReadItem readItem) {
    const DWORD count = archive.ReadCount(minBytes);
    std::vector<Item> items(count);
    for (Item& item : items) {
        readItem(&item);
    }
    return items;
}

void ReadEntryTable(KV_IOF_Virtual& archive, EntryTable& table) {
    const DWORD keys = archive.ReadCount(kMinKeyRowBytes);
    for (DWORD k = 0; k < keys && !archive.Failed(); ++k) {
        ResourceKey key = ReadKey(archive);
        auto entries = ReadList<ResourceEntry>(archive, kMinEntryBytes,
                                               [&](ResourceEntry* e) { archive.ReadResourceEntry(e); });
        if (!archive.Failed()) {
            table.try_emplace(std::move(key), std::make_move_iterator(entries.begin()),
                              std::make_move_iterator(entries.end()));
        }
    }
}

void ReadDurationTable(KV_IOF_Virtual& archive, DurationTable& table) {
    const DWORD keys = archive.ReadCount(kMinKeyRowBytes);
    for (DWORD k = 0; k < keys && !archive.Failed(); ++k) {
        ResourceKey key = ReadKey(archive);
        auto durations = ReadList<float>(archive, 4, [&](float* f) { archive.ReadFloat(f); });
        if (!archive.Failed()) {
            table.try_emplace(std::move(key), std::move(durations));
        }
    }
}

void ReadGuidImageTable(KV_IOF_Virtual& archive, GuidImageTable& table) {
    const DWORD keys = archive.ReadCount(kMinGuidImageBytes);
    for (DWORD k = 0; k < keys && !archive.Failed(); ++k) {
        GuidKey key(GUID{}, {}, true);
        ReadGuid(archive, &key.id);
        archive.ReadString(&key.name);
        archive.ReadBool(&key.flag);
        EmbeddedFile picture;
        archive.ReadEmbeddedFile(&picture);
        if (!archive.Failed()) {
            table.try_emplace(std::move(key), std::move(picture));
        }
    }
}

}  // namespace

void ReadStoredTables(KV_IOF_Virtual& archive, DWORD version, StoredResourceTables& tables) {
    ReadEntryTable(archive, tables.images);
    ReadDurationTable(archive, tables.frameDurations);
    if (version == 1) {
        return;
    }
    ReadEntryTable(archive, tables.otherFiles);
    if (version == 2) {
        return;
    }
    ReadGuidImageTable(archive, tables.guidImages);
}

namespace {

void WriteEntryTable(KV_IOF_Virtual& archive, const EntryTable& table) {
    const DWORD keys = static_cast<DWORD>(table.size());
    archive.WriteDword(&keys);
    for (const auto& [key, entries] : table) {
        WriteKey(archive, key);
        const DWORD count = static_cast<DWORD>(entries.size());
        archive.WriteDword(&count);
        for (const ResourceEntry& entry : entries) {
            archive.WriteResourceEntry(&entry);
        }
    }
}

}  // namespace

void WriteStoredTables(KV_IOF_Virtual& archive, const StoredResourceTables& tables) {
    WriteEntryTable(archive, tables.images);
    const DWORD durationKeys = static_cast<DWORD>(tables.frameDurations.size());
    archive.WriteDword(&durationKeys);
    for (const auto& [key, durations] : tables.frameDurations) {
        WriteKey(archive, key);
        const DWORD count = static_cast<DWORD>(durations.size());
        archive.WriteDword(&count);
        for (const float& duration : durations) {
            archive.WriteFloat(&duration);
        }
    }
    WriteEntryTable(archive, tables.otherFiles);
    const DWORD guidKeys = static_cast<DWORD>(tables.guidImages.size());
    archive.WriteDword(&guidKeys);
    for (const auto& [key, picture] : tables.guidImages) {
        WriteGuid(archive, key.id);
        archive.WriteString(&key.name);
        archive.WriteBool(&key.flag);
        archive.WriteEmbeddedFile(&picture);
    }
}
