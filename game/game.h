// game.h: the whole state of the rules in one record, and the frames of play built from them.
#pragma once
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "game/sounds.h"

struct Game {
    Playfield playfield;
    BallSet balls;
    GameSession session;
};

extern Game gGame;

// The balls' frame: they move over the field, and a touch on the wall being built breaks it
// on the wall's next growing frame. The menu's, the credits' and play's own.
void moveBalls(Game& game, SoundList& sounds);
// One frame of play: the wall from the player's input, a life for a wall lost, then the balls.
void playFrame(Game& game, SoundList& sounds, const StepInput& input);
