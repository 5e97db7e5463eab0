// bare_window.cpp: the floor no game can beat. Opens a 640 x 480 OpenGL window with the
// very SDL calls and attributes of the game's window, clears it, swaps once and exits.
// After the swap has finished (glFinish) it prints the wall clock on stdout as
// "first-frame-ns N" (CLOCK_REALTIME), for bench_launch to set against the exec time.
// With --textured it also draws one textured quad and a line of bitmap text before the
// swap: the least any picture with a texture costs on a renderer that compiles its shaders
// on first use (llvmpipe).
#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long long realtimeNs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// One textured quad over a quarter of the window, and with it a line of 20 bitmap glyphs:
// the least a picture with a texture and a text costs on a software renderer.
void drawTexturedQuadAndText() {
    static GLuint texture = 0;
    if (texture == 0) {
        static const unsigned char texels[2 * 2 * 3] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-0.5f, -0.5f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(0.5f, -0.5f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(0.5f, 0.5f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-0.5f, 0.5f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    static unsigned char glyph[16 * 2];
    for (unsigned i = 0; i < sizeof(glyph); ++i) glyph[i] = static_cast<unsigned char>(0x5A ^ (i * 37));
    glRasterPos2f(-0.9f, 0.8f);
    for (int i = 0; i < 20; ++i) glBitmap(12, 16, 0.0f, 0.0f, 13.0f, 0.0f, glyph);
}

}  // namespace

int main(int argc, char** argv) {
    // --textured: the first picture (and every redrawn one) also has drawTexturedQuadAndText.
    // --redraw SECONDS: clear and swap every 30 ms for that long, sleeping between: the
    // floor for a paced game's processor use.
    // --frames N: clear and swap N times without a wait and print the mean time per frame:
    // the floor for a timedemo.
    // --fullscreen: the window fills the desktop.
    bool textured = false;
    bool fullscreen = false;
    int redrawSeconds = 0;
    int frames = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--textured") == 0) textured = true;
        if (std::strcmp(argv[i], "--fullscreen") == 0) fullscreen = true;
        if (i + 1 < argc && std::strcmp(argv[i], "--redraw") == 0) redrawSeconds = std::atoi(argv[i + 1]);
        if (i + 1 < argc && std::strcmp(argv[i], "--frames") == 0) frames = std::atoi(argv[i + 1]);
    }
    // As the game's platform layer: hints, subsystems, attributes, window, context.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 2;
    }
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_Window* window = SDL_CreateWindow("bare", 0, 0, 640, 480, flags);
    if (!window) {
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 0);
        window = SDL_CreateWindow("bare", 0, 0, 640, 480, flags);
    }
    if (!window) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 2;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context || SDL_GL_MakeCurrent(window, context) != 0) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 2;
    }
    SDL_GL_SetSwapInterval(0);
    SDL_DisableScreenSaver();
    SDL_StopTextInput();
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (textured) drawTexturedQuadAndText();
    SDL_GL_SwapWindow(window);
    glFinish();
    std::printf("first-frame-ns %lld\n", realtimeNs());
    std::printf("renderer %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::fflush(stdout);
    if (frames > 0) {
        const Uint64 start = SDL_GetPerformanceCounter();
        for (int i = 0; i < frames; ++i) {
            SDL_Event e;
            while (SDL_PollEvent(&e) != 0) {
            }
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            SDL_GL_SwapWindow(window);
        }
        glFinish();
        const double seconds = double(SDL_GetPerformanceCounter() - start) / double(SDL_GetPerformanceFrequency());
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window, &w, &h);
        std::printf("bare-frames %d at %dx%d: %.3f ms per frame\n", frames, w, h, seconds * 1000.0 / frames);
    }
    for (Uint64 end = SDL_GetTicks64() + Uint64(redrawSeconds) * 1000; SDL_GetTicks64() < end;) {
        const Uint64 start = SDL_GetTicks64();
        SDL_Event e;
        while (SDL_PollEvent(&e) != 0) {
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (textured) drawTexturedQuadAndText();
        SDL_GL_SwapWindow(window);
        const Uint64 spent = SDL_GetTicks64() - start;
        if (spent < 30) SDL_Delay(Uint32(30 - spent));
    }

    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return 0;
}
