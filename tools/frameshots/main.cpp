// frameshots: renders the game's screens offscreen from chosen states and writes each as a
// PPM, for looking at pictures that are slow to reach by playing (a level change, the game
// over, the credits). Run from the repository root, so data/ is found:
//   SDL_VIDEODRIVER=offscreen build/tools/fendwall-frameshots shots/
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "media/textures.h"
#include "render/frame.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

constexpr int W = 640;
constexpr int H = 480;

bool writeShot(const std::string& dir, const char* name) {
    std::vector<unsigned char> bottomUp(W * H * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    const std::string path = dir + "/" + name + ".ppm";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "frameshots: cannot write %s\n", path.c_str());
        return false;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", W, H);
    for (int y = H - 1; y >= 0; --y) std::fwrite(&bottomUp[y * W * 3], 1, W * 3, f);
    std::fclose(f);
    std::printf("%s\n", path.c_str());
    return true;
}

// A few pictures in a row, so the balls have rolled and moved like in a running game.
void frames(int n) {
    for (int i = 0; i < n; ++i) {
        gBalls.move();
        drawFrame();
    }
}

// A game in progress: two captured corners, a finished wall and one still growing.
void gameInProgress() {
    gPlayfield.clear();
    for (int x = 1; x < 8; ++x) {
        for (int y = 1; y < 6; ++y) gPlayfield.cells[x][y].solid = 1;
    }
    for (int y = 1; y < 29; ++y) gPlayfield.cells[22][y].solid = 1;
    for (int x = 23; x < 29; ++x) {
        for (int y = 1; y < 29; ++y) gPlayfield.cells[x][y].solid = 1;
    }
    for (int x = 9; x < 17; ++x) gPlayfield.cells[x][15].marked = 1;
    gPlayfield.building = 1;
    gPlayfield.cursorX = 13;
    gPlayfield.cursorY = 15;
    gPlayfield.selectedOrientation = Orientation::Horizontal;
    gBalls.count = 3;
    gBalls.spawn();
    gBalls.balls[0] = Ball{12.0f, 20.0f, 0.25f, -0.25f};
    gBalls.balls[1] = Ball{18.0f, 9.0f, -0.25f, 0.25f};
    gBalls.balls[2] = Ball{5.0f, 24.0f, 0.25f, 0.25f};
    gSession.state = GameState::Playing;
    gSession.level = 3;
    gSession.lives = 4;
    gSession.score = 3000;
    gInput.showMenuCursor = 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    if (!createGameWindow("FENDWALL - V 0.9.3", W, H, 16, false)) return 1;
    loadTextures();
    initGlState();
    gMainMenu.open();
    gPlayfield.clear();
    gPlayfield.loadPattern("data/fend.dat");
    gSession.start();
    gBalls.count = 1;
    gBalls.spawn();
    framesPerSecond = 33.0f;

    introSlide = 200;
    drawFrame();
    writeShot(dir, "intro_slide");
    introSlide = 0;
    introFade = 80;
    drawFrame();
    writeShot(dir, "intro_fade");
    introFade = 40;
    drawFrame();
    writeShot(dir, "intro_fade_late");

    introActive = 0;
    gInput.showMenuCursor = 1;
    gInput.mouseX = 480;
    gInput.mouseY = 380;
    frames(5);
    writeShot(dir, "menu");

    gWindowManager.deleteWindow(gMainMenu.windowIndex);
    gameInProgress();
    frames(3);
    writeShot(dir, "playing");

    // Half-way through the approach of a level change: level 3 was just completed.
    gSession.levelChanging = 1;
    gSession.level = 4;
    cameraZ = -15.0f;
    frames(1);
    writeShot(dir, "level_change");

    // The end of a game: the lines of the game-over transition over the last field.
    gSession.levelChanging = 1;
    gSession.gameOver = 1;
    gSession.score = 12000;
    cameraZ = -22.0f;
    frames(1);
    writeShot(dir, "game_over");

    // Back in the menu after a game over: the game-over pattern and the last session.
    gSession.levelChanging = 0;
    gSession.gameOver = 0;
    gSession.state = GameState::Menu;
    cameraZ = -30.0f;
    gPlayfield.clear();
    gPlayfield.loadPattern("data/over.dat");
    gMainMenu.resumeAllowed = 0;
    gMainMenu.open();
    gInput.showMenuCursor = 1;
    frames(2);
    writeShot(dir, "menu_after_game_over");

    // The exit credits, 180 pictures in.
    gWindowManager.deleteWindow(gMainMenu.windowIndex);
    gSession.state = GameState::Playing;
    gSession.exiting = 1;
    gSession.creditsY = 300;
    gInput.showMenuCursor = 1;  // kept from the menu the credits started in
    cameraZ = -210.0f;
    frames(1);
    writeShot(dir, "credits");

    destroyGameWindow();
    return 0;
}
