// tape.h: what reaches the game from outside, live or played back from a recording, and the
// lines that record it while a game is recorded.
#pragma once
#include <string>

#include "core/recording.h"

enum class TapeMode { Live, Record, Replay };

struct Tape {
    TapeMode mode = TapeMode::Live;
    u32 frame = 0;        // frame steps completed
    std::string pending;  // recorded lines not yet written out
    Recording replay;     // the recording played back
    size_t nextMessage = 0;
    size_t nextBound = 0;
    size_t nextSeconds = 0;
    size_t nextCheckpoint = 0;
    bool diverged = false;  // the game read the calendar where the recording did not
};

extern Tape gTape;

// The calendar in whole seconds, as the game reads it to place balls: the clock, recorded
// while recording; the recorded value in a replay.
i64 calendarSeconds();
