// faults_test.cpp: the whole program against damaged data, a missing audio device and a
// window closed at awkward moments. Each data file in turn is missing, empty, cut in half
// or replaced by random bytes, in a private copy of data/; the game must start, play a
// game to its end, go through the credits and return 1, showing only the messages that
// the damage calls for. There is no GL context here, so textures are not uploaded, but
// every reader runs on its file. The scripted audio layer takes any sound file that
// exists; damaged sound contents meet the real mixer in tests/e2e/test_faults.sh.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/platform_audio_scripted.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "media/sound.h"
#include "support/harness.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

namespace fs = std::filesystem;

const char* const DATA_FILES[] = {
    "data/fend.dat",
    "data/over.dat",
    "data/texturen/weiss.bmp",
    "data/texturen/grund2.bmp",
    "data/texturen/wand_blau_gruen.bmp",
    "data/texturen/grund4.bmp",
    "data/texturen/ball_low.bmp",
    "data/texturen/hori.bmp",
    "data/texturen/vert.bmp",
    "data/texturen/menu.bmp",
    "data/texturen/menu_new.bmp",
    "data/texturen/menu_resume.bmp",
    "data/texturen/menu_exit.bmp",
    "data/texturen/streifen.tga",
    "data/texturen/streifen2.tga",
    "data/texturen/logo.tga",
    "data/sound/0",
    "data/sound/wand.wav",
    "data/sound/bombe_explodiert.wav",
};

enum class Damage { Missing, Empty, Truncated, RandomBytes };
const char* const DAMAGE_NAMES[] = {"Missing", "Empty", "Truncated", "RandomBytes"};
void PrintTo(Damage damage, std::ostream* os) { *os << DAMAGE_NAMES[static_cast<int>(damage)]; }

// Where the menu's buttons are on the 640 x 480 screen.
constexpr i32 MENU_X = 320;
constexpr i32 NEW_GAME_Y = 180;
constexpr i32 EXIT_Y = 315;

// The client pixel whose cursor cell is (x, y): 21 pixels a column, 16 a row from the bottom.
i32 pixelX(i32 cellX) { return cellX * 21 + 10; }
i32 pixelY(i32 cellY) { return 480 - (cellY * 16 + 8); }

// A copy of the repository's data/ in a scratch folder, the working directory while it lives.
struct DataCopy {
    harness::TempDir dir;
    DataCopy() {
        fs::copy(fs::current_path() / "data", fs::path(dir.path) / "data", fs::copy_options::recursive);
    }
    std::string path(const std::string& name) const { return dir.path + "/" + name; }
};

void damageFile(const std::string& path, Damage damage, unsigned seed) {
    const auto size = fs::file_size(path);
    switch (damage) {
        case Damage::Missing:
            fs::remove(path);
            break;
        case Damage::Empty:
            fs::resize_file(path, 0);
            break;
        case Damage::Truncated:
            fs::resize_file(path, size / 2);
            break;
        case Damage::RandomBytes: {
            std::mt19937 rng(seed);
            std::string bytes(size, '\0');
            for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
            std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
            break;
        }
    }
}

// A player that plays a whole program run through real input only, one decision per
// frame from inside the frame step: a new game, walls put in the ball's way until the
// lives are gone (or Escape after a while), then Exit and a click through the credits.
// Past `frameLimit` frames it closes the window, so a hang shows up as a failure.
struct Script {
    bool playToGameOver = true;
    u32 frameLimit = 20000;
    // Called first in every frame: the tests' own doings beside the player's.
    std::function<void(Script&)> extra;

    enum class Phase { StartGame, Play, ToMenu, Exit, Credits } phase = Phase::StartGame;
    u32 frame = 0;
    u32 playFrames = 0;
    u32 quietUntil = 0;
    bool hitLimit = false;
    bool sawGameOver = false;
    bool orientationSet = false;
    int titleSolid = -1;   // solid cells behind the first menu
    int gameOverSolid = -1;  // solid cells behind the menu after the game over

