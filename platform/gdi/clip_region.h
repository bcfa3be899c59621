// A device context's clip region: disjoint rectangles, so that excluding a
// box leaves the frame around it.
#pragma once

#include <vector>

#include <windef.h>

namespace platform::gdi {

class ClipRegion {
public:
    explicit ClipRegion(const RECT& bounds);

    void Exclude(const RECT& rect);
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;
    // The parts of rect inside the region.
    std::vector<RECT> Intersect(const RECT& rect) const;

private:
    std::vector<RECT> pieces_;
};

bool IsEmpty(const RECT& rect);
RECT Intersection(const RECT& a, const RECT& b);

}  // namespace platform::gdi
