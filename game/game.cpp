// game.cpp: the frames of play, put together from the field's, the balls' and the session's rules.
#include "game/game.h"

Game gGame;

void moveBalls(Game& game, SoundList& sounds) {
    if (game.balls.move(game.playfield, sounds)) game.playfield.wallHit = true;
}

void playFrame(Game& game, SoundList& sounds, const StepInput& input) {
    if (game.playfield.update(game.balls, input)) {
        game.session.lives -= 1;
        sounds.add(SoundEffect::WallLost);
    }
    moveBalls(game, sounds);
}
