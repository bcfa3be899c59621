#include "scene/document/writer/document_builder.h"

#include "scene/document/record.h"

DocumentBuilder& DocumentBuilder::Header(const kv_string& text) {
    return String(text);
}

DocumentBuilder& DocumentBuilder::Record(const kv_string& className, DWORD version) {
    WriteRecordFrame(archive_, className, version);
    return *this;
}

DocumentBuilder& DocumentBuilder::String(const kv_string& value) {
    archive_.WriteString(&value);
    return *this;
}

DocumentBuilder& DocumentBuilder::Dword(DWORD value) {
    archive_.WriteDword(&value);
    return *this;
}

DocumentBuilder& DocumentBuilder::UInt(UINT value) {
    archive_.WriteUInt(&value);
    return *this;
}

DocumentBuilder& DocumentBuilder::Int(INT value) {
    archive_.WriteInt(&value);
    return *this;
}

DocumentBuilder& DocumentBuilder::Int64(LONGLONG value) {
    archive_.WriteInt64(&value);
    return *this;
}

DocumentBuilder& DocumentBuilder::Float(float value) {
    archive_.WriteFloat(&value);
    return *this;
}

DocumentBuilder& DocumentBuilder::Bool(bool value) {
    archive_.WriteBool(&value);
    return *this;
}

std::vector<BYTE> MinimalSceneDocument() {
    return DocumentBuilder()
        .Header()
        .Record(L"KV_SlideShow_Light", 1)
        .Dword(0)  // slides
        .Dword(0)  // playlist items
        .Record(L"KV_DocResManager", 3)
        .Dword(0)  // pictures
        .Dword(0)  // frame durations
        .Dword(0)  // other files
        .Dword(0)  // generated pictures
        .Bytes();
}
