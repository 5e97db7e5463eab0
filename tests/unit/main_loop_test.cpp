// main_loop_test.cpp: options, start-up, window messages into input, pacing, a window not made.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "app/window.h"
#include "core/version.h"
#include "game/game.h"
#include "media/sound.h"
#include "media/textures.h"
#include "platform/scripted/audio_scripted.h"
#include "render/frame.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override { harness::resetGame(); }
};

TEST(CommandLine, AllIsReadThenVersionAndHelpEndATypoAnywhereEndsWithTwoAndAHintTheLastWindowChoicePlays) {
    const ScratchDir dir;
    const std::string record = "--record=" + (dir.path / "game.fwrec").string();
    const std::pair<std::vector<const char*>, int> cases[] = {{{"--window", "--fullscreen"}, 1}, {{"--fullscreen", "--window"}, 1}, {{"--version"}, 0},
                                                              {{"--help"}, 0}, {{"-h"}, 2}, {{"--fullscreen", "--fulscreen"}, 2}, {{"--fullscreen", "--version"}, 0},
                                                              {{"--version", "--bogus"}, 2}, {{"--help", "--replay"}, 2}, {{record.c_str(), "--fullscreen"}, 1},
                                                              {{"--replay"}, 2}, {{record.c_str(), "--replay", "tests/golden/two-levels.fwrec"}, 2}};
    for (auto [args, status] : cases) {
        harness::resetGame();
        scripted::setSwapHook([] { gInput.quitRequested = true; });  // a game that starts ends at once
        args.insert(args.begin(), "fendwall");
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(runProgram(int(args.size()), args.data()), status) << args.back();
        const std::string out = testing::internal::GetCapturedStdout(), err = testing::internal::GetCapturedStderr();
        EXPECT_TRUE((scripted::swaps() > 0) == (status == 1) && scripted::fullscreen() == (status == 1 && args.back()[2] == 'f')) << args.back();
        EXPECT_TRUE(status != 0 || out.find(args.back()[2] == 'v' ? "fendwall " FENDWALL_VERSION "\n" : "Usage") == 0) << out;
        const std::string hint = "'\nUsage: fendwall [--fullscreen | --window] [--record FILE | --replay FILE | --timedemo FILE] [--help] "
                                 "[--version]\nTry 'fendwall --help' for more information.\n";
        EXPECT_TRUE(status != 2 || (err.rfind("fendwall: ", 0) == 0 && err.size() > hint.size() && err.substr(err.size() - hint.size()) == hint)) << err;
        EXPECT_TRUE(std::string(args.back()) != "-h" || err.rfind("fendwall: unknown option '-h", 0) == 0) << err;
    }
}

// The installed command names the data folder and leaves the working folder the player's:
// from any folder, every picture, sound and pattern is found there.
TEST_F(MainLoopTest, TheDataFolderFendwallDataNamesIsReadFromAnyWorkingFolder) {
    const ScratchDir elsewhere;
    const std::filesystem::path back = std::filesystem::current_path(), data = back / "data";
    std::filesystem::current_path(elsewhere.path);
    setenv("FENDWALL_DATA", data.c_str(), 1);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(startUp());
    const std::string err = testing::internal::GetCapturedStderr();
    unsetenv("FENDWALL_DATA");
    std::filesystem::current_path(back);
    EXPECT_EQ(err, "") << "nothing missing";
    EXPECT_EQ(scriptedAudio::played(), std::vector<std::string>{"music:" + data.string() + "/sound/0"});
    EXPECT_TRUE(gTextures.logo.width != 0 && gTextures.cache.ids[0] != 0);
}

TEST_F(MainLoopTest, StartUpShowsTheTitlePatternABallTheMenuAndPlaysTheMusic) {
    ASSERT_TRUE(startUp());
    Playfield title;
    title.clear();
    title.loadPattern("data/fend.dat");
    for (int i = 0; i < FIELD_SIZE * FIELD_SIZE; ++i) ASSERT_EQ(gGame.playfield.cells[i / 30][i % 30].solid, title.cells[i / 30][i % 30].solid) << i;
    EXPECT_TRUE(gGame.session.level == 1 && gGame.session.lives == 3 && gGame.session.score == 0);
    EXPECT_TRUE(harness::openWindows() == 1 && !gUi.menu.resumeAllowed);
    EXPECT_FALSE(scripted::cursorShown()) << "the game draws its own cursor";
    EXPECT_EQ(scripted::windowIcon().size(), 64u * 64 * 4) << "the window's icon";
    EXPECT_EQ(scriptedAudio::played(), std::vector<std::string>{"music:data/sound/0"});
    EXPECT_GE(scriptedAudio::openChannels(), 8) << "room for bounces that overlap";
    for (int slot : {-1, 256}) gSound.playStream(slot), gSound.playSample(slot);
    EXPECT_EQ(scriptedAudio::played().size(), 1u) << "slots outside the tables play nothing";
    ASSERT_EQ(gGame.balls.count, 1);
    const Ball before = gGame.balls.balls[0];
    harness::runPasses(3);
    EXPECT_TRUE(before.x != gGame.balls.balls[0].x && before.y != gGame.balls.balls[0].y) << "the title ball flies";
    EXPECT_TRUE(gInput.showMenuCursor) << "the menu's cursor mark";

    harness::resetGame();  // without an audio device the game runs silently; without data/ it says once where it looked
    scriptedAudio::setOpenResult(false);
    ScratchDir elsewhere;
    elsewhere.enter();
    testing::internal::CaptureStderr();
    harness::startPlaying();
    harness::runPasses(100);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(gGame.session.state == GameState::Playing && scriptedAudio::calls() == 1);
    EXPECT_TRUE(said.starts_with("fendwall: no data/ folder in " + elsewhere.path.string() + ", ") && said.find("no data/", 11) == said.npos &&
                said.find("the installed fendwall command\n") != said.npos) << said;
}

