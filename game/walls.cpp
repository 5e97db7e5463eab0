// walls.cpp: the player's side of the game: the cursor cell, growing a wall one cell per
// end per frame, losing it to a ball, and capturing the ball-free regions beside it.
#include "game/balls.h"
#include "game/playfield.h"

i32 clampToInside(i32 v) {
    if (v >= FIELD_SIZE - 1) return FIELD_SIZE - 2;
    if (v < 1) return 1;
    return v;
}

bool Playfield::update(const BallSet& balls, const StepInput& input) {
    if (cellPixelsX > 0) cursorX = input.pointerX / cellPixelsX;
    if (cellPixelsY > 0) cursorY = (SCREEN_HEIGHT - input.pointerY) / cellPixelsY;
    if (input.rightClicked) {
        selectedOrientation = selectedOrientation == Orientation::Vertical ? Orientation::Horizontal
                                                                            : Orientation::Vertical;
    }
    cursorX = clampToInside(cursorX);
    cursorY = clampToInside(cursorY);
    if (input.leftClicked && !building) {
        wallOrientation = selectedOrientation;
        startWall(cursorX, cursorY, wallOrientation);
    }
    return building && growWall(wallOrientation, balls);
}

void Playfield::startWall(i32 x, i32 y, Orientation orientation) {
    if (solidAt(x, y) != 0) {
        building = false;
        return;
    }
    building = true;
    wallHit = false;
    cells[x][y].marked = true;
    if (orientation == Orientation::Vertical) {
        wallLine = x;
        endHigh = y + 1;
        endLow = y - 1;
    } else {
        wallLine = y;
        endHigh = x + 1;
        endLow = x - 1;
    }
    wallStartX = x;
    wallStartY = y;
}

bool Playfield::growWall(Orientation orientation, const BallSet& balls) {
    if (wallHit) {
        building = false;
        sweepMarks(true);
        return true;
    }
    const bool vertical = orientation == Orientation::Vertical;
    // An end stops at the first blocked cell: any nonzero solid value, or its own wall.
    auto tryGrow = [&](i32 end) {
        const i32 x = vertical ? wallLine : end;
        const i32 y = vertical ? end : wallLine;
        if (end == 0 || !inside(x, y) || cells[x][y].marked || cells[x][y].solid != 0) return false;
        cells[x][y].marked = true;
        return true;
    };
    if (tryGrow(endHigh)) {
        ++endHigh;
    } else {
        endHigh = 0;
    }
    if (tryGrow(endLow)) {
        --endLow;
    } else {
        endLow = 0;
    }
    if (endHigh != 0 || endLow != 0) return false;

    sweepMarks(false);
    building = false;
    const i32 sides[2][2] = {
        {vertical ? wallStartX + 1 : wallStartX, vertical ? wallStartY : wallStartY + 1},
        {vertical ? wallStartX - 1 : wallStartX, vertical ? wallStartY : wallStartY - 1},
    };
    for (const auto& side : sides) {
        regionHasBall = false;
        floodRegion(side[0], side[1], balls);
        sweepMarks(regionHasBall);
    }
    return false;
}

// Depth first, in the fixed neighbour order; at most one frame per open cell (784 on a
// bordered field, 900 without a border), each a few dozen bytes of stack.
void Playfield::floodRegion(i32 x, i32 y, const BallSet& balls) {
    if (!inside(x, y)) return;
    cells[x][y].marked = true;
    const i32 next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
    for (const auto& n : next) {
        if (inside(n[0], n[1]) && !cells[n[0]][n[1]].marked && cells[n[0]][n[1]].solid == 0) {
            floodRegion(n[0], n[1], balls);
        }
    }
    const i32 n = balls.count < MAX_BALLS ? balls.count : MAX_BALLS;
    for (i32 i = 0; i < n; ++i) {
        if (static_cast<i32>(balls.balls[i].x) == x && static_cast<i32>(balls.balls[i].y) == y) {
            regionHasBall = true;
        }
    }
}

void Playfield::sweepMarks(bool unmarkOnly) {
    for (auto& column : cells) {
        for (Cell& cell : column) {
            if (!cell.marked) continue;
            cell.marked = false;
            if (!unmarkOnly) cell.solid = 1;
        }
    }
}
