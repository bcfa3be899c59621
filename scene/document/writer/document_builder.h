// Builds scene documents for tests and tools on top of the writing archive:
// the header, record frames and values in the order a reader takes them.
#pragma once

#include <vector>

#include "scene/document/writer/kv_iof_w.h"

class DocumentBuilder {
public:
    static constexpr const wchar_t* kShippedHeader = L"QVT v 4.0.0";

    DocumentBuilder& Header(const kv_string& text = kShippedHeader);
    DocumentBuilder& Record(const kv_string& className, DWORD version);

    DocumentBuilder& String(const kv_string& value);
    DocumentBuilder& Dword(DWORD value);
    DocumentBuilder& UInt(UINT value);
    DocumentBuilder& Int(INT value);
    DocumentBuilder& Int64(LONGLONG value);
    DocumentBuilder& Float(float value);
    DocumentBuilder& Bool(bool value);

    // For values the shortcuts above do not cover.
    KV_IOF_W& Archive() { return archive_; }
    std::vector<BYTE> Bytes() const { return archive_.Bytes(); }

private:
    KV_IOF_W archive_;
};

// The smallest complete document: a header, an empty slide show and an
// empty resource manager, each at the version the engine writes.
std::vector<BYTE> MinimalSceneDocument();
