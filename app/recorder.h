// recorder.h: recorded games. --record writes, frame step by frame step, what reaches the
// game from outside, with checkpoints of its state; --replay and --timedemo play a recording
// back instead of the player and check every checkpoint.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "core/input.h"
#include "core/types.h"
#include "platform/platform.h"

struct Recorder {
    std::FILE* file = nullptr;  // --record
    std::string path;
    int writeError = 0;  // errno of the write that stopped the recording
    bool timedemo = false;
    bool stopped = false;  // the player closed the window during a replay
    bool differs = false;  // the replay went its own way
    u32 differsAt = 0;     // the frame step that told
    const char* why = "";
    u32 matched = 0;       // checkpoints
    std::vector<u64> frameMicros;  // a timedemo's frame steps, start to end
};

extern Recorder gRecorder;

// Before start-up, which already reads the calendar. False, with one line on stderr, when the
// recording cannot be written or cannot be played: the game does not start then.
bool openTape(const LaunchOptions& options);
// In a replay, the message this frame step takes from the recording; the window's own
// (size, full screen, close) are handled on the side, and the player's input goes nowhere.
bool replayedMessage(PlatformEvent* event);
void recordMessage(const PlatformEvent& event);  // a message the game is about to act on
// In a replay, what the bindings made of this frame step, as recorded; empty when nothing.
BoundInput replayedBound();
void recordBound(const BoundInput& bound);
void endFrameStep();    // counts the step, and writes or checks its checkpoint
bool pacedFrames();     // false in a timedemo: frames follow each other without a wait
// After the main loop: the last checkpoint and end, or the replay's summary. Returns the
// exit status: the game's own when recording or playing live.
int closeTape(int status);

u64 gameStateHash();
// The menu's windows, buttons and click queue, as gameStateHash counts them.
struct Hasher;
struct Ui;
void hashUi(Hasher& h, const Ui& ui);
