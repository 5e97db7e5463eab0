// harness.cpp: resets and drives the game through the scripted platform.
#include "support/harness.h"

#include "app/main_loop.h"
#include "app/phases.h"
#include "core/input.h"
#include "game/game.h"
#include "platform/scripted/audio_scripted.h"
#include "ui/menu.h"

namespace harness {

void resetGame() {
    scripted::reset();
    scriptedAudio::reset();
    resetGlobals();
}

void startPlaying() {
    startUp();
    leftClick(MENU_X, NEW_GAME_Y);
    runUntilPlaying();
}

void runPasses(int n, bool (*until)()) {
    for (int i = 0; i < n && !quitDue() && !(until && until()); ++i) runMainPass();
}

void runUntilPlayOrMenu(int n) {
    runMainPass();
    runPasses(n - 1, [] { return gFlow.phase == Phase::Play || gFlow.phase == Phase::Menu; });
}

void runUntilPlaying(int n) {
    runPasses(n, [] { return gFlow.phase == Phase::Play; });
}

void push(PlatformEventType type, i32 x, i32 y) {
    const bool key = type == PlatformEventType::KeyDown || type == PlatformEventType::KeyUp;
    scripted::pushEvent({type, key ? x : 0, key ? 0 : x, y});
}

void press(Key key, bool systemRepeat) {
    scripted::pushEvent({PlatformEventType::KeyDown, key.vk, 0, 0, key.scancode, systemRepeat});
}

void release(Key key) { scripted::pushEvent({PlatformEventType::KeyUp, key.vk, 0, 0, key.scancode, false}); }

void clearFieldNoBalls() {
    gGame.playfield = Playfield{};
    gGame.playfield.clear();
    gGame.balls.count = 0;
}

void placeBall(int index, float x, float y, float vx, float vy) {
    gGame.balls.balls[index] = Ball{x, y, vx, vy};
    if (gGame.balls.count < index + 1) gGame.balls.count = index + 1;
}

int markedCells() {
    int n = 0;
    for (auto& column : gGame.playfield.cells) {
        for (Cell& c : column) n += c.marked;
    }
    return n;
}

int openWindows() {
    int n = 0;
    for (int i = 1; i < WINDOW_SLOTS; ++i) n += gUi.manager.windows[i].isOpen;
    return n;
}

}  // namespace harness
