// platform.h: the one door between the game and the operating system. The game links the
// SDL side (platform/sdl/), the tests the scripted side (platform/scripted/) with a virtual
// clock and scripted input; chosen at link time, so no call goes through a table.
#pragma once
#include <cstdint>

// Message box flags and answers, with the values the game's texts were written for.
constexpr std::uint32_t MB_OK = 0x0;
constexpr std::uint32_t MB_YESNO = 0x4;
constexpr std::uint32_t MB_ICONEXCLAMATION = 0x30;
constexpr std::int32_t IDOK = 1;
constexpr std::int32_t IDYES = 6;
constexpr std::int32_t IDNO = 7;

// One window message, already translated from the platform's own event.
enum class PlatformEventType : std::int32_t {
    Quit,       // the quit message: ends the main loop
    Close,      // the user asked to close the window
    KeyDown,    // key = Win32 virtual-key code 1..255, or 0 for a key Windows has no code for
    KeyUp,
    MouseMove,  // x, y = client pixels
    LeftDown,
    RightDown,
    Resize,     // x, y = new client width and height, in pixels
    ToggleFullscreen,  // F11 or Alt+Enter: between full screen and the window
    Activate,   // x = 1: the window gained the keyboard's focus; x = 0: it lost it
    Maximise,   // x = 1: the window was maximised; x = 0: it was restored
};

struct PlatformEvent {
    PlatformEventType type;
    std::int32_t key;
    std::int32_t x;
    std::int32_t y;
    // Keys only: the key's place on the keyboard whatever the layout (the USB usage number,
    // as SDL counts its scancodes), and whether the system repeated a held key.
    std::int32_t scancode = 0;
    bool repeat = false;
};

// Game controllers, laid out as SDL's game-controller buttons are numbered.
enum class PadButton : std::int32_t {
    A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
    DpadUp, DpadDown, DpadLeft, DpadRight, Misc1, Paddle1, Paddle2, Paddle3, Paddle4, Touchpad,
    Count
};
constexpr std::uint32_t padBit(PadButton b) { return 1u << static_cast<std::uint32_t>(b); }

// Every connected pad at once: any of them plays.
struct PlatformPads {
    std::int32_t connected = 0;  // pads plugged in now
    std::uint32_t held = 0;      // a bit per button (padBit): down now on some pad
    std::uint32_t pressed = 0;   // went down since the last read, even if it is up again
    // The left stick that is pushed furthest, each axis -32768 (left, up) to 32767.
    std::int32_t stickX = 0;
    std::int32_t stickY = 0;
};

// Which step of opening the window failed.
enum class WindowOpenResult : std::int32_t {
    Ok,
    WindowFailed,       // no window
    PixelFormatFailed,  // no visual with the requested buffers
    ContextFailed,      // no GL context
    MakeCurrentFailed,  // the context cannot be made current
};

std::uint32_t platformTicks();        // milliseconds, wraps at 2^32 like GetTickCount
std::uint64_t platformMicroseconds();  // a finer monotonic clock, for measuring frames, never for pacing
// Gives the processor away until platformTicks() reaches ticks, on the same clock, so the
// first read after it is the deadline itself and not a millisecond early. A deadline that
// has passed (up to 2^31 ms back, so across the wrap) returns at once.
void platformSleepUntil(std::uint32_t ticks);
std::int64_t platformCalendarSeconds();      // seconds since the epoch
std::int32_t platformMessageBox(const char* text, const char* caption, std::uint32_t flags);

bool platformInitVideo();                         // false: no video at all
void platformQuitVideo();
// The display-mode full screen of createGameWindow's design; the game itself never asks for it.
bool platformSetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t colourBits);
void platformRestoreDisplayMode();
WindowOpenResult platformOpenWindow(const char* title, std::int32_t width, std::int32_t height, std::int32_t colourBits,
                                    bool fullscreen);
void platformCloseWindow();
// Desktop full screen (the display's mode stays as it is) or the window. Before the
// window is opened, it says how it opens.
void platformSetFullscreen(bool fullscreen);
// Maximised or not; before the window is opened, how it opens. Under full screen a window is
// never maximised: one that leaves full screen is maximised when asked again then.
void platformSetMaximised(bool maximised);
// The window manager offers no smaller window; in the window's own units, as opened.
void platformSetMinimumWindowSize(std::int32_t width, std::int32_t height);
// Everything above the seam counts pixels: what the picture is drawn at, the mouse and the
// Resize message. The window's own size, which platformOpenWindow takes and a player's
// settings remember, is in the desktop's units, which are larger on a scaled display (a
// Wayland output at scale 2 has two pixels to a unit). This turns pixels into those units.
void platformPixelsToWindowUnits(std::int32_t* width, std::int32_t* height);
void platformWindowSize(std::int32_t* width, std::int32_t* height);  // the client area, in pixels
// The display the window opens on, once video is up; false when there is none to fit into
// (an offscreen display takes windows of any size).
bool platformDisplaySize(std::int32_t* width, std::int32_t* height);
void platformShowCursor(bool show);
// The open window's icon: width x height pixels of red, green, blue and alpha, top row first.
void platformSetWindowIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height);
void platformSwapBuffers();
// Whether platformSwapBuffers can show just part of the window and leaves the back buffer as
// drawn, so that a picture may be drawn over the one before it, in part.
bool platformPartialPictures();
// The part of the window the next platformSwapBuffers must show, in window pixels from the
// bottom left; without it, or once the window was exposed, the whole window is shown.
void platformPresentArea(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
bool platformPollEvent(PlatformEvent* event);    // false when nothing is pending
// The pads' state, read once a frame step beside the window message and never in its
// place: pads plugged in or out, buttons and sticks take no message. Pads act only while
// the window has the focus.
void platformReadPads(PlatformPads* pads);
void platformPostQuit();                          // queue a Quit event

// Audio
// Opaque handles; they stay valid until the process ends. channels is the number of
// sounds that can play at once, not speakers.
struct PlatformMusic;
struct PlatformSample;
bool platformAudioOpen(std::int32_t rate, std::int32_t channels);      // false: no audio device; the game runs silently
PlatformMusic* platformLoadMusic(const char* path);   // null when the file is missing or unreadable
PlatformSample* platformLoadSample(const char* path);
void platformPlayMusic(PlatformMusic* music);         // once, no loop; null is silent
void platformPlaySample(PlatformSample* sample);      // on a free channel; dropped when all are busy; null is silent
// The music's and the effects' volumes, 0 (silent) to 100 (as loud as the files are).
void platformSetVolumes(std::int32_t music, std::int32_t effects);
// Holds the music and every effect where they are, or lets them go on from there.
void platformPauseAudio(bool paused);
