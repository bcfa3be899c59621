// Writes .x files for the tests: one tree of data objects in any of the
// encodings and float sizes.
#pragma once

#include <windef.h>

#include <string>
#include <variant>
#include <vector>

namespace mesh_test {

struct XNode;
struct XReference {
    std::string name;
};
struct XFloats {
    std::vector<double> values;
};
struct XInts {
    std::vector<DWORD> values;
};
using XItem = std::variant<XInts, XFloats, std::string, XNode, XReference>;

struct XNode {
    std::string type;
    std::string name;
    std::vector<XItem> items;
};

enum class XEncoding { Text, Binary, CompressedText, CompressedBinary };

std::vector<BYTE> WriteX(const std::vector<XNode>& objects, XEncoding encoding, bool doubles);

}  // namespace mesh_test
