// platform_scripted.cpp: the platform seam for tests: virtual clock, scripted input, recorded boxes.
#include "platform/scripted/platform_scripted.h"

#include <array>
#include <deque>

namespace {

struct ScriptedMachine {
    std::uint32_t now = 1000;
    std::uint32_t reads = 0;  // reads of a replaced clock
    std::uint32_t slept = 0;  // milliseconds given away by sleeps
    std::uint32_t lastRead = 1000;  // the clock's value at its last read
    std::function<std::uint32_t(std::uint32_t)> source;
    std::int64_t seconds = 1700000000;
    std::deque<PlatformEvent> events;
    std::vector<scripted::Box> boxes;
    bool videoFails = false;
    WindowOpenResult openResult = WindowOpenResult::Ok;
    bool windowOpen = false;
    bool fullscreen = false;
    bool maximised = false;
    std::int32_t pixelsPerUnit = 1;
    std::int32_t width = 0;  // of the window as opened, in its units
    std::int32_t height = 0;
    bool cursorShown = true;
    std::vector<std::uint8_t> icon;
    std::uint32_t swaps = 0;
    bool partial = false;
    std::vector<std::array<std::int32_t, 4>> presented;  // the area each swap showed; all -1: the whole window
    std::array<std::int32_t, 4> area{-1, -1, -1, -1};
    std::function<void()> swapHook;
    PlatformPads pads;
};

ScriptedMachine& machine() {
    static ScriptedMachine m;
    return m;
}

}  // namespace

namespace scripted {

void reset() { machine() = ScriptedMachine{}; }
void setTickSource(std::function<std::uint32_t(std::uint32_t)> source) { machine().source = std::move(source); }
void setCalendarSeconds(std::int64_t seconds) { machine().seconds = seconds; }
void pushEvent(const PlatformEvent& event) { machine().events.push_back(event); }
size_t pendingEvents() { return machine().events.size(); }
const std::vector<Box>& boxes() { return machine().boxes; }
void failVideoInit(bool fail) { machine().videoFails = fail; }
void failWindowOpen(WindowOpenResult result) { machine().openResult = result; }
bool windowOpen() { return machine().windowOpen; }
bool fullscreen() { return machine().fullscreen; }
bool maximised() { return machine().maximised; }
void setPixelsPerUnit(std::int32_t pixels) { machine().pixelsPerUnit = pixels; }
std::uint32_t sleptMs() { return machine().slept; }
bool cursorShown() { return machine().cursorShown; }
const std::vector<std::uint8_t>& windowIcon() { return machine().icon; }
std::uint32_t swaps() { return machine().swaps; }
void setPartialPictures(bool partial) { machine().partial = partial; }
const std::vector<std::array<std::int32_t, 4>>& presented() { return machine().presented; }
void setSwapHook(std::function<void()> hook) { machine().swapHook = std::move(hook); }
void setPads(std::int32_t connected, std::uint32_t held, std::int32_t stickX, std::int32_t stickY) {
    PlatformPads& p = machine().pads;
    p.pressed |= held & ~p.held;
    p.connected = connected, p.held = held, p.stickX = stickX, p.stickY = stickY;
}
void pressPadButtons(std::uint32_t bits) {
    PlatformPads& p = machine().pads;
    p.pressed |= bits;
    p.held |= bits;
}
const PlatformPads& pads() { return machine().pads; }

}  // namespace scripted

std::uint32_t platformTicks() {
    ScriptedMachine& m = machine();
    if (m.source) return m.lastRead = m.source(m.reads++);
    const std::uint32_t value = m.now;
    m.now += 1;
    return m.lastRead = value;
}

std::uint64_t platformMicroseconds() { return std::uint64_t(machine().now) * 1000u; }

// A sleep passes on the virtual clock at once, so paced frames stay exact and fast. It ends
// on the deadline itself, as the real one does; a replaced clock goes its own way, and the
// sleep is only counted from its last read.
void platformSleepUntil(std::uint32_t ticks) {
    ScriptedMachine& m = machine();
    const std::uint32_t from = m.source ? m.lastRead : m.now;
    const auto ahead = static_cast<std::int32_t>(ticks - from);
    if (ahead <= 0) return;
    m.slept += static_cast<std::uint32_t>(ahead);
    if (!m.source) m.now = ticks;
}

