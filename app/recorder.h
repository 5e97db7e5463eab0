// recorder.h: --record: the recording file, written with what the game took from the tape,
// step by step, and a checkpoint of its state every CHECKPOINT_EVERY steps.
#pragma once
#include <cstdio>
#include <string>

#include "core/input.h"
#include "core/types.h"
#include "platform/platform.h"

struct Recorder {
    std::FILE* file = nullptr;  // open while the game is recorded
    std::string path;
    std::string pending;  // lines not yet written out: they go at each checkpoint
    int writeError = 0;   // errno of the write that stopped the recording
};

extern Recorder gRecorder;

// Opens, checks and starts the file before any window opens. False, with one line on stderr,
// when it cannot take the recording: the game does not start then.
bool startRecording(const char* path);
bool recording();
// The lines of frame step `frame`. A message or a bound input is recorded when the game acts
// on it; the calendar when it is read.
void recordMessage(u32 frame, const PlatformEvent& event);
void recordBound(u32 frame, const BoundInput& bound);
void recordSeconds(u32 frame, i64 seconds);
// The checkpoint at the end of step `step`, then everything pending written out, so a game
// that is killed loses at most its last second.
void recordCheckpoint(u32 step, u64 stateHash);
// After the last of `steps` frame steps: its checkpoint unless it has one, the end, and the
// file closed. A game that never drew a frame leaves just the header.
void finishRecording(u32 steps, u64 stateHash);
