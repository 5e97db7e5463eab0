// bench_fonts.cpp: building both bitmap fonts (every glyph rendered and compiled into a
// display list) and drawing the heads-up line with them, in a real Mesa context.
// Runs without a display: the window is opened on SDL's offscreen driver unless
// SDL_VIDEODRIVER names another. One window for all benchmarks: SDL's video start-up does
// not take kindly to being repeated in one process (its D-Bus start can hang in a fork).
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "core/version.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "render/font.h"
#include "bench/game_window_main.h"

namespace {

bool openWindow(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (gBenchWindowOpen) return true;
    if (createGameWindow(FENDWALL_WINDOW_TITLE, 640, 480, 16, false)) {
        gBenchWindowOpen = true;
        return true;
    }
    state.SkipWithError("no GL context");
    return false;
}

void BM_CreateAndDeleteFonts(benchmark::State& state) {
    if (!openWindow(state)) return;
    deleteFonts();
    for (auto _ : state) {
        createFonts();
        buildFontGlyphs();
        deleteFonts();
    }
    createFonts();
}
BENCHMARK(BM_CreateAndDeleteFonts)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The four texts the game prints every frame, finished on the renderer.
void BM_PrintHeadsUpLine(benchmark::State& state) {
    if (!openWindow(state)) return;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0, 1, 0);
    for (auto _ : state) {
        printText(0, 560, 20, "FPS: %0.1f", 33.0);
        printText(1, 10, 29, "lives %0.0f", 3.0);
        printText(1, 200, 29, "score %0.0f", 12345.0);
        printText(1, 100, 29, "level %0.0f", 4.0);
        glFinish();
    }
}
BENCHMARK(BM_PrintHeadsUpLine)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
