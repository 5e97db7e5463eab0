// audio_scripted.cpp: records audio calls instead of making sound. Like the real
// layer, loads need an open device and a file that exists; plays of null are accepted
// (and recorded) so a test can see whether the game passed one.
#include "platform/scripted/audio_scripted.h"

#include <cstdio>
#include <deque>

struct PlatformMusic {
    std::string path;
};

struct PlatformSample {
    std::string path;
};

namespace {

struct State {
    bool openResult = true;
    bool open = false;
    scriptedAudio::Counts counts{};
    std::int32_t rate = 0;
    std::int32_t channels = 0;
    std::vector<std::string> musicAsked;
    std::vector<std::string> sampleAsked;
    std::vector<PlatformMusic*> musicPlayed;
    std::vector<PlatformSample*> samplesPlayed;
    // deque: handles must keep their address while more are loaded.
    std::deque<PlatformMusic> musics;
    std::deque<PlatformSample> samples;
};

State& state() {
    static State s;
    return s;
}

bool fileExists(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace

namespace scriptedAudio {

void reset() { state() = State{}; }
void setOpenResult(bool ok) { state().openResult = ok; }
const Counts& counts() { return state().counts; }
std::int32_t openRate() { return state().rate; }
std::int32_t openChannels() { return state().channels; }
const std::vector<std::string>& musicPathsAsked() { return state().musicAsked; }
const std::vector<std::string>& samplePathsAsked() { return state().sampleAsked; }
const std::vector<PlatformMusic*>& musicPlayed() { return state().musicPlayed; }
const std::vector<PlatformSample*>& samplesPlayed() { return state().samplesPlayed; }

std::string pathOf(const PlatformMusic* music) {
    for (const PlatformMusic& m : state().musics) {
        if (&m == music) return m.path;
    }
    return "";
}

std::string pathOf(const PlatformSample* sample) {
    for (const PlatformSample& s : state().samples) {
        if (&s == sample) return s.path;
    }
    return "";
}

}  // namespace scriptedAudio

bool platformAudioOpen(std::int32_t rate, std::int32_t channels) {
    State& s = state();
    ++s.counts.open;
    s.rate = rate;
    s.channels = channels;
    s.open = s.openResult;
    return s.open;
}

PlatformMusic* platformLoadMusic(const char* path) {
    State& s = state();
    ++s.counts.loadMusic;
    s.musicAsked.push_back(path ? path : "");
    if (!s.open || !path || !fileExists(path)) return nullptr;
    s.musics.push_back(PlatformMusic{path});
    return &s.musics.back();
}

PlatformSample* platformLoadSample(const char* path) {
    State& s = state();
    ++s.counts.loadSample;
    s.sampleAsked.push_back(path ? path : "");
    if (!s.open || !path || !fileExists(path)) return nullptr;
    s.samples.push_back(PlatformSample{path});
    return &s.samples.back();
}

void platformPlayMusic(PlatformMusic* music) {
    ++state().counts.playMusic;
    state().musicPlayed.push_back(music);
}

void platformPlaySample(PlatformSample* sample) {
    ++state().counts.playSample;
    state().samplesPlayed.push_back(sample);
}
