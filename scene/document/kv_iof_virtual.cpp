#include "scene/document/kv_iof_virtual.h"

#include "scene/document/resource_buffer.h"

KV_IOF_Virtual::~KV_IOF_Virtual() = default;

void KV_IOF_Virtual::WriteResourceEntry(const ResourceEntry*) {}
void KV_IOF_Virtual::WriteEmbeddedFile(const EmbeddedFile*) {}
void KV_IOF_Virtual::WriteString(const kv_string*) {}
void KV_IOF_Virtual::WriteInt64(const LONGLONG*) {}
void KV_IOF_Virtual::WriteFloat(const float*) {}
void KV_IOF_Virtual::WritePoint(const POINT*) {}
void KV_IOF_Virtual::WriteDword(const DWORD*) {}
void KV_IOF_Virtual::WriteUInt(const UINT*) {}
void KV_IOF_Virtual::WriteChar(const CHAR*) {}
void KV_IOF_Virtual::WriteBool(const bool*) {}
void KV_IOF_Virtual::WriteInt(const INT*) {}

bool KV_IOF_Virtual::Failed() const {
    return source_ != nullptr && source_->Failed();
}

bool KV_IOF_Virtual::CanHold(DWORD count, std::size_t minBytesEach) {
    return source_ == nullptr || source_->CanHold(count, minBytesEach);
}

DWORD KV_IOF_Virtual::ReadCount(std::size_t minBytesEach) {
    DWORD count = 0;
    ReadDword(&count);
    return CanHold(count, minBytesEach) ? count : 0;
}

bool KV_IOF_Virtual::AtString() const {
    static constexpr BYTE kMarker[] = {0xFF, 0xFE, 0xFF};
    return source_ != nullptr && source_->StartsWith(kMarker, sizeof kMarker);
}

void KV_IOF_Virtual::Fail() {
    if (source_ != nullptr) {
        source_->Fail();
    }
}
