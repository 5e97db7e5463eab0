// session.cpp: a game's course: levels, lives, score, game over, and the camera and
// credits of the flights, one frame at a time.
#include "game/session.h"

#include "core/data_path.h"
#include "core/message_log.h"
#include "game/balls.h"
#include "game/playfield.h"

bool GameSession::start(BallSet& balls) {
    level = 0;
    if (!gameOver) score = 0;  // the final score stays on screen after a game over
    balls.count = 0;
    lives = 0;
    return nextLevel(balls);
}

bool GameSession::nextLevel(BallSet& balls) {
    score += level * LEVEL_BONUS;
    level += 1;
    balls.count = level < MAX_BALLS ? level : MAX_BALLS;
    lives += 1;
    if (lives <= 3) lives += 2;
    if (state == GameState::Menu) return false;
    levelChanging = true;
    return true;
}

bool GameSession::nextLevelIfComplete(const Playfield& field, BallSet& balls) {
    if (field.countSolidCells() < FIELD_CELLS_TO_WIN - 3 * level) return false;
    gMessageLog.append("Levelwechsel");
    return nextLevel(balls);
}

bool GameSession::beginGameOver(BallSet& balls) {
    gameOver = true;
    return start(balls);
}

void GameSession::endGameOver(Playfield& field, BallSet& balls, i64 calendarSeconds) {
    balls.count = GAME_OVER_BALLS;
    balls.spawn(calendarSeconds);
    state = GameState::Menu;
    field.loadPattern(dataPath("data/over.dat").c_str());
    gameOver = false;
}

bool GameSession::flyCamera(Transition mode) {
    if (mode == Transition::Approach) {
        cameraZ += 1.0f;
        return cameraZ >= 0.0f;
    }
    cameraZ -= 1.0f;
    return cameraZ <= CAMERA_REST_Z;
}

bool GameSession::rollCredits(bool stopAsked) {
    exiting = true;
    creditsY -= 1;
    cameraZ -= 1.0f;
    return stopAsked || creditsY + CREDITS_HEIGHT <= 0;
}
