// command_line.h: the few options the program takes.
#pragma once

// Full screen or the window: --fullscreen and --window choose for one run, otherwise the
// game opens as it was left.
enum class WindowChoice { Remembered, Fullscreen, Window };

// What the game does with a recorded game: nothing, write one, or play one back at the
// game's own pace or as fast as the machine draws.
enum class TapeUse { None, Record, Replay, Timedemo };

struct LaunchOptions {
    WindowChoice window = WindowChoice::Remembered;
    TapeUse tape = TapeUse::None;
    const char* tapePath = nullptr;  // the recording's file
};

// Reads every option, then acts: an unknown or incomplete option prints a usage line to
// stderr (status 2), wherever it stands; else --help or --version prints to stdout (status
// 0). Returns the status to end with; -1: go on and play.
int readCommandLine(int argc, const char* const* argv, LaunchOptions* options);
