// recorder.cpp: --record writes the tape to its file, flushed at every checkpoint so a game
// that is killed loses at most its last second; --replay and --timedemo feed a recording back
// and stop at the first checkpoint that differs.
#include "app/recorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/window.h"
#include "core/tape.h"
#include "core/version.h"
#include "game/game.h"
#include "media/file_bytes.h"

Recorder gRecorder;

namespace {

// Writes what is pending; false, the file closed and the recording stopped, when it cannot.
bool writePending() {
    Recorder& r = gRecorder;
    std::string& pending = gTape.pending;
    if (!r.file || pending.empty()) return r.file != nullptr;
    const bool ok = std::fwrite(pending.data(), 1, pending.size(), r.file) == pending.size() && std::fflush(r.file) == 0;
    pending.clear();
    if (ok) return true;
    r.writeError = errno;
    std::fclose(r.file);
    r.file = nullptr;
    gTape.mode = TapeMode::Live;
    return false;
}

// A write that fails in play: said once, and the game goes on. What was written replays to
// its last complete checkpoint. Once, as a failed write ends the recording, and nothing asks
// to write after that.
void writeOrGoOn() {
    if (writePending()) return;
    std::fprintf(stderr, "fendwall: cannot write the recording %s: %s; the game goes on unrecorded\n",
                 gRecorder.path.c_str(), std::strerror(gRecorder.writeError));
}

// The recording is opened, checked to be a file and started before any window opens: a
// path that cannot take it is refused with one line, and the game does not start. An
// existing file is replaced, as the player named it; anything but a regular file (a FIFO,
// a device, a folder) is left untouched, and nothing waits on it.
bool openRecording(const char* path) {
    Recorder& r = gRecorder;
    r.path = path;
    // Whether the file is new: a recording refused at its start removes only a file it made.
    constexpr int FLAGS = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = open(path, FLAGS | O_CREAT | O_EXCL, 0666);
    const bool made = fd >= 0;
    if (!made && errno == EEXIST) fd = open(path, FLAGS);
    struct stat info {};
    const char* why = fd < 0 ? whyNotOpened(path, errno) : fstat(fd, &info) != 0 ? std::strerror(errno) : notAFile(info.st_mode);
    if (!why && (ftruncate(fd, 0) != 0 || fcntl(fd, F_SETFL, 0) != 0 || !(r.file = fdopen(fd, "w")))) why = std::strerror(errno);
    if (why) {
        if (fd >= 0 && !r.file) close(fd);
        std::fprintf(stderr, "fendwall: cannot write the recording %s: %s\n", path, why);
        return false;
    }
    gTape.mode = TapeMode::Record;
    gTape.pending = headerLines(FENDWALL_VERSION, platformCalendarSeconds());
    if (writePending()) return true;
    std::fprintf(stderr, "fendwall: cannot write the recording %s: %s\n", path, std::strerror(r.writeError));
    if (made) unlink(path);
    return false;
}

bool openReplay(const char* path) {
    u8* bytes = nullptr;
    size_t size = 0;
    const char* why = "";
    const FileRead read = readFileBytes(path, RECORDING_MAX_BYTES, &bytes, &size, &why);
    if (read != FileRead::Ok) {
        if (read == FileRead::TooLarge) std::fprintf(stderr, "fendwall: %s: larger than any recording\n", path);
        if (read != FileRead::TooLarge) std::fprintf(stderr, "fendwall: %s: cannot be read: %s\n", path, why);
        return false;
    }
    std::string error;
    const bool ok = parseRecording(reinterpret_cast<const char*>(bytes), size, &gTape.replay, &error);
    std::free(bytes);
    if (!ok) {
        std::fprintf(stderr, "fendwall: %s: %s\n", path, error.c_str());
        return false;
    }
    const Recording& rec = gTape.replay;
    if (rec.gameVersion != FENDWALL_VERSION) {
        std::fprintf(stderr, "fendwall: %s was recorded by Fendwall %s, this is %s: it may not replay exactly\n", path,
                     rec.gameVersion.c_str(), FENDWALL_VERSION);
    }
    if (rec.cutAtLine) {
        std::fprintf(stderr, "fendwall: %s is cut off in line %u, before the game's end; it plays to its last "
                     "checkpoint, frame %u\n", path, rec.cutAtLine, rec.lastFrame);
    } else if (!rec.ended) {
        std::fprintf(stderr, "fendwall: %s ends without the game's end; it plays to its last checkpoint, frame %u\n",
                     path, rec.lastFrame);
    }
    gTape.mode = TapeMode::Replay;
    return true;
}

// Ends a replay from here on: the main loop stops at its next pass between phases (a flight
// under way finishes first, unchecked), and the checks stop now.
void stopReplay() {
    gInput.quitRequested = true;
    gTape.mode = TapeMode::Live;
}

void differ(u32 step, const char* why) {
    gRecorder.differs = true;
    gRecorder.differsAt = step;
    gRecorder.why = why;
    stopReplay();
}

double millis(u64 micros) { return double(micros) / 1000.0; }

// The frames of the recording, as the line before counts them; the frames of a flight
// that finishes after the replay stopped are no part of it.
void printTimedemo(const Recorder& r, u32 frames) {
    std::vector<u64> sorted(r.frameMicros.begin(), r.frameMicros.begin() + std::min<size_t>(frames, r.frameMicros.size()));
    if (sorted.empty()) return;
    std::sort(sorted.begin(), sorted.end());
    u64 total = 0;
    for (u64 t : sorted) total += t;
    const size_t n = sorted.size();
    const size_t p99 = (n * 99 + 99) / 100 - 1;  // the smallest time that 99 % of frames do not exceed
    const double seconds = double(total) / 1e6;
    std::printf("timedemo: %zu frames in %.2f s: %.2f ms mean, %.2f ms median, %.2f ms 99th percentile per frame, "
                "%.1f frames per second\n",
                n, seconds, millis(total) / double(n), millis(sorted[n / 2]), millis(sorted[p99]),
                seconds > 0.0 ? double(n) / seconds : 0.0);
}

}  // namespace

