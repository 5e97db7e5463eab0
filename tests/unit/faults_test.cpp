// faults_test.cpp: the whole program against damaged data, no audio device, a window closed
// and Escape held at awkward moments. Each data file in turn is missing, empty, cut in half
// or random bytes in a private copy of data/; the game must still play a game to its end,
// roll the credits and return 1, showing only the messages the damage calls for.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <random>
#include <string>

#include "app/main_loop.h"
#include "app/frame_step.h"
#include "platform/scripted/audio_scripted.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "game/game.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

namespace fs = std::filesystem;

const char* const DATA_FILES[] = {
    "fend.dat", "over.dat", "texturen/weiss.bmp", "texturen/grund2.bmp", "texturen/wand_blau_gruen.bmp",
    "texturen/grund4.bmp", "texturen/ball_low.bmp", "texturen/hori.bmp", "texturen/vert.bmp", "texturen/menu.bmp",
    "texturen/menu_new.bmp", "texturen/menu_resume.bmp", "texturen/menu_exit.bmp", "texturen/streifen.tga",
    "texturen/streifen2.tga", "texturen/logo.tga", "sound/0", "sound/wand.wav", "sound/bombe_explodiert.wav",
};
enum class Damage { Missing, Empty, Truncated, RandomBytes };
const char* const DAMAGE_NAMES[] = {"Missing", "Empty", "Truncated", "RandomBytes"};
void PrintTo(Damage damage, std::ostream* os) { *os << DAMAGE_NAMES[static_cast<int>(damage)]; }
constexpr int FIELD_BORDER = 116;  // solid cells of a cleared field

// A player deciding once a frame, through real input: New Game, walls in the ball's way until
// the lives are gone (or Escape), Exit, a click through the credits; a hang hits frameLimit.
struct Script {
    bool playToGameOver = true;
    u32 frameLimit = 20000;
    std::function<void(Script&)> extra;  // the test's own doings, first in every frame
    bool wantExit = false;               // the next menu is left through Exit
    bool releaseEscape = false;          // Escape is down: let it go in the menu
    u32 frame = 0, playFrames = 0, quietUntil = 0;
    bool hitLimit = false, sawGameOver = false;
    int titleSolid = -1, gameOverSolid = -1;  // solid cells behind the first and the last menu
    Script() { harness::resetGame(); }

    void push(PlatformEventType type, i32 x = 0, i32 y = 0, u32 pause = 4) {
        const bool key = type == PlatformEventType::KeyDown || type == PlatformEventType::KeyUp;
        scripted::pushEvent({type, key ? VK_ESCAPE : 0, x, y});
        quietUntil = frame + pause;
    }

    void onFrame() {
        ++frame;
        if (titleSolid < 0) titleSolid = gGame.playfield.countSolidCells();
        if (extra) extra(*this);
        if (frame > frameLimit) {
            if (!hitLimit) harness::closeWindow();
            hitLimit = true;
            return;
        }
        // Input during a level change is dropped: wait for it to end.
        if (frame < quietUntil || scripted::pendingEvents() != 0 || gGame.session.levelChanging || gGame.session.gameOver) return;
        if (gGame.session.exiting) {
            push(PlatformEventType::LeftDown, 10, 10, 8);
        } else if (gGame.session.state == GameState::Menu) {
            if (playFrames > 0 && !wantExit) {  // the game is over
                sawGameOver = wantExit = true;
                gameOverSolid = gGame.playfield.countSolidCells();
            }
            if (releaseEscape) push(PlatformEventType::KeyUp);
            else push(PlatformEventType::LeftDown, 320, wantExit ? 315 : 180, 8);
            releaseEscape = false;
        } else if (++playFrames == 1) {
            push(PlatformEventType::RightDown);  // vertical walls
        } else if (!playToGameOver && playFrames > 150 && !wantExit) {
            push(PlatformEventType::KeyDown);
            wantExit = releaseEscape = true;
        } else if (playToGameOver && gGame.playfield.building == 0 && gGame.balls.count > 0) {
            // A vertical wall two columns ahead of the first ball: still growing when it arrives.
            const Ball& b = gGame.balls.balls[0];
            const i32 x = std::clamp(static_cast<i32>(b.x) + (b.vx > 0 ? 2 : -2), 1, 28), y = static_cast<i32>(b.y);
            if (y < 1 || y > 28 || gGame.playfield.solidAt(x, y) != 0) return;
            push(PlatformEventType::LeftDown, harness::pixelX(x), harness::pixelY(y));
        }
    }

    int run() {
        scripted::setSwapHook([this] { onFrame(); });
        const int status = runGame({});
        scripted::setSwapHook(nullptr);
        EXPECT_FALSE(hitLimit) << "the game did not come to its end in " << frameLimit << " frames";
        return status;
    }
};

class DamagedDataTest : public ::testing::TestWithParam<std::tuple<int, Damage>> {};

