// sound_test.cpp: the SoundSystem over the scripted audio layer: what reaches the device,
// with and without one, and with files missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/platform_audio_scripted.h"
#include "media/sound.h"
#include "support/harness.h"

namespace {

const char* const MUSIC = "data/sound/0";
const char* const BOUNCE = "data/sound/wand.wav";
const char* const EXPLOSION = "data/sound/bombe_explodiert.wav";

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        scriptedAudio::reset();
        gSound = SoundSystem{};
    }
    void TearDown() override {
        gSound = SoundSystem{};
        scriptedAudio::reset();
    }
    static bool startSound() {
        gSound.enabled = 1;
        return gSound.init();
    }
};

TEST_F(SoundTest, WithoutADeviceSoundSwitchesOffAndNothingMoreReachesThePlatform) {
    scriptedAudio::setOpenResult(false);
    EXPECT_FALSE(startSound());
    EXPECT_EQ(gSound.enabled, 0);
    EXPECT_EQ(scriptedAudio::counts().open, 1);

    // Everything the game does afterwards, including a second start-up attempt.
    gSound.openStream(MUSIC, 0);
    gSound.loadSample(BOUNCE, 0);
    gSound.playStream(0);
    gSound.playSample(0);
    gSound.playSample(1);
    EXPECT_FALSE(gSound.init());

    EXPECT_EQ(scriptedAudio::counts().total(), 1);
    EXPECT_EQ(gSound.streams[0], nullptr);
    EXPECT_EQ(gSound.samples[0], nullptr);
}

TEST_F(SoundTest, OnlyEnabledOneActs) {
    for (u8 flag : {u8{0}, u8{2}, u8{255}}) {
        scriptedAudio::reset();
        gSound = SoundSystem{};
        gSound.enabled = flag;
        EXPECT_FALSE(gSound.init()) << int(flag);
        gSound.loadSample(BOUNCE, 0);
        gSound.playSample(0);
        EXPECT_EQ(scriptedAudio::counts().total(), 0) << int(flag);
        EXPECT_EQ(gSound.enabled, flag) << "init must not touch a flag it does not act on";
    }
}

TEST_F(SoundTest, StartUpOpensTheMixerAndFillsTheThreeSlots) {
    ASSERT_TRUE(std::filesystem::exists(MUSIC)) << "tests run from the repository root";
    EXPECT_TRUE(startSound());
    EXPECT_EQ(gSound.enabled, 1);
    EXPECT_EQ(scriptedAudio::openRate(), 22050);
    EXPECT_EQ(scriptedAudio::openChannels(), 16);

    EXPECT_EQ(scriptedAudio::musicPathsAsked(), std::vector<std::string>{MUSIC});
    EXPECT_EQ(scriptedAudio::samplePathsAsked(), (std::vector<std::string>{BOUNCE, EXPLOSION}));
    EXPECT_EQ(scriptedAudio::pathOf(gSound.streams[0]), MUSIC);
    EXPECT_EQ(scriptedAudio::pathOf(gSound.samples[0]), BOUNCE);
    EXPECT_EQ(scriptedAudio::pathOf(gSound.samples[1]), EXPLOSION);
    for (int i = 1; i < SOUND_SLOTS; ++i) EXPECT_EQ(gSound.streams[i], nullptr) << i;
    for (int i = 2; i < SOUND_SLOTS; ++i) EXPECT_EQ(gSound.samples[i], nullptr) << i;
    // Loading is not playing: the music waits for playStream.
    EXPECT_EQ(scriptedAudio::counts().playMusic, 0);
}

TEST_F(SoundTest, PlaysReachThePlatformWithTheSlotsHandleEveryTime) {
    ASSERT_TRUE(startSound());
    gSound.playStream(0);
    ASSERT_EQ(scriptedAudio::musicPlayed().size(), 1u);
    EXPECT_EQ(scriptedAudio::musicPlayed()[0], gSound.streams[0]);

    // Two bounces in one step and a destroyed wall: each is a play of its own, so the
    // two bounces overlap on two channels.
    gSound.playSample(0);
    gSound.playSample(0);
    gSound.playSample(1);
    const std::vector<PlatformSample*> expected{gSound.samples[0], gSound.samples[0], gSound.samples[1]};
    EXPECT_EQ(scriptedAudio::samplesPlayed(), expected);
}

TEST_F(SoundTest, EmptyAndOutOfRangeSlotsAreSilent) {
    ASSERT_TRUE(startSound());
    const scriptedAudio::Counts before = scriptedAudio::counts();

    gSound.playStream(1);
    gSound.playStream(255);
    gSound.playSample(2);
    gSound.playSample(255);
    gSound.playStream(-1);
    gSound.playStream(256);
    gSound.playSample(-1);
    gSound.playSample(256);
    gSound.openStream(MUSIC, 256);
    gSound.loadSample(BOUNCE, -1);
    gSound.loadSample(BOUNCE, 1 << 20);

    EXPECT_EQ(scriptedAudio::counts().total(), before.total());
    // The valid slots are untouched by the rejected ones.
    EXPECT_EQ(scriptedAudio::pathOf(gSound.samples[0]), BOUNCE);
    EXPECT_EQ(scriptedAudio::pathOf(gSound.streams[0]), MUSIC);
}

TEST_F(SoundTest, AFailedLoadEmptiesTheSlotItWasMeantFor) {
    ASSERT_TRUE(startSound());
    ASSERT_NE(gSound.samples[0], nullptr);
    gSound.loadSample("data/sound/no-such-file.wav", 0);
    EXPECT_EQ(gSound.samples[0], nullptr);
    gSound.playSample(0);
    EXPECT_EQ(scriptedAudio::counts().playSample, 0);
}

TEST_F(SoundTest, WithoutTheMusicFileBothSamplesStillLoadAndPlay) {
    harness::TempDir dir;
    std::filesystem::create_directories(dir.path + "/data/sound");
    std::filesystem::copy_file(BOUNCE, dir.path + "/" + BOUNCE);
    std::filesystem::copy_file(EXPLOSION, dir.path + "/" + EXPLOSION);
    {
        harness::WorkingDir inside(dir.path);
        EXPECT_TRUE(startSound());
        EXPECT_EQ(scriptedAudio::musicPathsAsked(), std::vector<std::string>{MUSIC});
        EXPECT_EQ(gSound.streams[0], nullptr);
        gSound.playStream(0);
        gSound.playSample(0);
        gSound.playSample(1);
    }
    EXPECT_EQ(scriptedAudio::counts().playMusic, 0);
    ASSERT_EQ(scriptedAudio::samplesPlayed().size(), 2u);
    EXPECT_EQ(scriptedAudio::pathOf(scriptedAudio::samplesPlayed()[0]), BOUNCE);
    EXPECT_EQ(scriptedAudio::pathOf(scriptedAudio::samplesPlayed()[1]), EXPLOSION);
}

}  // namespace
