// fuzz_tga.cpp: libFuzzer target for the TGA reader. A refused file leaves no pixels; an
// accepted one has 24 or 32 bits and a buffer of width x height x bytes per pixel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "media/textures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TgaTexture texture{};
    if (!decodeTga(texture, data, size)) {
        if (texture.data != nullptr || texture.textureId != 0) __builtin_trap();
        return 0;
    }
    if (texture.data == nullptr || (texture.bitsPerPixel != 24 && texture.bitsPerPixel != 32) || texture.width == 0 ||
        texture.height == 0 || texture.width > TGA_MAX_SIDE || texture.height > TGA_MAX_SIDE) {
        __builtin_trap();
    }
    const size_t last = size_t(texture.width) * texture.height * (texture.bitsPerPixel / 8) - 1;
    volatile u8 sink = texture.data[0];
    sink = texture.data[last];
    (void)sink;
    return 0;
}