    void push(const PlatformEvent& event, u32 pause = 4) {
        scripted::pushEvent(event);
        quietUntil = frame + pause;
    }

    void onFrame() {
        ++frame;
        if (titleSolid < 0) titleSolid = gPlayfield.countSolidCells();
        if (extra) extra(*this);
        if (frame > frameLimit) {
            if (!hitLimit) harness::closeWindow();
            hitLimit = true;
            return;
        }
        if (frame < quietUntil || scripted::pendingEvents() != 0) return;
        // Input during a level change is dropped: wait for it to end.
        if (gSession.levelChanging == 1 || gSession.gameOver == 1) return;
        switch (phase) {
            case Phase::StartGame:
                if (gSession.state == GameState::Menu) {
                    push({PlatformEventType::LeftDown, 0, MENU_X, NEW_GAME_Y});
                } else {
                    phase = Phase::Play;
                }
                break;
            case Phase::Play:
                if (gSession.state == GameState::Menu) {  // the game is over
                    sawGameOver = true;
                    gameOverSolid = gPlayfield.countSolidCells();
                    phase = Phase::Exit;
                    break;
                }
                ++playFrames;
                if (!playToGameOver && playFrames > 150) {
                    push({PlatformEventType::KeyDown, VK_ESCAPE, 0, 0});
                    phase = Phase::ToMenu;
                    break;
                }
                if (!orientationSet) {
                    push({PlatformEventType::RightDown, 0, 0, 0});
                    orientationSet = true;
                    break;
                }
                if (playToGameOver && gPlayfield.building == 0 && gBalls.count > 0) aimAtBall();
                break;
            case Phase::ToMenu:
                if (gSession.state == GameState::Menu) {
                    push({PlatformEventType::KeyUp, VK_ESCAPE, 0, 0});
                    phase = Phase::Exit;
                }
                break;
            case Phase::Exit:
                if (gSession.exiting == 1) {
                    phase = Phase::Credits;
                } else {
                    push({PlatformEventType::LeftDown, 0, MENU_X, EXIT_Y}, 8);
                }
                break;
            case Phase::Credits:
                push({PlatformEventType::LeftDown, 0, 10, 10}, 8);
                break;
        }
    }

    // A vertical wall two columns ahead of the first ball, in its row: it is still growing
    // when the ball gets there.
    void aimAtBall() {
        const Ball& b = gBalls.balls[0];
        i32 x = static_cast<i32>(b.x) + (b.vx > 0 ? 2 : -2);
        const i32 y = static_cast<i32>(b.y);
        x = x < 1 ? 1 : (x > 28 ? 28 : x);
        if (y < 1 || y > 28 || gPlayfield.solidAt(x, y) != 0) return;
        push({PlatformEventType::LeftDown, 0, pixelX(x), pixelY(y)});
    }
};

// Runs the whole program with the script at the wheel; returns its exit status.
int runScripted(Script& script) {
    scripted::setSwapHook([&script] { script.onFrame(); });
    const int status = runGame();
    scripted::setSwapHook(nullptr);
    return status;
}

class DamagedDataTest : public ::testing::TestWithParam<std::tuple<int, Damage>> {
protected:
    void SetUp() override { harness::resetGame(); }
};

