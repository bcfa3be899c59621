#include "resources/sounds/pieces.h"

#include "resources/sounds/synth.h"

namespace sounds {
namespace {

// Inharmonic partials that die away quickly: struck metal.
const Voice kBell{0.004, {{1.0, 1.0, 0.9}, {2.76, 0.45, 0.45}, {5.4, 0.25, 0.22}, {8.93, 0.12, 0.12}}};
// Harmonic partials that hold: a soft reed.
const Voice kReed{0.15, {{1.0, 1.0, 4.0}, {2.0, 0.35, 2.0}, {3.0, 0.12, 1.2}}};

constexpr double kPeak = 0.5;

std::vector<Note> Chords(const std::vector<std::vector<int>>& chords, double length) {
    std::vector<Note> notes;
    for (std::size_t i = 0; i < chords.size(); ++i) {
        for (int key : chords[i]) notes.push_back({key, length * static_cast<double>(i), length, 0.6});
    }
    return notes;
}

}  // namespace

std::vector<int16_t> MorningBells(int rate) {
    // Up and down the pentatonic scale, then a held low note.
    std::vector<Note> notes = Melody({72, 76, 79, 84, 81, 79, 76, 79, 74, 79, 81, 86, 84, 81, 79}, 0.0, 0.35, 1.2);
    notes.push_back({72, 5.25, 0.75});
    notes.push_back({60, 5.25, 0.75, 0.5});
    return Play(notes, kBell, rate, 6.0, kPeak);
}

std::vector<int16_t> EveningChords(int rate) {
    return Play(Chords({{57, 60, 64}, {53, 57, 60}, {48, 55, 64}, {55, 59, 62}}, 1.0), kReed, rate, 4.0, kPeak);
}

std::vector<int16_t> NightChimes(int rate) {
    std::vector<Note> notes = Melody({84, 81, 79, 76, 74, 72, 79, 72}, 0.0, 0.7, 1.5);
    for (Note& low : Melody({48, 45, 43, 48}, 0.0, 1.4, 1.4, 0.4)) notes.push_back(low);
    return Play(notes, kBell, rate, 6.0, kPeak);
}

std::vector<int16_t> WindChime(int rate) {
    return Play(Melody({88, 91, 93, 96, 93}, 0.0, 0.12, 1.5, 0.8), kBell, rate, 1.5, kPeak);
}

}  // namespace sounds
