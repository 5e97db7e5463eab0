// audio_sdl.cpp: the audio half of the SDL platform, on SDL2_mixer.
// Handles come from small fixed pools and live as long as the process: the device stays
// open until the program ends, and the system releases it then.
#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>
#include <sys/stat.h>

#include "platform/platform.h"

struct PlatformMusic {
    Mix_Music* music;  // null: free pool entry
};

struct PlatformSample {
    Mix_Chunk* chunk;
};

namespace {

constexpr std::int32_t MUSIC_POOL = 8;
constexpr std::int32_t SAMPLE_POOL = 64;
// 1024 frames at 22050 Hz is about 46 ms: short enough that a bounce sounds with its
// frame, long enough not to crackle when drawing on a software renderer competes for the CPU.
constexpr int CHUNK_FRAMES = 1024;

bool gAudioOpen = false;
PlatformMusic gMusicPool[MUSIC_POOL];
PlatformSample gSamplePool[SAMPLE_POOL];

// The mixer opens a sound with a plain fopen, which waits for ever on a FIFO with no writer:
// anything but a file in a sound's place is no sound.
bool regularFile(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

// ALSA, which SDL tries when no sound server answers, prints eight lines about a missing card
// on every start of a machine without sound; the game says it once, its own way.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

std::int32_t mixerVolume(std::int32_t percent) {
    const std::int32_t p = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    return (p * MIX_MAX_VOLUME + 50) / 100;
}

}  // namespace

bool platformAudioOpen(std::int32_t rate, std::int32_t channels) {
    if (gAudioOpen) return true;
    // Quiet only while the device is looked for: once one is open, what ALSA says matters.
    snd_lib_error_set_handler(quietAlsa);
    // Ogg support may live in a plugin; without it the music simply fails to load.
    const bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
                        (Mix_Init(MIX_INIT_OGG), Mix_OpenAudio(rate, MIX_DEFAULT_FORMAT, 2, CHUNK_FRAMES) == 0);
    snd_lib_error_set_handler(nullptr);
    if (!opened) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(channels);
    gAudioOpen = true;
    return true;
}

PlatformMusic* platformLoadMusic(const char* path) {
    if (!gAudioOpen || !path || !regularFile(path)) return nullptr;
    for (PlatformMusic& slot : gMusicPool) {
        if (slot.music) continue;
        // Mix_LoadMUS recognises the format by content, so a name without extension works.
        slot.music = Mix_LoadMUS(path);
        return slot.music ? &slot : nullptr;
    }
    return nullptr;
}

PlatformSample* platformLoadSample(const char* path) {
    if (!gAudioOpen || !path || !regularFile(path)) return nullptr;
    for (PlatformSample& slot : gSamplePool) {
        if (slot.chunk) continue;
        slot.chunk = Mix_LoadWAV(path);
        return slot.chunk ? &slot : nullptr;
    }
    return nullptr;
}

void platformPlayMusic(PlatformMusic* music) {
    if (!gAudioOpen || !music || !music->music) return;
    Mix_PlayMusic(music->music, 0);  // 0 extra loops: once through
}

void platformPlaySample(PlatformSample* sample) {
    if (!gAudioOpen || !sample || !sample->chunk) return;
    // -1 when every channel is busy: that bounce is simply not heard.
    Mix_PlayChannel(-1, sample->chunk, 0);
}

void platformSetVolumes(std::int32_t music, std::int32_t effects) {
    if (!gAudioOpen) return;
    Mix_VolumeMusic(mixerVolume(music));
    Mix_Volume(-1, mixerVolume(effects));
}

void platformPauseAudio(bool paused) {
    if (!gAudioOpen) return;
    if (paused) {
        Mix_PauseMusic();
        Mix_Pause(-1);
    } else {
        Mix_ResumeMusic();
        Mix_Resume(-1);
    }
}
