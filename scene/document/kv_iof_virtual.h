// The archive interface through which every scene class reads and writes
// its record. The slot order is fixed: destructor, eleven writes, eleven
// reads, both in the same order of value kinds.
#pragma once

#include <cstddef>

#include <windef.h>

#include "scene/document/kv_string.h"

class EmbeddedFile;
class ResourceEntry;
class ResourceBuffer;

class KV_IOF_Virtual {
public:
    virtual ~KV_IOF_Virtual();

    virtual void WriteResourceEntry(const ResourceEntry* value);
    virtual void WriteEmbeddedFile(const EmbeddedFile* value);
    virtual void WriteString(const kv_string* value);
    virtual void WriteInt64(const LONGLONG* value);
    virtual void WriteFloat(const float* value);
    virtual void WritePoint(const POINT* value);
    virtual void WriteDword(const DWORD* value);
    virtual void WriteUInt(const UINT* value);
    virtual void WriteChar(const CHAR* value);
    virtual void WriteBool(const bool* value);
    virtual void WriteInt(const INT* value);

    virtual void ReadResourceEntry(ResourceEntry* value) = 0;
    virtual void ReadEmbeddedFile(EmbeddedFile* value) = 0;
    virtual void ReadString(kv_string* value) = 0;
    virtual void ReadInt64(LONGLONG* value) = 0;
    virtual void ReadFloat(float* value) = 0;
    virtual void ReadPoint(POINT* value) = 0;
    virtual void ReadDword(DWORD* value) = 0;
    virtual void ReadUInt(UINT* value) = 0;
    virtual void ReadChar(CHAR* value) = 0;
    virtual void ReadBool(bool* value) = 0;
    virtual void ReadInt(INT* value) = 0;

    // Once a value ran past the end of the document (or a record could not
    // be read), every later read leaves its destination unchanged.
    bool Failed() const;
    // Whether `count` items of at least `minBytesEach` bytes each can still
    // follow. Readers check every count before they allocate for it; a
    // count that cannot fit fails the archive.
    bool CanHold(DWORD count, std::size_t minBytesEach);
    // A count of items of at least `minBytesEach` bytes each; 0 (and a
    // failed archive) when they cannot follow.
    DWORD ReadCount(std::size_t minBytesEach);
    // Whether a string (a record's class name) comes next: its marker
    // bytes FF FE FF. Never for a writing archive.
    bool AtString() const;
    // Stops the reading: the stream is out of step from here on.
    void Fail();

protected:
    KV_IOF_Virtual() = default;
    // A reading archive names the bytes it reads so that the checks above
    // can see where they end; a writing archive has none.
    explicit KV_IOF_Virtual(ResourceBuffer& source) : source_(&source) {}

private:
    ResourceBuffer* source_ = nullptr;
};
