// faults_test.cpp: each kind of data file missing, empty, cut or random in a copy of data/: a game
// is still played to its end, the credits roll, 1 is returned, and only the due boxes show.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/main_loop.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Empty, Truncated, RandomBytes, Fifo };
const char* const DAMAGE_NAMES[] = {"Missing", "Empty", "Truncated", "RandomBytes", "Fifo"};
constexpr int FIELD_BORDER = 116;  // solid cells of a cleared field
const std::pair<const char*, Damage> DAMAGED[] = {
    {"fend.dat", Damage::Missing},          {"over.dat", Damage::Empty},
    {"texturen/weiss.bmp", Damage::Missing}, {"texturen/menu.bmp", Damage::Truncated},
    {"texturen/ball_low.bmp", Damage::RandomBytes}, {"texturen/streifen.tga", Damage::Truncated},
    {"sound/0", Damage::Missing},           {"sound/bombe_explodiert.wav", Damage::RandomBytes},
    {"fend.dat", Damage::Fifo},              {"texturen/weiss.bmp", Damage::Fifo},  // never waited on
};

// A player deciding once a frame, through real input: New Game, walls in the ball's way until
// the lives are gone, Exit, a click through the credits; a hang hits the frame limit.
struct Script {
    u32 frame = 0, playFrames = 0, quietUntil = 0;
    bool hitLimit = false, sawGameOver = false;
    int titleSolid = -1;  // solid cells behind the first menu

    void push(PlatformEventType type, i32 x, i32 y, u32 pause) { harness::push(type, x, y), quietUntil = frame + pause; }
    void onFrame() {
        if (titleSolid < 0) titleSolid = gGame.playfield.countSolidCells();
        if (++frame > 20000 && !hitLimit) harness::push(PlatformEventType::Close);
        hitLimit = frame > 20000;
        // Input during a level change is dropped: wait for it to end.
        const GameSession& s = gGame.session;
        if (hitLimit || frame < quietUntil || scripted::pendingEvents() || s.levelChanging || s.gameOver) return;
        if (s.exiting) {
            push(PlatformEventType::LeftDown, 10, 10, 8);
        } else if (s.state == GameState::Menu) {
            sawGameOver = playFrames > 0;
            push(PlatformEventType::LeftDown, harness::MENU_X, sawGameOver ? harness::EXIT_Y : harness::NEW_GAME_Y, 8);
        } else if (++playFrames == 1) {
            push(PlatformEventType::RightDown, 0, 0, 4);  // vertical walls
        } else if (!gGame.playfield.building && gGame.balls.count > 0) {
            // A vertical wall two columns ahead of the first ball: still growing when it arrives.
            const Ball& b = gGame.balls.balls[0];
            const i32 x = std::clamp(static_cast<i32>(b.x) + (b.vx > 0 ? 2 : -2), 1, 28), y = static_cast<i32>(b.y);
            if (y >= 1 && y <= 28 && !gGame.playfield.solidAt(x, y)) push(PlatformEventType::LeftDown, harness::pixelX(x), harness::pixelY(y), 4);
        }
    }
};

class DamagedDataTest : public ::testing::TestWithParam<int> {};

TEST_P(DamagedDataTest, GameStartsPlaysAndEndsWithTheExpectedMessages) {
    const int fileIndex = GetParam();
    const std::string name = DAMAGED[fileIndex].first;
    const Damage damage = DAMAGED[fileIndex].second;
    ScratchDir copy;
    fs::copy(fs::current_path() / "data", copy.path / "data", fs::copy_options::recursive);
    const fs::path path = copy.path / "data" / name;
    std::string bytes(fs::file_size(path), '\0');
    std::mt19937 rng(1000u + static_cast<unsigned>(fileIndex));
    for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
    if (damage == Damage::Missing || damage == Damage::Fifo) fs::remove(path);
    if (damage == Damage::Fifo) {
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    }
    if (damage == Damage::Empty || damage == Damage::Truncated) fs::resize_file(path, damage == Damage::Empty ? 0 : bytes.size() / 2);
    if (damage == Damage::RandomBytes) std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    copy.enter();
    Script script;
    harness::resetGame();
    scripted::setSwapHook([&script] { script.onFrame(); });
    EXPECT_EQ(runGame({}), 1);
    scripted::setSwapHook(nullptr);
    EXPECT_FALSE(script.hitLimit) << "the game did not come to its end in 20000 frames";
    EXPECT_TRUE(script.sawGameOver && gGame.session.exiting) << "a game to its end, then the credits";
    EXPECT_FALSE(scripted::windowOpen());
    // Missing pictures, pictures the TGA reader refuses, patterns and sounds: all silent.
    // A broken bitmap: one box, no header at all or a header without its pixels.
    const auto& boxes = scripted::boxes();
    const bool boxed = name.ends_with(".bmp") && damage != Damage::Missing;
    ASSERT_EQ(boxes.size(), boxed ? 1u : 0u) << (boxes.empty() ? "" : boxes[0].text);
    const std::string text = boxed ? boxes[0].text : "Image file conversion error.";
    EXPECT_TRUE(!boxed || (boxes[0].caption == "Error" && boxes[0].flags == MB_OK));
    EXPECT_TRUE(text == "Image file conversion error." ||
                (damage == Damage::RandomBytes && (text == "Unknown DIB file format." || text == "Out of memory.")) ||
                (damage == Damage::Fifo && text.starts_with("Failed to open DIB file ")))
        << text;
    // A pattern with nothing to read leaves the field as it was: cleared behind the title, and
    // cleared by the game over's level change behind the last menu and the credits.
    const bool nothingToRead = damage == Damage::Missing || damage == Damage::Empty || damage == Damage::Fifo;
    const int gameOverSolid = gGame.playfield.countSolidCells();
    for (const auto& [pattern, solid] : {std::pair{"fend.dat", script.titleSolid}, std::pair{"over.dat", gameOverSolid}}) {
        if (name != pattern) {
            EXPECT_GT(solid, FIELD_BORDER) << pattern << " is on the field";
        } else if (nothingToRead) {
            EXPECT_EQ(solid, FIELD_BORDER) << "without " << pattern << " the cleared field stays";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachKind, DamagedDataTest, ::testing::Range(0, static_cast<int>(std::size(DAMAGED))),
                         [](const auto& info) {
                             return fs::path(DAMAGED[info.param].first).stem().string() + "_" +
                                    DAMAGE_NAMES[static_cast<int>(DAMAGED[info.param].second)];
                         });

}  // namespace
