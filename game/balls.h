// balls.h: the bouncing balls and the game's one random generator.
#pragma once
#include "core/types.h"

struct Playfield;
struct SoundList;

constexpr i32 MAX_BALLS = 20;

struct Ball {
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 vx = 0.0f;  // always +0.25 or -0.25
    f32 vy = 0.0f;
};

struct BallSet {
    i32 count = 0;
    f32 spin = 0.0f;  // rolling angle in degrees of the next game picture
    Ball balls[MAX_BALLS];
    u32 randomState = 0;  // the classic rand() generator: seeding sets it, each draw steps it

    // At random places and in random directions, the generator seeded with the calendar's
    // seconds, as the game reads them when it places the balls.
    void spawn(i64 calendarSeconds);
    // A quarter cell on, bouncing off solid cells with a sound each. True when a ball touched
    // the wall under construction.
    [[nodiscard]] bool move(const Playfield& field, SoundList& sounds);
    void roll();  // once per game picture, on to the next picture's angle
    void seedRandom(u32 seed) { randomState = seed; }
    i32 randomBelow(i32 n);
};
