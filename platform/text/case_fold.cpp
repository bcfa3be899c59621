#include "text/case_fold.h"

#include <locale.h>
#include <wctype.h>

namespace platform {
namespace {

// The program's locale may be "C", which maps ASCII only; C.UTF-8 maps every
// letter Unicode gives a simple upper case.
class UnicodeLocale {
public:
    UnicodeLocale() : locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {}
    ~UnicodeLocale() {
        if (locale_ != locale_t{}) freelocale(locale_);
    }
    UnicodeLocale(const UnicodeLocale&) = delete;
    UnicodeLocale& operator=(const UnicodeLocale&) = delete;

    wchar_t Upper(wchar_t c) const {
        if (locale_ != locale_t{}) return static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), locale_));
        return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }

private:
    locale_t locale_;
};

}  // namespace

wchar_t UpperCaseChar(wchar_t c) {
    static const UnicodeLocale locale;
    return locale.Upper(c);
}

std::wstring UpperCase(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) c = UpperCaseChar(c);
    return upper;
}

}  // namespace platform