TEST_P(DamagedDataTest, GameStartsPlaysAndEndsWithTheExpectedMessages) {
    const auto [fileIndex, damage] = GetParam();
    const std::string name = DATA_FILES[fileIndex];
    DataCopy data;
    damageFile(data.path(name), damage, 1000u + static_cast<unsigned>(fileIndex));
    harness::WorkingDir inCopy(data.dir.path);

    Script script;
    EXPECT_EQ(runScripted(script), 1);
    RecordProperty("frames", static_cast<int>(script.frame));
    EXPECT_FALSE(script.hitLimit) << "the game did not come to its end in " << script.frameLimit << " frames";
    EXPECT_TRUE(script.sawGameOver);
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(gSession.exiting, 1);
    EXPECT_FALSE(scripted::windowOpen());

    const bool bmp = name.ends_with(".bmp");
    if (!bmp || damage == Damage::Missing) {
        // Missing pictures, pictures the TGA reader refuses, patterns and sounds: all silent.
        EXPECT_TRUE(scripted::boxes().empty()) << "first box: " << scripted::boxes().front().text;
    } else {
        ASSERT_EQ(scripted::boxes().size(), 1u) << "one message for the one broken picture";
        const scripted::Box& box = scripted::boxes().front();
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.flags, MB_OK);
        if (damage == Damage::RandomBytes) {
            const std::set<std::string> allowed = {"Unknown DIB file format.", "Image file conversion error.",
                                                   "Out of memory."};
            EXPECT_TRUE(allowed.count(box.text)) << box.text;
        } else {
            // An empty file has no header; half a file has its header but not its pixels.
            EXPECT_EQ(box.text, "Image file conversion error.");
        }
    }

    // A pattern that is not there leaves the field as it was: the cleared field behind the
    // title, and the field that the game-over's level change cleared behind the last menu.
    const bool nothingToRead = damage == Damage::Missing || damage == Damage::Empty;
    if (name == "data/fend.dat" && nothingToRead) {
        EXPECT_EQ(script.titleSolid, 116);
    }
    if (name == "data/over.dat" && nothingToRead) {
        EXPECT_EQ(script.gameOverSolid, 116);
    }
    if (name != "data/fend.dat") {
        EXPECT_GT(script.titleSolid, 116) << "the title picture is on the field";
    }
    if (name != "data/over.dat") {
        EXPECT_GT(script.gameOverSolid, 116) << "the game-over picture is on the field";
    }

    // A sound file that cannot be loaded never reaches the device.
    if (name.starts_with("data/sound/") && damage == Damage::Missing) {
        for (PlatformSample* played : scriptedAudio::samplesPlayed()) {
            EXPECT_NE(scriptedAudio::pathOf(played), name);
            EXPECT_NE(played, nullptr);
        }
        EXPECT_EQ(scriptedAudio::counts().playMusic, name == "data/sound/0" ? 0 : 1);
    }
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<int, Damage>>& info) {
    std::string file = DATA_FILES[std::get<0>(info.param)];
    file = file.substr(file.find_last_of('/') + 1);
    for (char& c : file) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return file + "_" + DAMAGE_NAMES[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EachFile, DamagedDataTest,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(DATA_FILES))),
                                            ::testing::Values(Damage::Missing, Damage::Empty, Damage::Truncated,
                                                              Damage::RandomBytes)),
                         caseName);

class FaultsTest : public ::testing::Test {
protected:
    void SetUp() override { harness::resetGame(); }
};

TEST_F(FaultsTest, WithoutAnAudioDeviceTheGameRunsSilently) {
    scriptedAudio::setOpenResult(false);
    Script script;
    EXPECT_EQ(runScripted(script), 1);
    EXPECT_FALSE(script.hitLimit);
    EXPECT_TRUE(script.sawGameOver);
    EXPECT_TRUE(scripted::boxes().empty());
    EXPECT_EQ(scriptedAudio::counts().open, 1);
    EXPECT_EQ(scriptedAudio::counts().total(), 1) << "nothing reaches the device after the failed open";
    EXPECT_EQ(gSound.enabled, 0);
}

TEST_F(FaultsTest, EscapeRouteToTheMenuThenExit) {
    Script script;
    script.playToGameOver = false;
    EXPECT_EQ(runScripted(script), 1);
    EXPECT_FALSE(script.hitLimit);
    EXPECT_FALSE(script.sawGameOver);
    EXPECT_EQ(gMainMenu.resumeAllowed, 1) << "the menu came from Escape";
    EXPECT_EQ(gSession.exiting, 1);
}

