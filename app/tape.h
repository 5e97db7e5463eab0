// tape.h: the one source of what reaches the game from outside: the window's messages, what
// the bindings made of the devices, the calendar seconds. Live from the platform, or played
// back from a recorded game. The frame step and the phases ask it; the frame step hands the
// recorder each message once the game acts on it, and the calendar is recorded as it is read.
#pragma once
#include <cstddef>

#include "app/controls.h"
#include "core/recording.h"

enum class TapeSource { Live, Replay };

struct Tape {
    TapeSource source = TapeSource::Live;
    u32 frame = 0;          // frame steps completed: the step a recording's lines name
    RecordedGame replayed;  // the game played back
    size_t nextMessage = 0;
    size_t nextBound = 0;
    size_t nextSeconds = 0;
    size_t nextCheckpoint = 0;
    bool diverged = false;  // the game read the calendar where the recording did not
};

extern Tape gTape;

bool replaying();
// This frame step's window message, its pointer in the 640 x 480 screen; false when none.
// Live: the window's next message. In a replay: the recorded one; the window's own are the
// frame step's to handle.
bool tapeMessage(PlatformEvent* event);
// What the bindings made of this frame step: live, from its message (null when none), the
// pads and where the pointer may go; in a replay, as recorded; empty when nothing.
BoundInput tapeBound(const PlatformEvent* message, const PlatformPads& pads, Surface surface, const MenuStops& menu);
// The calendar in whole seconds, as the game reads it to place balls: the clock, recorded
// while recording; the recorded value in a replay.
i64 tapeCalendarSeconds();
