// playfield.h: the 30 x 30 grid everything happens on, its walls and its pattern files.
#pragma once
#include <cstdio>

#include "app/types.h"

constexpr i32 FIELD_SIZE = 30;

namespace Orientation {
constexpr i32 Vertical = 1;    // the wall runs along y
constexpr i32 Horizontal = 2;  // the wall runs along x (also the meaning of 0)
}  // namespace Orientation

struct Cell {
    u32 solid;  // 1 = solid; a pattern may store other values, which only block walls
    u8 marked;  // wall under construction, or visited by the running flood fill
};

struct Playfield {
    u8 regionHasBall;
    u8 building;
    u8 wallHit;
    i32 cursorX;
    i32 cursorY;
    i32 wallStartX;
    i32 wallStartY;
    i32 endHigh;
    i32 endLow;
    i32 wallLine;
    i32 selectedOrientation;
    i32 wallOrientation;
    i32 cellPixelsX;
    i32 cellPixelsY;
    f32 textureStepX;
    f32 textureStepY;
    Cell cells[FIELD_SIZE][FIELD_SIZE];  // [x][y], y grows upward on the screen

    void clear();
    void loadPattern(const char* fileName);
    // The reading part of loadPattern, on a file already open: true when 30 data lines
    // of 30 integers each were there. Only the cells' solid values are written.
    bool readPattern(std::FILE* file);
    i32 countSolidCells() const;

    // Cells outside the grid read as solid and unmarked, so nothing ever leaves it.
    static bool inside(i32 x, i32 y) { return x >= 0 && x < FIELD_SIZE && y >= 0 && y < FIELD_SIZE; }
    u32 solidAt(i32 x, i32 y) const { return inside(x, y) ? cells[x][y].solid : 1; }
    u8 markedAt(i32 x, i32 y) const { return inside(x, y) ? cells[x][y].marked : 0; }

    // Wall building and capture, once per playing frame.
    void update();
    void startWall(i32 x, i32 y, i32 orientation);
    void growWall(i32 orientation);
    void floodRegion(i32 x, i32 y);
    void sweepMarks(i32 unmarkOnly);
};

// Reads lines into line (256 bytes) until one is neither a comment nor empty.
// False at the end of the file.
bool readPatternLine(std::FILE* file, char* line);

extern Playfield gPlayfield;
