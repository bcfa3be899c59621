#include "resources/case_fold.h"

#include <locale.h>
#include <wctype.h>

namespace platform::resources {
namespace {

// The process locale may be "C", which upper-cases ASCII only; Windows
// upper-cases every letter it knows, which C.UTF-8 comes close to.
class UnicodeLocale {
public:
    UnicodeLocale() : locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {}
    ~UnicodeLocale() {
        if (locale_ != nullptr) freelocale(locale_);
    }
    UnicodeLocale(const UnicodeLocale&) = delete;
    UnicodeLocale& operator=(const UnicodeLocale&) = delete;

    wchar_t Upper(wchar_t c) const {
        if (locale_ != nullptr) return static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), locale_));
        return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }

private:
    locale_t locale_;
};

}  // namespace

std::wstring UpperCase(std::wstring_view text) {
    static const UnicodeLocale locale;
    std::wstring upper(text);
    for (wchar_t& c : upper) c = locale.Upper(c);
    return upper;
}

}  // namespace platform::resources
