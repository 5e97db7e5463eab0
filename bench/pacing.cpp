// pacing.cpp: the frame pacing of the real main loop through the real SDL layer.
// Runs the game's own start-up, lets the intro play out, starts a new game through the
// menu's button, gives it 20 balls and then plays: every 20 frames a click starts a wall
// somewhere on the field, so walls grow, get broken and capture all the time. Every
// frame step is recorded at its buffer swap (the swap is wrapped at link time):
// gFrameClock.startTicks, the game's own millisecond clock, and CLOCK_MONOTONIC beside it.
// Prints one line per frame ("frame N ticks T swap-ms S") unless --summary, then a summary:
//   tick-period-ms min M median M p99 M max M    (between successive gFrameClock.startTicks)
//   swap-period-ms min M median M p99 M max M    (between successive swaps, high resolution)
//   periods N ticks-at-least-30 N ticks-under-31 N swaps-under-31 N level L
// Run from the repository root under X (bench/run-benchmarks.sh starts Xvfb).
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "app/window.h"
#include "game/game.h"
#include "platform/platform.h"
#include "render/frame.h"
#include "ui/menu.h"

// The mangled name of void platformSwapBuffers(), as the linker's --wrap sees it.
extern "C" void __real__Z19platformSwapBuffersv();  // NOLINT(bugprone-reserved-identifier)

namespace {

constexpr size_t FRAMES = 1000;

bool sRecording = false;
std::vector<u32> sTicks;
std::vector<long long> sSwapNs;

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void summary(const char* name, const std::vector<double>& v) {
    std::printf("%s min %.3f median %.3f p99 %.3f max %.3f\n", name, percentile(v, 0.0), percentile(v, 0.5),
                percentile(v, 0.99), percentile(v, 1.0));
}

}  // namespace

// The linker sends the game's calls of platformSwapBuffers here.
extern "C" void __wrap__Z19platformSwapBuffersv() {  // NOLINT(bugprone-reserved-identifier)
    __real__Z19platformSwapBuffersv();
    if (!sRecording || sTicks.size() >= FRAMES + 1) return;
    sTicks.push_back(gFrameClock.startTicks);
    sSwapNs.push_back(monotonicNs());
}

int main(int argc, char** argv) {
    const bool perFrame = !(argc > 1 && std::strcmp(argv[1], "--summary") == 0);
    if (!startUp()) return 2;
    // The intro plays out as in the game: pictures and shaders of its own.
    while (gFlow.intro.active && !quitDue()) runMainPass();
    // New Game, as a click on the menu's button would queue it: the camera flies in and out.
    gUi.clicks.push(BUTTON_NEW_GAME);
    while (gFlow.phase != Phase::Play && !quitDue()) runMainPass();
    gGame.balls.count = MAX_BALLS;
    gGame.balls.spawn(platformCalendarSeconds());
    gGame.session.lives = 1000000;

    std::mt19937 rng(1);
    std::uniform_int_distribution<int> column(1 * 21, 28 * 21);
    std::uniform_int_distribution<int> row(480 - 28 * 16, 480 - 1 * 16);
    sRecording = true;
    sTicks.reserve(FRAMES + 1);
    sSwapNs.reserve(FRAMES + 1);
    for (u32 pass = 0; sTicks.size() < FRAMES + 1 && !quitDue(); ++pass) {
        if (pass % 20 == 0) {
            gInput.mouseX = column(rng);
            gInput.mouseY = row(rng);
            if (pass % 60 == 0) gInput.rightPressed = 1;
            gInput.leftPressed = 1;
        }
        // A game over would open the menu: straight back to play.
        if (gGame.session.state == GameState::Menu) gUi.clicks.push(BUTTON_RESUME);
        runMainPass();
    }
    sRecording = false;
    destroyGameWindow();
    if (sTicks.size() < 2) return 3;

    std::vector<double> tickPeriods;
    std::vector<double> swapPeriods;
    int atLeast30 = 0;
    int under31 = 0;
    int swapUnder31 = 0;
    for (size_t i = 1; i < sTicks.size(); ++i) {
        const u32 ticks = sTicks[i] - sTicks[i - 1];
        const double swap = static_cast<double>(sSwapNs[i] - sSwapNs[i - 1]) / 1e6;
        tickPeriods.push_back(static_cast<double>(ticks));
        swapPeriods.push_back(swap);
        if (ticks >= FRAME_PERIOD_MS) ++atLeast30;
        if (ticks < FRAME_PERIOD_MS + 1) ++under31;
        if (swap < static_cast<double>(FRAME_PERIOD_MS + 1)) ++swapUnder31;
        if (perFrame) std::printf("frame %zu ticks %u swap-ms %.3f\n", i, ticks, swap);
    }
    summary("tick-period-ms", tickPeriods);
    summary("swap-period-ms", swapPeriods);
    std::printf("periods %zu ticks-at-least-30 %d ticks-under-31 %d swaps-under-31 %d level %d\n",
                tickPeriods.size(), atLeast30, under31, swapUnder31, gGame.session.level);
    return 0;
}
