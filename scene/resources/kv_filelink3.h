// Resource links: the observable parameter through which an object names a
// picture, mesh, effect or sound. A link holds only its key; the document
// resource manager keeps the bytes and the loaded resource under it.
#pragma once

#include <utility>

#include "scene/document/embedded_file.h"
#include "scene/document/kv_iof_virtual.h"
#include "scene/model/media_param.h"
#include "scene/resources/resource_key.h"

class KV_FileLink3 : public MediaParam {
public:
    KV_FileLink3() = default;
    // The key only: controls stay with the original.
    KV_FileLink3(const KV_FileLink3& other) : MediaParam(), key_(other.key_) {}
    ~KV_FileLink3() override = default;

    // A module resource: the module name with the id as the stamp.
    static KV_FileLink3 FromResource(INT id, const kv_string& moduleName);
    static KV_FileLink3 FromKey(const ResourceKey& key);
    // A stored entry: its module and id, or, for id 0, its file name with
    // the next value of a process-wide counter.
    static KV_FileLink3 FromEntry(const ResourceEntry& entry);

    const ResourceKey& Key() const { return key_; }
    // Stores without telling the controls.
    void SetKey(const ResourceKey& key) { key_ = key; }

    kv_string GetPath() const { return key_.name; }
    // From the last "." of the whole path, lower case; empty without a dot.
    kv_string GetExtension() const;

private:
    explicit KV_FileLink3(ResourceKey key) : key_(std::move(key)) {}

    ResourceKey key_;
};

class KV_HLSLEffectFile : public KV_FileLink3 {
public:
    KV_HLSLEffectFile() = default;
    explicit KV_HLSLEffectFile(const KV_FileLink3& link) : KV_FileLink3(link) {}
};

class KV_MeshFile : public KV_FileLink3 {
public:
    KV_MeshFile() = default;
    explicit KV_MeshFile(const KV_FileLink3& link) : KV_FileLink3(link) {}
};

// A link's stored form: the path, then the stamp. Reading replaces both,
// without notifying, so an empty stored path empties a defaulted link.
void ReadFileLink(KV_IOF_Virtual& archive, KV_FileLink3& link);
void WriteLinkKey(KV_IOF_Virtual& archive, const KV_FileLink3& link);
// The stored form, with the link's stored entries copied into the current
// manager's other-files table so that the document carries them.
void WriteFileLink(KV_IOF_Virtual& archive, const KV_FileLink3& link);
