// recorder.cpp: the recording file. Flushed at every checkpoint; a write that fails ends the
// recording, and the game goes on.
#include "app/recorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/recording.h"
#include "core/version.h"
#include "media/file_bytes.h"

Recorder gRecorder;

namespace {

// Writes what is pending; false, the file closed and the recording stopped, when it cannot.
bool writePending() {
    Recorder& r = gRecorder;
    std::string& pending = r.pending;
    if (!r.file || pending.empty()) return r.file != nullptr;
    const bool ok = std::fwrite(pending.data(), 1, pending.size(), r.file) == pending.size() && std::fflush(r.file) == 0;
    pending.clear();
    if (ok) return true;
    r.writeError = errno;
    std::fclose(r.file);
    r.file = nullptr;
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

}  // namespace

// An existing file is replaced, as the player named it; anything but a regular file (a
// FIFO, a device, a folder) is left untouched, and nothing waits on it.
bool startRecording(const char* path) {
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
    r.pending = headerLines(FENDWALL_VERSION, platformCalendarSeconds());
    if (writePending()) return true;
    std::fprintf(stderr, "fendwall: cannot write the recording %s: %s\n", path, std::strerror(r.writeError));
    if (made) unlink(path);
    return false;
}

bool recording() { return gRecorder.file != nullptr; }

void recordMessage(u32 frame, const PlatformEvent& event) {
    // A key without a Windows code changes nothing but what the bindings make of it, which
    // is recorded on its own.
    const bool key = event.type == PlatformEventType::KeyDown || event.type == PlatformEventType::KeyUp;
    if (key && event.key == 0) return;
    if (recording() && recordedMessage(event.type)) gRecorder.pending += messageLine(frame, event);
}

void recordBound(u32 frame, const BoundInput& bound) {
    if (recording()) gRecorder.pending += boundLine(frame, bound);
}

void recordSeconds(u32 frame, i64 seconds) {
    if (recording()) gRecorder.pending += secondsLine(frame, seconds);
}

void recordCheckpoint(u32 step, u64 stateHash) {
    if (!recording()) return;
    gRecorder.pending += checkpointLine(step, stateHash);
    writeOrGoOn();
}

void finishRecording(u32 steps, u64 stateHash) {
    Recorder& r = gRecorder;
    if (!r.file) return;
    const u32 last = steps > 0 ? steps - 1 : 0;
    if (steps > 0 && steps % CHECKPOINT_EVERY != 0) r.pending += checkpointLine(last, stateHash);
    if (steps > 0) r.pending += endLine(last);
    writeOrGoOn();
    if (r.file) std::fclose(r.file);
    r.file = nullptr;
}