// Fills open cells away from the balls until the level's threshold is reached: the next
// session check completes the level.
void completeLevelNow() {
    const int needed = 810 - 3 * gSession.level;
    for (int x = 1; x < 29; ++x) {
        for (int y = 1; y < 29 && gPlayfield.countSolidCells() < needed; ++y) {
            bool nearBall = false;
            for (int i = 0; i < gBalls.count; ++i) {
                const int bx = static_cast<int>(gBalls.balls[i].x);
                const int by = static_cast<int>(gBalls.balls[i].y);
                nearBall = nearBall || (std::abs(bx - x) <= 2 && std::abs(by - y) <= 2);
            }
            if (!nearBall && gPlayfield.cells[x][y].marked == 0) gPlayfield.cells[x][y].solid = 1;
        }
    }
}

// The transitions, told apart by what a frame of each shows.
enum class Transition { NewGameApproach, NewGameReturn, LevelChange, GameOver, Credits };

bool inTransition(Transition t) {
    switch (t) {
        case Transition::NewGameApproach:
            return gSession.state == GameState::Menu && cameraZ > -30.0f && gSession.exiting == 0;
        case Transition::NewGameReturn:
            return gSession.state == GameState::Playing && gSession.levelChanging == 0 && gSession.exiting == 0 &&
                   cameraZ > -30.0f;
        case Transition::LevelChange:
            return gSession.levelChanging == 1 && gSession.gameOver == 0;
        case Transition::GameOver:
            return gSession.gameOver == 1;
        case Transition::Credits:
            return gSession.exiting == 1;
    }
    return false;
}

struct CloseCase {
    const char* name;
    Transition transition;
    u32 closeAtFrame;  // frame of the transition in which the window is closed
    u32 framesLeft;    // frame steps from the transition's first to the program's last
    bool escapeRoute;  // reach the credits through Escape rather than a game over
};

