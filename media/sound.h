// sound.h: music and sound effects. Stream 0 is the music, sample 0 the ball's bounce,
// sample 1 the destroyed wall. With no audio device every call does nothing.
#pragma once
#include "platform/platform.h"
#include "core/types.h"

constexpr i32 SOUND_SLOTS = 256;

struct SoundSystem {
    bool enabled = false;  // the device is open and every operation acts; otherwise silent
    PlatformMusic* streams[SOUND_SLOTS] = {};
    PlatformSample* samples[SOUND_SLOTS] = {};
    // The player's volumes, 0 to 100, and the mute over both.
    i32 musicVolume = 100;
    i32 effectsVolume = 100;
    bool muted = false;

    bool init();  // false when no audio device could be opened (enabled is then false)
    void openStream(const char* fileName, i32 slot);
    void loadSample(const char* fileName, i32 slot);
    void playStream(i32 slot);  // once, from the start
    void playSample(i32 slot);  // overlaps any copies already playing
    void setVolumes(i32 music, i32 effects, bool mute);
    void toggleMute();
    void pause(bool hold);  // play paused: the music and the effects hold where they are
};

extern SoundSystem gSound;
