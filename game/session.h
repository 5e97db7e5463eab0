// session.h: levels, lives, score, game over, and the camera and credits of the transitions.
#pragma once
#include "core/types.h"

enum class GameState : i32 { Menu = 0, Playing = 1 };
enum class Transition : i32 { Approach = 0, Return = 1, Exit = 2 };

constexpr i32 LEVEL_BONUS = 1000;
constexpr i32 GAME_OVER_BALLS = 3;
constexpr i32 FIELD_CELLS_TO_WIN = 810;  // a level is complete at this many solid cells, less 3 a level
constexpr f32 CAMERA_REST_Z = -30.0f;

struct GameSession {
    i32 level = 0;
    i32 lives = 0;
    i32 score = 0;
    GameState state = GameState::Menu;
    i32 creditsY = 480;
    bool levelChanging = false;
    bool gameOver = false;
    bool exiting = false;
    f32 cameraX = -15.0f;
    f32 cameraY = 10.0f;
    f32 cameraZ = CAMERA_REST_Z;

    void start();
    void nextLevel();
    void update();
    void endGame();
    // Moves the camera one frame at a time until the transition is done; every step is a
    // whole frame, drawn and paced by the layer above through gGameHooks.runFrame.
    void runTransition(Transition mode);
};
