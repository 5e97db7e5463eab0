// platform_sdl.cpp: the platform seam on SDL2: clock, message boxes, window, GL context, events.
// Showing pictures is in present_sdl.cpp, the game controllers in pads_sdl.cpp.
#include <SDL.h>
#include <malloc.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/platform.h"
#include "platform/sdl/pads_sdl.h"
#include "platform/sdl/present_sdl.h"

namespace {

std::uint64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

SDL_Window* sWindow = nullptr;
SDL_GLContext sContext = nullptr;
SDL_Event sLookahead;
bool sHaveLookahead = false;
bool sFullscreenModeOk = false;
bool sDesktopFullscreen = false;  // asked for before the window opened, or switched since
bool sMaximised = false;          // asked for before the window opened
SDL_DisplayMode sFullscreenMode;

// Virtual-key codes for the keys a Windows keyboard reports; 0 means "no code".
std::int32_t virtualKeyFor(const SDL_Keysym& sym) {
    const SDL_Keycode k = sym.sym;
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 97 + (k - SDLK_KP_1);
    switch (k) {
        case SDLK_ESCAPE: return 27;
        case SDLK_BACKSPACE: return 8;
        case SDLK_TAB: return 9;
        case SDLK_RETURN: case SDLK_KP_ENTER: return 13;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return 16;
        case SDLK_LCTRL: case SDLK_RCTRL: return 17;
        case SDLK_PAUSE: return 19;
        case SDLK_CAPSLOCK: return 20;
        case SDLK_SPACE: return 32;
        case SDLK_PAGEUP: return 33;
        case SDLK_PAGEDOWN: return 34;
        case SDLK_END: return 35;
        case SDLK_HOME: return 36;
        case SDLK_LEFT: return 37;
        case SDLK_UP: return 38;
        case SDLK_RIGHT: return 39;
        case SDLK_DOWN: return 40;
        case SDLK_PRINTSCREEN: return 44;
        case SDLK_INSERT: return 45;
        case SDLK_DELETE: return 46;
        case SDLK_KP_0: return 96;
        case SDLK_KP_MULTIPLY: return 106;
        case SDLK_KP_PLUS: return 107;
        case SDLK_KP_MINUS: return 109;
        case SDLK_KP_PERIOD: return 110;
        case SDLK_KP_DIVIDE: return 111;
        case SDLK_NUMLOCKCLEAR: return 144;
        case SDLK_SCROLLLOCK: return 145;
        case SDLK_SEMICOLON: return 186;
        case SDLK_EQUALS: return 187;
        case SDLK_COMMA: return 188;
        case SDLK_MINUS: return 189;
        case SDLK_PERIOD: return 190;
        case SDLK_SLASH: return 191;
        case SDLK_BACKQUOTE: return 192;
        case SDLK_LEFTBRACKET: return 219;
        case SDLK_BACKSLASH: return 220;
        case SDLK_RIGHTBRACKET: return 221;
        case SDLK_QUOTE: return 222;
        default: return 0;
    }
}

// Alt combinations and F10 are system keys on Windows: the game never sees them.
bool isSystemKey(const SDL_Keysym& sym) {
    return (sym.mod & KMOD_ALT) != 0 || sym.sym == SDLK_LALT || sym.sym == SDLK_RALT ||
           sym.sym == SDLK_F10;
}

// SDL counts the window and the mouse in the desktop's units, GL in pixels: on a scaled
// display there are more pixels than units, and the game counts pixels. From units to
// pixels or back, as the window's two sizes compare now.
void convertUnits(std::int32_t* x, std::int32_t* y, bool toPixels) {
    int units[2] = {0, 0}, pixels[2] = {0, 0};
    if (!sWindow) return;
    SDL_GetWindowSize(sWindow, &units[0], &units[1]);
    SDL_GL_GetDrawableSize(sWindow, &pixels[0], &pixels[1]);
    if (units[0] <= 0 || units[1] <= 0 || pixels[0] <= 0 || pixels[1] <= 0) return;
    *x = toPixels ? *x * pixels[0] / units[0] : *x * units[0] / pixels[0];
    *y = toPixels ? *y * pixels[1] / units[1] : *y * units[1] / pixels[1];
}

// A mouse position in the client's pixels, inside it.
void pointInClient(std::int32_t* x, std::int32_t* y) {
    convertUnits(x, y, true);
    int w = 0, h = 0;
    if (sWindow) SDL_GL_GetDrawableSize(sWindow, &w, &h);
    if (w > 0) *x = *x < 0 ? 0 : (*x >= w ? w - 1 : *x);
    if (h > 0) *y = *y < 0 ? 0 : (*y >= h ? h - 1 : *y);
}

bool nextSdlEvent(SDL_Event* e) {
    if (sHaveLookahead) {
        *e = sLookahead;
        sHaveLookahead = false;
        return true;
    }
    return SDL_PollEvent(e) != 0;
}

// Turns one SDL event into a window message; false for events the game has no message for.
bool translate(const SDL_Event& e, PlatformEvent* out) {
    *out = PlatformEvent{PlatformEventType::Quit, 0, 0, 0};
    switch (e.type) {
        case SDL_QUIT:
            out->type = PlatformEventType::Quit;
            return true;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_CLOSE: out->type = PlatformEventType::Close; return true;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    out->type = PlatformEventType::Resize;
                    out->x = e.window.data1;
                    out->y = e.window.data2;
                    convertUnits(&out->x, &out->y, true);
                    return true;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    out->type = PlatformEventType::Activate;
                    out->x = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ? 1 : 0;
                    return true;
                case SDL_WINDOWEVENT_MAXIMIZED:
                case SDL_WINDOWEVENT_RESTORED:
                    // As SDL knows it by now: a window brought back from the task bar is
                    // restored and maximised again at once, and stays maximised.
                    out->type = PlatformEventType::Maximise;
                    out->x = (SDL_GetWindowFlags(sWindow) & SDL_WINDOW_MAXIMIZED) != 0;
                    return true;
                case SDL_WINDOWEVENT_EXPOSED:  // what was covered may be lost: all of it again
                    noteWindowExposed();
                    return false;
                default: return false;
            }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            // F11 and Alt+Enter switch full screen, as in most desktop programs. They are
            // not the game's keys: it never sees them, down or up.
            const SDL_Keycode k = e.key.keysym.sym;
            const bool altEnter = (e.key.keysym.mod & KMOD_ALT) != 0 && (k == SDLK_RETURN || k == SDLK_KP_ENTER);
            if (k == SDLK_F11 || altEnter) {
                if (e.type != SDL_KEYDOWN || e.key.repeat != 0) return false;
                out->type = PlatformEventType::ToggleFullscreen;
                return true;
            }
            if (isSystemKey(e.key.keysym)) return false;
            // A key Windows has no code for still has its place on the keyboard, and a
            // binding by scancode reaches it there.
            const std::int32_t vk = virtualKeyFor(e.key.keysym);
            const SDL_Scancode place = e.key.keysym.scancode;
            if (vk < 0 || vk > 255 || (vk == 0 && place == SDL_SCANCODE_UNKNOWN)) return false;
            out->type = e.type == SDL_KEYDOWN ? PlatformEventType::KeyDown : PlatformEventType::KeyUp;
            out->key = vk;
            out->scancode = place;
            out->repeat = e.key.repeat != 0;
            return true;
        }
        case SDL_MOUSEMOTION:
            out->type = PlatformEventType::MouseMove;
            out->x = e.motion.x;
            out->y = e.motion.y;
            pointInClient(&out->x, &out->y);
            return true;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT) {
                out->type = PlatformEventType::LeftDown;
            } else if (e.button.button == SDL_BUTTON_RIGHT) {
                out->type = PlatformEventType::RightDown;
            } else {
                return false;
            }
            out->x = e.button.x;
            out->y = e.button.y;
            pointInClient(&out->x, &out->y);
            return true;
        default:
            return false;
    }
}

