// frame_step.h: one frame step: latch the clicks, draw, swap, take one window message, and
// wait out the frame period.
#pragma once
#include "core/types.h"

constexpr u32 FRAME_PERIOD_MS = 30;
constexpr u32 FRAME_SPIN_MS = 2;  // the end of the wait that spins instead of sleeping

struct FrameClock {
    u32 startTicks = 0;          // the clock when the current frame step began
    u64 startMicros = 0;         // the same on the finer clock, to measure a timedemo
    f32 framesPerSecond = 0.0f;  // of the last frame step, in whole frames
};

extern FrameClock gFrameClock;

void stepFrame();
void drawFrame();  // the picture the logic settled for this frame, changing nothing
