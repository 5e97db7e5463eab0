// session.h: levels, lives, score, game over and the camera transitions.
#pragma once
#include "app/types.h"

namespace GameState {
constexpr i32 Menu = 0;
constexpr i32 Playing = 1;
}  // namespace GameState

namespace Transition {
constexpr i32 Approach = 0;
constexpr i32 Return = 1;
constexpr i32 Exit = 2;
}  // namespace Transition

constexpr i32 LEVEL_BONUS = 1000;
constexpr i32 GAME_OVER_BALLS = 3;

struct GameSession {
    i32 level;
    i32 lives;
    i32 score;
    i32 state;  // GameState
    i32 creditsY;
    u8 levelChanging;
    u8 gameOver;
    u8 exiting;

    void start();
    void nextLevel();
    void update();
    void endGame();
    void runTransition(i32 mode);
};

extern GameSession gSession;
extern f32 cameraX;
extern f32 cameraY;
extern f32 cameraZ;
