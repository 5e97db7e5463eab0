// audio_scripted.cpp: records audio calls instead of making sound. Like the real layer,
// loads need an open device and a file that exists; a play of null is recorded as such.
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
    bool openResult = true, open = false;
    int calls = 0, channels = 0;
    std::vector<std::string> played;
    std::string volumes;
    bool paused = false;
    std::deque<PlatformMusic> musics;  // deque: handles keep their address
    std::deque<PlatformSample> samples;
};

State& state() {
    static State s;
    return s;
}

template <typename Handle>
Handle* load(std::deque<Handle>& pool, const char* path) {
    ++state().calls;
    std::FILE* f = state().open && path ? std::fopen(path, "rb") : nullptr;
    if (!f) return nullptr;
    std::fclose(f);
    return &pool.emplace_back(Handle{path});
}

template <typename Handle>
void play(const char* kind, const Handle* handle) {
    ++state().calls;
    state().played.push_back(std::string(kind) + ":" + (handle ? handle->path : ""));
}

}  // namespace

namespace scriptedAudio {
void reset() { state() = State{}; }
void setOpenResult(bool ok) { state().openResult = ok; }
int calls() { return state().calls; }
int openChannels() { return state().channels; }
const std::vector<std::string>& played() { return state().played; }
std::string volumes() { return state().volumes; }
bool paused() { return state().paused; }
}  // namespace scriptedAudio

bool platformAudioOpen(std::int32_t, std::int32_t channels) {
    State& s = state();
    ++s.calls;
    s.channels = channels;
    return s.open = s.openResult;
}
PlatformMusic* platformLoadMusic(const char* path) { return load(state().musics, path); }
PlatformSample* platformLoadSample(const char* path) { return load(state().samples, path); }
void platformPlayMusic(PlatformMusic* music) { play("music", music); }
void platformPlaySample(PlatformSample* sample) { play("sample", sample); }
void platformSetVolumes(std::int32_t music, std::int32_t effects) {
    ++state().calls;
    state().volumes = std::to_string(music) + "/" + std::to_string(effects);
}
void platformPauseAudio(bool paused) {
    ++state().calls;
    state().paused = paused;
}
