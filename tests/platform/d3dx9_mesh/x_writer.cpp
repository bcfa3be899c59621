#include "platform/d3dx9_mesh/x_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace mesh_test {
namespace {

class Body {
public:
    Body(bool binary, bool doubles) : binary_(binary), doubles_(doubles) {}

    void Object(const XNode& node) {
        if (binary_) {
            Name(node.type);
            if (!node.name.empty()) Name(node.name);
            Word(10);
        } else {
            Text(node.type + " " + node.name + " {\n");
        }
        for (const XItem& item : node.items) Item(item);
        if (binary_) Word(11);
        else Text("}\n");
    }
    std::vector<BYTE> bytes;

private:
    void Item(const XItem& item) {
        if (const auto* ints = std::get_if<XInts>(&item)) {
            if (binary_) {
                Word(6);
                Dword(DWORD(ints->values.size()));
                for (DWORD v : ints->values) Dword(v);
            } else {
                for (DWORD v : ints->values) Text(std::to_string(v) + ";");
                Text("\n");
            }
        } else if (const auto* floats = std::get_if<XFloats>(&item)) {
            if (binary_) {
                Word(7);
                Dword(DWORD(floats->values.size()));
                for (double v : floats->values) Float(v);
            } else {
                char text[40];
                for (double v : floats->values) {
                    std::snprintf(text, sizeof text, "%.17g;", v);
                    Text(text);
                }
                Text("\n");
            }
        } else if (const auto* text = std::get_if<std::string>(&item)) {
            if (binary_) {
                Word(2);
                Dword(DWORD(text->size()));
                Text(*text);
                Word(20);
            } else {
                Text("\"" + *text + "\";\n");
            }
        } else if (const auto* node = std::get_if<XNode>(&item)) {
            Object(*node);
        } else {
            const auto& reference = std::get<XReference>(item);
            if (binary_) {
                Word(10);
                Name(reference.name);
                Word(11);
            } else {
                Text("{ " + reference.name + " }\n");
            }
        }
    }
    void Text(const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }
    void Word(WORD v) {
        bytes.push_back(BYTE(v));
        bytes.push_back(BYTE(v >> 8));
    }
    void Dword(DWORD v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(BYTE(v >> (8 * i)));
    }
    void Float(double v) {
        BYTE raw[8];
        if (doubles_) {
            std::memcpy(raw, &v, 8);
        } else {
            const float f = float(v);
            std::memcpy(raw, &f, 4);
        }
        bytes.insert(bytes.end(), raw, raw + (doubles_ ? 8 : 4));
    }
    void Name(const std::string& name) {
        Word(1);
        Dword(DWORD(name.size()));
        Text(name);
    }

    bool binary_;
    bool doubles_;
};

// MSZIP: blocks of up to 32 KiB, each a whole deflate stream whose window
// starts with the blocks before it.
std::vector<BYTE> Compress(const std::vector<BYTE>& body) {
    std::vector<BYTE> out;
    const DWORD stated = DWORD(body.size() + 16);
    for (int i = 0; i < 4; ++i) out.push_back(BYTE(stated >> (8 * i)));
    for (size_t at = 0; at < body.size(); at += 32768) {
        const size_t size = std::min<size_t>(32768, body.size() - at);
        z_stream stream{};
        if (deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2");
        const size_t history = std::min<size_t>(at, 32768);
        if (history) deflateSetDictionary(&stream, body.data() + at - history, uInt(history));
        std::vector<BYTE> packed(deflateBound(&stream, uLong(size)) + 16);
        stream.next_in = const_cast<Bytef*>(body.data() + at);
        stream.avail_in = uInt(size);
        stream.next_out = packed.data();
        stream.avail_out = uInt(packed.size());
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
        packed.resize(stream.total_out);
        deflateEnd(&stream);
        const WORD packedSize = WORD(packed.size() + 2);
        out.push_back(BYTE(size));
        out.push_back(BYTE(size >> 8));
        out.push_back(BYTE(packedSize));
        out.push_back(BYTE(packedSize >> 8));
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

}  // namespace

std::vector<BYTE> WriteX(const std::vector<XNode>& objects, XEncoding encoding, bool doubles) {
    const bool binary = encoding == XEncoding::Binary || encoding == XEncoding::CompressedBinary;
    const bool compressed = encoding == XEncoding::CompressedText || encoding == XEncoding::CompressedBinary;
    static const char* const kFormats[] = {"txt ", "bin ", "tzip", "bzip"};
    std::string header = std::string("xof 0303") + kFormats[int(encoding)] + (doubles ? "0064" : "0032");
    Body body(binary, doubles);
    if (!binary) body.bytes = {'\n'};
    for (const XNode& object : objects) body.Object(object);
    std::vector<BYTE> file(header.begin(), header.end());
    const std::vector<BYTE> rest = compressed ? Compress(body.bytes) : body.bytes;
    file.insert(file.end(), rest.begin(), rest.end());
    return file;
}

}  // namespace mesh_test
