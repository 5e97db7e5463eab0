/* pixhash.c: preloaded into the game, hashes every picture just before it is swapped and
 * writes one line per frame (drawable size, 64-bit FNV-1a of its pixels) to $PIXHASH_OUT.
 * The frame-rate text in the screen's top right corner is left out: it differs with the
 * machine's timing, not with what the game draws. Used by scripts/compare-pictures.sh.
 * With PIXHASH_DUMP=N, frame N (counted from 1) is also written as $PIXHASH_OUT-N.ppm, to
 * look at a picture that differs. Where the game shows pictures in part (glXCopySubBufferMESA)
 * the back buffer still holds the whole picture, and that is what is hashed. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef void (*SwapFn)(void*);
typedef void (*SizeFn)(void*, int*, int*);
typedef void* (*WindowFn)(void);
typedef void* (*GetProcFn)(const char*);
typedef void (*CopySubFn)(void*, unsigned long, int, int, int, int);

/* The back buffer holds the whole picture when it is shown, whether by a swap or, where
 * the game shows pictures in part, by glXCopySubBufferMESA. */
static void hashPicture(void* window) {
    static SizeFn drawableSize;
    static FILE* out;
    static long frame;
    ++frame;
    if (!out) {
        drawableSize = (SizeFn)dlsym(RTLD_DEFAULT, "SDL_GL_GetDrawableSize");
        const char* path = getenv("PIXHASH_OUT");
        out = fopen(path ? path : "pixhash.txt", "w");
    }
    int w = 0, h = 0;
    if (drawableSize) drawableSize(window, &w, &h);
    unsigned char* px = w > 0 && h > 0 ? malloc((size_t)w * (size_t)h * 4) : NULL;
    if (px && out) {
        GLint vp[4] = {0, 0, 0, 0}; /* the screen's place in the window */
        glGetIntegerv(GL_VIEWPORT, vp);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, px);
        const int cornerX = vp[0] + vp[2] * 530 / 640, cornerY = vp[1] + vp[3] * 440 / 480;
        uint64_t hash = 0xcbf29ce484222325ull;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (x >= cornerX && y >= cornerY) continue;
                const unsigned char* p = px + ((size_t)y * (size_t)w + (size_t)x) * 4;
                for (int c = 0; c < 4; ++c) hash = (hash ^ p[c]) * 0x100000001b3ull;
            }
        }
        fprintf(out, "%dx%d %016llx\n", w, h, (unsigned long long)hash);
        fflush(out);
        const char* dump = getenv("PIXHASH_DUMP");
        if (dump && atol(dump) == frame) {
            char name[4096];
            const char* path = getenv("PIXHASH_OUT");
            snprintf(name, sizeof name, "%s-%ld.ppm", path ? path : "pixhash", frame);
            FILE* ppm = fopen(name, "wb");
            if (ppm) {
                fprintf(ppm, "P6\n%d %d\n255\n", w, h);
                for (int y = h - 1; y >= 0; --y) {
                    for (int x = 0; x < w; ++x) fwrite(px + ((size_t)y * (size_t)w + (size_t)x) * 4, 1, 3, ppm);
                }
                fclose(ppm);
            }
        }
    }
    free(px);
}

void SDL_GL_SwapWindow(void* window) {
    static SwapFn realSwap;
    if (!realSwap) realSwap = (SwapFn)dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    hashPicture(window);
    realSwap(window);
}

static CopySubFn realCopySub;

/* Pictures shown in part, less than the whole window, are also listed, one line each, in
 * $PIXHASH_OUT.partial. */
static void copySubBuffer(void* display, unsigned long drawable, int x, int y, int width, int height) {
    static FILE* partial;
    WindowFn current = (WindowFn)dlsym(RTLD_DEFAULT, "SDL_GL_GetCurrentWindow");
    SizeFn drawableSize = (SizeFn)dlsym(RTLD_DEFAULT, "SDL_GL_GetDrawableSize");
    int w = 0, h = 0;
    if (current) {
        hashPicture(current());
        if (drawableSize) drawableSize(current(), &w, &h);
    }
    if (x == 0 && y == 0 && width == w && height == h) {
        realCopySub(display, drawable, x, y, width, height);
        return;
    }
    if (!partial) {
        char name[4096];
        const char* path = getenv("PIXHASH_OUT");
        snprintf(name, sizeof name, "%s.partial", path ? path : "pixhash.txt");
        partial = fopen(name, "w");
    }
    if (partial) {
        fprintf(partial, "%d %d %d %d\n", x, y, width, height);
        fflush(partial);
    }
    realCopySub(display, drawable, x, y, width, height);
}

void* SDL_GL_GetProcAddress(const char* name) {
    static GetProcFn realGetProc;
    if (!realGetProc) realGetProc = (GetProcFn)dlsym(RTLD_NEXT, "SDL_GL_GetProcAddress");
    void* proc = realGetProc(name);
    if (proc && strcmp(name, "glXCopySubBufferMESA") == 0) {
        realCopySub = (CopySubFn)proc;
        return (void*)copySubBuffer;
    }
    return proc;
}
