// balls.cpp: placing the balls, moving them a quarter cell per frame, bouncing, and
// noticing a touch on the wall under construction.
#include "game/balls.h"

#include "game/playfield.h"
#include "game/sounds.h"

static_assert(SoundList::CAPACITY >= 4 * MAX_BALLS + 1, "a step's sounds: four bounces a ball, and a wall lost");

i32 BallSet::randomBelow(i32 n) {
    randomState = randomState * 214013u + 2531011u;
    const i32 value = static_cast<i32>((randomState >> 16) & 0x7FFFu);
    return n > 0 ? value % n : 0;
}

void BallSet::spawn(i64 calendarSeconds) {
    // Levels beyond the table keep the table's 20 balls.
    if (count > MAX_BALLS) count = MAX_BALLS;
    if (count < 0) count = 0;
    seedRandom(static_cast<u32>(calendarSeconds));
    for (i32 i = 0; i < count; ++i) {
        Ball& b = balls[i];
        b.x = static_cast<f32>(randomBelow(25) + 3);
        b.y = static_cast<f32>(randomBelow(25) + 3);
        b.vx = randomBelow(2) == 1 ? -0.25f : 0.25f;
        b.vy = randomBelow(2) == 1 ? -0.25f : 0.25f;
    }
}

bool BallSet::move(const Playfield& f, SoundList& sounds) {
    bool touched = false;
    const i32 n = count < MAX_BALLS ? count : MAX_BALLS;
    for (i32 i = 0; i < n; ++i) {
        Ball& b = balls[i];
        const i32 cx = static_cast<i32>(b.x);
        const i32 cy = static_cast<i32>(b.y);
        const bool building = f.building;
        const f32 low = 0.35f;
        const f32 high = 0.6f;

        if (f.solidAt(cx - 1, cy) == 1 && b.vx < 0 && b.x < cx + low) {
            b.vx = -b.vx;
            sounds.add(SoundEffect::Bounce);
        }
        if (f.markedAt(cx - 1, cy) && building && b.vx < 0 && b.x < cx + low) touched = true;
        if (f.solidAt(cx + 1, cy) == 1 && b.vx > 0 && b.x > cx + high) {
            b.vx = -b.vx;
            sounds.add(SoundEffect::Bounce);
        }
        if (f.markedAt(cx + 1, cy) && building && b.vx > 0 && b.x > cx + high) touched = true;
        if (f.solidAt(cx, cy - 1) == 1 && b.vy < 0 && b.y < cy + low) {
            b.vy = -b.vy;
            sounds.add(SoundEffect::Bounce);
        }
        if (f.markedAt(cx, cy - 1) && building && b.vy < 0 && b.y < cy + low) touched = true;
        if (f.solidAt(cx, cy + 1) == 1 && b.vy > 0 && b.y > cy + high) {
            b.vy = -b.vy;
            sounds.add(SoundEffect::Bounce);
        }
        if (f.markedAt(cx, cy + 1) && building && b.vy > 0 && b.y > cy + high) touched = true;

        b.x += b.vx;
        b.y += b.vy;
    }
    return touched;
}

void BallSet::roll() {
    // Wrapped to 0 rather than reduced: 0, 20, ..., 340, 0.
    spin += 20.0f;
    if (spin >= 360.0f) spin = 0.0f;
}
