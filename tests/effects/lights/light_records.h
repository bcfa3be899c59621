// Light records read through the light registry from hand-built bytes, and
// written back.
#pragma once

#include <memory>

#include "scene/document/kv_iof_r.h"
#include "scene/light/kv_2d_light.h"
#include "support/document_bytes.h"

namespace lights_test {

// A reader over bytes that must be read exactly.
struct LightRecord {
    explicit LightRecord(const Bytes& bytes) : held(bytes), buffer(held.Buffer()), archive(buffer) {}
    HeldBytes held;
    ResourceBuffer buffer;
    KV_IOF_R<ResourceBuffer> archive;
};

// The light part that ends every record: version 1, no fields.
Bytes PlainLightPart();
// A file link's stored form.
Bytes Link(std::u16string_view path, DWORD stamp);
Bytes Writing(const KV_2D_Light& light);

// The bytes read as a light of class T that consumed them all.
template <class T>
std::unique_ptr<T> ReadLight(const Bytes& bytes)
{
    LightRecord record(bytes);
    std::unique_ptr<KV_2D_Light> light = KV_2D_Light::ReadNew(record.archive);
    if (!light || record.buffer.Remaining() != 0 || record.archive.Failed())
        return nullptr;
    return std::unique_ptr<T>(dynamic_cast<T*>(light.release()));
}

} // namespace lights_test
