#include "d3dx9/colour_key.h"

#include <algorithm>

namespace platform::d3dx9 {

void ApplyColourKey(Pixels& pixels, D3DCOLOR key) {
    // Signed pictures have no colours to key.
    auto* image = std::get_if<Image8>(&pixels);
    if (key == 0 || !image) return;
    const BYTE keyed[4] = {BYTE(key), BYTE(key >> 8), BYTE(key >> 16), BYTE(key >> 24)};
    for (size_t i = 0; i < image->samples.size(); i += 4) {
        BYTE* p = image->samples.data() + i;
        if (std::equal(keyed, keyed + 4, p)) std::fill_n(p, 4, BYTE{0});
    }
}

}  // namespace platform::d3dx9
