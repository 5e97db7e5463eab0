// platform_scripted.cpp: the platform seam for tests: virtual clock, scripted input, recorded boxes.
#include "app/platform_scripted.h"

#include <deque>

namespace {

struct ScriptedMachine {
    u32 now = 1000;
    u32 step = 1;
    u32 reads = 0;
    std::function<u32(u32)> source;
    i64 seconds = 1700000000;
    std::deque<PlatformEvent> events;
    std::vector<scripted::Box> boxes;
    i32 yesNoAnswer = IDYES;
    bool videoFails = false;
    bool displayModeFails = false;
    WindowOpenResult openResult = WindowOpenResult::Ok;
    bool videoUp = false;
    bool windowOpen = false;
    bool cursorVisible = true;
    u32 swaps = 0;
    u32 quits = 0;
    std::function<void()> swapHook;
};

ScriptedMachine& machine() {
    static ScriptedMachine m;
    return m;
}

}  // namespace

namespace scripted {

void reset() { machine() = ScriptedMachine{}; }
void setTicks(u32 now) { machine().now = now; }
void setTickStep(u32 stepPerRead) { machine().step = stepPerRead; }
u32 ticks() { return machine().now; }
u32 tickReads() { return machine().reads; }
void setTickSource(std::function<u32(u32)> source) { machine().source = std::move(source); }
void setCalendarSeconds(i64 seconds) { machine().seconds = seconds; }
void pushEvent(const PlatformEvent& event) { machine().events.push_back(event); }
size_t pendingEvents() { return machine().events.size(); }
const std::vector<Box>& boxes() { return machine().boxes; }
void setYesNoAnswer(i32 answer) { machine().yesNoAnswer = answer; }
void failVideoInit(bool fail) { machine().videoFails = fail; }
void failWindowOpen(WindowOpenResult result) { machine().openResult = result; }
void failDisplayMode(bool fail) { machine().displayModeFails = fail; }
bool windowOpen() { return machine().windowOpen; }
bool cursorVisible() { return machine().cursorVisible; }
u32 swaps() { return machine().swaps; }
u32 quitsPosted() { return machine().quits; }
void setSwapHook(std::function<void()> hook) { machine().swapHook = std::move(hook); }

}  // namespace scripted

u32 platformTicks() {
    ScriptedMachine& m = machine();
    const u32 index = m.reads++;
    if (m.source) return m.source(index);
    const u32 value = m.now;
    m.now += m.step;
    return value;
}

i64 platformCalendarSeconds() { return machine().seconds; }

i32 platformMessageBox(const char* text, const char* caption, u32 flags) {
    machine().boxes.push_back({text ? text : "", caption ? caption : "", flags});
    return (flags & MB_YESNO) ? machine().yesNoAnswer : IDOK;
}

bool platformInitVideo() {
    if (machine().videoFails) return false;
    machine().videoUp = true;
    return true;
}

void platformQuitVideo() { machine().videoUp = false; }

bool platformSetDisplayMode(i32, i32, i32) { return !machine().displayModeFails; }

void platformRestoreDisplayMode() {}

WindowOpenResult platformOpenWindow(const char*, i32, i32, i32, bool) {
    ScriptedMachine& m = machine();
    // A failure after the window step leaves a window behind for the caller to release.
    m.windowOpen = m.openResult != WindowOpenResult::WindowFailed &&
                   m.openResult != WindowOpenResult::PixelFormatFailed;
    return m.openResult;
}

void platformCloseWindow() { machine().windowOpen = false; }

void platformShowCursor(bool show) { machine().cursorVisible = show; }

void platformSwapBuffers() {
    ++machine().swaps;
    if (machine().swapHook) machine().swapHook();
}

bool platformPollEvent(PlatformEvent* event) {
    ScriptedMachine& m = machine();
    if (m.events.empty()) return false;
    *event = m.events.front();
    m.events.pop_front();
    // Consecutive moves arrive as one, with the newest position, as on the real platform.
    while (event->type == PlatformEventType::MouseMove && !m.events.empty() &&
           m.events.front().type == PlatformEventType::MouseMove) {
        *event = m.events.front();
        m.events.pop_front();
    }
    return true;
}

void platformPostQuit() {
    ++machine().quits;
    machine().events.push_back({PlatformEventType::Quit, 0, 0, 0});
}
