// The sample scene's sounds: three short pieces for its music and a wind
// chime for one of its slides.
#pragma once

#include <cstdint>
#include <vector>

namespace sounds {

using Piece = std::vector<int16_t> (*)(int rate);

std::vector<int16_t> MorningBells(int rate);
std::vector<int16_t> EveningChords(int rate);
std::vector<int16_t> NightChimes(int rate);
std::vector<int16_t> WindChime(int rate);

}  // namespace sounds