TEST_F(MainLoopTest, FramesLastThirtyMillisecondsAndTheFigureIsInWholeFrames) {
    // The first picture is shown as soon as it is drawn, and the next a period after it.
    std::vector<u32> shown;
    scripted::setSwapHook([&shown] { shown.push_back(platformTicks()); });
    stepFrame();
    const u32 began = gFrameClock.startTicks;
    stepFrame();
    stepFrame();
    EXPECT_TRUE(shown[0] - began < 5u && shown[1] - shown[0] >= 30u && shown[2] - shown[1] == 30u)
        << "began at " << began << ", shown at " << shown[0] << ", " << shown[1] << ", " << shown[2];
    // A clock whose reads start at 0 and jump straight to the frame's length.
    const std::pair<u32, float> cases[] = {{30, 33.0f}, {40, 25.0f}, {1001, 0.0f}};
    for (const auto& [frameLength, fps] : cases) {
        const u32 length = frameLength;  // clang 14 cannot capture a structured binding
        scripted::reset();
        scripted::setTickSource([length](u32 read) { return read == 0 ? 0u : read < 50 ? length : 100000u; });
        stepFrame();
        EXPECT_EQ(gFrameClock.framesPerSecond, fps) << length << " ms";
    }
    // 10 ms before the 32-bit clock wraps, the deadline wraps with it: a whole frame's sleep.
    scripted::reset();
    scripted::setTickSource([](u32 read) { return 0xFFFFFFF6u + read; });
    stepFrame();
    EXPECT_EQ(scripted::sleptMs(), 30u) << "across the wrap";
    scripted::reset();  // on the plain clock a sleep passes time at once
    u32 shownAt = 0;
    scripted::setSwapHook([&shownAt] { shownAt = platformTicks(); });
    stepFrame();
    const u32 start = gFrameClock.startTicks;
    EXPECT_TRUE(scripted::sleptMs() >= 25u && gFrameClock.framesPerSecond == 33.0f)
        << "asleep for the rest of the frame, no core kept busy: " << scripted::sleptMs();
    EXPECT_TRUE(shownAt - start >= 30u && shownAt - start <= 31u) << "the picture is shown on the deadline: " << shownAt - start;
    scripted::setSwapHook([] { platformSleepUntil(platformTicks() + 1); });  // showing it takes a millisecond
    stepFrame();
    EXPECT_TRUE(gFrameClock.startTicks - start == 30u && gFrameClock.framesPerSecond == 33.0f)
        << "the next frame starts on the deadline, not on the late read";
    scripted::setSwapHook([] { platformSleepUntil(platformTicks() + 40); });  // a picture shown very late
    stepFrame();
    const u32 late = gFrameClock.startTicks;
    stepFrame();
    EXPECT_GT(gFrameClock.startTicks - late, 41u) << "after a long frame the schedule begins again from the clock";
}

