// image_files.h: the picture file formats the game and its desktop entry read.
// Each writer takes an Image8 (row 0 at the top) and returns false after a line on
// stderr when the file cannot be written.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image_canvas.h"

// Windows bitmap, 24 bits, 14-byte file header + 40-byte info header, bottom row first,
// rows padded to 4 bytes. Alpha is dropped.
std::vector<std::uint8_t> encodeBmp24(const Image8& img);

// Uncompressed true-colour TGA (type 2, no id, no colour map, origin 0/0), bottom row
// first as the game uploads rows in file order with t = 0 at the bottom. bits is 24 or 32.
std::vector<std::uint8_t> encodeTga(const Image8& img, int bits);

// 8-bit RGBA PNG, zlib-compressed; empty when compression fails.
std::vector<std::uint8_t> encodePng(const Image8& img);

bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
