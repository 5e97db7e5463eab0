// harness.cpp: resets and drives the game through the scripted platform.
#include "core/input.h"
#include "ui/menu.h"
#include "support/harness.h"

#include <filesystem>

#include "app/main_loop.h"
#include "app/frame_step.h"
#include "platform/scripted/audio_scripted.h"
#include "game/game.h"
#include "ui/window_manager.h"

namespace harness {

void resetGame() {
    scripted::reset();
    scriptedAudio::reset();
    resetGlobals();
}

bool startGame() { return startUp(); }

void runPasses(int n) {
    for (int i = 0; i < n && gInput.quitRequested == 0; ++i) runMainPass();
}

void moveMouse(i32 x, i32 y) { scripted::pushEvent({PlatformEventType::MouseMove, 0, x, y}); }
void leftClick(i32 x, i32 y) { scripted::pushEvent({PlatformEventType::LeftDown, 0, x, y}); }
void rightClick(i32 x, i32 y) { scripted::pushEvent({PlatformEventType::RightDown, 0, x, y}); }
void keyDown(i32 vk) { scripted::pushEvent({PlatformEventType::KeyDown, vk, 0, 0}); }
void keyUp(i32 vk) { scripted::pushEvent({PlatformEventType::KeyUp, vk, 0, 0}); }
void closeWindow() { scripted::pushEvent({PlatformEventType::Close, 0, 0, 0}); }

void clearFieldNoBalls() {
    gGame.playfield.clear();
    for (auto& column : gGame.playfield.cells) {
        for (Cell& c : column) c.marked = 0;
    }
    gGame.playfield.building = gGame.playfield.wallHit = 0;
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
    for (int i = 1; i < WINDOW_SLOTS; ++i) n += gUi.manager.windows[i].isOpen == 1;
    return n;
}

WorkingDir::WorkingDir(const std::filesystem::path& dir) : previous(std::filesystem::current_path().string()) {
    std::filesystem::current_path(dir);
}
WorkingDir::~WorkingDir() { std::filesystem::current_path(previous); }

}  // namespace harness