std::int64_t platformCalendarSeconds() { return machine().seconds; }

std::int32_t platformMessageBox(const char* text, const char* caption, std::uint32_t flags) {
    machine().boxes.push_back({text ? text : "", caption ? caption : "", flags});
    return (flags & MB_YESNO) ? IDYES : IDOK;
}

bool platformInitVideo() { return !machine().videoFails; }

void platformQuitVideo() {}

bool platformSetDisplayMode(std::int32_t, std::int32_t, std::int32_t) { return true; }

void platformRestoreDisplayMode() {}

WindowOpenResult platformOpenWindow(const char*, std::int32_t width, std::int32_t height, std::int32_t, bool) {
    ScriptedMachine& m = machine();
    m.width = width;
    m.height = height;
    // A failure after the window step leaves a window behind for the caller to release.
    m.windowOpen = m.openResult != WindowOpenResult::WindowFailed &&
                   m.openResult != WindowOpenResult::PixelFormatFailed;
    return m.openResult;
}

void platformCloseWindow() { machine().windowOpen = false; }

// A maximised window is restored as it goes to full screen, as on the SDL side.
void platformSetFullscreen(bool fullscreen) { machine().fullscreen = fullscreen, machine().maximised &= !fullscreen; }

void platformSetMaximised(bool maximised) { machine().maximised = maximised; }

void platformSetMinimumWindowSize(std::int32_t, std::int32_t) {}

void platformPixelsToWindowUnits(std::int32_t* width, std::int32_t* height) { *width /= machine().pixelsPerUnit, *height /= machine().pixelsPerUnit; }

void platformWindowSize(std::int32_t* width, std::int32_t* height) {
    const ScriptedMachine& m = machine();
    *width = (m.fullscreen ? scripted::DESKTOP_WIDTH : m.width) * m.pixelsPerUnit;
    *height = (m.fullscreen ? scripted::DESKTOP_HEIGHT : m.height) * m.pixelsPerUnit;
}

bool platformDisplaySize(std::int32_t* width, std::int32_t* height) {
    *width = scripted::DESKTOP_WIDTH, *height = scripted::DESKTOP_HEIGHT;
    return true;
}

void platformShowCursor(bool show) { machine().cursorShown = show; }

void platformSetWindowIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height) {
    if (rgba && width > 0 && height > 0) machine().icon.assign(rgba, rgba + size_t(width) * height * 4);
}

void platformSwapBuffers() {
    ScriptedMachine& m = machine();
    ++m.swaps;
    if (m.partial) m.presented.push_back(m.area);
    m.area = {-1, -1, -1, -1};
    if (m.swapHook) m.swapHook();
}

bool platformPartialPictures() { return machine().partial; }

void platformPresentArea(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    machine().area = {x, y, width, height};
}

bool platformPollEvent(PlatformEvent* event) {
    ScriptedMachine& m = machine();
    if (m.events.empty()) return false;
    *event = m.events.front();
    m.events.pop_front();
    // A Resize says what the window manager did, which sends a Maximise and the Resize after it
    // at once: the window has its new size as soon as either is taken.
    const PlatformEvent& sized = event->type == PlatformEventType::Maximise && !m.events.empty() ? m.events.front() : *event;
    if (sized.type == PlatformEventType::Resize && !m.fullscreen) m.width = sized.x / m.pixelsPerUnit, m.height = sized.y / m.pixelsPerUnit;
    // Consecutive moves arrive as one, with the newest position, as on the real platform.
    while (event->type == PlatformEventType::MouseMove && !m.events.empty() &&
           m.events.front().type == PlatformEventType::MouseMove) {
        *event = m.events.front();
        m.events.pop_front();
    }
    return true;
}

void platformReadPads(PlatformPads* pads) {
    PlatformPads& p = machine().pads;
    *pads = p;
    p.pressed = 0;
}

void platformPostQuit() {
    machine().events.push_back({PlatformEventType::Quit, 0, 0, 0});
}
