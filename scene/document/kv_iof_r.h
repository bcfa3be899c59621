// The reading archive: decodes the primitive values of a document from the
// bytes of a ResourceBuffer, which it does not own. Nothing read is trusted:
// a value that would run past the end fails the buffer and is not stored.
#pragma once

#include <cstddef>

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/resource_buffer.h"

template <class Source>
class KV_IOF_R;

template <>
class KV_IOF_R<ResourceBuffer> final : public KV_IOF_Virtual {
public:
    explicit KV_IOF_R(ResourceBuffer& buffer) : KV_IOF_Virtual(buffer), buffer_(buffer) {}

    void ReadResourceEntry(ResourceEntry* value) override;
    void ReadEmbeddedFile(EmbeddedFile* value) override;
    void ReadString(kv_string* value) override;
    void ReadInt64(LONGLONG* value) override;
    void ReadFloat(float* value) override;
    void ReadPoint(POINT* value) override;
    void ReadDword(DWORD* value) override;
    void ReadUInt(UINT* value) override;
    void ReadChar(CHAR* value) override;
    void ReadBool(bool* value) override;
    void ReadInt(INT* value) override;

private:
    // Copies the next `size` bytes into `value`; false when they run past
    // the end, leaving `value` unchanged.
    bool ReadBytes(void* value, std::size_t size);
    bool ReadStringLength(DWORD* length);

    ResourceBuffer& buffer_;
};
