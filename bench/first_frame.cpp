// first_frame.cpp: the game's own start-up and first pass, through the real SDL layer:
// startUp(), one runMainPass(), destroyGameWindow(). The program's swap is wrapped
// at link time (--wrap=platformSwapBuffers) so that right after the first presented
// frame (swap, then glFinish) it prints the wall clock as "first-frame-ns N", the same
// line the bare window prints. Run it from the repository root so data/ is found.
#include <GL/gl.h>

#include <cstdio>
#include <ctime>

#include "app/main_loop.h"
#include "app/frame_step.h"
#include "platform/platform.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"

// The mangled name of void platformSwapBuffers(), as the linker's --wrap sees it.
extern "C" void __real__Z19platformSwapBuffersv();  // NOLINT(bugprone-reserved-identifier)

namespace {

bool sReported = false;

long long realtimeNs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

}  // namespace

// The linker sends the game's calls of platformSwapBuffers here.
extern "C" void __wrap__Z19platformSwapBuffersv() {  // NOLINT(bugprone-reserved-identifier)
    __real__Z19platformSwapBuffersv();
    if (sReported) return;
    glFinish();
    sReported = true;
    std::printf("first-frame-ns %lld\n", realtimeNs());
    // From the frame step's start to the picture shown: drawing it, and any wait before it.
    std::printf("first-step-ms %.3f\n", double(platformMicroseconds() - gFrameClock.startMicros) / 1000.0);
    std::printf("renderer %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::fflush(stdout);
}

int main(int, char**) {
    if (!startUp()) return 2;
    // The game's own first pass: its step composes the intro's first picture, which the
    // frame step draws. A frame step alone would draw the game's field and texts, a picture
    // the game never shows first, and wait for the font's lookup to draw them.
    runMainPass();
    destroyGameWindow();
    return sReported ? 0 : 3;
}
