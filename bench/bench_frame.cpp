// bench_frame.cpp: one whole game picture on the worst field for the renderer: a
// checkerboard of blocks inside the border (every block shows all its faces) and all 20
// balls, drawn into the game's own window with its real textures and fonts.
// Runs without a display on SDL's offscreen driver unless SDL_VIDEODRIVER names another
// (bench/run-benchmarks.sh runs it on x11 under Xvfb); run it from the repository root so
// data/ is found. The window is opened once for all benchmarks: SDL's video start-up does
// not take kindly to being repeated in one process (its D-Bus start can hang in a fork).
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/phases.h"
#include "app/window.h"
#include "bench/game_window_main.h"
#include "core/version.h"
#include "game/game.h"
#include "media/textures.h"
#include "render/frame.h"
#include "render/frame.h"

namespace {

bool openGame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (!gBenchWindowOpen && !createGameWindow(FENDWALL_WINDOW_TITLE, 640, 480, 16, false)) {
        state.SkipWithError("no GL context");
        return false;
    }
    if (gBenchWindowOpen) {
        state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
        return true;
    }
    gBenchWindowOpen = true;
    // A fresh context: load every picture into it anew.
    gTextures.cache.count = 0;
    gTextures.stripe.textureId = 0;
    gTextures.stripe2.textureId = 0;
    gTextures.logo.textureId = 0;
    loadTextures();
    initGlState();
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    gGame.playfield.clear();
    for (i32 x = 1; x < FIELD_SIZE - 1; ++x) {
        for (i32 y = 1; y < FIELD_SIZE - 1; ++y) gGame.playfield.cells[x][y].solid = (x + y) % 2 == 0 ? 1 : 0;
    }
    gGame.balls.count = MAX_BALLS;
    gGame.balls.spawn(platformCalendarSeconds());
    gGame.session.state = GameState::Playing;
    gGame.session.level = 20;
    gGame.session.lives = 7;
    gGame.session.score = 190000;
    // The intro's one picture switches blending on, as in the game.
    gInput.keys[VK_ESCAPE] = 1;
    composePicture(stepInputOf(gInput));
    drawFrame();
    gInput.keys[VK_ESCAPE] = 0;
    composePicture(stepInputOf(gInput));  // the game's picture from here on
    return true;
}

void BM_DrawGamePicture(benchmark::State& state) {
    if (!openGame(state)) return;
    for (auto _ : state) {
        drawFrame();
        glFinish();
    }
}
BENCHMARK(BM_DrawGamePicture)->Unit(benchmark::kMillisecond);

// The same with the buffer swap of the frame step.
void BM_DrawAndSwapGamePicture(benchmark::State& state) {
    if (!openGame(state)) return;
    for (auto _ : state) {
        drawFrame();
        swapFrameBuffers();
        glFinish();
    }
}
BENCHMARK(BM_DrawAndSwapGamePicture)->Unit(benchmark::kMillisecond);

}  // namespace
