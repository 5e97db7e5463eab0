// controls_test.cpp: the whole game with the keyboard alone and with a pad alone, through the
// same pointer and buttons as the mouse; repeat and the stick counted in frames; the bindings
// read from the settings file; and what a recording keeps of them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/controls.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "app/settings.h"
#include "game/game.h"
#include "media/sound.h"
#include "platform/scripted/audio_scripted.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

using harness::KEY_DOWN, harness::KEY_LEFT, harness::KEY_RETURN, harness::KEY_RIGHT, harness::KEY_SPACE, harness::KEY_UP;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { harness::resetGame(); }
};

i32 cellX() { return gInput.mouseX / CELL_PIXELS_X; }
i32 cellY() { return (SCREEN_HEIGHT - gInput.mouseY) / CELL_PIXELS_Y; }
bool onCellCentre() { return gInput.mouseX % CELL_PIXELS_X == CELL_PIXELS_X / 2 && (SCREEN_HEIGHT - gInput.mouseY) % CELL_PIXELS_Y == CELL_PIXELS_Y / 2; }
void runUntilIdle() { harness::runPasses(200, [] { return scripted::pendingEvents() == 0 && !gInput.leftClicked && !gInput.leftPressed; }); }

// The menu by keys: from no button Down goes to the top, then one button a press, the ends
// stay; Enter pushes the button under the pointer; on the field the arrows walk the cells.
TEST_F(ControlsTest, TheKeyboardAlonePlaysTheMenuAndTheField) {
    ASSERT_TRUE(startUp());
    harness::tap({VK_ESCAPE, 41});  // the intro
    harness::tap(KEY_UP);            // from no button: the bottom one, Exit
    runUntilIdle();
    EXPECT_EQ(gInput.mouseY, harness::EXIT_Y);
    harness::tap(KEY_UP), harness::tap(KEY_UP);  // New Game, and it stays
    runUntilIdle();
    EXPECT_TRUE(gInput.mouseX == harness::MENU_X && gInput.mouseY == harness::NEW_GAME_Y) << gInput.mouseY;
    harness::tap(KEY_RETURN);
    harness::runUntilPlaying();
    ASSERT_EQ(gFlow.phase, Phase::Play);
    const i32 x = cellX(), y = cellY();
    harness::tap(KEY_LEFT), harness::tap(KEY_LEFT), harness::tap(KEY_UP);
    runUntilIdle();
    EXPECT_TRUE(cellX() == x - 2 && cellY() == y + 1 && onCellCentre()) << cellX() << "," << cellY();
    harness::tap(harness::KEY_R), harness::tap(KEY_SPACE);  // turned, then built where the pointer is
    harness::runPasses(6);
    EXPECT_EQ(gGame.playfield.wallOrientation, Orientation::Vertical);
    EXPECT_TRUE(gGame.playfield.wallStartX == x - 2 && gGame.playfield.wallStartY == y + 1);
    // The field's edge holds the pointer on its last open cell.
    for (int i = 0; i < 40; ++i) harness::tap(KEY_RIGHT);
    runUntilIdle();
    EXPECT_EQ(cellX(), FIELD_SIZE - 2);

    // Escape opens the menu with Resume: from no button Down goes to New Game, on to Resume and
    // Exit, where it stays; Up goes back to Resume, Space resumes.
    harness::tap({VK_ESCAPE, 41});
    harness::runPasses(200, [] { return gFlow.phase == Phase::Menu; });
    for (int i = 0; i < 4; ++i) harness::tap(KEY_DOWN);
    runUntilIdle();
    EXPECT_EQ(gInput.mouseY, harness::EXIT_Y);
    harness::tap(KEY_UP), harness::tap(KEY_SPACE);
    harness::runPasses(20, [] { return gFlow.phase == Phase::Play; });
    EXPECT_EQ(gFlow.phase, Phase::Play) << "Resume pushed by the keyboard";
}

