#include "d3dx9/xfile/x_document.h"

#include "d3dx9/xfile/x_inflate.h"
#include "d3dx9/xfile/x_tokens.h"

#include <cstring>

namespace platform::d3dx9 {
namespace {

constexpr size_t kHeaderSize = 16;
// Nesting beyond this is refused rather than recursed into.
constexpr int kMaxDepth = 64;

class Parser {
public:
    Parser(XTokenizer& tokens, XDocument& document) : tokens_(tokens), document_(document) {}

    bool File() {
        for (;;) {
            switch (tokens_.Next()) {
                case XToken::End:
                    return true;
                case XToken::Separator:
                    break;
                case XToken::Template:
                    if (!SkipTemplate()) return false;
                    break;
                case XToken::Name: {
                    size_t object = 0;
                    if (!Object(std::string(tokens_.text()), 0, &object)) return false;
                    document_.top.push_back(object);
                    break;
                }
                default:
                    return false;
            }
        }
    }

private:
    bool SkipTemplate() {
        if (tokens_.Next() != XToken::Name || tokens_.Next() != XToken::OpenBrace) return false;
        for (int open = 1; open > 0;) {
            switch (tokens_.Next()) {
                case XToken::OpenBrace:
                    ++open;
                    break;
                case XToken::CloseBrace:
                    --open;
                    break;
                case XToken::End:
                case XToken::Error:
                case XToken::Template:
                    return false;
                default:
                    break;
            }
        }
        return true;
    }

    bool Reference(XObject::Child& child) {
        XToken token = tokens_.Next();
        if (token == XToken::Name) {
            child.reference = tokens_.text();
            token = tokens_.Next();
        }
        if (token == XToken::Guid) token = tokens_.Next();
        return token == XToken::CloseBrace;
    }

    // After the type name: [name] { [guid] members }.
    bool Object(std::string type, int depth, size_t* created) {
        if (depth > kMaxDepth) return false;
        const size_t index = document_.objects.size();
        document_.objects.push_back({});
        document_.objects[index].type = std::move(type);
        XToken token = tokens_.Next();
        if (token == XToken::Name) {
            document_.objects[index].name = tokens_.text();
            document_.names.emplace(document_.objects[index].name, index);
            token = tokens_.Next();
        }
        if (token != XToken::OpenBrace) return false;
        *created = index;
        for (;;) {
            // Children are appended to the document, so the object is
            // found again by index after each one.
            switch (tokens_.Next()) {
                case XToken::CloseBrace:
                    return true;
                case XToken::Separator:
                case XToken::Guid:
                    break;
                case XToken::Number:
                    document_.objects[index].numbers.push_back(tokens_.number());
                    break;
                case XToken::IntegerList:
                case XToken::FloatList: {
                    auto& numbers = document_.objects[index].numbers;
                    const size_t count = tokens_.listCount();
                    numbers.reserve(numbers.size() + count);
                    for (size_t i = 0; i < count; ++i) numbers.push_back(tokens_.ListElement(i));
                    break;
                }
                case XToken::String:
                    document_.objects[index].strings.emplace_back(tokens_.text());
                    break;
                case XToken::Name: {
                    size_t child = 0;
                    if (!Object(std::string(tokens_.text()), depth + 1, &child)) return false;
                    document_.objects[index].children.push_back({child, {}});
                    break;
                }
                case XToken::OpenBrace: {
                    XObject::Child child{XObject::kReference, {}};
                    if (!Reference(child)) return false;
                    if (!child.reference.empty()) document_.objects[index].children.push_back(std::move(child));
                    break;
                }
                default:
                    return false;
            }
        }
    }

    XTokenizer& tokens_;
    XDocument& document_;
};

}  // namespace

size_t XDocument::Find(const std::string& name) const {
    const auto found = names.find(name);
    return found == names.end() ? XObject::kReference : found->second;
}

bool ReadXDocument(std::span<const BYTE> file, XDocument& document) {
    document = {};
    if (file.size() < kHeaderSize || std::memcmp(file.data(), "xof ", 4) != 0) return false;
    const auto field = [&](size_t offset) { return std::string_view(reinterpret_cast<const char*>(file.data() + offset), 4); };
    const std::string_view format = field(8);
    const std::string_view floatSize = field(12);
    if (floatSize != "0032" && floatSize != "0064") return false;
    const bool doubles = floatSize == "0064";
    bool binary = false;
    std::vector<BYTE> inflated;
    std::span<const BYTE> body = file.subspan(kHeaderSize);
    if (format == "txt " || format == "bin ") {
        binary = format == "bin ";
    } else if (format == "tzip" || format == "bzip") {
        binary = format == "bzip";
        if (!InflateMszip(body, inflated)) return false;
        body = inflated;
    } else {
        return false;
    }
    XTokenizer tokens(body, binary, doubles);
    return Parser(tokens, document).File();
}

}  // namespace platform::d3dx9
