// bmp.cpp: our own reader for Windows bitmaps (DIBs), converting to packed 24-bit RGB.
//
// What is accepted: the 12-byte core header and the 40-byte info header; 1, 4, 8, 16,
// 24 and 32 bits per pixel; uncompressed, RLE8, RLE4 and (16/32 bits) bit-field pixels;
// bottom-up and (uncompressed) top-down rows. Everything else is refused with a message
// box. The decisions where the format leaves room:
// - planes must be 1, width must be positive and height non-zero; a file that says
//   otherwise is corrupt and refused as a conversion error.
// - more than DIB_MAX_SIDE pixels on a side is refused as "Out of memory." before any
//   allocation: no texture of ours is that big, and a corrupt size must not cost gigabytes.
// - a short colour table (one that the pixel-data offset cuts off, or a colours-used
//   count below the bit depth's) is fine; indices past its end give black. A non-zero
//   colours-used field counts with its low 16 bits only.
// - pixels that an RLE stream skips (delta, early end of line or of bitmap) stay black,
//   as Windows' own conversion leaves them in its zero-filled target. RLE runs that
//   overshoot the row or the picture are clipped. An RLE stream that ends before its
//   end-of-bitmap marker while rows are still missing counts as truncated.
// - uncompressed pixel data must be there in full (the last row without its padding).
// - top-down rows are turned upright, so the result is always bottom row first.
#include "media/bmp.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "media/file_bytes.h"
#include "platform/platform.h"

namespace {


const char* const TEXT_UNKNOWN_FORMAT = "Unknown DIB file format.";
const char* const TEXT_CONVERSION_ERROR = "Image file conversion error.";
const char* const TEXT_OUT_OF_MEMORY = "Out of memory.";

constexpr u32 BI_RGB = 0;
constexpr u32 BI_RLE8 = 1;
constexpr u32 BI_RLE4 = 2;
constexpr u32 BI_BITFIELDS = 3;

constexpr u32 CORE_HEADER_SIZE = 12;
constexpr u32 INFO_HEADER_SIZE = 40;
constexpr u64 FILE_HEADER_SIZE = 14;

u16 readU16(const u8* p) { return u16(p[0] | (p[1] << 8)); }

u32 readU32(const u8* p) { return u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16) | (u32(p[3]) << 24); }

// True when [offset, offset + length) lies inside a buffer of `size` bytes.
bool fits(u64 offset, u64 length, u64 size) { return offset <= size && length <= size - offset; }

// One colour channel of a bit-field pixel, scaled to 0..255 by its own bit width so
// that the brightest value of any channel width is 255.
struct Channel {
    u32 mask;
    u32 shift;
    u32 max;  // the mask shifted down: the channel's largest value
};

Channel makeChannel(u32 mask) {
    Channel c{mask, 0, 0};
    if (mask == 0) return c;
    while (((mask >> c.shift) & 1) == 0) c.shift++;
    c.max = mask >> c.shift;
    return c;
}

u8 channelValue(u32 pixel, const Channel& c) {
    if (c.max == 0) return 0;
    const u64 v = (pixel & c.mask) >> c.shift;
    return u8((v * 255 + c.max / 2) / c.max);
}

struct Dib {
    i64 width;
    i64 height;  // always positive here; topDown says how the rows are stored
    bool topDown;
    u32 bitCount;
    u32 compression;
    Channel red, green, blue;
    u8 palette[256][3];  // red, green, blue
    u32 paletteSize;     // entries present; higher indices are black
};

void writeIndexed(const Dib& dib, u8* out, u32 index) {
    if (index < dib.paletteSize) {
        out[0] = dib.palette[index][0];
        out[1] = dib.palette[index][1];
        out[2] = dib.palette[index][2];
    } else {
        out[0] = out[1] = out[2] = 0;
    }
}

// One stored row of an uncompressed bitmap into one output row.
void convertRow(const Dib& dib, const u8* src, u8* out) {
    for (i64 x = 0; x < dib.width; x++, out += 3) {
        switch (dib.bitCount) {
        case 1: writeIndexed(dib, out, (src[x >> 3] >> (7 - (x & 7))) & 1); break;
        case 4: writeIndexed(dib, out, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15); break;
        case 8: writeIndexed(dib, out, src[x]); break;
        case 16: {
            const u32 p = readU16(src + 2 * x);
            out[0] = channelValue(p, dib.red);
            out[1] = channelValue(p, dib.green);
            out[2] = channelValue(p, dib.blue);
            break;
        }
        case 24:
            out[0] = src[3 * x + 2];
            out[1] = src[3 * x + 1];
            out[2] = src[3 * x];
            break;
        default: {  // 32
            const u32 p = readU32(src + 4 * x);
            out[0] = channelValue(p, dib.red);
            out[1] = channelValue(p, dib.green);
            out[2] = channelValue(p, dib.blue);
            break;
        }
        }
    }
}