TEST_F(MainLoopTest, OnAWindowThatKeepsItsPictureOnlyWhatMovedIsDrawnAndShownAgain) {
    harness::startPlaying();
    harness::runPasses(1000, [] { return !gFlow.picture.intro; });
    harness::clearFieldNoBalls();
    harness::placeBall(0, 5.5f, 5.5f, 0.25f, 0.25f);
    scripted::setPartialPictures(true);
    PixelBox ball[4];  // where the ball lies in each of four pictures
    for (PixelBox& box : ball) {
        harness::runPasses(1);
        const Ball& b = gGame.balls.balls[0];
        const double r = BALL_RADIUS, z = BALL_HEIGHT;
        const double low[3] = {b.x - r, b.y - r, z - r}, high[3] = {b.x + r, b.y + r, z + r};
        box = fieldBoxOnWindow(gGame.session, low, high);
    }
    const auto& shown = scripted::presented();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0][2], -1) << "the first picture on such a window is whole";
    for (size_t i = 1; i < 4; ++i) {
        const auto& a = shown[i];
        const PixelBox area{a[0], a[1], a[0] + a[2], a[1] + a[3]};
        EXPECT_TRUE(a[0] >= 0 && a[1] >= 0 && area.x1 <= 640 && area.y1 <= 480 && a[2] * a[3] < 640 * 480 / 40)
            << "the rolling ball's corner of the screen: " << a[0] << " " << a[1] << " " << a[2] << " " << a[3];
        for (const PixelBox& was : {ball[i - 1], ball[i]}) {
            EXPECT_TRUE(area.x0 <= was.x0 && area.y0 <= was.y0 && was.x1 <= area.x1 && was.y1 <= area.y1) << "where the ball was and is: " << i;
        }
    }
    EXPECT_GT(shown[3][0], shown[1][0]) << "following the ball to the right";
    const i32 quiet = shown[3][2] * shown[3][3];
    harness::push(PlatformEventType::MouseMove, harness::pixelX(20), harness::pixelY(20));
    harness::runPasses(2);
    EXPECT_GT(scripted::presented().back()[2] * scripted::presented().back()[3], 4 * quiet) << "the marker's old and new cells too";
    gGame.session.score += 100;
    harness::runPasses(1);
    EXPECT_EQ(scripted::presented().back()[2], -1) << "the score's text changed: the whole picture";
    harness::runPasses(1);
    EXPECT_NE(scripted::presented().back()[2], -1);
    gUi.clicks.push("elsewhere");  // what the menu holds changed
    harness::runPasses(1);
    EXPECT_EQ(scripted::presented().back()[2], -1) << "the menu changed: the whole picture";
    harness::runPasses(1);
    setPaused(true);
    harness::runPasses(1);
    EXPECT_EQ(scripted::presented().back()[2], -1) << "paused: the whole picture darkened";
    harness::runPasses(1);
    EXPECT_EQ(scripted::presented().back()[2] * scripted::presented().back()[3], 0) << "paused: nothing moves";
    setPaused(false);
    harness::runPasses(1);
    gFrameClock.framesPerSecond = 25.0f;  // a frame that ran long
    harness::runPasses(1);
    const ScreenBox rate = frameRateBox();
    const PixelBox text = screenBoxOnWindow(rate.left, rate.top, rate.right, rate.bottom).within(screenOnWindow());
    const auto& fps = scripted::presented().back();
    EXPECT_TRUE(fps[2] != -1 && fps[0] <= text.x0 && fps[1] <= text.y0 && text.x1 <= fps[0] + fps[2] && text.y1 <= fps[1] + fps[3])
        << "the frame rate's new figure, in part: " << fps[0] << " " << fps[1] << " " << fps[2] << " " << fps[3];
    const size_t before = scripted::presented().size();
    harness::leftClick(harness::pixelX(12), harness::pixelY(14));  // a wall grows from cell (12, 14)
    harness::runPasses(4);
    const double low[3] = {12.0, 14.0, 0.0}, high[3] = {13.0, 15.0, 1.0};
    const PixelBox start = fieldBoxOnWindow(gGame.session, low, high);
    PixelBox drawn;
    for (size_t i = before; i < scripted::presented().size(); ++i) {
        const auto& a = scripted::presented()[i];
        EXPECT_NE(a[2], -1) << "a growing wall is drawn in part";
        drawn.add({a[0], a[1], a[0] + a[2], a[1] + a[3]});
    }
    EXPECT_TRUE(harness::markedCells() > 2 && drawn.x0 <= start.x0 && drawn.y0 <= start.y0 && start.x1 <= drawn.x1 && start.y1 <= drawn.y1)
        << "where it began";
    scripted::setPartialPictures(false);
    harness::runPasses(1);
    scripted::setPartialPictures(true);
    harness::runPasses(1);
    EXPECT_EQ(scripted::presented().back()[2], -1) << "a window that did not keep its picture holds none to draw on";
}

