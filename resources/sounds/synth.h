// Tones played from a list of notes, the way the project makes its music.
#pragma once

#include <cstdint>
#include <vector>

namespace sounds {

// A note: its key (60 is middle C, 69 the A at 440 Hz), when it starts and
// how long it may ring, in seconds, and its loudness against the others.
struct Note {
    int key;
    double start;
    double length;
    double level = 1.0;
};

// One partial of a voice: its frequency over the note's, its loudness and
// the seconds in which it decays to a third (1/e).
struct Partial {
    double ratio;
    double level;
    double decay;
};

// How every note of a piece sounds: its attack in seconds, then its
// partials each fading at its own pace.
struct Voice {
    double attack;
    std::vector<Partial> partials;
};

// The notes mixed over the piece's length, its loudest sample at `peak`
// (of full scale), every note and the piece's end faded out so that
// nothing clicks. Partials above half the rate are left out.
std::vector<int16_t> Play(const std::vector<Note>& notes, const Voice& voice, int rate, double seconds, double peak);

// Keys played one after another, `step` seconds apart, each ringing for
// `ring` seconds.
std::vector<Note> Melody(const std::vector<int>& keys, double start, double step, double ring, double level = 1.0);

}  // namespace sounds
