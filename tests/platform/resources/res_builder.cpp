#include "res_builder.h"

namespace test {
namespace {

void PutWord(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutDword(std::vector<uint8_t>& out, uint32_t value) {
    PutWord(out, static_cast<uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<uint16_t>(value >> 16));
}

void PutId(std::vector<uint8_t>& out, const ResId& id) {
    if (const auto* number = std::get_if<uint16_t>(&id)) {
        PutWord(out, 0xFFFF);
        PutWord(out, *number);
        return;
    }
    for (char16_t unit : std::get<std::u16string>(id)) PutWord(out, unit);
    PutWord(out, 0);
}

void PadTo4(std::vector<uint8_t>& out) {
    while (out.size() % 4 != 0) out.push_back(0);
}

}  // namespace

ResBuilder::ResBuilder() { Add(uint16_t{0}, uint16_t{0}, {}, 0); }

ResBuilder& ResBuilder::Add(const ResId& type, const ResId& name, const std::vector<uint8_t>& data,
                            uint16_t language) {
    std::vector<uint8_t> header;
    PutId(header, type);
    PutId(header, name);
    PadTo4(header);
    PutDword(header, 0);       // DataVersion
    PutWord(header, 0x1030);   // MemoryFlags
    PutWord(header, language);
    PutDword(header, 0);       // Version
    PutDword(header, 0);       // Characteristics
    PutDword(bytes_, static_cast<uint32_t>(data.size()));
    PutDword(bytes_, static_cast<uint32_t>(header.size() + 8));
    bytes_.insert(bytes_.end(), header.begin(), header.end());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    PadTo4(bytes_);
    return *this;
}

ResBuilder& ResBuilder::Append(const std::vector<uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<uint8_t> StringBlock(const std::vector<std::u16string>& strings) {
    std::vector<uint8_t> block;
    for (std::size_t slot = 0; slot < 16; ++slot) {
        const std::u16string text = slot < strings.size() ? strings[slot] : u"";
        PutWord(block, static_cast<uint16_t>(text.size()));
        for (char16_t unit : text) PutWord(block, unit);
    }
    return block;
}

std::vector<uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace test
