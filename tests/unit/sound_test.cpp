// sound_test.cpp: what reaches the (scripted) audio device: plays, bad slots, no device.
#include <gtest/gtest.h>

#include <vector>

#include "platform/scripted/audio_scripted.h"
#include "media/sound.h"

namespace {

TEST(Sound, OnlyValidSlotsAndAWorkingDeviceReachThePlatform) {
    scriptedAudio::reset();
    gSound = SoundSystem{};
    gSound.enabled = 1;
    ASSERT_TRUE(gSound.init()) << "run from the repository root";
    EXPECT_EQ(scriptedAudio::openChannels(), 16) << "room for bounces that overlap";
    gSound.playSample(0);
    gSound.playSample(0);
    EXPECT_EQ(scriptedAudio::samplesPlayed(), (std::vector<PlatformSample*>{gSound.samples[0], gSound.samples[0]}))
        << "each a play of its own";
    const int before = scriptedAudio::counts().total();
    for (int slot : {1, 255, -1, 256}) gSound.playStream(slot);
    for (int slot : {2, 255, -1, 256}) gSound.playSample(slot);
    gSound.openStream("data/sound/0", 256);
    gSound.loadSample("data/sound/wand.wav", -1);
    gSound.loadSample("data/sound/wand.wav", 1 << 20);
    EXPECT_EQ(scriptedAudio::counts().total(), before);
    gSound.loadSample("data/sound/no-such-file.wav", 0);
    gSound.playSample(0);
    EXPECT_EQ(scriptedAudio::counts().playSample, 2) << "a failed load empties the slot it was meant for";

    scriptedAudio::reset();  // no device: nothing after the open, a second start-up neither
    scriptedAudio::setOpenResult(false);
    gSound = SoundSystem{};
    gSound.enabled = 1;
    EXPECT_FALSE(gSound.init());
    EXPECT_FALSE(gSound.init());
    gSound.playSample(0);
    EXPECT_EQ(scriptedAudio::counts().total(), 1);
    gSound = SoundSystem{};
    scriptedAudio::reset();
}

}  // namespace
