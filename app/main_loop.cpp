// main_loop.cpp: the program's spine: start-up order and the main loop, whose every pass
// is one frame: a step of the current phase, then the frame step that draws and paces it.
#include "app/main_loop.h"

#include <cstdio>
#include <filesystem>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/phases.h"
#include "app/replay.h"
#include "app/tape.h"
#include "app/settings.h"
#include "app/window.h"
#include "core/data_path.h"
#include "core/screen.h"
#include "core/version.h"
#include "game/game.h"
#include "media/sound.h"
#include "media/textures.h"
#include "platform/platform.h"
#include "render/frame.h"
#include "ui/menu.h"

namespace {

// Started from a folder without data/ (the build tree's binary, say), the game shows a white
// field and says little more: say where it looked and how to start it. Play goes on.
void reportMissingData() {
    std::error_code error;
    const std::string folder = dataFolder();
    if (std::filesystem::is_directory(folder, error)) return;
    if (folder != "data") {
        std::fprintf(stderr, "fendwall: %s names no folder (%s), so no pictures, sounds or patterns\n", DATA_VARIABLE,
                     folder.c_str());
        return;
    }
    std::fprintf(stderr,
                 "fendwall: no data/ folder in %s, so no pictures, sounds or patterns: start the game from "
                 "the folder that holds data/, or with the installed fendwall command\n",
                 std::filesystem::current_path(error).c_str());
}

}  // namespace

int runProgram(int argc, const char* const* argv) {
    LaunchOptions options;
    const int status = readCommandLine(argc, argv, &options);
    return status >= 0 ? status : runGame(options);
}

int runGame(const LaunchOptions& options) {
    const LoadedSettings remembered = loadSettings();
    const Settings& chosen = remembered.settings;
    gControls.bindings = chosen.bindings;
    gControls.pauseWhenAway = chosen.pauseWhenAway;
    gSound.setVolumes(chosen.sound.musicVolume, chosen.sound.effectsVolume, chosen.sound.muted);
    // A recording that cannot be written or played is said before any window opens.
    if (!openTape(options)) return 2;
    // Without a window there is nothing to play and no way to quit: end at once.
    if (!startUp(openingWindow(remembered.settings.window, options.window))) return closeTape(2);
    runMainLoop();
    const int status = closeTape(1);
    destroyGameWindow();
    rememberWindow(remembered, options.window);
    return status;
}

bool startUp(const WindowSettings& window) {
    // Full screen fills the desktop in its own mode, the screen letterboxed into it; the
    // window opens at the size it is restored to, maximised if it was left so.
    platformSetFullscreen(window.fullscreen);
    platformSetMaximised(window.maximised);
    if (!createGameWindow(FENDWALL_WINDOW_TITLE, window.width, window.height, 16, false)) return false;
    gWindow.desktopFullscreen = window.fullscreen;
    gWindow.maximised = window.maximised;
    reportMissingData();
    loadTextures();
    initGlState();
    gUi.menu.open(gUi.manager);
    gGame.playfield.clear();
    gGame.playfield.loadPattern(dataPath("data/fend.dat").c_str());
    platformShowCursor(false);
    (void)gGame.session.start(gGame.balls);  // in the menu: no flight
    gGame.balls.count = 1;
    gGame.balls.spawn(tapeCalendarSeconds());
    // A timedemo is silent: its frames come faster than any sound could follow.
    gSound.enabled = pacedFrames();
    if (gSound.enabled && !gSound.init()) std::fprintf(stderr, "fendwall: no sound device: playing silently\n");
    gSound.playStream(0);
    return true;
}

void runMainLoop() {
    while (!quitDue()) runMainPass();
}

void runMainPass() {
    // The step's input is taken once, here, before the step. Its clicks are those the last
    // frame step latched: a press arrives with the message of frame step n, step n + 1
    // latches it, and the logic of the pass after that acts on it, two passes on, as the
    // game has always answered a click.
    if (!stepHeld()) stepPhase(stepInputOf(gInput));
    stepFrame();
}