// Approach and return are 30 frames each and run to their end, then the interrupted pass
// finishes with its own frame step; the credits stop in the pass after the quit arrives.
const CloseCase CLOSE_CASES[] = {
    {"NewGameApproach", Transition::NewGameApproach, 3, 60, false},
    {"NewGameReturn", Transition::NewGameReturn, 3, 30, false},
    {"LevelChangeApproach", Transition::LevelChange, 3, 60, false},
    {"LevelChangeReturn", Transition::LevelChange, 33, 60, false},
    {"GameOverApproach", Transition::GameOver, 3, 60, false},
    {"GameOverReturn", Transition::GameOver, 33, 60, false},
    {"Credits", Transition::Credits, 3, 5, true},
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseDuringTransitionTest : public ::testing::TestWithParam<CloseCase> {
protected:
    void SetUp() override { harness::resetGame(); }
};

TEST_P(CloseDuringTransitionTest, ProgramEndsWithOneAndNoFurtherStateLogic) {
    const CloseCase c = GetParam();
    Script script;
    script.playToGameOver = !c.escapeRoute;
    u32 firstFrame = 0;
    u32 transitionFrames = 0;
    u32 quitFrame = 0;
    script.extra = [&](Script& s) {
        if (c.transition == Transition::LevelChange && s.phase == Script::Phase::Play && s.playFrames == 20 &&
            gSession.level == 1) {
            completeLevelNow();
        }
        if (inTransition(c.transition)) {
            if (firstFrame == 0) firstFrame = scripted::swaps();
            if (++transitionFrames == c.closeAtFrame) harness::closeWindow();
        }
        if (quitRequested == 1 && quitFrame == 0) quitFrame = scripted::swaps();
    };
    EXPECT_EQ(runScripted(script), 1);
    EXPECT_FALSE(script.hitLimit);
    ASSERT_NE(firstFrame, 0u) << "the transition never came";
    EXPECT_GT(quitFrame, firstFrame) << "the quit arrived during the transition";
    EXPECT_EQ(scripted::swaps(), firstFrame + c.framesLeft) << "frames after the transition began";
    EXPECT_FALSE(scripted::windowOpen());
    if (c.transition != Transition::Credits) {
        EXPECT_EQ(gSession.exiting, 0) << "the credits never ran";
    }
}

INSTANTIATE_TEST_SUITE_P(EachTransition, CloseDuringTransitionTest, ::testing::ValuesIn(CLOSE_CASES),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(FaultsTest, EscapeHeldFromStartUpThroughTheMenuAndIntoTheGame) {
    harness::keyDown(VK_ESCAPE);
    Script script;
    script.playToGameOver = false;
    int menuFramesWithEscape = 0;
    bool reopenedWithResume = false;
    bool released = false;
    script.extra = [&](Script& s) {
        if (released) return;
        if (s.phase == Script::Phase::StartGame && gSession.state == GameState::Menu) {
            // Escape does nothing in the menu: no resume button appears, the state stays.
            ++menuFramesWithEscape;
            EXPECT_EQ(gMainMenu.resumeAllowed, 0);
        }
        if (gSession.state == GameState::Menu && gMainMenu.resumeAllowed == 1) {
            // The first playing pass with the key still down went back to the menu.
            reopenedWithResume = true;
            harness::keyUp(VK_ESCAPE);
            released = true;
            s.phase = Script::Phase::Exit;
        }
    };
    EXPECT_EQ(runScripted(script), 1);
    EXPECT_FALSE(script.hitLimit);
    EXPECT_GT(menuFramesWithEscape, 3);
    EXPECT_TRUE(reopenedWithResume);
    EXPECT_EQ(gSession.level, 1);
}

TEST_F(FaultsTest, EscapeHeldThroughALevelChange) {
    Script script;
    script.playToGameOver = false;
    script.frameLimit = 5000;
    u32 changeFrames = 0;
    bool escapeDown = false;
    bool menuAfterChange = false;
    script.extra = [&](Script& s) {
        if (s.phase == Script::Phase::Play && s.playFrames == 20 && !escapeDown) {
            completeLevelNow();
            harness::keyDown(VK_ESCAPE);
            escapeDown = true;
            s.phase = Script::Phase::ToMenu;
        }
        if (gSession.levelChanging == 1) ++changeFrames;
        if (escapeDown && gSession.state == GameState::Menu && !menuAfterChange) {
            menuAfterChange = true;
            EXPECT_EQ(gSession.level, 2) << "the level change ran to its end first";
            EXPECT_EQ(cameraZ, -30.0f);
            EXPECT_EQ(gMainMenu.resumeAllowed, 1);
        }
    };
    EXPECT_EQ(runScripted(script), 1);
    EXPECT_FALSE(script.hitLimit);
    EXPECT_EQ(changeFrames, 60u) << "approach and return, Escape or not";
    EXPECT_TRUE(menuAfterChange);
}

int openWindows() {
    int n = 0;
    for (int i = 1; i < WINDOW_SLOTS; ++i) n += gWindowManager.windows[i].isOpen == 1;
    return n;
}

TEST_F(FaultsTest, EscapeHeldWhenTheLastLifeGoesOpensOneMenu) {
    // The game-over menu and Escape's menu in the same pass would leave one window behind
    // for good, a slot lost each time, until no menu could open at all.
    Script script;
    bool escapeDown = false;
    int windowsAfterGameOver = -1;
    u8 resumeAfterGameOver = 0;
    script.extra = [&](Script& s) {
        if (s.phase == Script::Phase::Play && gSession.lives == 1 && gPlayfield.building == 1 && !escapeDown) {
            harness::keyDown(VK_ESCAPE);
            escapeDown = true;
        }
        if (escapeDown && gSession.state == GameState::Menu && windowsAfterGameOver < 0 &&
            gSession.gameOver == 0 && gSession.levelChanging == 0) {
            windowsAfterGameOver = openWindows();
            resumeAfterGameOver = gMainMenu.resumeAllowed;
            harness::keyUp(VK_ESCAPE);
        }
    };
    EXPECT_EQ(runScripted(script), 1);
    EXPECT_FALSE(script.hitLimit);
    ASSERT_TRUE(escapeDown);
    EXPECT_EQ(windowsAfterGameOver, 1);
    EXPECT_EQ(resumeAfterGameOver, 0) << "after a game over there is nothing to resume";
}

}  // namespace