bool driverIs(const char* name) {
    const char* current = SDL_GetCurrentVideoDriver();
    return current && std::strcmp(current, name) == 0;
}

// "DISPLAY=:0" or "DISPLAY not set": what SDL had to go on when it found no display.
std::string displayVariable(const char* name) {
    const char* value = std::getenv(name);
    return std::string(name) + (value && *value ? std::string("=") + value : std::string(" not set"));
}

}  // namespace

// The ticks and the frame wait share CLOCK_MONOTONIC (SDL's own ticks run on the raw clock,
// which clock_nanosleep cannot sleep on): a wake-up at a whole millisecond is read as that
// millisecond, so the wait never has to spin on the clock to end exactly.
std::uint32_t platformTicks() { return static_cast<std::uint32_t>(monotonicNs() / 1000000u); }

std::uint64_t platformMicroseconds() { return monotonicNs() / 1000u; }

void platformSleepUntil(std::uint32_t ticks) {
    const std::uint64_t now = monotonicNs() / 1000000u;
    const auto ahead = static_cast<std::int32_t>(ticks - static_cast<std::uint32_t>(now));
    if (ahead <= 0) return;
    const std::uint64_t deadlineMs = now + static_cast<std::uint64_t>(ahead);
    timespec deadline{};
    deadline.tv_sec = static_cast<time_t>(deadlineMs / 1000u);
    deadline.tv_nsec = static_cast<long>(deadlineMs % 1000u * 1000000u);
    // A signal only interrupts the sleep; the deadline stays where it was.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

std::int64_t platformCalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::int32_t platformMessageBox(const char* text, const char* caption, std::uint32_t flags) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    // Without a real display there is nobody to click a box: stderr alone.
    if (driverIs("offscreen") || driverIs("dummy")) return (flags & MB_YESNO) ? IDNO : IDOK;
    const bool yesNo = (flags & MB_YESNO) != 0;
    SDL_MessageBoxButtonData buttons[2];
    int buttonCount = 0;
    if (yesNo) {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Ja"};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "Nein"};
        buttonCount = 2;
    } else {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                      IDOK, "OK"};
        buttonCount = 1;
    }
    const SDL_MessageBoxData data = {SDL_MESSAGEBOX_WARNING, nullptr, caption, text, buttonCount, buttons, nullptr};
    int answer = 0;
    if (SDL_ShowMessageBox(&data, &answer) != 0) return yesNo ? IDNO : IDOK;
    return answer;
}

