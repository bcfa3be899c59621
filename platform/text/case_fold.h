// Case folding that does not depend on the C locale: lstrcmpiW and every
// case-insensitive name comparison of the layer fold with it.
#pragma once

namespace platform {

// The simple lower-case mapping of ASCII, Latin-1, Latin Extended-A, basic
// Greek and basic Cyrillic; every other character is its own fold.
wchar_t FoldCase(wchar_t c);

}  // namespace platform
