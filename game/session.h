// session.h: levels, lives, score, game over, and the camera and credits of the flights
// between them. Each flight is a run of frames; the session moves it one frame at a time
// and says when it is done, and the program draws each frame.
#pragma once
#include "core/screen.h"
#include "core/types.h"
#include "game/playfield.h"

struct BallSet;

enum class GameState : i32 { Menu = 0, Playing = 1 };
enum class Transition : i32 { Approach = 0, Return = 1 };

constexpr i32 LEVEL_BONUS = 1000;
constexpr i32 GAME_OVER_BALLS = 3;
constexpr i32 FIELD_CELLS_TO_WIN = 810;  // a level is complete at this many solid cells, less 3 a level
constexpr f32 CAMERA_REST_Z = -30.0f;
constexpr f32 CAMERA_TILT_DEGREES = -40.0f;  // the field leans back, about the screen's x axis
constexpr i32 CREDITS_START_Y = SCREEN_HEIGHT;  // the credits rise from the screen's bottom edge
constexpr i32 CREDITS_HEIGHT = 300;         // and end once this much of them is past its top

struct GameSession {
    i32 level = 0;
    i32 lives = 0;
    i32 score = 0;
    GameState state = GameState::Menu;
    i32 creditsY = CREDITS_START_Y;
    bool levelChanging = false;
    bool gameOver = false;
    bool exiting = false;
    f32 cameraX = -static_cast<f32>(FIELD_SIZE) / 2.0f;  // over the field's middle
    f32 cameraY = 10.0f;
    f32 cameraZ = CAMERA_REST_Z;

    // A game from level 1, the score kept after a game over. True when the level change's
    // flights follow (a game that ends in play); in the menu it starts at once.
    [[nodiscard]] bool start(BallSet& balls);
    // The bonus, a ball and lives more; true when the level change's flights follow.
    [[nodiscard]] bool nextLevel(BallSet& balls);
    void endLevelChange() { levelChanging = false; }
    bool lost() const { return lives <= 0; }
    // After a frame of play: a level complete goes on to the next, as nextLevel.
    [[nodiscard]] bool nextLevelIfComplete(const Playfield& field, BallSet& balls);
    // A game over: its flights show the final score (true when they follow), then three
    // balls bounce over the game-over pattern behind the menu, which opens without Resume.
    [[nodiscard]] bool beginGameOver(BallSet& balls);
    void endGameOver(Playfield& field, BallSet& balls, i64 calendarSeconds);
    bool flyCamera(Transition mode);  // one frame of the camera; true on the flight's last
    // One frame of the credits; true on their last: asked to stop, or rolled past the top.
    bool rollCredits(bool stopAsked);
};
