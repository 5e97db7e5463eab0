// recording.h: a recorded game as text: a header, then, frame step by frame step, what reached
// the game from outside (the window messages it took, the calendar seconds it read) and
// checkpoints of its state. Read from any bytes without trusting them.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "core/input.h"
#include "core/types.h"
#include "platform/platform.h"

// 2: what the keyboard's and pads' bindings produced ("act" lines). 3: an act may pause or
// resume play. Older formats are read as ever.
constexpr u32 RECORDING_FORMAT = 3;
constexpr const char* RECORDING_MAGIC = "fendwall-recording";
constexpr size_t RECORDING_MAX_BYTES = 32u << 20;
constexpr u32 RECORDING_MAX_FRAME = 10000000;  // about 83 hours at 30 ms a frame
constexpr u32 CHECKPOINT_EVERY = 32;           // frame steps: a little under a second of play

// Every entry names the frame step it belongs to, counted from 0: the step that took the
// message, the step before which the calendar was read, the step at whose end the state was
// hashed.
struct RecordedMessage {
    u32 frame = 0;
    PlatformEvent event{};  // mouse positions in the 640 x 480 screen
};
struct RecordedBound {
    u32 frame = 0;
    BoundInput input;  // never empty
};
struct RecordedSeconds {
    u32 frame = 0;
    i64 seconds = 0;
};
struct RecordedCheckpoint {
    u32 frame = 0;
    u64 hash = 0;
};

struct RecordedGame {
    std::string gameVersion;
    std::string date;
    u32 format = RECORDING_FORMAT;
    std::vector<RecordedMessage> messages;
    std::vector<RecordedBound> bound;  // at most one a step, beside its message
    std::vector<RecordedSeconds> seconds;
    std::vector<RecordedCheckpoint> checkpoints;
    bool ended = false;  // the game's own end is recorded; without it the game was cut short
    u32 cutAtLine = 0;   // the file ends in this line, without its newline (0: at a line's end)
    u32 lastFrame = 0;   // the step in which the game ended
};

// False, with a one-line reason in *error, when the bytes are not a recording this game can
// play. A recording cut short, at a line's end or inside a line, plays to its last complete
// checkpoint: the entries after it are dropped, as nothing could check them.
bool parseRecording(const char* data, size_t size, RecordedGame* out, std::string* error);

// Whether the game records this message: only what changes its state, so never the
// window's own (size, full screen, focus) and never a close request, whose quit follows.
bool recordedMessage(PlatformEventType type);

// The lines a recording is made of, each with its newline.
std::string headerLines(const char* gameVersion, i64 calendarSeconds);
std::string messageLine(u32 frame, const PlatformEvent& event);
std::string boundLine(u32 frame, const BoundInput& bound);  // empty for an empty one
std::string secondsLine(u32 frame, i64 seconds);
std::string checkpointLine(u32 frame, u64 hash);
std::string endLine(u32 frame);
