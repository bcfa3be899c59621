#include "text/case_fold.h"

namespace platform {
namespace {

bool InRange(wchar_t c, wchar_t first, wchar_t last) { return c >= first && c <= last; }

// Latin Extended-A alternates capital and small letters; which of the two
// comes first changes at U+0139 and U+0179.
wchar_t FoldLatinExtendedA(wchar_t c) {
    if (c == 0x0130) return L'i';  // capital I with dot above
    if (c == 0x0178) return 0x00FF;  // capital Y with diaeresis
    const bool capitalIsEven = InRange(c, 0x0100, 0x0137) || InRange(c, 0x014A, 0x0177);
    const bool capitalIsOdd = InRange(c, 0x0139, 0x0148) || InRange(c, 0x0179, 0x017E);
    if (capitalIsEven && c % 2 == 0) return c + 1;
    if (capitalIsOdd && c % 2 == 1) return c + 1;
    return c;
}

}  // namespace

wchar_t FoldCase(wchar_t c) {
    if (InRange(c, L'A', L'Z')) return c + 0x20;
    if (c < 0x00C0) return c;
    if (InRange(c, 0x00C0, 0x00DE) && c != 0x00D7) return c + 0x20;
    if (InRange(c, 0x0100, 0x017F)) return FoldLatinExtendedA(c);
    if (InRange(c, 0x0391, 0x03A9) && c != 0x03A2) return c + 0x20;  // Greek capitals
    if (InRange(c, 0x0400, 0x040F)) return c + 0x50;  // Cyrillic capitals with marks
    if (InRange(c, 0x0410, 0x042F)) return c + 0x20;  // basic Cyrillic capitals
    return c;
}

}  // namespace platform