TEST_F(MainLoopTest, OneMessagePerFrameStepClicksLatchForOneFrameMovesMergeKeysStayDown) {
    harness::leftClick(100, 200);
    harness::leftClick(110, 210);
    harness::rightClick(5, 6);
    stepFrame();  // takes the first press
    EXPECT_TRUE(gInput.leftPressed && !gInput.leftClicked && scripted::pendingEvents() == 2u);
    // Latched as the second press comes; that one's own click as the right press comes; then its.
    const int clicks[][4] = {{1, 0, 110, 210}, {1, 0, 5, 6}, {0, 1, 5, 6}, {0, 0, 5, 6}};
    for (const auto& c : clicks) {
        stepFrame();
        EXPECT_TRUE(gInput.leftClicked == c[0] && gInput.rightClicked == c[1] && gInput.mouseX == c[2] && gInput.mouseY == c[3]);
    }
    for (int xy : {1, 2, 300}) harness::push(PlatformEventType::MouseMove, xy, xy + 100);
    harness::keyDown(VK_ESCAPE);
    stepFrame();
    EXPECT_TRUE(gInput.mouseX == 300 && gInput.mouseY == 400) << "moves merge into the newest";
    for (int i = 0; i < 3; ++i) stepFrame();
    EXPECT_TRUE(gInput.keys[VK_ESCAPE]);
    harness::keyUp(VK_ESCAPE);
    stepFrame();
    EXPECT_FALSE(gInput.keys[VK_ESCAPE]);
    harness::push(PlatformEventType::Resize, 640, 0);
    stepFrame();
    EXPECT_EQ(gRender.viewportHeight, 1) << "a zero height would divide by zero";
}

// The restored size of a maximised window is kept and remembered, whether the window manager sends
// the maximised size before it says it maximised or after; the next run opens maximised, and F11
// comes back to it maximised. On a display of two pixels a unit, the game draws at the pixels and
// remembers the window in units.
TEST_F(MainLoopTest, AMaximisedWindowKeepsItsRestoredSizeReopensMaximisedAndDrawsAtAScaledDisplaysPixels) {
    const std::string privateHome = std::getenv("XDG_CONFIG_HOME");
    const ScratchDir config;  // kept across the runs, which a reset would empty
    setenv("XDG_CONFIG_HOME", config.path.c_str(), 1);
    using T = PlatformEventType;
    const auto run = [&config](std::initializer_list<PlatformEvent> events) {
        harness::resetGame(), scripted::setPixelsPerUnit(2);
        for (const PlatformEvent& e : events) scripted::pushEvent(e);
        scripted::pushEvent({T::Close, 0, 0, 0});
        EXPECT_EQ(runGame({}), 1);
        return (std::ostringstream() << std::ifstream(config.path / "fendwall" / "settings").rdbuf()).str();
    };
    const PlatformEvent maximise{T::Maximise, 0, 1, 0}, restore{T::Maximise, 0, 0, 0}, f11{T::ToggleFullscreen, 0, 0, 0};
    EXPECT_NE(run({{T::Resize, 0, 1600, 1200}, {T::Resize, 0, 3840, 2100}, maximise, {T::Resize, 0, 3840, 2100}}).find("window 800x600\nmaximised yes\n"),
              std::string::npos) << "the maximised size first";
    EXPECT_NE(run({restore, {T::Resize, 0, 1600, 1200}, {T::Resize, 0, 2000, 1400}, maximise, {T::Resize, 0, 3840, 2100}, f11, restore,
                   {T::Resize, 0, 3840, 2160}, f11}).find("window 1000x700\nmaximised yes\n"), std::string::npos) << "saying it first, and F11 twice";
    EXPECT_TRUE(scripted::maximised() && !scripted::fullscreen()) << "maximised again after full screen";
    harness::resetGame(), scripted::setPixelsPerUnit(2);
    ASSERT_TRUE(startUp({false, 800, 600, true}));
    EXPECT_TRUE(scripted::maximised() && gRender.viewportWidth == 1600 && gRender.viewportHeight == 1200 && gWindow.windowedWidth == 800);
    setenv("XDG_CONFIG_HOME", privateHome.c_str(), 1);
}

TEST_F(MainLoopTest, FailedWindowShowsItsMessageReleasesAndEndsWithTwo) {
    // The texts as they always stood, typo included.
    const std::tuple<WindowOpenResult, std::string, std::string> cases[] = {  // Ok stands for no video at all
        {WindowOpenResult::Ok, "Konnte die Fensterklasse nicht registrieren.", "ERROR"},
        {WindowOpenResult::WindowFailed, "Fenster konnte nicht erstellt werden.", "ERROR"},
        {WindowOpenResult::MakeCurrentFailed, "Konnte den Rendering Context nmicht aktivieren.", "Fehler"}};
    for (const auto& [result, text, caption] : cases) {
        harness::resetGame();
        result == WindowOpenResult::Ok ? scripted::failVideoInit(true) : scripted::failWindowOpen(result);
        EXPECT_EQ(runGame({}), 2) << text;
        ASSERT_EQ(scripted::boxes().size(), 1u) << text;
        EXPECT_TRUE(scripted::boxes()[0].text == text && scripted::boxes()[0].caption == caption) << text;
        EXPECT_TRUE(!scripted::windowOpen() && !gWindow.videoUp) << text << ": released before the box shows";
    }
}

}  // namespace