// One press is one click however long it is held, on a key and on a pad button; a pad's press
// and release between two steps still counts once.
TEST_F(ControlsTest, APressIsOneClickHeldOrTappedOnKeysAndPads) {
    harness::startPlaying();
    harness::clearFieldNoBalls();
    int clicks = 0;
    scripted::setSwapHook([&] { clicks += gInput.leftClicked; });
    harness::press(KEY_SPACE), harness::press(KEY_SPACE, true), harness::press(KEY_SPACE, true);
    harness::runPasses(10);
    EXPECT_EQ(clicks, 1);
    scripted::setPads(1, padBit(PadButton::A));
    harness::runPasses(10);
    EXPECT_EQ(clicks, 2) << "held A";
    scripted::setPads(1, 0);
    scripted::pressPadButtons(padBit(PadButton::A));
    scripted::setPads(1, 0);  // up again before the step read it
    harness::runPasses(10);
    EXPECT_EQ(clicks, 3);
    scripted::setSwapHook(nullptr);
}

// The pad alone (its field play is shown on the real SDL side, in pad_play_test.cpp): Start
// ends the intro and does nothing in the menu, the d-pad walks the menu, the stick moves the
// pointer by how far it is pushed and never off the screen.
TEST_F(ControlsTest, APadWalksTheMenuAndItsStickGlides) {
    ASSERT_TRUE(startUp());
    scripted::setPads(1, 0);
    const auto tapPad = [](PadButton b) { scripted::pressPadButtons(padBit(b)), harness::runPasses(1), scripted::setPads(1, 0), harness::runPasses(2); };
    tapPad(PadButton::Start);
    EXPECT_FALSE(gFlow.intro.active) << "Start ends the intro";
    tapPad(PadButton::DpadDown);
    EXPECT_EQ(gInput.mouseY, harness::NEW_GAME_Y);
    tapPad(PadButton::Start), tapPad(PadButton::DpadDown);
    EXPECT_TRUE(gFlow.phase == Phase::Menu && gInput.mouseY == harness::EXIT_Y) << "Start: nothing in the menu";

    // The stick: nothing inside the dead zone, a quarter of full speed at half deflection,
    // full speed at the end, and never off the screen.
    const i32 half = STICK_DEAD_ZONE + (32767 - STICK_DEAD_ZONE) / 2;
    const struct { i32 stick, steps, moved; } pushes[] = {{STICK_DEAD_ZONE / 3, 20, 0}, {STICK_DEAD_ZONE, 20, 0}, {-half, 10, -40}, {32767, 5, 80}, {-32768, 5, -80}};
    for (const auto& p : pushes) {
        gInput.mouseX = 320;
        scripted::setPads(1, 0, p.stick, 0);
        for (int i = 0; i < p.steps; ++i) harness::runPasses(1);
        EXPECT_NEAR(gInput.mouseX - 320, p.moved, 1) << p.stick;
    }
    scripted::setPads(1, 0, 32767, 32767);
    harness::runPasses(60);
    EXPECT_TRUE(gInput.mouseX == SCREEN_WIDTH - 1 && gInput.mouseY == SCREEN_HEIGHT - 1);
}

std::string slurp(const std::string& path) { return (std::ostringstream() << std::ifstream(path).rdbuf()).str(); }

// The settings file rebinds by place: its lines for an action replace that action's defaults,
// a key it binds leaves its default action, the file comes back as written; a line not
// understood gives the defaults and leaves the file exactly as it is.
TEST_F(ControlsTest, TheSettingsFileRebindsAndATypoNeverWipesIt) {
    const std::string path = std::string(std::getenv("XDG_CONFIG_HOME")) + "/fendwall/settings";
    const auto play = [&](const std::string& file, std::initializer_list<harness::Key> keys) {
        harness::resetGame();
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << file;
        const LoadedSettings loaded = loadSettings();
        gControls.bindings = loaded.settings.bindings;
        harness::startPlaying();
        harness::clearFieldNoBalls();
        for (harness::Key k : keys) harness::tap(k);
        harness::runPasses(12);
        rememberWindow(loaded, WindowChoice::Remembered);
        return gGame.playfield.wallStartX != 0;  // a wall was started
    };
    const std::string rebound = "fullscreen no\nwindow 640x480\nkey build B\nkey turn space\npad build y\n";
    EXPECT_TRUE(play(rebound, {harness::KEY_B}));
    EXPECT_FALSE(play(rebound, {KEY_SPACE, KEY_RETURN})) << "Space turns now, and Return no longer builds";
    EXPECT_EQ(gGame.playfield.selectedOrientation, Orientation::Vertical);
    const std::string written = slurp(path);
    for (const char* line : {"\nkey build B\n", "\nkey turn Space\n", "\npad build y\n"}) {
        EXPECT_NE(written.find(line), std::string::npos) << written;
    }
    EXPECT_EQ(written.find("key up"), std::string::npos) << "the defaults are not written out";
    EXPECT_TRUE(play("key up W\nkey build W\n", {KEY_SPACE})) << "W twice: damaged, so the defaults";
    EXPECT_EQ(slurp(path), "key up W\nkey build W\n");
    EXPECT_TRUE(play("key build Sapce\n", {KEY_SPACE}));
    EXPECT_EQ(slurp(path), "key build Sapce\n");
}

