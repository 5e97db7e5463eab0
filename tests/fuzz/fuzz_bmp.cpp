// fuzz_bmp.cpp: libFuzzer target for the bitmap decoder. Besides the sanitizers' checks it
// asserts the decoder's contract: a picture or a message, never both or neither, and a
// picture whose buffer really holds width x height x 3 bytes.
#include <cstddef>
#include <cstdint>

#include "media/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* error = nullptr;
    RgbImage* image = decodeDib(data, size, &error);
    if (image == nullptr) {
        if (error == nullptr) __builtin_trap();
        return 0;
    }
    if (error != nullptr || image->data == nullptr || image->width <= 0 || image->height <= 0 ||
        image->width > DIB_MAX_SIDE || image->height > DIB_MAX_SIDE) {
        __builtin_trap();
    }
    // The address checker catches a buffer shorter than the picture.
    const size_t last = size_t(image->width) * size_t(image->height) * 3 - 1;
    volatile u8 sink = image->data[0];
    sink = image->data[last];
    (void)sink;
    freeRgbImage(image);
    return 0;
}