// Run-length encoded pixels (RLE8, or RLE4 with two pixels per byte). Returns false when
// the data ends while rows are still missing and no end-of-bitmap marker was seen.
bool decodeRle(const Dib& dib, const u8* bytes, u64 size, u64 pos, u8* image) {
    const bool four = dib.compression == BI_RLE4;
    i64 x = 0;
    i64 y = 0;
    auto put = [&](u32 index) {
        if (x >= 0 && x < dib.width && y < dib.height) writeIndexed(dib, image + 3 * (y * dib.width + x), index);
        x++;
    };
    while (y < dib.height) {
        if (!fits(pos, 2, size)) return false;
        const u32 count = bytes[pos];
        const u32 value = bytes[pos + 1];
        pos += 2;
        if (count > 0) {  // a run of one index (RLE4: two alternating indices)
            for (u32 i = 0; i < count && x < dib.width; i++) put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            y++;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta: move right and up
            if (!fits(pos, 2, size)) return false;
            x += bytes[pos];
            y += bytes[pos + 1];
            pos += 2;
        } else {  // absolute run of `value` indices, padded to a 16-bit boundary
            const u64 dataBytes = four ? (value + 1) / 2 : value;
            const u64 padded = (dataBytes + 1) & ~u64(1);
            if (!fits(pos, padded, size)) return false;
            for (u32 i = 0; i < value; i++) put(four ? ((i & 1) ? bytes[pos + i / 2] & 15 : bytes[pos + i / 2] >> 4) : bytes[pos + i]);
            pos += padded;
        }
    }
    return true;
}

u32 coloursFromBitCount(u32 bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

}  // namespace