TEST_P(DamagedDataTest, GameStartsPlaysAndEndsWithTheExpectedMessages) {
    const auto [fileIndex, damage] = GetParam();
    const std::string name = DATA_FILES[fileIndex];
    ScratchDir copy;
    fs::copy(fs::current_path() / "data", copy.path / "data", fs::copy_options::recursive);
    const fs::path path = copy.path / "data" / name;
    const auto size = fs::file_size(path);
    if (damage == Damage::Missing) fs::remove(path);
    if (damage == Damage::Empty || damage == Damage::Truncated) fs::resize_file(path, damage == Damage::Empty ? 0 : size / 2);
    if (damage == Damage::RandomBytes) {
        std::mt19937 rng(1000u + static_cast<unsigned>(fileIndex));
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    harness::WorkingDir inCopy(copy.path);

    Script script;
    EXPECT_EQ(script.run(), 1);
    EXPECT_TRUE(script.sawGameOver);
    EXPECT_EQ(gGame.session.exiting, 1) << "the credits ran";
    EXPECT_FALSE(scripted::windowOpen());

    const auto& boxes = scripted::boxes();
    if (!name.ends_with(".bmp") || damage == Damage::Missing) {
        // Missing pictures, pictures the TGA reader refuses, patterns and sounds: all silent.
        EXPECT_TRUE(boxes.empty()) << "first box: " << boxes.front().text;
    } else {
        ASSERT_EQ(boxes.size(), 1u) << "one message for the one broken picture";
        EXPECT_EQ(boxes[0].caption, "Error");
        EXPECT_EQ(boxes[0].flags, MB_OK);
        // Empty or cut: no header at all, or a header without its pixels.
        const std::string& text = boxes[0].text;
        EXPECT_TRUE(text == "Image file conversion error." ||
                    (damage == Damage::RandomBytes && (text == "Unknown DIB file format." || text == "Out of memory.")))
            << text;
    }
    // A pattern with nothing to read leaves the field as it was: cleared behind the title,
    // and cleared by the game over's level change behind the last menu.
    const bool nothingToRead = damage == Damage::Missing || damage == Damage::Empty;
    for (const auto& [pattern, solid] : {std::pair{"fend.dat", script.titleSolid}, std::pair{"over.dat", script.gameOverSolid}}) {
        if (name != pattern) {
            EXPECT_GT(solid, FIELD_BORDER) << pattern << " is on the field";
        } else if (nothingToRead) {
            EXPECT_EQ(solid, FIELD_BORDER) << "without " << pattern << " the cleared field stays";
        }
    }
    EXPECT_TRUE(name != "sound/0" || damage != Damage::Missing || scriptedAudio::counts().playMusic == 0) << "no music, no play";
}

INSTANTIATE_TEST_SUITE_P(EachFile, DamagedDataTest,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(DATA_FILES))),
                                            ::testing::Values(Damage::Missing, Damage::Empty, Damage::Truncated,
                                                              Damage::RandomBytes)),
                         [](const auto& info) {
                             return fs::path(DATA_FILES[std::get<0>(info.param)]).stem().string() + "_" +
                                    DAMAGE_NAMES[static_cast<int>(std::get<1>(info.param))];
                         });

TEST(Faults, WithoutAnAudioDeviceTheGameRunsSilently) {
    Script script;
    scriptedAudio::setOpenResult(false);
    EXPECT_EQ(script.run(), 1);
    EXPECT_TRUE(script.sawGameOver);
    EXPECT_TRUE(scripted::boxes().empty());
    EXPECT_EQ(scriptedAudio::counts().total(), 1) << "nothing reaches the device after the failed open";
}

// Fills cells away from the balls up to the level's threshold: the next pass completes it.
void completeLevelNow() {
    for (int x = 1; x < 29; ++x) {
        for (int y = 1; y < 29 && gGame.playfield.countSolidCells() < 810 - 3 * gGame.session.level; ++y) {
            bool nearBall = gGame.playfield.cells[x][y].marked != 0;
            for (int i = 0; i < gGame.balls.count; ++i) {
                nearBall = nearBall || (std::abs(int(gGame.balls.balls[i].x) - x) <= 2 && std::abs(int(gGame.balls.balls[i].y) - y) <= 2);
            }
            if (!nearBall) gGame.playfield.cells[x][y].solid = 1;
        }
    }
}

struct CloseCase {
    const char* name;
    bool (*inTransition)();  // told by what the frame shows
    u32 closeAtFrame;        // frame of the transition in which the window is closed
    u32 framesLeft;          // frame steps from the transition's first to the program's last
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }
bool newGameApproach() { return gGame.session.state == GameState::Menu && gGame.session.cameraZ > -30.0f && !gGame.session.exiting; }
bool newGameReturn() {
    return gGame.session.state == GameState::Playing && !gGame.session.levelChanging && !gGame.session.exiting && gGame.session.cameraZ > -30.0f;
}
bool levelChange() { return gGame.session.levelChanging && !gGame.session.gameOver; }
bool gameOver() { return gGame.session.gameOver; }
bool credits() { return gGame.session.exiting; }

