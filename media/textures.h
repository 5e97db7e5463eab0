// textures.h: every picture of the game, loaded once at start-up into GL textures.
#pragma once
#include <cstddef>

#include "app/types.h"

constexpr i32 TEXTURE_CACHE_SLOTS = 256;

// Fixed texture ids of the BMP pictures, in load order.
constexpr u32 TEX_WHITE = 1;
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
    i32 count;
    char names[TEXTURE_CACHE_SLOTS][128];
    u32 ids[TEXTURE_CACHE_SLOTS];

    // The entry of the name, loaded on first request; texture id i + 1 for entry i. A null
    // name or a full cache gives -1 and loads nothing.
    i32 load(const char* fileName);
};

struct TgaTexture {
    u8* data;  // RGB(A), rows as stored in the file
    u32 bitsPerPixel;
    u32 width;
    u32 height;
    u32 textureId;
};

void loadTextures();
bool loadTga(TgaTexture& texture, const char* fileName);

// TGA pictures larger than this on a side are refused before anything is allocated.
constexpr u32 TGA_MAX_SIDE = 16384;

// The file half of loadTga, without GL: accepts only uncompressed 24/32-bit true colour
// with no image id, no colour map and a zero origin; fills width, height, bitsPerPixel
// and data (malloc'ed, RGB(A), rows as stored). Silent: false on any failure, with no
// pixel buffer left behind and textureId untouched.
bool readTga(TgaTexture& texture, const char* fileName);
// The same for a whole file held in memory.
bool decodeTga(TgaTexture& texture, const u8* bytes, size_t size);

extern TextureCache gTextureCache;
extern TgaTexture gStripeTexture;
extern TgaTexture gStripe2Texture;
extern TgaTexture gLogoTexture;
