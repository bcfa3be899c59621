#include "gdi/clip_region.h"

#include <algorithm>

#include <wingdi.h>

namespace platform::gdi {

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RECT Intersection(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

ClipRegion::ClipRegion(const RECT& bounds) {
    if (!IsEmpty(bounds)) pieces_.push_back(bounds);
}

void ClipRegion::Exclude(const RECT& rect) {
    std::vector<RECT> kept;
    for (const RECT& piece : pieces_) {
        const RECT cut = Intersection(piece, rect);
        if (IsEmpty(cut)) {
            kept.push_back(piece);
            continue;
        }
        // The bands above and below the cut, then the parts left and right of it.
        const RECT parts[] = {
            {piece.left, piece.top, piece.right, cut.top},
            {piece.left, cut.bottom, piece.right, piece.bottom},
            {piece.left, cut.top, cut.left, cut.bottom},
            {cut.right, cut.top, piece.right, cut.bottom},
        };
        for (const RECT& part : parts) {
            if (!IsEmpty(part)) kept.push_back(part);
        }
    }
    pieces_ = std::move(kept);
}

int ClipRegion::Kind() const {
    if (pieces_.empty()) return NULLREGION;
    return pieces_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::vector<RECT> ClipRegion::Intersect(const RECT& rect) const {
    std::vector<RECT> parts;
    for (const RECT& piece : pieces_) {
        const RECT part = Intersection(piece, rect);
        if (!IsEmpty(part)) parts.push_back(part);
    }
    return parts;
}

}  // namespace platform::gdi