bool openTape(const LaunchOptions& options) {
    gRecorder = Recorder{};
    gRecorder.timedemo = options.tape == TapeUse::Timedemo;
    switch (options.tape) {
        case TapeUse::None: return true;
        case TapeUse::Record: return openRecording(options.tapePath);
        case TapeUse::Replay:
        case TapeUse::Timedemo: return openReplay(options.tapePath);
    }
    return false;
}

bool replayedMessage(PlatformEvent* event) {
    // The window stays the player's: it can be resized, switched to full screen or closed,
    // which ends the replay. Every other live message is dropped.
    PlatformEvent live;
    while (platformPollEvent(&live)) {
        if (live.type == PlatformEventType::Resize || live.type == PlatformEventType::ToggleFullscreen) {
            windowProcedure(live);
        } else if (live.type == PlatformEventType::Close || live.type == PlatformEventType::Quit) {
            gRecorder.stopped = true;
            stopReplay();
            return false;
        }
    }
    Tape& t = gTape;
    const auto& messages = t.replay.messages;
    if (t.nextMessage >= messages.size() || messages[t.nextMessage].frame != t.frame) return false;
    *event = messages[t.nextMessage++].event;
    return true;
}

void recordMessage(const PlatformEvent& event) {
    // A key without a Windows code changes nothing but what the bindings make of it, which
    // is recorded on its own.
    const bool key = event.type == PlatformEventType::KeyDown || event.type == PlatformEventType::KeyUp;
    if (key && event.key == 0) return;
    if (gTape.mode == TapeMode::Record && recordedMessage(event.type)) gTape.pending += messageLine(gTape.frame, event);
}

BoundInput replayedBound() {
    Tape& t = gTape;
    const auto& bound = t.replay.bound;
    if (t.nextBound >= bound.size() || bound[t.nextBound].frame != t.frame) return {};
    return bound[t.nextBound++].input;
}

void recordBound(const BoundInput& bound) {
    if (gTape.mode == TapeMode::Record) gTape.pending += boundLine(gTape.frame, bound);
}

void endFrameStep() {
    Tape& t = gTape;
    const u32 step = t.frame++;
    Recorder& r = gRecorder;
    if (r.timedemo) r.frameMicros.push_back(platformMicroseconds() - gFrameClock.startMicros);
    if (t.mode == TapeMode::Record && (step + 1) % CHECKPOINT_EVERY == 0) {
        t.pending += checkpointLine(step, gameStateHash());
        writeOrGoOn();
    }
    if (t.mode != TapeMode::Replay) return;
    if (t.diverged) return differ(step, "it placed balls where the recording has none");
    const auto& checks = t.replay.checkpoints;
    if (t.nextCheckpoint < checks.size() && checks[t.nextCheckpoint].frame == step) {
        if (checks[t.nextCheckpoint++].hash != gameStateHash()) return differ(step, "its state differs from the checkpoint");
        ++r.matched;
    }
    // The recording's last step: a game that ended there has ended here too, or it went
    // another way; one cut short just stops.
    if (step < t.replay.lastFrame) return;
    if (t.replay.ended && !gInput.quitRequested) return differ(step, "the recorded game ended here, this one goes on");
    stopReplay();
}

bool pacedFrames() { return !gRecorder.timedemo; }

int closeTape(int status) {
    Tape& t = gTape;
    Recorder& r = gRecorder;
    const u32 last = t.frame > 0 ? t.frame - 1 : 0;
    if (r.file) {
        // The last step's checkpoint, unless it has one, and the end; a game that never
        // drew a frame leaves just the header.
        if (t.frame > 0 && t.frame % CHECKPOINT_EVERY != 0) t.pending += checkpointLine(last, gameStateHash());
        if (t.frame > 0) t.pending += endLine(last);
        writeOrGoOn();
        if (r.file) std::fclose(r.file);
        r.file = nullptr;
        return status;
    }
    const Recording& rec = t.replay;
    // Played live, or a replay that never got a window: nothing to judge.
    if (rec.checkpoints.empty() || t.frame == 0) return status;
    const GameSession& s = gGame.session;
    if (!r.differs && !r.stopped && rec.ended && last != rec.lastFrame) {
        r.differs = true, r.differsAt = last, r.why = "it ended before the recorded game";
    }
    if (r.differs) {
        std::fprintf(stderr, "fendwall: the replay went its own way by frame %u of %u: %s (%u checkpoints matched before)\n",
                     r.differsAt, rec.lastFrame, r.why, r.matched);
        return 3;
    }
    // A replay that stopped in a camera flight shows the flight's last frames, unchecked.
    const u32 frames = (r.stopped ? last : std::min(last, rec.lastFrame)) + 1;
    std::printf("%s: %u frames%s, level %d, score %d, %u of %zu checkpoints matched\n",
                r.timedemo ? "timedemo" : "replay", frames, r.stopped ? " (stopped: the window was closed)" : "",
                s.level, s.score, r.matched, rec.checkpoints.size());
    if (r.timedemo) printTimedemo(r, frames);
    return r.stopped ? 1 : 0;
}
