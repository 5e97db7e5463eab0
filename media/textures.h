// textures.h: every picture of the game, loaded once at start-up into GL textures.
#pragma once
#include <cstddef>
#include <cstdlib>
#include <memory>

#include "core/types.h"

constexpr i32 TEXTURE_CACHE_SLOTS = 256;

// Fixed texture ids of the BMP pictures, in load order.
constexpr u32 TEX_WHITE = 1;  // loaded first for its slot, which fixes the ids after it; nothing draws it
constexpr u32 TEX_FLOOR = 2;
constexpr u32 TEX_WALL_SIDE = 3;
constexpr u32 TEX_WALL_TOP = 4;
constexpr u32 TEX_BALL = 5;
constexpr u32 TEX_CURSOR_HORIZONTAL = 6;
constexpr u32 TEX_CURSOR_VERTICAL = 7;
constexpr u32 TEX_MENU = 8;
constexpr u32 TEX_MENU_NEW = 9;
constexpr u32 TEX_MENU_RESUME = 10;
constexpr u32 TEX_MENU_EXIT = 11;

struct TextureCache {
    i32 count = 0;
    char names[TEXTURE_CACHE_SLOTS][128] = {};
    u32 ids[TEXTURE_CACHE_SLOTS] = {};

    // The entry of the name, loaded on first request; texture id i + 1 for entry i. A null
    // name or a full cache gives -1 and loads nothing.
    i32 load(const char* fileName);
};

// Pixel bytes from malloc, released with the record that owns them.
struct FreeBytes {
    void operator()(u8* bytes) const { std::free(bytes); }
};

struct TgaTexture {
    std::unique_ptr<u8[], FreeBytes> data;  // RGB(A), rows as stored in the file; kept after the upload
    u32 bitsPerPixel = 0;
    u32 width = 0;
    u32 height = 0;
    u32 textureId = 0;
};

// Every picture the game shows.
struct Textures {
    TextureCache cache;  // the BMP pictures, by fixed id
    TgaTexture stripe;   // the intro's two stripes and its logo
    TgaTexture stripe2;
    TgaTexture logo;
};

// Every picture, and the window's icon.
void loadTextures();
// Reads the file and makes a mipmapped texture of it.
bool loadTga(TgaTexture& texture, const char* fileName);

// TGA pictures larger than this on a side are refused before anything is allocated.
constexpr u32 TGA_MAX_SIDE = 16384;

// Decodes a whole TGA file held in memory, without GL: accepts only uncompressed 24/32-bit
// true colour with no image id, no colour map and a zero origin; fills width, height,
// bitsPerPixel and data (RGB(A), rows as stored). Silent: false on any failure,
// with no pixel buffer left behind and textureId untouched.
bool decodeTga(TgaTexture& texture, const u8* bytes, size_t size);
// The file half of loadTga: the file read into memory and decoded as above.
bool readTga(TgaTexture& texture, const char* fileName);

// Gives the window the icon in a TGA file as readTga takes it, rows bottom first. A missing
// or damaged file only leaves the window without one: one line on stderr, and false.
bool loadWindowIcon(const char* fileName);

extern Textures gTextures;
