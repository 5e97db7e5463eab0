// session.cpp: a game's course: levels, lives, score, game over, and the camera
// transitions that keep the frames going while the camera moves.
#include "game/session.h"

#include "app/main_loop.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "render/message_log.h"
#include "ui/menu.h"

GameSession gSession;
f32 cameraX;
f32 cameraY;
f32 cameraZ = -30.0f;

void GameSession::start() {
    level = 0;
    if (gameOver != 1) score = 0;  // the final score stays on screen after a game over
    gBalls.count = 0;
    lives = 0;
    nextLevel();
}

void GameSession::nextLevel() {
    score += level * LEVEL_BONUS;
    level += 1;
    gBalls.count = level < MAX_BALLS ? level : MAX_BALLS;
    lives += 1;
    if (lives <= 3) lives += 2;
    if (state != GameState::Menu) {
        levelChanging = 1;
        runTransition(Transition::Approach);
        gPlayfield.clear();
        gBalls.spawn();
        runTransition(Transition::Return);
        levelChanging = 0;
    }
}

void GameSession::update() {
    if (lives <= 0) endGame();
    if (gPlayfield.countSolidCells() >= 810 - 3 * level) {
        gMessageLog.append("Levelwechsel");
        nextLevel();
    }
}

void GameSession::endGame() {
    gameOver = 1;
    start();
    gBalls.count = GAME_OVER_BALLS;
    gBalls.spawn();
    state = GameState::Menu;
    gMainMenu.resumeAllowed = 0;
    gMainMenu.open();
    gPlayfield.loadPattern("data/over.dat");
    gameOver = 0;
}

void GameSession::runTransition(i32 mode) {
    for (;;) {
        bool done = false;
        if (mode == Transition::Approach) {
            cameraZ += 1.0f;
            done = cameraZ >= 0.0f;
        } else if (mode == Transition::Return) {
            cameraZ -= 1.0f;
            done = cameraZ <= -30.0f;
        } else if (mode == Transition::Exit) {
            exiting = 1;
            creditsY -= 1;
            cameraZ -= 1.0f;
            // A closed window ends the credits too: they would otherwise roll on for 23 s
            // with every click and key already dropped.
            if (gInput.leftClicked == 1 || gInput.rightClicked != 0 || gInput.keys[VK_ESCAPE] != 0 ||
                creditsY + 300 <= 0 || quitRequested == 1) {
                quitRequested = 1;
                done = true;
            }
            gBalls.move();
        } else {
            return;  // no such transition
        }
        stepFrame();
        if (done) return;
    }
}

