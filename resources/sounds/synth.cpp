#include "resources/sounds/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sounds {
namespace {

constexpr double kReleaseSeconds = 0.03;

double KeyHertz(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }

// Rises over the attack, then falls to nothing over the last moments.
double Envelope(double t, double attack, double length) {
    const double rise = attack > 0 ? std::min(1.0, t / attack) : 1.0;
    const double fall = std::clamp((length - t) / kReleaseSeconds, 0.0, 1.0);
    return rise * fall;
}

void AddNote(std::vector<double>& mix, const Note& note, const Voice& voice, int rate) {
    const double hertz = KeyHertz(note.key);
    const auto first = static_cast<std::size_t>(note.start * rate);
    if (first >= mix.size()) return;
    const double length = std::min(note.length, static_cast<double>(mix.size() - first) / rate);
    const auto count = static_cast<std::size_t>(length * rate);
    for (const Partial& partial : voice.partials) {
        const double frequency = hertz * partial.ratio;
        if (frequency >= rate / 2.0) continue;
        const double step = 2.0 * std::numbers::pi * frequency / rate;
        for (std::size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / rate;
            mix[first + i] += note.level * partial.level * std::exp(-t / partial.decay) *
                              Envelope(t, voice.attack, length) * std::sin(step * static_cast<double>(i));
        }
    }
}

}  // namespace

std::vector<int16_t> Play(const std::vector<Note>& notes, const Voice& voice, int rate, double seconds, double peak) {
    std::vector<double> mix(static_cast<std::size_t>(seconds * rate), 0.0);
    for (const Note& note : notes) AddNote(mix, note, voice, rate);
    // The piece's own end.
    for (std::size_t i = 0; i < mix.size(); ++i)
        mix[i] *= Envelope(static_cast<double>(i) / rate, 0.0, seconds);

    double loudest = 0;
    for (double sample : mix) loudest = std::max(loudest, std::abs(sample));
    const double scale = loudest > 0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<int16_t> samples(mix.size());
    std::transform(mix.begin(), mix.end(), samples.begin(),
                   [scale](double sample) { return static_cast<int16_t>(std::lround(sample * scale)); });
    return samples;
}

std::vector<Note> Melody(const std::vector<int>& keys, double start, double step, double ring, double level) {
    std::vector<Note> notes;
    for (std::size_t i = 0; i < keys.size(); ++i)
        notes.push_back({keys[i], start + step * static_cast<double>(i), ring, level});
    return notes;
}

}  // namespace sounds
