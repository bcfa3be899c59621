#include "scene/document/embedded_file.h"

#include <cstring>
#include <utility>

EmbeddedFile::EmbeddedFile(const EmbeddedFile& other) : fileName_(other.fileName_) {
    SetBytes(other.size_, other.bytes_.get());
}

EmbeddedFile& EmbeddedFile::operator=(const EmbeddedFile& other) {
    if (this != &other) {
        Assign(other.fileName_, other.size_, other.bytes_.get());
    }
    return *this;
}

void EmbeddedFile::Clear() {
    Assign({}, 0, nullptr);
}

void EmbeddedFile::SetFileName(const kv_string& fileName) {
    if (fileName != fileName_) {
        Assign(fileName, 0, nullptr);
    }
}

void EmbeddedFile::SetBytes(DWORD size, const BYTE* data) {
    if (size == 0 || data == nullptr) {
        bytes_.reset();
        size_ = 0;
        return;
    }
    bytes_ = std::make_unique_for_overwrite<BYTE[]>(size);
    std::memcpy(bytes_.get(), data, size);
    size_ = size;
}

void EmbeddedFile::Assign(kv_string fileName, DWORD size, const BYTE* data) {
    SetBytes(size, data);
    fileName_ = std::move(fileName);
}

ResourceEntry::ResourceEntry(INT id, kv_string moduleName)
    : id_(id), moduleName_(std::move(moduleName)) {}
