// The sample scene's sounds, as the build makes them into one folder: the
// music of its playlist and the wind chime that one slide rings.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "sample_slides.h"

struct SampleTrack {
    const wchar_t* title;
    const char* fileName;
};

// The playlist, in play order.
inline constexpr SampleTrack kSampleTracks[] = {
    {L"Morning bells", "morning_bells.mp3"},
    {L"Evening chords", "evening_chords.wav"},
    {L"Night chimes", "night_chimes.mp3"},
};
inline constexpr char kWindChimeFile[] = "wind_chime.wav";

struct SampleSounds {
    std::vector<std::vector<BYTE>> tracks;  // as kSampleTracks
    std::vector<BYTE> windChime;
};

// Empty bytes for a file that cannot be read.
SampleSounds ReadSampleSounds(const std::string& folder);
// The show's playlist, every track stored in the document.
void AddSamplePlaylist(SampleScene& scene);
