// replay.h: a run's recorded game: --record starts the recorder; --replay and --timedemo
// load a recorded game onto the tape and check every checkpoint against it, stopping at the
// first that differs.
#pragma once
#include <vector>

#include "app/command_line.h"
#include "core/types.h"

struct ReplayCheck {
    bool timedemo = false;
    bool stopped = false;  // the watcher closed the window
    bool differs = false;  // the replay went its own way
    u32 differsAt = 0;     // the frame step that told
    const char* why = "";
    u32 matched = 0;                // checkpoints
    std::vector<u64> frameMicros;  // a timedemo's frame steps, start to end
};

extern ReplayCheck gReplayCheck;

// Before start-up, which already reads the calendar. False, with one line on stderr, when the
// recording cannot be written or cannot be played: the game does not start then.
bool openTape(const LaunchOptions& options);
// Ends a replay from here on: the main loop stops at its next pass between phases (a flight
// under way finishes first, unchecked), and the checks stop now. `byWatcher`: the window was
// closed.
void stopReplay(bool byWatcher);
// Counts the step begun at `startMicros`, and writes or checks its checkpoint.
void endFrameStep(u64 startMicros);
bool pacedFrames();  // false in a timedemo: frames follow each other without a wait
// After the main loop: the last checkpoint and end, or the replay's summary. Returns the
// exit status: the game's own when recording or playing live.
int closeTape(int status);
