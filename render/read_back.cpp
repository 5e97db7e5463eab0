// read_back.cpp: glReadPixels from the back buffer, with rows turned from GL's bottom-up order.
#include "render/read_back.h"

#include <GL/gl.h>

#include <algorithm>

#include "render/frame.h"

bool readShownPicture(std::vector<u8>* rgb, i32* width, i32* height) {
    const i32 w = gRender.viewportWidth, h = gRender.viewportHeight;
    if (w <= 0 || h <= 0) return false;
    const size_t row = size_t(w) * 3;
    rgb->assign(row * size_t(h), 0);
    // Rows packed tight, whatever the width; the drawing's own read state put back after.
    GLint alignment = 4, buffer = GL_BACK;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_READ_BUFFER, &buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb->data());
    glReadBuffer(GLenum(buffer));
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    for (i32 y = 0; y < h / 2; ++y) {
        std::swap_ranges(rgb->begin() + std::ptrdiff_t(row * size_t(y)), rgb->begin() + std::ptrdiff_t(row * size_t(y + 1)),
                         rgb->begin() + std::ptrdiff_t(row * size_t(h - 1 - y)));
    }
    *width = w;
    *height = h;
    return true;
}
