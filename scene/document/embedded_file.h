// File bytes stored in the document under their file name, and the stored
// resources that add where the bytes came from.
#pragma once

#include <memory>

#include <windef.h>

#include "scene/document/kv_string.h"

class EmbeddedFile {
public:
    EmbeddedFile() = default;
    EmbeddedFile(const EmbeddedFile& other);
    EmbeddedFile& operator=(const EmbeddedFile& other);
    EmbeddedFile(EmbeddedFile&&) noexcept = default;
    EmbeddedFile& operator=(EmbeddedFile&&) noexcept = default;
    ~EmbeddedFile() = default;

    const kv_string& FileName() const { return fileName_; }
    const BYTE* Data() const { return bytes_.get(); }
    DWORD Size() const { return size_; }

    // Frees the bytes and empties the name.
    void Clear();
    // A different name drops the bytes that belonged to the old one.
    void SetFileName(const kv_string& fileName);
    // Replaces the bytes with a copy of `size` bytes at `data`.
    void SetBytes(DWORD size, const BYTE* data);
    // Replaces the whole file: what a stored record holds.
    void Assign(kv_string fileName, DWORD size, const BYTE* data);

private:
    kv_string fileName_;
    std::unique_ptr<BYTE[]> bytes_;  // null when empty
    DWORD size_ = 0;
};

class ResourceEntry : public EmbeddedFile {
public:
    explicit ResourceEntry(INT id = 0, kv_string moduleName = {});

    INT Id() const { return id_; }
    const kv_string& ModuleName() const { return moduleName_; }

    // Replaces the bytes with resource "DDS" id of the named module, or of
    // the program's own module when that cannot be loaded. A name that is
    // not a module name loads nothing. The file name stays as it is.
    bool LoadFromModule();

private:
    INT id_;
    kv_string moduleName_;  // a resource module such as "common_res.dll", or empty
};