// A game played here with keys and a pad is recorded; a key Windows has no code for reaches
// its binding and no key message is written for it. The recording keeps what the bindings
// made, so it and the golden device games replay to every checkpoint with whatever bindings
// the watcher has, keys and pad pressed during the replay doing nothing.
TEST_F(ControlsTest, KeyAndPadGamesReplayWhateverTheWatchersBindings) {
    const std::string folder = std::string(std::getenv("XDG_CONFIG_HOME")) + "/fendwall";
    const auto bind = [&](const char* lines) { std::filesystem::create_directories(folder), std::ofstream(folder + "/settings") << lines; };
    bind("key build Keypad 5\nkey build Return\n");
    ScratchDir dir;
    const std::string file = (dir.path / "game.fwrec").string();
    int swaps = 0;
    scripted::setSwapHook([&] {
        switch (++swaps) {
            case 3: harness::tap({VK_ESCAPE, 41}), harness::tap(KEY_DOWN), harness::tap(KEY_RETURN); break;
            case 90: harness::tap(KEY_LEFT), harness::press(KEY_UP); break;
            case 110: harness::release(KEY_UP), harness::tap(harness::KEY_R), harness::tap({0, 93}); break;
            case 150: scripted::setPads(1, 0, -30000, 20000); break;
            case 160: scripted::setPads(1, padBit(PadButton::A)); break;
            case 161: scripted::setPads(1, padBit(PadButton::Start)); break;
            case 163: scripted::setPads(0, 0); break;
            case 200: harness::push(PlatformEventType::Close); break;
        }
    });
    const char* record[] = {"fendwall", "--record", file.c_str()};
    EXPECT_EQ(runProgram(3, record), 1);
    scripted::setSwapHook(nullptr);
    const std::string text = slurp(file);
    EXPECT_EQ(text.find("key-down 0"), std::string::npos);
    for (const char* line : {" act point 320 179\n", " act right\n", " act left\n", " act point 292 91\n", " act menu-down\n", " act menu-up\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    }
    for (const std::string& game : {file, std::string("tests/golden/keyboard.fwrec"), std::string("tests/golden/gamepad.fwrec")}) {
        harness::resetGame();
        bind("key build Left\nkey turn Space\nkey up S\nkey down W\npad build b\npad turn a\n");
        harness::tap(KEY_SPACE), harness::tap(KEY_LEFT);
        scripted::setPads(1, padBit(PadButton::Start), 32767, 0);
        const char* replay[] = {"fendwall", "--replay", game.c_str()};
        testing::internal::CaptureStdout();
        EXPECT_EQ(runProgram(3, replay), 0) << game;
        std::string out = testing::internal::GetCapturedStdout(), recorded = slurp(game), checks;
        for (size_t at = recorded.find(" check "); at != std::string::npos; at = recorded.find(" check ", at + 1)) checks += 'x';
        EXPECT_NE(out.find(std::to_string(checks.size()) + " of " + std::to_string(checks.size()) + " checkpoints"), std::string::npos) << out;
    }
}

// What play has come to: the balls, the cells, the score and lives.
std::string playState() {
    std::ostringstream o;
    for (i32 i = 0; i < gGame.balls.count; ++i) o << gGame.balls.balls[i].x << "," << gGame.balls.balls[i].y << " ";
    for (const auto& column : gGame.playfield.cells) {
        for (const Cell& c : column) o << c.solid << c.marked;
    }
    return o.str() + " " + std::to_string(gGame.session.score) + "/" + std::to_string(gGame.session.lives);
}

// P pauses play: nothing moves, the wall stops growing, the sound holds, a click made just
// before still counts; P resumes. Paused again, a click resumes and builds nothing. Play goes
// on exactly as if no time had passed: the same game with a key of no meaning in P's place
// ends alike. P does nothing in the intro and the menu; the pauses are recorded and replay. Unfrozen
// passes are counted apart, so both games meet the same steps.
TEST_F(ControlsTest, PauseFreezesPlayAndResumesAsIfNoTimeHadPassed) {
    constexpr harness::Key KEY_P{'P', 19};
    ScratchDir dir;
    const std::string file = (dir.path / "paused.fwrec").string();
    std::string ends[2], frozenAt, frozenLater;
    for (const bool pause : {false, true}) {
        harness::resetGame();
        int steps = 0, frozen = 0;
        scripted::setSwapHook([&] {
            const bool held = scriptedAudio::paused();
            if (gFlow.paused) {
                if (++frozen == 2) frozenAt = playState() + (held ? " held" : "");
                if (frozen == 20) frozenLater = playState() + " held", harness::tap(KEY_P);
                if (frozen == 30) harness::leftClick(harness::pixelX(20), harness::pixelY(20));
                return;
            }
            EXPECT_FALSE(held);
            switch (++steps) {
                case 1: if (pause) harness::tap(KEY_P); break;  // in the intro: nothing
                case 3:  // P in the menu: nothing
                    harness::tap({VK_ESCAPE, 41}), harness::tap(pause ? KEY_P : harness::KEY_Q), harness::tap(KEY_DOWN), harness::tap(KEY_RETURN);
                    break;
                case 94: harness::leftClick(harness::pixelX(5), harness::pixelY(5)); break;
                case 95: harness::tap(pause ? KEY_P : harness::KEY_Q); break;
                case 160:
                    harness::tap(pause ? KEY_P : harness::KEY_Q);
                    if (!pause) harness::push(PlatformEventType::MouseMove, harness::pixelX(20), harness::pixelY(20));
                    break;
                case 200: ends[pause] = playState(); harness::push(PlatformEventType::Close); break;
            }
        });
        const char* record[] = {"fendwall", "--record", file.c_str()};
        EXPECT_EQ(runProgram(3, record), 1);
        scripted::setSwapHook(nullptr);
        EXPECT_EQ(frozen, pause ? 30 : 0) << "paused in play only, and only until P and the click";
    }
    EXPECT_TRUE(!frozenAt.empty() && frozenAt == frozenLater) << "nothing moved while paused";
    EXPECT_EQ(ends[0], ends[1]) << "after the pause, the game went on as it would have";
    const std::string text = slurp(file);
    size_t pauses = 0;
    for (size_t at = text.find(" act pause\n"); at != std::string::npos; at = text.find(" act pause\n", at + 1)) ++pauses;
    EXPECT_EQ(pauses, 3u) << "P in play, twice to pause and once to resume: " << text;
    harness::resetGame();
    const char* replay[] = {"fendwall", "--timedemo", file.c_str()};
    testing::internal::CaptureStdout();
    EXPECT_EQ(runProgram(3, replay), 0);
    testing::internal::GetCapturedStdout();
}

// With pause-when-away a window that loses the focus pauses play (and getting it back does
// not resume); without it, play goes on. A game started under the intro does not pause while
// the intro shows. A pause in a camera flight holds the flight, and a closed window still
// ends the game.
TEST_F(ControlsTest, AwayPausesWhenAskedAndAPausedFlightStillQuits) {
    harness::startPlaying();
    harness::tap({'P', 19});
    harness::runPasses(3);
    EXPECT_TRUE(gFlow.intro.active && gFlow.phase == Phase::Play && !gFlow.paused);
    harness::resetGame();
    harness::tap({VK_ESCAPE, 41});  // the intro
    harness::startPlaying();
    harness::push(PlatformEventType::Activate, 0);
    harness::runPasses(2);
    EXPECT_FALSE(gFlow.paused) << "without pause-when-away";
    gControls.pauseWhenAway = true;
    harness::push(PlatformEventType::Activate, 1);
    harness::runPasses(2);
    EXPECT_FALSE(gFlow.paused) << "the focus coming";
    harness::push(PlatformEventType::Activate, 0), harness::push(PlatformEventType::Activate, 1);
    harness::runPasses(4);
    EXPECT_TRUE(gFlow.paused);
    harness::resetGame();
    ASSERT_TRUE(startUp());
    harness::tap({VK_ESCAPE, 41}), harness::leftClick(harness::MENU_X, harness::NEW_GAME_Y);
    harness::runPasses(200, [] { return gFlow.phase == Phase::NewGameApproach; });
    harness::tap({'P', 19});
    harness::runPasses(30);
    const f32 cameraZ = gGame.session.cameraZ;
    harness::runPasses(10);
    EXPECT_TRUE(gFlow.paused && gFlow.phase == Phase::NewGameApproach && gGame.session.cameraZ == cameraZ);
    harness::push(PlatformEventType::Close);
    runMainLoop();  // returns: the flight went on to its end, and the game quit
    EXPECT_TRUE(gInput.quitRequested && gFlow.phase == Phase::Play);
}

// M mutes and unmutes both volumes, which the settings file sets and keeps with the mute; a
// machine without sound says so once and plays on.
TEST_F(ControlsTest, MuteAndTheVolumesAreKeptAcrossRuns) {
    const std::string privateHome = std::getenv("XDG_CONFIG_HOME");
    ScratchDir config;  // kept across the runs, which a reset would empty
    setenv("XDG_CONFIG_HOME", config.path.c_str(), 1);
    std::filesystem::create_directories(config.path / "fendwall");
    std::ofstream(config.path / "fendwall/settings") << "music-volume 40\neffects-volume 7\n";
    std::string heard;
    // Runs the game from swap `from` on: M at swaps 1 and 3, closed at 5; the volumes heard at 0, 2 and 4.
    const auto run = [&](int from, bool sound = true) {
        harness::resetGame();
        scriptedAudio::setOpenResult(sound);
        int swaps = from;
        scripted::setSwapHook([&] {
            heard += swaps == 0 || swaps == 2 || swaps == 4 ? scriptedAudio::volumes() + " " : "";
            if (++swaps == 1 || swaps == 3) harness::tap({'M', 16});
            if (swaps == 5) harness::push(PlatformEventType::Close);
        });
        const char* game[] = {"fendwall"};
        EXPECT_EQ(runProgram(1, game), 1);
        scripted::setSwapHook(nullptr);
    };
    testing::internal::CaptureStderr();
    run(0);
    EXPECT_EQ(heard, "40/7 0/0 40/7 ");
    run(2);  // muted once more before the end
    const std::string written = slurp(config.path / "fendwall/settings");
    EXPECT_NE(written.find("\nmute yes\nmusic-volume 40\neffects-volume 7\n"), std::string::npos) << written;
    run(4, false);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "fendwall: no sound device: playing silently\n");
    heard.clear();
    run(4);
    EXPECT_EQ(heard, "0/0 ") << "the mute kept";
    setenv("XDG_CONFIG_HOME", privateHome.c_str(), 1);
}

TEST(Bindings, LinesReplaceDefaultsPerDeviceAndRefuseWhatCannotBeMeant) {
    Bindings b;
    EXPECT_TRUE(b.keyDoes(26, Action::Up) && b.keyDoes(44, Action::Build) && (b[Action::Menu].padButtons & padBit(PadButton::Start)));
    EXPECT_TRUE(readBindingLine("key build W", &b));
    EXPECT_TRUE(b.keyDoes(26, Action::Build) && !b.keyDoes(26, Action::Up) && b.keyDoes(82, Action::Up)) << "W leaves up";
    EXPECT_FALSE(b.keyDoes(44, Action::Build)) << "the file's build keys replace the defaults";
    EXPECT_TRUE(readBindingLine("key menu keypad 0", &b) && b.keyDoes(98, Action::Menu));
    EXPECT_TRUE(readBindingLine("pad turn leftshoulder", &b) && b[Action::Turn].padButtons == padBit(PadButton::LeftShoulder));
    EXPECT_TRUE(b.keyDoes(21, Action::Turn)) << "a pad line leaves the keys as they are";
    for (const char* bad : {"key build W", "key up W", "key jump Space", "key build Escape", "key build F11", "key build  B",
                            "key build", "keys build B", "pad build z", "key build B ", "pad turn leftshoulder"}) {
        Bindings copy = b;
        EXPECT_FALSE(readBindingLine(bad, &copy)) << bad;
    }
    for (const char* key : {"A", "C", "D", "E"}) EXPECT_TRUE(readBindingLine(std::string("key turn ") + key, &b)) << key;
    EXPECT_FALSE(readBindingLine("key turn F", &b)) << "four keys an action at most";
    Bindings again;
    std::istringstream lines(formatBindings(b));
    for (std::string line; std::getline(lines, line);) EXPECT_TRUE(readBindingLine(line, &again)) << line;
    EXPECT_TRUE(again == b) << formatBindings(b);
}

}  // namespace
