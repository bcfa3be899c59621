// Builds .res images entry by entry, for files that the resource
// compiler would never write (other contents, damage).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace test {

using ResId = std::variant<uint16_t, std::u16string>;

class ResBuilder {
public:
    ResBuilder();  // the opening empty entry
    ResBuilder& Add(const ResId& type, const ResId& name, const std::vector<uint8_t>& data,
                    uint16_t language = 0x0409);
    // Raw bytes, for damage the entry format cannot express.
    ResBuilder& Append(const std::vector<uint8_t>& bytes);
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// An RT_STRING block: 16 counted strings, the missing ones empty.
std::vector<uint8_t> StringBlock(const std::vector<std::u16string>& strings);

std::vector<uint8_t> BytesOf(const std::string& text);

}  // namespace test
