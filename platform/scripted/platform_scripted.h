// platform_scripted.h: the test side of the platform seam: a virtual clock, scripted events
// and pads, and a record of what the game did with the window (message boxes, full screen,
// cursor, icon, swaps, pictures shown in part), so whole games run headless in milliseconds.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace scripted {

struct Box {
    std::string text;
    std::string caption;
    std::uint32_t flags;
};

// Back to a fresh machine: clock at 1000 ms advancing 1 ms per read, no events, no boxes.
void reset();

// The clock. By default every read returns the current time and then advances it by 1 ms,
// so a wait on it ends after as many reads as it waits milliseconds. A source replaces it
// with a function of the read number (0, 1, 2, ...).
void setTickSource(std::function<std::uint32_t(std::uint32_t readIndex)> source);
void setCalendarSeconds(std::int64_t seconds);
std::uint32_t sleptMs();  // all that platformSleepUntil gave away

// Events, delivered in order by platformPollEvent, one per call.
void pushEvent(const PlatformEvent& event);
size_t pendingEvents();

// Pads: what the next platformReadPads returns. A press is latched until one read takes it,
// as on the real platform; the held buttons and the stick stay as set.
void setPads(std::int32_t connected, std::uint32_t held, std::int32_t stickX = 0, std::int32_t stickY = 0);
void pressPadButtons(std::uint32_t bits);  // down (and held) now
const PlatformPads& pads();

// Message boxes shown so far; a Yes/No question is answered Yes.
const std::vector<Box>& boxes();

// Window: which step fails next time, and what the game did with it.
void failVideoInit(bool fail);
void failWindowOpen(WindowOpenResult result);
bool windowOpen();
bool fullscreen();
bool maximised();  // as last asked for
// A scaled display: pixels to each of the window's units across and down (1 unless set).
void setPixelsPerUnit(std::int32_t pixels);
// The display: what a full-screen window fills, and the largest window that opens.
constexpr std::int32_t DESKTOP_WIDTH = 1920;
constexpr std::int32_t DESKTOP_HEIGHT = 1080;
bool cursorShown();  // the system's own mouse cursor over the window
const std::vector<std::uint8_t>& windowIcon();  // as last set: RGBA, top row first; empty when none was
std::uint32_t swaps();
// Pictures shown in part, as on X11 with Mesa: each swap then records the area it showed,
// x, y, width, height from the window's bottom left, or all -1 for the whole window.
void setPartialPictures(bool partial);
const std::vector<std::array<std::int32_t, 4>>& presented();

// Called after every buffer swap, i.e. once per frame step, camera flights included.
void setSwapHook(std::function<void()> hook);
}  // namespace scripted
