// audio_scripted.h: the test side of the audio seam. Nothing is heard; every
// call is recorded, so tests can see exactly what reached the "device".
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

namespace scriptedAudio {

struct Counts {
    std::int32_t open;
    std::int32_t loadMusic;
    std::int32_t loadSample;
    std::int32_t playMusic;
    std::int32_t playSample;
    std::int32_t total() const { return open + loadMusic + loadSample + playMusic + playSample; }
};

// Forget everything recorded; the next open succeeds. Handles handed out earlier die.
void reset();
// What platformAudioOpen answers from now on.
void setOpenResult(bool ok);

const Counts& counts();
std::int32_t openRate();      // arguments of the last platformAudioOpen
std::int32_t openChannels();

// Every path a load was asked for, in order, found or not.
const std::vector<std::string>& musicPathsAsked();
const std::vector<std::string>& samplePathsAsked();
// Every handle a play was given, in order, null included.
const std::vector<PlatformMusic*>& musicPlayed();
const std::vector<PlatformSample*>& samplesPlayed();

// The path a handle was loaded from; "" for null or a handle not made here.
std::string pathOf(const PlatformMusic* music);
std::string pathOf(const PlatformSample* sample);

}  // namespace scriptedAudio
