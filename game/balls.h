// balls.h: the bouncing balls and the game's one random generator.
#pragma once
#include "app/types.h"

constexpr i32 MAX_BALLS = 20;

struct Ball {
    f32 x;
    f32 y;
    f32 vx;  // always +0.25 or -0.25
    f32 vy;
};

struct BallSet {
    i32 count;
    f32 spin;  // rolling angle in degrees, advanced by the renderer
    Ball balls[MAX_BALLS];

    void spawn();
    void move();
};

// The classic rand() generator: seeding sets the state, each draw steps it.
void seedRandom(u32 seed);
i32 randomBelow(i32 n);

struct GLUquadric;
extern GLUquadric* ballQuadric;
extern BallSet gBalls;