bool platformInitVideo() {
    // Mesa's software renderer allocates and frees several megabytes for every picture
    // it rasterizes. With glibc's defaults those blocks are mapped fresh or handed back
    // to the system at the end of each frame, and every page is faulted in and zeroed
    // again the next: on a full field that was more than half of a frame's time. Kept in
    // the heap they are simply reused; the peak stays what one picture needs.
    mallopt(M_MMAP_THRESHOLD, 16 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    // The game ends through its own quit handling when the window is closed.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The window's class (X11) and app id (Wayland) name the desktop entry, so docks and
    // task switchers group the window with it and show its icon. SDL 2 reads them from the
    // environment when the video starts; a value the user set is kept.
    setenv("SDL_VIDEO_X11_WMCLASS", FENDWALL_APP_ID, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", FENDWALL_APP_ID, 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "fendwall: cannot open a display: %s\n", SDL_GetError());
        return false;
    }
    // SDL falls back to an invisible window when there is no display; a player
    // would see nothing, so only take that when it was asked for.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if ((driverIs("offscreen") || driverIs("dummy")) && !(asked && *asked)) {
        std::fprintf(stderr, "fendwall: no display found (%s, %s); the game needs a graphical session\n",
                     displayVariable("DISPLAY").c_str(), displayVariable("WAYLAND_DISPLAY").c_str());
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return false;
    }
    startPads();
    return true;
}

void platformQuitVideo() {
    sHaveLookahead = false;
    stopPads();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

bool platformSetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t colourBits) {
    SDL_DisplayMode want{};
    want.w = width;
    want.h = height;
    want.format = colourBits <= 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    sFullscreenModeOk = SDL_GetClosestDisplayMode(0, &want, &sFullscreenMode) != nullptr &&
                        sFullscreenMode.w == width && sFullscreenMode.h == height;
    return sFullscreenModeOk;
}

void platformRestoreDisplayMode() {
    // SDL restores the desktop mode itself when the fullscreen window goes away.
    sFullscreenModeOk = false;
}

