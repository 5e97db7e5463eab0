// harness.cpp: resets and drives the game through the scripted platform.
#include "support/harness.h"

#include "app/platform_audio_scripted.h"
#include "support/globals.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/main_loop.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "media/sound.h"
#include "media/textures.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/message_log.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace harness {

void resetGame() {
    scripted::reset();
    scriptedAudio::reset();
    resetGlobals();
}

bool startGame() { return startUp(); }

void runPasses(int n) {
    for (int i = 0; i < n && quitRequested == 0; ++i) runMainPass();
}

void moveMouse(i32 x, i32 y) { scripted::pushEvent({PlatformEventType::MouseMove, 0, x, y}); }
void leftClick(i32 x, i32 y) { scripted::pushEvent({PlatformEventType::LeftDown, 0, x, y}); }
void rightClick(i32 x, i32 y) { scripted::pushEvent({PlatformEventType::RightDown, 0, x, y}); }
void keyDown(i32 vk) { scripted::pushEvent({PlatformEventType::KeyDown, vk, 0, 0}); }
void keyUp(i32 vk) { scripted::pushEvent({PlatformEventType::KeyUp, vk, 0, 0}); }
void closeWindow() { scripted::pushEvent({PlatformEventType::Close, 0, 0, 0}); }

void clearFieldNoBalls() {
    gPlayfield.clear();
    for (auto& column : gPlayfield.cells) {
        for (Cell& c : column) c.marked = 0;
    }
    gPlayfield.building = 0;
    gPlayfield.wallHit = 0;
    gBalls.count = 0;
}

void placeBall(int index, float x, float y, float vx, float vy) {
    gBalls.balls[index] = Ball{x, y, vx, vy};
    if (gBalls.count < index + 1) gBalls.count = index + 1;
}

TempDir::TempDir() {
    char pattern[] = "/tmp/fendwall-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    path = made ? made : "/tmp";
}

TempDir::~TempDir() {
    std::error_code ec;
    if (path != "/tmp") std::filesystem::remove_all(path, ec);
}

std::string TempDir::file(const std::string& name, const std::string& contents) const {
    const std::string full = path + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << contents;
    return full;
}

WorkingDir::WorkingDir(const std::string& dir) {
    previous = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
}

WorkingDir::~WorkingDir() { std::filesystem::current_path(previous); }

}  // namespace harness
