// bench_logic.cpp: the per-frame game logic, headless on the scripted platform.
#include <benchmark/benchmark.h>

#include "app/controls.h"
#include "app/window.h"
#include "game/game.h"
#include "render/frame.h"

namespace {

void freshField(int balls) {
    gGame.playfield = Playfield{};
    gGame.playfield.clear();
    gGame.balls = BallSet{};
    gGame.balls.count = balls;
    for (int i = 0; i < balls; ++i) {
        gGame.balls.balls[i] = Ball{3.0f + static_cast<float>(i), 3.0f + static_cast<float>(i % 7) * 3.0f,
                               i % 2 ? 0.25f : -0.25f, i % 3 ? 0.25f : -0.25f};
    }
}

void BM_BallMove20(benchmark::State& state) {
    freshField(20);
    SoundList sounds;
    for (auto _ : state) {
        sounds.count = 0;
        moveBalls(gGame, sounds);
        benchmark::DoNotOptimize(gGame.balls.balls[0].x);
    }
}
BENCHMARK(BM_BallMove20);

void BM_CountSolidCells(benchmark::State& state) {
    freshField(0);
    for (auto _ : state) benchmark::DoNotOptimize(gGame.playfield.countSolidCells());
}
BENCHMARK(BM_CountSolidCells);

// The worst capture: a wall's last step on an empty field, both fills over half the field each.
void BM_WorstCapture(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        freshField(0);
        gGame.playfield.startWall(15, 1, Orientation::Vertical);
        gGame.playfield.endHigh = 0;
        gGame.playfield.endLow = 0;
        for (int y = 1; y <= 28; ++y) gGame.playfield.cells[15][y].marked = 1;
        gGame.playfield.wallStartY = 14;
        state.ResumeTiming();
        benchmark::DoNotOptimize(gGame.playfield.growWall(Orientation::Vertical, gGame.balls));
        benchmark::DoNotOptimize(gGame.playfield.cells[1][1].solid);
    }
}
BENCHMARK(BM_WorstCapture);

// One playing frame of logic: 20 balls and a wall growing across the field.
void BM_LogicFrame20BallsGrowingWall(benchmark::State& state) {
    freshField(20);
    gGame.session = GameSession{};
    gGame.session.level = 20;
    gGame.session.lives = 1000000;
    gGame.session.state = GameState::Playing;
    int frames = 0;
    SoundList sounds;
    for (auto _ : state) {
        if (gGame.playfield.building == 0 || ++frames > 12) {
            state.PauseTiming();
            freshField(20);
            gGame.playfield.startWall(15, 15, Orientation::Vertical);
            frames = 0;
            state.ResumeTiming();
        }
        sounds.count = 0;
        playFrame(gGame, sounds, stepInputOf(gInput));
        benchmark::DoNotOptimize(gGame.session.lost() || gGame.session.nextLevelIfComplete(gGame.playfield, gGame.balls));
    }
}
BENCHMARK(BM_LogicFrame20BallsGrowingWall);

}  // namespace
