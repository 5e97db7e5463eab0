// replay.cpp: opening the run's recorded game, checking its checkpoints, and its summary.
#include "app/replay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/checkpoint.h"
#include "app/controls.h"
#include "app/recorder.h"
#include "app/tape.h"
#include "core/version.h"
#include "game/game.h"
#include "media/file_bytes.h"

ReplayCheck gReplayCheck;

namespace {

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
    const bool ok = parseRecording(reinterpret_cast<const char*>(bytes), size, &gTape.replayed, &error);
    std::free(bytes);
    if (!ok) {
        std::fprintf(stderr, "fendwall: %s: %s\n", path, error.c_str());
        return false;
    }
    const RecordedGame& rec = gTape.replayed;
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
    gTape.source = TapeSource::Replay;
    return true;
}

void differ(u32 step, const char* why) {
    gReplayCheck.differs = true;
    gReplayCheck.differsAt = step;
    gReplayCheck.why = why;
    stopReplay(false);
}

double millis(u64 micros) { return double(micros) / 1000.0; }

// The frames of the recording, as the line before counts them; the frames of a flight
// that finishes after the replay stopped are no part of it.
void printTimedemo(const ReplayCheck& r, u32 frames) {
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
    gReplayCheck = ReplayCheck{};
    gReplayCheck.timedemo = options.tape == TapeUse::Timedemo;
    switch (options.tape) {
        case TapeUse::None: return true;
        case TapeUse::Record: return startRecording(options.tapePath);
        case TapeUse::Replay:
        case TapeUse::Timedemo: return openReplay(options.tapePath);
    }
    return false;
}

void stopReplay(bool byWatcher) {
    if (byWatcher) gReplayCheck.stopped = true;
    gInput.quitRequested = true;
    gTape.source = TapeSource::Live;
}

void endFrameStep(u64 startMicros) {
    Tape& t = gTape;
    const u32 step = t.frame++;
    ReplayCheck& r = gReplayCheck;
    if (r.timedemo) r.frameMicros.push_back(platformMicroseconds() - startMicros);
    if (recording() && (step + 1) % CHECKPOINT_EVERY == 0) recordCheckpoint(step, gameStateHash());
    if (!replaying()) return;
    if (t.diverged) return differ(step, "it placed balls where the recording has none");
    const auto& checks = t.replayed.checkpoints;
    if (t.nextCheckpoint < checks.size() && checks[t.nextCheckpoint].frame == step) {
        if (checks[t.nextCheckpoint++].hash != gameStateHash()) return differ(step, "its state differs from the checkpoint");
        ++r.matched;
    }
    // The recording's last step: a game that ended there has ended here too, or it went
    // another way; one cut short just stops.
    if (step < t.replayed.lastFrame) return;
    if (t.replayed.ended && !gInput.quitRequested) return differ(step, "the recorded game ended here, this one goes on");
    stopReplay(false);
}

bool pacedFrames() { return !gReplayCheck.timedemo; }

int closeTape(int status) {
    Tape& t = gTape;
    ReplayCheck& r = gReplayCheck;
    const u32 last = t.frame > 0 ? t.frame - 1 : 0;
    if (recording()) {
        finishRecording(t.frame, gameStateHash());
        return status;
    }
    const RecordedGame& rec = t.replayed;
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
