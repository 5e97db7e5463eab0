// frameshots: renders the game's screens offscreen from chosen states and writes each as a
// PPM, for looking at pictures that are slow to reach by playing (a level change, the game
// over, the credits). Run from the repository root, so data/ is found:
//   SDL_VIDEODRIVER=offscreen build/tools/fendwall-frameshots shots/
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "app/window.h"
#include "core/version.h"
#include "game/game.h"
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
        SoundList sounds;
        moveBalls(gGame, sounds);
        gFlow.picture = Picture{};
        gFlow.picture.ballSpin = gGame.balls.spin;
        gGame.balls.roll();
        drawFrame();
    }
}

// A game in progress: two captured corners, a finished wall and one still growing.
void gameInProgress() {
    gGame.playfield.clear();
    for (int x = 1; x < 8; ++x) {
        for (int y = 1; y < 6; ++y) gGame.playfield.cells[x][y].solid = 1;
    }
    for (int y = 1; y < 29; ++y) gGame.playfield.cells[22][y].solid = 1;
    for (int x = 23; x < 29; ++x) {
        for (int y = 1; y < 29; ++y) gGame.playfield.cells[x][y].solid = 1;
    }
    for (int x = 9; x < 17; ++x) gGame.playfield.cells[x][15].marked = 1;
    gGame.playfield.building = 1;
    gGame.playfield.cursorX = 13;
    gGame.playfield.cursorY = 15;
    gGame.playfield.selectedOrientation = Orientation::Horizontal;
    gGame.balls.count = 3;
    gGame.balls.spawn(platformCalendarSeconds());
    gGame.balls.balls[0] = Ball{12.0f, 20.0f, 0.25f, -0.25f};
    gGame.balls.balls[1] = Ball{18.0f, 9.0f, -0.25f, 0.25f};
    gGame.balls.balls[2] = Ball{5.0f, 24.0f, 0.25f, 0.25f};
    gGame.session.state = GameState::Playing;
    gGame.session.level = 3;
    gGame.session.lives = 4;
    gGame.session.score = 3000;
    gInput.showMenuCursor = 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    if (!createGameWindow(FENDWALL_WINDOW_TITLE, W, H, 16, false)) return 1;
    loadTextures();
    initGlState();
    gUi.menu.open(gUi.manager);
    gGame.playfield.clear();
    gGame.playfield.loadPattern("data/fend.dat");
    (void)gGame.session.start(gGame.balls);
    gGame.balls.count = 1;
    gGame.balls.spawn(platformCalendarSeconds());
    gGame.balls.balls[0] = Ball{17.0f, 8.0f, 0.25f, 0.25f};  // not where the clock would put it: the same every run
    gFrameClock.framesPerSecond = 33.0f;

    const i32 intro[][2] = {{200, 130}, {0, 80}, {0, 40}};  // slide, fade
    const char* introNames[] = {"intro_slide", "intro_fade", "intro_fade_late"};
    for (int i = 0; i < 3; ++i) {
        gFlow.picture = Picture{true, true, intro[i][0], intro[i][1], 0.0f};
        drawFrame();
        writeShot(dir, introNames[i]);
    }

    gInput.showMenuCursor = 1;
    gInput.mouseX = 480;
    gInput.mouseY = 380;
    frames(5);
    writeShot(dir, "menu");

    gUi.manager.deleteWindow(gUi.menu.windowIndex);
    gameInProgress();
    frames(3);
    writeShot(dir, "playing");

    // Half-way through the approach of a level change: level 3 was just completed.
    gGame.session.levelChanging = 1;
    gGame.session.level = 4;
    gGame.session.cameraZ = -15.0f;
    frames(1);
    writeShot(dir, "level_change");

    // The end of a game: the lines of the game-over transition over the last field.
    gGame.session.levelChanging = 1;
    gGame.session.gameOver = 1;
    gGame.session.score = 12000;
    gGame.session.cameraZ = -22.0f;
    frames(1);
    writeShot(dir, "game_over");

    // Back in the menu after a game over: the game-over pattern and the last session.
    gGame.session.levelChanging = 0;
    gGame.session.gameOver = 0;
    gGame.session.state = GameState::Menu;
    gGame.session.cameraZ = -30.0f;
    gGame.playfield.clear();
    gGame.playfield.loadPattern("data/over.dat");
    gUi.menu.resumeAllowed = 0;
    gUi.menu.open(gUi.manager);
    gInput.showMenuCursor = 1;
    frames(2);
    writeShot(dir, "menu_after_game_over");

    // The exit credits, 180 pictures in.
    gUi.manager.deleteWindow(gUi.menu.windowIndex);
    gGame.session.state = GameState::Playing;
    gGame.session.exiting = 1;
    gGame.session.creditsY = 300;
    gInput.showMenuCursor = 1;  // kept from the menu the credits started in
    gGame.session.cameraZ = -210.0f;
    frames(1);
    writeShot(dir, "credits");

    destroyGameWindow();
    return 0;
}