// Approach and return (30 frames each) run to their end, then the pass's own frame step.
const CloseCase CLOSE_CASES[] = {
    {"NewGameApproach", newGameApproach, 3, 60}, {"NewGameReturn", newGameReturn, 3, 30},
    {"LevelChangeApproach", levelChange, 3, 60}, {"LevelChangeReturn", levelChange, 33, 60},
    {"GameOverApproach", gameOver, 3, 60},       {"GameOverReturn", gameOver, 33, 60},
    {"Credits", credits, 3, 5},
};

class CloseDuringTransitionTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseDuringTransitionTest, ProgramEndsWithOneAndNoFurtherStateLogic) {
    const CloseCase c = GetParam();
    Script script;
    script.playToGameOver = c.inTransition != credits;  // the credits through Escape and Exit
    u32 firstFrame = 0, transitionFrames = 0, quitFrame = 0;
    script.extra = [&](Script& s) {
        if (c.inTransition == levelChange && s.playFrames == 20 && gGame.session.level == 1 && gGame.session.state == GameState::Playing) {
            completeLevelNow();
        }
        if (c.inTransition()) {
            if (firstFrame == 0) firstFrame = scripted::swaps();
            if (++transitionFrames == c.closeAtFrame) harness::closeWindow();
        }
        if (gInput.quitRequested == 1 && quitFrame == 0) quitFrame = scripted::swaps();
    };
    EXPECT_EQ(script.run(), 1);
    ASSERT_NE(firstFrame, 0u) << "the transition never came";
    EXPECT_GT(quitFrame, firstFrame) << "the quit arrived during the transition";
    EXPECT_EQ(scripted::swaps(), firstFrame + c.framesLeft) << "frames after the transition began";
    EXPECT_EQ(gGame.session.exiting, c.inTransition == credits) << "the credits ran only when closed in them";
}

INSTANTIATE_TEST_SUITE_P(EachTransition, CloseDuringTransitionTest, ::testing::ValuesIn(CLOSE_CASES),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST(Faults, EscapeHeldFromStartUpThroughTheMenuAndIntoTheGame) {
    Script script;
    harness::keyDown(VK_ESCAPE);
    script.playToGameOver = false;
    int menuFramesWithEscape = 0;
    bool reopenedWithResume = false;
    script.extra = [&](Script& s) {
        if (reopenedWithResume || gGame.session.state != GameState::Menu) return;
        if (gUi.menu.resumeAllowed == 1) {  // the first playing pass with the key down went back
            reopenedWithResume = s.wantExit = true;
            harness::keyUp(VK_ESCAPE);
        } else if (s.playFrames == 0) {
            ++menuFramesWithEscape;  // in the first menu Escape does nothing
        }
    };
    EXPECT_EQ(script.run(), 1);
    EXPECT_GT(menuFramesWithEscape, 3);
    EXPECT_TRUE(reopenedWithResume);
    EXPECT_EQ(gGame.session.level, 1);
}

TEST(Faults, EscapeHeldThroughALevelChange) {
    Script script;
    script.playToGameOver = false;
    script.frameLimit = 5000;
    u32 changeFrames = 0;
    bool escapeDown = false, menuAfterChange = false;
    script.extra = [&](Script& s) {
        if (s.playFrames == 20 && !escapeDown && gGame.session.state == GameState::Playing) {
            completeLevelNow();
            harness::keyDown(VK_ESCAPE);
            escapeDown = s.wantExit = s.releaseEscape = true;
        }
        changeFrames += gGame.session.levelChanging;
        if (escapeDown && gGame.session.state == GameState::Menu && !menuAfterChange) {
            menuAfterChange = true;
            EXPECT_EQ(gGame.session.level, 2) << "the level change ran to its end first";
            EXPECT_EQ(gGame.session.cameraZ, -30.0f);
            EXPECT_EQ(gUi.menu.resumeAllowed, 1);
        }
    };
    EXPECT_EQ(script.run(), 1);
    EXPECT_EQ(changeFrames, 60u) << "approach and return, Escape or not";
    EXPECT_TRUE(menuAfterChange);
}

// Game over and Escape in one pass once opened two menus, one of them for good.
TEST(Faults, EscapeHeldWhenTheLastLifeGoesOpensOneMenu) {
    Script script;
    bool escapeDown = false;
    int windowsAfterGameOver = -1;
    u8 resumeAfterGameOver = 0;
    script.extra = [&](Script&) {
        if (gGame.session.state == GameState::Playing && gGame.session.lives == 1 && gGame.playfield.building == 1 && !escapeDown) {
            harness::keyDown(VK_ESCAPE);
            escapeDown = true;
        }
        const bool inMenu = gGame.session.state == GameState::Menu && !gGame.session.gameOver && !gGame.session.levelChanging;
        if (escapeDown && windowsAfterGameOver < 0 && inMenu) {
            windowsAfterGameOver = harness::openWindows();
            resumeAfterGameOver = gUi.menu.resumeAllowed;
            harness::keyUp(VK_ESCAPE);
        }
    };
    EXPECT_EQ(script.run(), 1);
    ASSERT_TRUE(escapeDown);
    EXPECT_EQ(windowsAfterGameOver, 1);
    EXPECT_EQ(resumeAfterGameOver, 0) << "after a game over there is nothing to resume";
}

}  // namespace
