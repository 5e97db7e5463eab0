// game.h: the whole state of the rules in one record, and what they ask of the layers above.
#pragma once
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"

struct Game {
    Playfield playfield;
    BallSet balls;
    GameSession session;
};

extern Game gGame;

enum class SoundEffect : i32 { Bounce = 0, WallLost = 1 };

// The rules never draw, pace or play anything themselves. The program installs these at
// start-up; an empty hook does nothing.
struct GameHooks {
    void (*runFrame)() = nullptr;                 // one whole frame step: the transitions need them
    void (*playSound)(SoundEffect effect) = nullptr;
    void (*openMenu)(bool resumeAllowed) = nullptr;  // a game over returns to the menu
};

extern GameHooks gGameHooks;
