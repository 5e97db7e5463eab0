// frame_step.h: one frame step: latch the clicks, draw, wait out the frame period, show the
// picture, take one window message, and count the step.
#pragma once
#include "core/types.h"

constexpr u32 FRAME_PERIOD_MS = 30;
// How late after its deadline a frame may begin and still keep the schedule: a wake-up
// from the wait is late by a fraction of a millisecond, a frame that ran long by more.
constexpr u32 FRAME_WAKE_SLACK_MS = 2;

struct FrameClock {
    u32 startTicks = 0;          // the clock when the current frame step began
    u32 deadline = 0;            // when its period ends, and the next one begins
    u64 startMicros = 0;         // the same on the finer clock, to measure a timedemo
    f32 framesPerSecond = 0.0f;  // of the last frame step, in whole frames
    bool shown = false;          // a picture is on the screen: the next waits for its deadline
};

extern FrameClock gFrameClock;

void stepFrame();
void drawFrame();  // the picture the step composed, into the area render/ chooses