RgbImage* decodeDib(const u8* bytes, size_t size, const char** errorText) {
    const char* ignored = nullptr;
    if (errorText == nullptr) errorText = &ignored;
    *errorText = nullptr;
    auto fail = [&](const char* text) -> RgbImage* {
        *errorText = text;
        return nullptr;
    };
    if (bytes == nullptr) size = 0;

    // A "BM" file header says where the pixels are; a packed DIB has them after its table.
    u64 headerStart = 0;
    bool fileHeader = false;
    u64 pixelOffset = 0;
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        if (!fits(0, FILE_HEADER_SIZE, size)) return fail(TEXT_CONVERSION_ERROR);
        fileHeader = true;
        pixelOffset = readU32(bytes + 10);
        headerStart = FILE_HEADER_SIZE;
    }
    if (!fits(headerStart, 4, size)) return fail(TEXT_CONVERSION_ERROR);
    const u32 headerSize = readU32(bytes + headerStart);
    if (headerSize != CORE_HEADER_SIZE && headerSize != INFO_HEADER_SIZE) return fail(TEXT_UNKNOWN_FORMAT);
    if (!fits(headerStart, headerSize, size)) return fail(TEXT_CONVERSION_ERROR);
    const u8* header = bytes + headerStart;

    Dib dib{};
    u32 planes = 0;
    u32 tableLength = 0;
    u64 entrySize = 4;
    if (headerSize == CORE_HEADER_SIZE) {
        dib.width = readU16(header + 4);
        dib.height = readU16(header + 6);
        planes = readU16(header + 8);
        dib.bitCount = readU16(header + 10);
        dib.compression = BI_RGB;
        tableLength = coloursFromBitCount(dib.bitCount);
        entrySize = 3;
    } else {
        dib.width = i32(readU32(header + 4));
        dib.height = i32(readU32(header + 8));
        planes = readU16(header + 12);
        dib.bitCount = readU16(header + 14);
        dib.compression = readU32(header + 16);
        const u32 coloursUsed = readU32(header + 32);
        tableLength = coloursUsed != 0 ? (coloursUsed & 0xFFFF) : coloursFromBitCount(dib.bitCount);
    }

    if (planes != 1) return fail(TEXT_CONVERSION_ERROR);
    const u32 bpp = dib.bitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return fail(TEXT_CONVERSION_ERROR);
    const bool rle = dib.compression == BI_RLE8 || dib.compression == BI_RLE4;
    const bool compressionFits = dib.compression == BI_RGB || (dib.compression == BI_RLE8 && bpp == 8) ||
                                 (dib.compression == BI_RLE4 && bpp == 4) ||
                                 (dib.compression == BI_BITFIELDS && (bpp == 16 || bpp == 32));
    if (!compressionFits) return fail(TEXT_CONVERSION_ERROR);
    if (dib.width <= 0 || dib.height == 0) return fail(TEXT_CONVERSION_ERROR);
    if (dib.height < 0) {
        if (rle) return fail(TEXT_CONVERSION_ERROR);  // RLE has no top-down form
        dib.topDown = true;
        dib.height = -dib.height;
    }
    if (dib.width > DIB_MAX_SIDE || dib.height > DIB_MAX_SIDE) return fail(TEXT_OUT_OF_MEMORY);

    // Bit-field masks follow the info header; without them 16 bits are 5-5-5, 32 bits 8-8-8.
    u64 tableStart = headerStart + headerSize;
    if (dib.compression == BI_BITFIELDS) {
        if (!fits(tableStart, 12, size)) return fail(TEXT_CONVERSION_ERROR);
        dib.red = makeChannel(readU32(bytes + tableStart));
        dib.green = makeChannel(readU32(bytes + tableStart + 4));
        dib.blue = makeChannel(readU32(bytes + tableStart + 8));
        tableStart += 12;
    } else if (bpp == 16) {
        dib.red = makeChannel(0x7C00);
        dib.green = makeChannel(0x03E0);
        dib.blue = makeChannel(0x001F);
    } else {
        dib.red = makeChannel(0xFF0000);
        dib.green = makeChannel(0x00FF00);
        dib.blue = makeChannel(0x0000FF);
    }

    // The colour table: a file header's pixel offset may cut it short.
    u64 entries = tableLength;
    if (fileHeader) {
        if (pixelOffset < tableStart) return fail(TEXT_CONVERSION_ERROR);
        const u64 room = (pixelOffset - tableStart) / entrySize;
        if (room < entries) entries = room;
    } else {
        pixelOffset = tableStart + entries * entrySize;
    }
    if (!fits(tableStart, entries * entrySize, size)) return fail(TEXT_CONVERSION_ERROR);
    dib.paletteSize = u32(entries < 256 ? entries : 256);
    for (u32 i = 0; i < dib.paletteSize; i++) {
        const u8* entry = bytes + tableStart + i * entrySize;
        dib.palette[i][0] = entry[2];
        dib.palette[i][1] = entry[1];
        dib.palette[i][2] = entry[0];
    }

    if (!fits(pixelOffset, 0, size)) return fail(TEXT_CONVERSION_ERROR);
    const u64 rowBits = u64(dib.width) * bpp;
    const u64 stride = (rowBits + 31) / 32 * 4;
    if (!rle && !fits(pixelOffset, stride * u64(dib.height - 1) + (rowBits + 7) / 8, size)) {
        return fail(TEXT_CONVERSION_ERROR);
    }

    const u64 outRow = u64(dib.width) * 3;
    u8* data = static_cast<u8*>(std::calloc(outRow * u64(dib.height), 1));
    if (data == nullptr) return fail(TEXT_OUT_OF_MEMORY);
    if (rle) {
        if (!decodeRle(dib, bytes, size, pixelOffset, data)) {
            std::free(data);
            return fail(TEXT_CONVERSION_ERROR);
        }
    } else {
        for (i64 row = 0; row < dib.height; row++) {
            const i64 target = dib.topDown ? dib.height - 1 - row : row;
            convertRow(dib, bytes + pixelOffset + u64(row) * stride, data + u64(target) * outRow);
        }
    }

    RgbImage* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (image == nullptr) {
        std::free(data);
        return fail(TEXT_OUT_OF_MEMORY);
    }
    image->width = i32(dib.width);
    image->height = i32(dib.height);
    image->data = data;
    return image;
}

RgbImage* loadDibImage(const char* fileName) {
    const char* name = fileName ? fileName : "";
    auto showError = [](const char* text) { platformMessageBox(text, "Error", MB_OK); };
    auto openFailed = [&]() -> RgbImage* {
        char text[1100];
        std::snprintf(text, sizeof text, "Failed to open DIB file %s.\n", name);
        showError(text);
        return nullptr;
    };

    u8* bytes = nullptr;
    size_t size = 0;
    switch (readFileBytes(name, SIZE_MAX, &bytes, &size)) {
        case FileRead::Ok: break;
        case FileRead::OutOfMemory: showError(TEXT_OUT_OF_MEMORY); return nullptr;
        case FileRead::CannotRead:
        case FileRead::TooLarge: return openFailed();
    }

    const char* errorText = nullptr;
    RgbImage* image = decodeDib(bytes, size, &errorText);
    std::free(bytes);
    if (image == nullptr) showError(errorText ? errorText : TEXT_CONVERSION_ERROR);
    return image;
}

RgbImage* loadBmp(const char* fileName) {
    if (fileName == nullptr) return nullptr;
    // A missing picture is not worth a message: the game runs on without the texture. Probed
    // without waiting: a FIFO in its place is then refused by the reader, never waited on.
    const int probe = open(fileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) return nullptr;
    close(probe);
    return loadDibImage(fileName);
}

void freeRgbImage(RgbImage* image) {
    if (image == nullptr) return;
    std::free(image->data);
    std::free(image);
}
