// session.cpp: a game's course: levels, lives, score, game over, and the camera and
// credits of the transitions, whose frames the layer above runs.
#include "game/session.h"

#include "core/input.h"
#include "core/message_log.h"
#include "game/game.h"

Game gGame;
GameHooks gGameHooks;

void GameSession::start() {
    level = 0;
    if (!gameOver) score = 0;  // the final score stays on screen after a game over
    gGame.balls.count = 0;
    lives = 0;
    nextLevel();
}

void GameSession::nextLevel() {
    score += level * LEVEL_BONUS;
    level += 1;
    gGame.balls.count = level < MAX_BALLS ? level : MAX_BALLS;
    lives += 1;
    if (lives <= 3) lives += 2;
    if (state != GameState::Menu) {
        levelChanging = true;
        runTransition(Transition::Approach);
        gGame.playfield.clear();
        gGame.balls.spawn();
        runTransition(Transition::Return);
        levelChanging = false;
    }
}

void GameSession::update() {
    if (lives <= 0) endGame();
    if (gGame.playfield.countSolidCells() >= FIELD_CELLS_TO_WIN - 3 * level) {
        gMessageLog.append("Levelwechsel");
        nextLevel();
    }
}

void GameSession::endGame() {
    gameOver = true;
    start();
    gGame.balls.count = GAME_OVER_BALLS;
    gGame.balls.spawn();
    state = GameState::Menu;
    if (gGameHooks.openMenu) gGameHooks.openMenu(false);
    gGame.playfield.loadPattern("data/over.dat");
    gameOver = false;
}

void GameSession::runTransition(Transition mode) {
    for (;;) {
        bool done = false;
        switch (mode) {
            case Transition::Approach:
                cameraZ += 1.0f;
                done = cameraZ >= 0.0f;
                break;
            case Transition::Return:
                cameraZ -= 1.0f;
                done = cameraZ <= CAMERA_REST_Z;
                break;
            case Transition::Exit:
                exiting = true;
                creditsY -= 1;
                cameraZ -= 1.0f;
                // A closed window ends the credits too: they would otherwise roll on for 23 s
                // with every click and key already dropped.
                if (gInput.leftClicked || gInput.rightClicked || gInput.keys[VK_ESCAPE] ||
                    creditsY + 300 <= 0 || gInput.quitRequested) {
                    gInput.quitRequested = true;
                    done = true;
                }
                gGame.balls.move();
                break;
            default:
                return;  // no such transition
        }
        if (gGameHooks.runFrame) gGameHooks.runFrame();
        if (done) return;
    }
}
