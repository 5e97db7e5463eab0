// bmp.h: our own reader for Windows bitmaps, converting to packed 24-bit RGB.
#pragma once
#include <cstddef>

#include "core/types.h"

struct RgbImage {
    i32 width;
    i32 height;
    u8* data;  // width * height * 3 bytes, RGB, no row padding, bottom row first
};

// Pictures larger than this on a side are refused before anything is allocated.
constexpr i32 DIB_MAX_SIDE = 16384;

// Decodes a whole bitmap file (with "BM" file header) or packed DIB held in memory.
// Shows nothing: on failure returns null and sets *errorText (if given) to the message
// that loadDibImage would show. The result is released with freeRgbImage.
RgbImage* decodeDib(const u8* bytes, size_t size, const char** errorText);

RgbImage* loadBmp(const char* fileName);
RgbImage* loadDibImage(const char* fileName);
void freeRgbImage(RgbImage* image);
