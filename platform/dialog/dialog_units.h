// Dialog units: a quarter of the font's average character width across,
// an eighth of its height down.
#pragma once

#include <windef.h>

namespace platform::dialog {

inline LONG MulDivRounded(LONG value, LONG numerator, LONG denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

inline RECT ScaleDialogRect(const RECT& units, int baseX, int baseY) {
    return RECT{MulDivRounded(units.left, baseX, 4), MulDivRounded(units.top, baseY, 8),
                MulDivRounded(units.right, baseX, 4), MulDivRounded(units.bottom, baseY, 8)};
}

}  // namespace platform::dialog
