// sound.cpp: the SoundSystem: fixed slot tables of music streams and samples over the
// platform's audio calls.
#include "media/sound.h"

#include "core/data_path.h"

SoundSystem gSound;

namespace {

constexpr i32 MIX_RATE = 22050;
constexpr i32 MIX_CHANNELS = 16;

bool validSlot(i32 slot) { return slot >= 0 && slot < SOUND_SLOTS; }

}  // namespace

bool SoundSystem::init() {
    if (!enabled) return false;
    if (!platformAudioOpen(MIX_RATE, MIX_CHANNELS)) {
        enabled = false;
        return false;
    }
    setVolumes(musicVolume, effectsVolume, muted);
    openStream(dataPath("data/sound/0").c_str(), 0);
    loadSample(dataPath("data/sound/wand.wav").c_str(), 0);
    loadSample(dataPath("data/sound/bombe_explodiert.wav").c_str(), 1);
    return true;
}

// A file that cannot be loaded leaves its slot null, which later plays as silence.
void SoundSystem::openStream(const char* fileName, i32 slot) {
    if (!enabled || !validSlot(slot)) return;
    streams[slot] = platformLoadMusic(fileName);
}

void SoundSystem::loadSample(const char* fileName, i32 slot) {
    if (!enabled || !validSlot(slot)) return;
    samples[slot] = platformLoadSample(fileName);
}

// An empty slot never reaches the platform: it has no audible or other effect.
void SoundSystem::playStream(i32 slot) {
    if (!enabled || !validSlot(slot) || !streams[slot]) return;
    platformPlayMusic(streams[slot]);
}

void SoundSystem::playSample(i32 slot) {
    if (!enabled || !validSlot(slot) || !samples[slot]) return;
    platformPlaySample(samples[slot]);
}

void SoundSystem::setVolumes(i32 music, i32 effects, bool mute) {
    musicVolume = music;
    effectsVolume = effects;
    muted = mute;
    if (enabled) platformSetVolumes(muted ? 0 : musicVolume, muted ? 0 : effectsVolume);
}

void SoundSystem::toggleMute() { setVolumes(musicVolume, effectsVolume, !muted); }

void SoundSystem::pause(bool hold) {
    if (enabled) platformPauseAudio(hold);
}
