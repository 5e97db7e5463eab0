// main_loop_test.cpp: window messages into input, frame pacing, a window that fails.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "app/frame_step.h"
#include "platform/scripted/platform_scripted.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "support/harness.h"

namespace {

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override { harness::resetGame(); }
};

TEST_F(MainLoopTest, FramePacingFigures) {
    // A frame whose clock reads start at 0 and jump straight to its length.
    const std::pair<u32, float> cases[] = {{30, 33.0f}, {31, 32.0f}, {32, 31.0f}, {40, 25.0f}, {1000, 1.0f}, {1001, 0.0f}};
    for (const auto& [frameLength, fps] : cases) {
        const u32 length = frameLength;  // clang 14 cannot capture a structured binding
        scripted::reset();
        scripted::setTickSource([length](u32 read) { return read == 0 ? 0u : length; });
        stepFrame();
        EXPECT_EQ(gFrameClock.framesPerSecond, fps) << length << " ms";
    }
    // 10 ms before the 32-bit clock wraps, the wait must still end after 30 ms.
    scripted::reset();
    scripted::setTicks(0xFFFFFFF6u);
    stepFrame();
    EXPECT_EQ(gFrameClock.startTicks, 0xFFFFFFF6u);
    EXPECT_EQ(scripted::ticks() - 0xFFFFFFF6u, 32u) << "start, one read, 27 ms asleep, two reads, elapsed";
    EXPECT_EQ(gFrameClock.framesPerSecond, 32.0f);
    EXPECT_EQ(scripted::sleptMs(), 27u) << "asleep for all but the last 2 ms: no core kept busy";
}

TEST_F(MainLoopTest, OneMessagePerFrameStepClicksLatchForOneFrameMovesMergeKeysStayDown) {
    harness::leftClick(100, 200);
    harness::leftClick(110, 210);
    harness::rightClick(5, 6);
    stepFrame();  // takes the first press
    EXPECT_EQ(gInput.leftPressed, 1);
    EXPECT_EQ(gInput.leftClicked, 0);
    EXPECT_EQ(scripted::pendingEvents(), 2u);
    // Latched as the second press comes; that one's own click as the right press comes; then its.
    const int clicks[][3] = {{1, 0, 110}, {1, 0, 5}, {0, 1, 5}, {0, 0, 5}};
    for (const auto& c : clicks) {
        stepFrame();
        EXPECT_EQ(gInput.leftClicked, c[0]);
        EXPECT_EQ(gInput.rightClicked, c[1]);
        EXPECT_EQ(gInput.mouseX, c[2]);
    }

    for (int xy : {1, 2, 300}) harness::moveMouse(xy, xy + 100);
    harness::keyDown(VK_ESCAPE);
    stepFrame();
    EXPECT_EQ(gInput.mouseX, 300) << "moves merge into the newest";
    EXPECT_EQ(gInput.mouseY, 400);
    for (int i = 0; i < 3; ++i) stepFrame();
    EXPECT_EQ(gInput.keys[VK_ESCAPE], 1);
    harness::keyUp(VK_ESCAPE);
    stepFrame();
    EXPECT_EQ(gInput.keys[VK_ESCAPE], 0);

    scripted::pushEvent({PlatformEventType::Resize, 0, 640, 0});
    stepFrame();
    EXPECT_EQ(gRender.viewportHeight, 1) << "a zero height would divide by zero";
}

TEST_F(MainLoopTest, FailedWindowShowsItsMessageReleasesAndEndsWithTwo) {
    // The texts as they always stood, typo included.
    const struct Case {
        WindowOpenResult result;  // Ok stands for no video at all
        const char* text;
        const char* caption;
    } cases[] = {
        {WindowOpenResult::Ok, "Konnte die Fensterklasse nicht registrieren.", "ERROR"},
        {WindowOpenResult::WindowFailed, "Fenster konnte nicht erstellt werden.", "ERROR"},
        {WindowOpenResult::PixelFormatFailed, "Konnte kein passendes Pixelformat finden.", "ERROR"},
        {WindowOpenResult::ContextFailed, "Konnte keinen Rendering Context bekommen.", "Fehler"},
        {WindowOpenResult::MakeCurrentFailed, "Konnte den Rendering Context nmicht aktivieren.", "Fehler"},
    };
    for (const Case& c : cases) {
        harness::resetGame();
        if (c.result == WindowOpenResult::Ok) scripted::failVideoInit(true);
        else scripted::failWindowOpen(c.result);
        EXPECT_EQ(runGame({}), 2) << c.text;
        ASSERT_EQ(scripted::boxes().size(), 1u) << c.text;
        EXPECT_EQ(scripted::boxes()[0].text, c.text);
        EXPECT_EQ(scripted::boxes()[0].caption, c.caption);
        EXPECT_EQ(scripted::boxes()[0].flags, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_FALSE(scripted::windowOpen()) << c.text;
        EXPECT_EQ(gWindow.videoUp, 0) << c.text << ": released before the box shows";
    }
}

}  // namespace
