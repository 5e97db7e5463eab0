// playfield.h: the 30 x 30 grid everything happens on, its walls and its pattern files.
#pragma once
#include <cstdio>

#include "core/input.h"
#include "core/screen.h"
#include "core/types.h"

struct BallSet;

constexpr i32 FIELD_SIZE = 30;

// The mouse maps to cells of 21 x 16 pixels of the logical screen, rows counted upward
// from its bottom edge.
constexpr i32 CELL_PIXELS_X = 21;
constexpr i32 CELL_PIXELS_Y = 16;

enum class Orientation : i32 {
    Horizontal = 2,  // the wall runs along x
    Vertical = 1,    // the wall runs along y
};

struct Cell {
    u32 solid = 0;        // 1 = solid; a pattern may store other values, which only block walls
    bool marked = false;  // wall under construction, or visited by the running flood fill
};

struct Playfield {
    bool regionHasBall = false;
    bool building = false;
    bool wallHit = false;
    i32 cursorX = 0;
    i32 cursorY = 0;
    i32 wallStartX = 0;
    i32 wallStartY = 0;
    i32 endHigh = 0;
    i32 endLow = 0;
    i32 wallLine = 0;
    Orientation selectedOrientation = Orientation::Horizontal;
    Orientation wallOrientation = Orientation::Horizontal;
    i32 cellPixelsX = 0;
    i32 cellPixelsY = 0;
    f32 textureStepX = 0.0f;
    f32 textureStepY = 0.0f;
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
    bool markedAt(i32 x, i32 y) const { return inside(x, y) && cells[x][y].marked; }

    // Wall building and capture, once per playing frame; a region with a ball in it stays
    // open. True when a ball broke the wall under construction: it is gone, a life with it.
    [[nodiscard]] bool update(const BallSet& balls, const StepInput& input);
    void startWall(i32 x, i32 y, Orientation orientation);
    [[nodiscard]] bool growWall(Orientation orientation, const BallSet& balls);
    void floodRegion(i32 x, i32 y, const BallSet& balls);
    void sweepMarks(bool unmarkOnly);
};

// Reads lines into line (256 bytes) until one is neither a comment nor empty.
// False at the end of the file.
bool readPatternLine(std::FILE* file, char* line);
// A column or row as the cursor may take it: inside the border, 1 to FIELD_SIZE - 2.
i32 clampToInside(i32 v);
