// Hand-assembled document bytes for the tests, and a buffer that holds
// exactly those bytes so that any read past their end is caught.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include <windef.h>

#include "scene/document/resource_buffer.h"

using Bytes = std::vector<BYTE>;

// UTF-16LE code units, two bytes each, no terminator.
Bytes Utf16Le(std::u16string_view text);
// Little-endian integers of the given width.
Bytes Le16(WORD value);
Bytes Le32(DWORD value);
Bytes LeInt(INT value);
// IEEE single precision, little-endian.
Bytes LeFloat(float value);
Bytes Join(std::initializer_list<Bytes> parts);
void Append(Bytes& bytes, const Bytes& part);
// The string encoding for lengths below 255: FF FE FF, the length, units.
Bytes ShortString(std::u16string_view text);
// The start of every record: the class name and the version.
Bytes Frame(std::u16string_view className, DWORD version);

// A slide show (version 1) with no slides and no playlist.
Bytes EmptySlideShowRecord();

// The smallest document, assembled by hand: the header, an empty slide
// show, the manager record frame (version 3).
Bytes HandBuiltDocument(std::u16string_view header = u"QVT v 4.0.0");

class HeldBytes {
public:
    explicit HeldBytes(const Bytes& bytes);
    ResourceBuffer Buffer() const { return ResourceBuffer(bytes_.get(), size_); }
    std::size_t Size() const { return size_; }

private:
    std::unique_ptr<BYTE[]> bytes_;
    std::size_t size_;
};
