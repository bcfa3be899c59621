// make_sounds <file name> <file>: writes one of the project's sounds, as
// WAV or MP3 after its name's ending.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "resources/sounds/encoding.h"
#include "resources/sounds/pieces.h"

namespace {

struct SoundSpec {
    const char* fileName;
    int rate;
    int kbps;  // MP3 only
    sounds::Piece piece;
};

// Low rates: the sounds are stored in the scene document.
constexpr SoundSpec kSounds[] = {
    {"morning_bells.mp3", 22050, 32, sounds::MorningBells},
    {"evening_chords.wav", 8000, 0, sounds::EveningChords},
    {"night_chimes.mp3", 22050, 32, sounds::NightChimes},
    {"wind_chime.wav", 11025, 0, sounds::WindChime},
};

bool EndsWith(const char* text, const char* ending) {
    const std::size_t length = std::strlen(text), endingLength = std::strlen(ending);
    return length >= endingLength && std::strcmp(text + length - endingLength, ending) == 0;
}

sounds::Bytes Encode(const SoundSpec& spec) {
    const std::vector<int16_t> samples = spec.piece(spec.rate);
    if (EndsWith(spec.fileName, ".mp3")) return sounds::Mp3Of(samples, spec.rate, spec.kbps);
    sounds::WaveLayout layout;
    layout.rate = static_cast<uint32_t>(spec.rate);
    return sounds::WaveFile(layout, sounds::Pcm16(samples));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sounds <file name> <file>\n");
        return 2;
    }
    for (const SoundSpec& spec : kSounds) {
        if (std::strcmp(spec.fileName, argv[1]) != 0) continue;
        const sounds::Bytes bytes = Encode(spec);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (bytes.empty() || !out.good()) {
            std::fprintf(stderr, "make_sounds: cannot write %s\n", argv[2]);
            out.close();
            std::remove(argv[2]);
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "make_sounds: no sound named %s\n", argv[1]);
    return 2;
}
