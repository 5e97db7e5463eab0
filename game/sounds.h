// sounds.h: the sounds a step of the rules made, for the program to play after it.
#pragma once
#include "core/types.h"

enum class SoundEffect : i32 { Bounce = 0, WallLost = 1 };  // the sample slots they play in

struct SoundList {
    // Every ball of a full table bouncing off four sides in one frame, and a wall lost: the
    // balls hold it to that (balls.cpp).
    static constexpr i32 CAPACITY = 81;
    SoundEffect effects[CAPACITY] = {};
    i32 count = 0;

    void add(SoundEffect effect) {
        if (count < CAPACITY) effects[count++] = effect;
    }
};
