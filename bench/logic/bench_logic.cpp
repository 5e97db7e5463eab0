// bench_logic.cpp: the per-frame game logic, headless on the scripted platform.
#include <benchmark/benchmark.h>

#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"

namespace {

void freshField(int balls) {
    gPlayfield = Playfield{};
    gPlayfield.clear();
    gBalls = BallSet{};
    gBalls.count = balls;
    for (int i = 0; i < balls; ++i) {
        gBalls.balls[i] = Ball{3.0f + static_cast<float>(i), 3.0f + static_cast<float>(i % 7) * 3.0f,
                               i % 2 ? 0.25f : -0.25f, i % 3 ? 0.25f : -0.25f};
    }
}

void BM_BallMove20(benchmark::State& state) {
    freshField(20);
    for (auto _ : state) {
        gBalls.move();
        benchmark::DoNotOptimize(gBalls.balls[0].x);
    }
}
BENCHMARK(BM_BallMove20);

void BM_CountSolidCells(benchmark::State& state) {
    freshField(0);
    for (auto _ : state) benchmark::DoNotOptimize(gPlayfield.countSolidCells());
}
BENCHMARK(BM_CountSolidCells);

// The worst capture: a wall's last step on an empty field, both fills over half the field each.
void BM_WorstCapture(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        freshField(0);
        gPlayfield.startWall(15, 1, Orientation::Vertical);
        gPlayfield.endHigh = 0;
        gPlayfield.endLow = 0;
        for (int y = 1; y <= 28; ++y) gPlayfield.cells[15][y].marked = 1;
        gPlayfield.wallStartY = 14;
        state.ResumeTiming();
        gPlayfield.growWall(Orientation::Vertical);
        benchmark::DoNotOptimize(gPlayfield.cells[1][1].solid);
    }
}
BENCHMARK(BM_WorstCapture);

// One playing frame of logic: 20 balls and a wall growing across the field.
void BM_LogicFrame20BallsGrowingWall(benchmark::State& state) {
    freshField(20);
    gSession = GameSession{};
    gSession.level = 20;
    gSession.lives = 1000000;
    gSession.state = GameState::Playing;
    int frames = 0;
    for (auto _ : state) {
        if (gPlayfield.building == 0 || ++frames > 12) {
            state.PauseTiming();
            freshField(20);
            gPlayfield.startWall(15, 15, Orientation::Vertical);
            frames = 0;
            state.ResumeTiming();
        }
        gPlayfield.update();
        gBalls.move();
        gSession.update();
    }
}
BENCHMARK(BM_LogicFrame20BallsGrowingWall);

}  // namespace
