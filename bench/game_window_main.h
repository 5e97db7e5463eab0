// game_window_main.h: the main() of a benchmark program that draws in the game's own
// window. The first benchmark opens it and it stays open until all have run: SDL's video
// start-up does not take kindly to being repeated in one process.
#pragma once
#include <benchmark/benchmark.h>

#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"

inline bool gBenchWindowOpen = false;

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gBenchWindowOpen) destroyGameWindow();
    return 0;
}
