// png_file.h: pictures written out as PNG files, for screenshots.
#pragma once
#include "core/types.h"

// Larger pictures are refused: no display is this large, and the row table stays small.
constexpr i32 PNG_MAX_SIDE = 16384;

// Writes an RGB picture (width * height * 3 bytes, no row padding, top row first) as a PNG
// to the open file fd, quickly rather than small: a screenshot is taken during play. Returns
// 0 when all of it was written, else the system's error number for why not; the file then
// holds part of a PNG, for the caller to remove. The file stays open.
int writePng(int fd, const u8* rgb, i32 width, i32 height);
