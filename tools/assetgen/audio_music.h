// audio_music.h: the game's theme tune, composed and rendered in code.
#pragma once
#include <vector>

namespace audio {

struct StereoTrack {
    std::vector<float> left;
    std::vector<float> right;
};

// Renders the whole theme (intro, A, B, A, ending) at the given sample rate,
// normalised so its peak sits at peakDb dBFS.
StereoTrack renderTheme(int rate, float peakDb);

}  // namespace audio
