// platform.h: the one door between the game and the operating system.
// The game links the SDL implementation (platform_sdl.cpp); the tests link a
// scripted one (platform_scripted.cpp) with a virtual clock and scripted input.
#pragma once
#include "app/types.h"

// Message box flags and answers, with the values the game's texts were written for.
constexpr u32 MB_OK = 0x0;
constexpr u32 MB_YESNO = 0x4;
constexpr u32 MB_ICONEXCLAMATION = 0x30;
constexpr u32 MB_ICONINFORMATION = 0x40;
constexpr i32 IDOK = 1;
constexpr i32 IDYES = 6;
constexpr i32 IDNO = 7;

// One window message, already translated from the platform's own event.
enum class PlatformEventType : i32 {
    Quit,       // the quit message: ends the main loop
    Close,      // the user asked to close the window
    KeyDown,    // key = Win32 virtual-key code 1..255
    KeyUp,
    MouseMove,  // x, y = client pixels
    LeftDown,
    RightDown,
    Resize,     // x, y = new client width and height
    Activate,
    ScreenSaver,
};

struct PlatformEvent {
    PlatformEventType type;
    i32 key;
    i32 x;
    i32 y;
};

// Which step of opening the window failed.
enum class WindowOpenResult : i32 {
    Ok,
    WindowFailed,       // no window
    PixelFormatFailed,  // no visual with the requested buffers
    ContextFailed,      // no GL context
    MakeCurrentFailed,  // the context cannot be made current
};

u32 platformTicks();                // milliseconds, wraps at 2^32 like GetTickCount
i64 platformCalendarSeconds();      // seconds since the epoch
i32 platformMessageBox(const char* text, const char* caption, u32 flags);

bool platformInitVideo();                         // false: no video at all
void platformQuitVideo();
bool platformSetDisplayMode(i32 width, i32 height, i32 colourBits);
void platformRestoreDisplayMode();
WindowOpenResult platformOpenWindow(const char* title, i32 width, i32 height, i32 colourBits,
                                    bool fullscreen);
void platformCloseWindow();
void platformShowCursor(bool show);
void platformSwapBuffers();
bool platformPollEvent(PlatformEvent* event);    // false when nothing is pending
void platformPostQuit();                          // queue a Quit event

// Audio
// Opaque handles; they stay valid until the process ends (after platformAudioClose they
// are silent). channels is the number of sounds that can play at once, not speakers.
struct PlatformMusic;
struct PlatformSample;
bool platformAudioOpen(i32 rate, i32 channels);      // false: no audio device; the game runs silently
PlatformMusic* platformLoadMusic(const char* path);   // null when the file is missing or unreadable
PlatformSample* platformLoadSample(const char* path);
void platformPlayMusic(PlatformMusic* music);         // once, no loop; null is silent
void platformPlaySample(PlatformSample* sample);      // on a free channel; dropped when all are busy; null is silent
void platformAudioClose();                            // stops everything and releases the device
