// Hand-built document bytes for record fixtures: little-endian values and
// strings in the document's encoding, written independently of the
// archive's writer.
#pragma once

#include <windef.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class FixtureBytes {
public:
    FixtureBytes& U32(uint32_t v) { return Raw(&v, 4); }
    FixtureBytes& I32(int32_t v) { return Raw(&v, 4); }
    FixtureBytes& F32(float v) { return Raw(&v, 4); }
    FixtureBytes& Bool(bool v) { return Byte(v ? 1 : 0); }
    // Marker FF FE FF, a one-byte length (texts here are short), UTF-16LE units.
    FixtureBytes& Str(const std::wstring& text)
    {
        Byte(0xFF).Byte(0xFE).Byte(0xFF).Byte(static_cast<BYTE>(text.size()));
        for (wchar_t c : text) {
            Byte(static_cast<BYTE>(c & 0xFF));
            Byte(static_cast<BYTE>((c >> 8) & 0xFF));
        }
        return *this;
    }
    FixtureBytes& Frame(const std::wstring& className, uint32_t version) { return Str(className).U32(version); }

    const std::vector<BYTE>& Data() const { return m_bytes; }

private:
    FixtureBytes& Byte(BYTE b)
    {
        m_bytes.push_back(b);
        return *this;
    }
    FixtureBytes& Raw(const void* v, std::size_t n)
    {
        const auto* p = static_cast<const BYTE*>(v);
        m_bytes.insert(m_bytes.end(), p, p + n);
        return *this;
    }

    std::vector<BYTE> m_bytes;
};
