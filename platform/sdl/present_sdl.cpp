// present_sdl.cpp: showing the picture: SDL's swap, or on X11 with Mesa, just the part of the
// window that changed.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/sdl/present_sdl.h"

namespace {

SDL_Window* sWindow = nullptr;

// Showing part of the picture: GLX_MESA_copy_sub_buffer (Mesa's software renderer has it on
// X11) copies a rectangle of the back buffer into the window and leaves the back buffer as
// it was, where a swap leaves it undefined. A picture after a swap is drawn whole. A swap is
// also what makes Mesa take up a new window size, so after a change of size, or while the X
// server's window is another size than the one drawn for, the picture is swapped. Looked up
// through SDL, so nothing links GLX.
struct PartialPresent {
    using CopySubBuffer = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
    using QueryDrawable = void (*)(void* display, unsigned long drawable, int attribute, unsigned int* value);
    CopySubBuffer copy = nullptr;
    QueryDrawable query = nullptr;
    void* (*display)() = nullptr;
    unsigned long (*drawable)() = nullptr;
    bool kept = false;  // the back buffer holds the picture last shown
    bool areaSet = false;
    bool exposed = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int shownWidth = 0;  // the window's size at the last picture shown
    int shownHeight = 0;
};
PartialPresent sPartial;
constexpr int GLX_WIDTH_ATTRIBUTE = 0x801D;
constexpr int GLX_HEIGHT_ATTRIBUTE = 0x801E;

void setUpPartialPresent() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* whole = std::getenv("FENDWALL_WHOLE_PICTURES");  // to compare, or to rule it out
    if (!driver || std::strcmp(driver, "x11") != 0 || (whole && *whole)) return;
    using QueryExtensions = const char* (*)(void* display, int screen);
    const auto query = reinterpret_cast<QueryExtensions>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
    const auto display = reinterpret_cast<void* (*)()>(SDL_GL_GetProcAddress("glXGetCurrentDisplay"));
    const auto drawable = reinterpret_cast<unsigned long (*)()>(SDL_GL_GetProcAddress("glXGetCurrentDrawable"));
    if (!query || !display || !drawable || !display()) return;
    // The window's screen is the display's first on every desktop the game meets.
    const char* extensions = query(display(), 0);
    if (!extensions || !std::strstr(extensions, "GLX_MESA_copy_sub_buffer")) return;
    sPartial.copy = reinterpret_cast<PartialPresent::CopySubBuffer>(SDL_GL_GetProcAddress("glXCopySubBufferMESA"));
    sPartial.query = reinterpret_cast<PartialPresent::QueryDrawable>(SDL_GL_GetProcAddress("glXQueryDrawable"));
    if (!sPartial.query) sPartial.copy = nullptr;
    sPartial.display = display;
    sPartial.drawable = drawable;
}

}  // namespace

void setUpPresent(SDL_Window* window) {
    sWindow = window;
    sPartial = PartialPresent{};
    if (window) setUpPartialPresent();
}

void noteWindowExposed() { sPartial.exposed = true; }

void platformSwapBuffers() {
    if (!sWindow) return;
    if (!sPartial.copy) {
        SDL_GL_SwapWindow(sWindow);
        return;
    }
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(sWindow, &width, &height);
    unsigned int serverWidth = 0, serverHeight = 0;
    sPartial.query(sPartial.display(), sPartial.drawable(), GLX_WIDTH_ATTRIBUTE, &serverWidth);
    sPartial.query(sPartial.display(), sPartial.drawable(), GLX_HEIGHT_ATTRIBUTE, &serverHeight);
    const bool steady = width == sPartial.shownWidth && height == sPartial.shownHeight &&
                        static_cast<int>(serverWidth) == width && static_cast<int>(serverHeight) == height;
    int x = 0, y = 0, w = width, h = height;
    if (sPartial.areaSet && !sPartial.exposed) {
        // Inside the window, whatever the caller thought its size was.
        x = std::max(sPartial.x, 0), y = std::max(sPartial.y, 0);
        w = std::min(sPartial.x + sPartial.width, width) - x, h = std::min(sPartial.y + sPartial.height, height) - y;
    }
    sPartial.shownWidth = width;
    sPartial.shownHeight = height;
    sPartial.areaSet = sPartial.exposed = false;
    if (!steady) {
        SDL_GL_SwapWindow(sWindow);
        sPartial.kept = false;
        return;
    }
    // Nothing changed: one pixel again, so that every picture is still shown once.
    if (w <= 0 || h <= 0) x = y = 0, w = h = 1;
    sPartial.copy(sPartial.display(), sPartial.drawable(), x, y, w, h);
    sPartial.kept = true;
}

bool platformPartialPictures() { return sPartial.copy != nullptr && sPartial.kept; }

void platformPresentArea(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    sPartial.areaSet = true;
    sPartial.x = x;
    sPartial.y = y;
    sPartial.width = width;
    sPartial.height = height;
}
