// tape.cpp: live messages mapped into the game's screen, or the recorded ones handed out
// frame step by frame step.
#include "app/tape.h"

#include "app/recorder.h"
#include "render/frame.h"

Tape gTape;

namespace {

// A message from the window, its mouse position mapped into the game's 640 x 480 screen
// wherever that lies in the window: the game, and a recording, see only the screen.
bool liveMessage(PlatformEvent* event) {
    if (!platformPollEvent(event)) return false;
    const PlatformEventType t = event->type;
    if (t == PlatformEventType::MouseMove || t == PlatformEventType::LeftDown || t == PlatformEventType::RightDown) {
        event->x &= 0xFFFF;
        event->y &= 0xFFFF;
        windowPointToScreen(&event->x, &event->y);
    }
    return true;
}

}  // namespace

bool replaying() { return gTape.source == TapeSource::Replay; }

bool tapeMessage(PlatformEvent* event) {
    Tape& t = gTape;
    if (!replaying()) return liveMessage(event);
    const auto& messages = t.replayed.messages;
    if (t.nextMessage >= messages.size() || messages[t.nextMessage].frame != t.frame) return false;
    *event = messages[t.nextMessage++].event;
    return true;
}

BoundInput tapeBound(const PlatformEvent* message, const PlatformPads& pads, Surface surface, const MenuStops& menu) {
    Tape& t = gTape;
    if (!replaying()) return bindDevices(message, pads, surface, menu, gInput);
    const auto& bound = t.replayed.bound;
    if (t.nextBound >= bound.size() || bound[t.nextBound].frame != t.frame) return {};
    return bound[t.nextBound++].input;
}

i64 tapeCalendarSeconds() {
    Tape& t = gTape;
    if (replaying()) {
        const auto& recorded = t.replayed.seconds;
        if (t.nextSeconds < recorded.size() && recorded[t.nextSeconds].frame == t.frame) {
            return recorded[t.nextSeconds++].seconds;
        }
        t.diverged = true;
        return 0;
    }
    // The balls are seeded with the low 32 bits; those are what a recording keeps.
    const i64 now = i64(u32(platformCalendarSeconds()));
    recordSeconds(t.frame, now);
    return now;
}
