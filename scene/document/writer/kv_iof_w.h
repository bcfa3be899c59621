// A writing archive for tests and tools: appends the document encodings of
// every value to a byte vector. The engine itself only reads.
#pragma once

#include <cstddef>
#include <vector>

#include "scene/document/kv_iof_virtual.h"

class KV_IOF_W final : public KV_IOF_Virtual {
public:
    void WriteResourceEntry(const ResourceEntry* value) override;
    void WriteEmbeddedFile(const EmbeddedFile* value) override;
    void WriteString(const kv_string* value) override;
    void WriteInt64(const LONGLONG* value) override;
    void WriteFloat(const float* value) override;
    void WritePoint(const POINT* value) override;
    void WriteDword(const DWORD* value) override;
    void WriteUInt(const UINT* value) override;
    void WriteChar(const CHAR* value) override;
    void WriteBool(const bool* value) override;
    void WriteInt(const INT* value) override;

    // A writer has nothing to read.
    void ReadResourceEntry(ResourceEntry*) override {}
    void ReadEmbeddedFile(EmbeddedFile*) override {}
    void ReadString(kv_string*) override {}
    void ReadInt64(LONGLONG*) override {}
    void ReadFloat(float*) override {}
    void ReadPoint(POINT*) override {}
    void ReadDword(DWORD*) override {}
    void ReadUInt(UINT*) override {}
    void ReadChar(CHAR*) override {}
    void ReadBool(bool*) override {}
    void ReadInt(INT*) override {}

    const std::vector<BYTE>& Bytes() const { return bytes_; }
    std::vector<BYTE> TakeBytes() { return std::move(bytes_); }

private:
    void Append(const void* value, std::size_t size);

    std::vector<BYTE> bytes_;
};
