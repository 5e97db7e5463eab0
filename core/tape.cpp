// tape.cpp: the calendar read through the tape, so a replay places the balls as the game did.
#include "core/tape.h"

Tape gTape;

i64 calendarSeconds() {
    Tape& t = gTape;
    if (t.mode == TapeMode::Replay) {
        const auto& recorded = t.replay.seconds;
        if (t.nextSeconds < recorded.size() && recorded[t.nextSeconds].frame == t.frame) {
            return recorded[t.nextSeconds++].seconds;
        }
        t.diverged = true;
        return 0;
    }
    // The balls are seeded with the low 32 bits; those are what a recording keeps.
    const i64 now = i64(u32(platformCalendarSeconds()));
    if (t.mode == TapeMode::Record) t.pending += secondsLine(t.frame, now);
    return now;
}