WindowOpenResult platformOpenWindow(const char* title, std::int32_t width, std::int32_t height, std::int32_t colourBits,
                                    bool fullscreen) {
    const bool small = colourBits <= 16;
    // On a scaled display, drawn at the display's own pixels: else the compositor blows up
    // a picture drawn at one pixel to a unit, and it looks blurred.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    flags |= fullscreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE;
    if (!fullscreen && sDesktopFullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, small ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, small ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, small ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    sWindow = SDL_CreateWindow(title, 0, 0, width, height, flags);
    if (!sWindow) {
        // Many servers have no 16-bit visual: any deeper one will do.
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 0);
        sWindow = SDL_CreateWindow(title, 0, 0, width, height, flags);
    }
    if (!sWindow) {
        std::fprintf(stderr, "fendwall: %s\n", SDL_GetError());
        SDL_Window* plain = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_HIDDEN);
        if (!plain) return WindowOpenResult::WindowFailed;
        SDL_DestroyWindow(plain);
        return WindowOpenResult::PixelFormatFailed;
    }
    if (fullscreen && sFullscreenModeOk) SDL_SetWindowDisplayMode(sWindow, &sFullscreenMode);
    sContext = SDL_GL_CreateContext(sWindow);
    if (!sContext) {
        std::fprintf(stderr, "fendwall: %s\n", SDL_GetError());
        return WindowOpenResult::ContextFailed;
    }
    if (SDL_GL_MakeCurrent(sWindow, sContext) != 0) {
        std::fprintf(stderr, "fendwall: %s\n", SDL_GetError());
        return WindowOpenResult::MakeCurrentFailed;
    }
    // The frame step paces itself; a vsync'd swap would change the frame rate.
    SDL_GL_SetSwapInterval(0);
    SDL_DisableScreenSaver();
    SDL_StopTextInput();
    SDL_ShowWindow(sWindow);
    // Maximised once shown: opened maximised, or maximised under full screen, the window's
    // frame has a size weston (through SDL 2.26 and libdecor) refuses, and it ends the
    // connection. A window that opens in full screen is maximised when it leaves it.
    if (sMaximised && !fullscreen && !sDesktopFullscreen) SDL_MaximizeWindow(sWindow);
    SDL_RaiseWindow(sWindow);
    setUpPresent(sWindow);
    return WindowOpenResult::Ok;
}

void platformCloseWindow() {
    setUpPresent(nullptr);
    if (sContext) {
        SDL_GL_MakeCurrent(sWindow, nullptr);
        SDL_GL_DeleteContext(sContext);
        sContext = nullptr;
    }
    if (sWindow) {
        SDL_DestroyWindow(sWindow);
        sWindow = nullptr;
    }
}

void platformSetFullscreen(bool fullscreen) {
    sDesktopFullscreen = fullscreen;
    if (!sWindow) return;
    // A window opened in the display's own full-screen mode keeps that mode.
    const Uint32 flags = SDL_GetWindowFlags(sWindow);
    if ((flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN) return;
    // A window that goes to full screen maximised comes back from it with a frame weston
    // refuses, as above. Restored first, it comes back whole; the caller maximises it again.
    if (fullscreen && (flags & SDL_WINDOW_MAXIMIZED)) SDL_RestoreWindow(sWindow);
    SDL_SetWindowFullscreen(sWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

void platformSetMaximised(bool maximised) {
    sMaximised = maximised;
    if (!sWindow) return;
    if (maximised) {
        SDL_MaximizeWindow(sWindow);
    } else {
        SDL_RestoreWindow(sWindow);
    }
}

void platformSetMinimumWindowSize(std::int32_t width, std::int32_t height) {
    if (sWindow) SDL_SetWindowMinimumSize(sWindow, width, height);
}

void platformPixelsToWindowUnits(std::int32_t* width, std::int32_t* height) { convertUnits(width, height, false); }

void platformWindowSize(std::int32_t* width, std::int32_t* height) {
    int w = 0, h = 0;
    if (sWindow) SDL_GL_GetDrawableSize(sWindow, &w, &h);
    *width = w;
    *height = h;
}

bool platformDisplaySize(std::int32_t* width, std::int32_t* height) {
    SDL_Rect bounds;
    if (driverIs("offscreen") || driverIs("dummy") || SDL_GetDisplayBounds(0, &bounds) != 0) return false;
    *width = bounds.w;
    *height = bounds.h;
    return true;
}

void platformShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void platformSetWindowIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height) {
    if (!sWindow || !rgba || width <= 0 || height <= 0) return;
    // SDL keeps a copy; the surface only lends it the pixels.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba), width, height, 32,
                                                           width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!icon) return;
    SDL_SetWindowIcon(sWindow, icon);
    SDL_FreeSurface(icon);
}


bool platformPollEvent(PlatformEvent* event) {
    SDL_Event e;
    while (nextSdlEvent(&e)) {
        // A pad's event that came after platformReadPads still counts, but takes no message's place.
        if (takePadEvent(e) || !translate(e, event)) continue;
        if (event->type != PlatformEventType::MouseMove) return true;
        // Windows merges a run of mouse moves into one message with the newest position;
        // taken one per frame, SDL's queue of every move would make the cursor lag behind.
        SDL_Event next;
        while (SDL_PollEvent(&next) != 0) {
            if (takePadEvent(next)) continue;  // nor does it end a run of moves
            PlatformEvent merged;
            if (next.type == SDL_MOUSEMOTION && translate(next, &merged)) {
                *event = merged;
                continue;
            }
            sLookahead = next;
            sHaveLookahead = true;
            break;
        }
        return true;
    }
    return false;
}

void platformPostQuit() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}
