// The data objects of a .x file, their values flattened in order.
#pragma once

#include <windef.h>

#include <cstddef>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::d3dx9 {

struct XObject {
    struct Child {
        size_t object;          // index into the document, or kReference
        std::string reference;  // the name a reference points to
    };
    static constexpr size_t kReference = ~size_t{0};

    std::string type;
    std::string name;
    std::vector<double> numbers;
    std::vector<std::string> strings;
    std::vector<Child> children;
};

struct XDocument {
    std::vector<XObject> objects;
    std::vector<size_t> top;  // top-level data objects in file order
    std::unordered_map<std::string, size_t> names;  // the first object of each name

    // The object of that name, or kReference when none.
    size_t Find(const std::string& name) const;
};

// Reads a whole .x file (header included). False for anything that is not
// a well-formed file.
bool ReadXDocument(std::span<const BYTE> file, XDocument& document);

}  // namespace platform::d3dx9
