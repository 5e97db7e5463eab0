// platform_scripted.h: the test side of the platform seam: a virtual clock, scripted
// events and a record of the message boxes, so whole games run headless in milliseconds.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/platform.h"

namespace scripted {

struct Box {
    std::string text;
    std::string caption;
    u32 flags;
};

// Back to a fresh machine: clock at 1000 ms advancing 1 ms per read, no events, no boxes.
void reset();

// The clock. By default every read returns the current time and then advances it by the
// step, so the frame step's busy-wait ends after FRAME_PERIOD_MS reads.
void setTicks(u32 now);
void setTickStep(u32 stepPerRead);
u32 ticks();
u32 tickReads();
// Replaces the clock with a function of the read number (0, 1, 2, ...).
void setTickSource(std::function<u32(u32 readIndex)> source);
void setCalendarSeconds(i64 seconds);

// Events, delivered in order by platformPollEvent, one per call.
void pushEvent(const PlatformEvent& event);
size_t pendingEvents();

// Message boxes shown so far, and the answer the next Yes/No question gets.
const std::vector<Box>& boxes();
void setYesNoAnswer(i32 answer);

// Window: which step fails next time, and what the game did with it.
void failVideoInit(bool fail);
void failWindowOpen(WindowOpenResult result);
void failDisplayMode(bool fail);
bool windowOpen();
bool cursorVisible();
u32 swaps();
u32 quitsPosted();

}  // namespace scripted

namespace scripted {
// Called after every buffer swap, i.e. once per frame step, also inside transitions.
void setSwapHook(std::function<void()> hook);
}  // namespace scripted
