// platform_sdl_test.cpp: the real SDL side where the scripted one cannot stand in: the frame
// wait sleeps on the clock the game's milliseconds are read from, so the first read after it
// shows the deadline, never a millisecond before; and the mixer is handed only files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/platform.h"
#include "support/globals.h"

namespace {

TEST(PlatformClock, TheWaitEndsOnItsDeadlineNeverBeforeAndAPassedOneReturnsAtOnce) {
    for (std::uint32_t ahead : {1u, 3u, 7u, 30u}) {
        const std::uint32_t deadline = platformTicks() + ahead;
        platformSleepUntil(deadline);
        const std::uint32_t now = platformTicks();
        EXPECT_LE(static_cast<std::int32_t>(deadline - now), 0) << ahead << " ms: woke " << deadline - now << " ms early";
        EXPECT_LT(now - deadline, 1000u) << ahead << " ms: overslept";
    }
    const std::uint32_t before = platformTicks();
    platformSleepUntil(before - 5);  // passed: a deadline is never 49 days ahead
    EXPECT_LT(platformTicks() - before, 1000u);
}

// A FIFO in a sound's place, with no writer, would hold the mixer's open for ever.
TEST(PlatformAudio, AFifoInASoundsPlaceIsNoSoundAndNeverWaitedOn) {
    ASSERT_TRUE(platformAudioOpen(22050, 8)) << "the dummy driver opens";
    ScratchDir dir;
    const std::string fifo = (dir.path / "bounce.wav").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(platformLoadSample(fifo.c_str()), nullptr);
    EXPECT_EQ(platformLoadMusic(fifo.c_str()), nullptr);
    EXPECT_NE(platformLoadSample("data/sound/wand.wav"), nullptr) << "a file still loads";
}

}  // namespace
