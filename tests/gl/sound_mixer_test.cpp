// sound_mixer_test.cpp: the real SDL2_mixer audio layer, heard through SDL's disk driver,
// which writes everything the device would have played into a file.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/platform.h"

namespace {

struct Capture {
    std::vector<short> samples;  // interleaved, as the device played them
    double peakDb = -200.0;
    double rmsDb = -200.0;
};

// Sets an environment variable for the lifetime of the guard.
struct EnvGuard {
    std::string name;
    std::string old;
    bool had;
    EnvGuard(const char* n, const std::string& value) : name(n) {
        const char* v = std::getenv(n);
        had = v != nullptr;
        if (had) old = v;
        setenv(n, value.c_str(), 1);
    }
    ~EnvGuard() {
        if (had) {
            setenv(name.c_str(), old.c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
};

// Opens the mixer as the game does, runs body, lets the device play for playMs of
// wall time and closes it; returns what the device wrote.
Capture capture(const std::function<void()>& body, int playMs) {
    char name[] = "/tmp/fendwall-audio-XXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    close(fd);
    Capture c;
    {
        EnvGuard driver("SDL_AUDIODRIVER", "disk");
        EnvGuard file("SDL_DISKAUDIOFILE", name);
        // Each 46 ms buffer is written after 10 ms: the capture runs ahead of real time.
        EnvGuard delay("SDL_DISKAUDIODELAY", "10");
        EXPECT_TRUE(platformAudioOpen(22050, 16));
        int freq = 0, channels = 0;
        Uint16 format = 0;
        EXPECT_EQ(Mix_QuerySpec(&freq, &format, &channels), 1);
        EXPECT_EQ(format, AUDIO_S16SYS) << "the capture is read as 16-bit samples";
        body();
        SDL_Delay(static_cast<Uint32>(playMs));
        platformAudioClose();
    }
    std::ifstream in(name, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::remove(name);
    c.samples.resize(bytes.size() / 2);
    std::memcpy(c.samples.data(), bytes.data(), c.samples.size() * 2);
    double peak = 0, sum = 0;
    for (short v : c.samples) {
        peak = std::max(peak, std::fabs(static_cast<double>(v)));
        sum += static_cast<double>(v) * v;
    }
    if (!c.samples.empty() && peak > 0) {
        c.peakDb = 20.0 * std::log10(peak / 32768.0);
        c.rmsDb = 20.0 * std::log10(std::sqrt(sum / static_cast<double>(c.samples.size())) / 32768.0);
    }
    return c;
}

TEST(SoundMixer, TheMusicFileIsRecognisedByContentAndPlaysWithoutClipping) {
    bool loaded = false;
    const Capture c = capture(
        [&] {
            PlatformMusic* music = platformLoadMusic("data/sound/0");
            loaded = music != nullptr;
            platformPlayMusic(music);
        },
        500);
    ASSERT_TRUE(loaded) << "data/sound/0 has no extension; the mixer must sniff the Ogg stream";
    ASSERT_GT(c.samples.size(), 22050u) << "the device ran for at least half a second of audio";
    EXPECT_GT(c.rmsDb, -35.0) << "music is audible";
    EXPECT_LT(c.peakDb, -1.0) << "no clipping after decoding";
}

TEST(SoundMixer, TwoBouncesStartedTogetherOverlapAndAddUp) {
    const auto play = [](int copies) {
        return capture(
            [copies] {
                PlatformSample* bounce = platformLoadSample("data/sound/wand.wav");
                ASSERT_NE(bounce, nullptr);
                for (int i = 0; i < copies; ++i) platformPlaySample(bounce);
            },
            300);
    };
    const Capture once = play(1);
    const Capture twice = play(2);
    ASSERT_GT(once.peakDb, -30.0) << "the single bounce was heard";
    // Two copies on two channels from the same instant double the amplitude (+6 dB);
    // a second play that cut off the first would leave the peak where it was.
    EXPECT_GT(twice.peakDb, once.peakDb + 4.0);
}

TEST(SoundMixer, LoadsNeedAnOpenDeviceAndAFileAndNullHandlesAreSilent) {
    EXPECT_EQ(platformLoadSample("data/sound/wand.wav"), nullptr) << "no device yet";
    EXPECT_EQ(platformLoadMusic("data/sound/0"), nullptr) << "no device yet";
    platformPlaySample(nullptr);
    platformPlayMusic(nullptr);

    PlatformSample* stale = nullptr;
    const Capture c = capture(
        [&] {
            EXPECT_EQ(platformLoadSample("data/sound/no-such.wav"), nullptr);
            EXPECT_EQ(platformLoadMusic("data/sound/no-such"), nullptr);
            platformPlaySample(nullptr);
            platformPlayMusic(nullptr);
            stale = platformLoadSample("data/sound/wand.wav");
        },
        100);
    EXPECT_EQ(c.peakDb, -200.0) << "nothing was played, nothing was heard";
    // A handle kept past close is silent, not a crash.
    ASSERT_NE(stale, nullptr);
    platformPlaySample(stale);
}

}  // namespace
