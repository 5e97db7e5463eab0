// fuzz_recording.cpp: libFuzzer target for the recorded-game reader. Besides the sanitizers'
// checks: a refusal says why in one line; a recording it accepts keeps every promise the
// replay relies on (frames in order and in range, one message a step, positions on the screen,
// keys inside the key table, a checkpoint to check), and written out again with the game's own
// line writers it reads back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/recording.h"
#include "core/screen.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

bool inOrder(const RecordedGame& r) {
    u32 last = 0;
    for (size_t i = 0; i < r.messages.size(); ++i) {
        const RecordedMessage& m = r.messages[i];
        const PlatformEvent& e = m.event;
        if (i > 0 && m.frame <= last) return false;
        if (!recordedMessage(e.type) || m.frame > r.lastFrame) return false;
        if ((e.type == PlatformEventType::KeyDown || e.type == PlatformEventType::KeyUp) && (e.key < 1 || e.key > 255)) return false;
        if (e.x < 0 || e.x >= SCREEN_WIDTH || e.y < 0 || e.y >= SCREEN_HEIGHT) return false;
        last = m.frame;
    }
    for (size_t i = 0; i < r.bound.size(); ++i) {
        const RecordedBound& b = r.bound[i];
        if ((i > 0 && b.frame <= r.bound[i - 1].frame) || b.frame > r.lastFrame || !b.input.any() || r.format < 2) return false;
        if (b.input.x < 0 || b.input.x >= SCREEN_WIDTH || b.input.y < 0 || b.input.y >= SCREEN_HEIGHT) return false;
    }
    for (size_t i = 0; i < r.checkpoints.size(); ++i) {
        if ((i > 0 && r.checkpoints[i].frame <= r.checkpoints[i - 1].frame) || r.checkpoints[i].frame > r.lastFrame) return false;
    }
    for (size_t i = 0; i < r.seconds.size(); ++i) {
        if ((i > 0 && r.seconds[i].frame < r.seconds[i - 1].frame) || r.seconds[i].frame > r.lastFrame) return false;
    }
    return !r.checkpoints.empty() && r.lastFrame <= RECORDING_MAX_FRAME;
}

// The entries in the order the game writes them: in each frame the calendar, the message, what
// the bindings made, the checkpoint.
std::string written(const RecordedGame& r) {
    std::string text = headerLines(r.gameVersion.c_str(), 0);
    text.replace(text.find("date ") + 5, text.find('\n', text.find("date ")) - text.find("date ") - 5, r.date);
    size_t s = 0, m = 0, b = 0, c = 0;
    for (u32 frame = 0;; ++frame) {
        while (s < r.seconds.size() && r.seconds[s].frame == frame) text += secondsLine(frame, r.seconds[s++].seconds);
        if (m < r.messages.size() && r.messages[m].frame == frame) text += messageLine(frame, r.messages[m++].event);
        if (b < r.bound.size() && r.bound[b].frame == frame) text += boundLine(frame, r.bound[b++].input);
        if (c < r.checkpoints.size() && r.checkpoints[c].frame == frame) text += checkpointLine(frame, r.checkpoints[c++].hash);
        if (frame >= r.lastFrame) break;
        // Skip the steps in which nothing was recorded.
        u32 next = r.lastFrame;
        if (s < r.seconds.size()) next = std::min(next, r.seconds[s].frame);
        if (m < r.messages.size()) next = std::min(next, r.messages[m].frame);
        if (b < r.bound.size()) next = std::min(next, r.bound[b].frame);
        if (c < r.checkpoints.size()) next = std::min(next, r.checkpoints[c].frame);
        frame = next - 1;
    }
    return r.ended ? text + endLine(r.lastFrame) : text;
}

bool same(const RecordedGame& a, const RecordedGame& b) {
    if (a.gameVersion != b.gameVersion || a.date != b.date || a.ended != b.ended || a.lastFrame != b.lastFrame) return false;
    if (a.messages.size() != b.messages.size() || a.seconds.size() != b.seconds.size() || a.checkpoints.size() != b.checkpoints.size()) return false;
    for (size_t i = 0; i < a.messages.size(); ++i) {
        const PlatformEvent &x = a.messages[i].event, &y = b.messages[i].event;
        if (a.messages[i].frame != b.messages[i].frame || x.type != y.type || x.key != y.key || x.x != y.x || x.y != y.y) return false;
    }
    if (a.bound.size() != b.bound.size()) return false;
    for (size_t i = 0; i < a.bound.size(); ++i) {
        const BoundInput &x = a.bound[i].input, &y = b.bound[i].input;
        if (a.bound[i].frame != b.bound[i].frame || x.point != y.point || x.x != y.x || x.y != y.y || x.left != y.left ||
            x.right != y.right || x.menu != y.menu) {
            return false;
        }
    }
    for (size_t i = 0; i < a.seconds.size(); ++i) {
        if (a.seconds[i].frame != b.seconds[i].frame || a.seconds[i].seconds != b.seconds[i].seconds) return false;
    }
    for (size_t i = 0; i < a.checkpoints.size(); ++i) {
        if (a.checkpoints[i].frame != b.checkpoints[i].frame || a.checkpoints[i].hash != b.checkpoints[i].hash) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordedGame recording;
    std::string error;
    if (!parseRecording(reinterpret_cast<const char*>(data), size, &recording, &error)) {
        check(!error.empty() && error.find('\n') == std::string::npos);
        return 0;
    }
    check(inOrder(recording));
    const std::string text = written(recording);
    RecordedGame again;
    check(parseRecording(text.data(), text.size(), &again, &error) && same(recording, again));
    return 0;
}
