// fendwall-golden: plays the golden games that need a player who reads the field, headless on
// the scripted platform, and records them with the game's own --record. Run from the
// repository root:
//   build/tools/fendwall-golden lost-level-1 tests/golden/lost-level-1.fwrec
//   build/tools/fendwall-golden two-levels tests/golden/two-levels.fwrec
// The same program, seconds and data give the same file, so a re-recording shows in a diff
// exactly what a change did to play.
#include <cstdio>
#include <cstring>

#include "app/main_loop.h"
#include "app/controls.h"
#include "game/game.h"
#include "app/phases.h"
#include "platform/scripted/platform_scripted.h"
#include "ui/menu.h"

namespace {

struct Plan {
    i32 x = 0, y = 0;
    Orientation orientation = Orientation::Vertical;
    i32 gain = 0;        // cells won
    bool lost = false;   // a ball breaks it
};

// What a wall started at (x, y) after `delay` ball steps would do, played out on a copy of
// the game by its own rules: the wall grows, the balls move, one pass at a time.
Plan tryWall(i32 x, i32 y, Orientation orientation, int delay) {
    const Game saved = gGame;
    Playfield& f = gGame.playfield;
    SoundList sounds;
    for (int i = 0; i < delay; ++i) moveBalls(gGame, sounds), sounds.count = 0;
    const i32 solid = f.countSolidCells();
    bool lost = false;
    f.startWall(x, y, orientation);
    while (f.building) {
        lost = f.growWall(orientation, gGame.balls);
        if (f.building) moveBalls(gGame, sounds), sounds.count = 0;
    }
    const Plan plan{x, y, orientation, f.countSolidCells() - solid, lost};
    gGame = saved;
    return plan;
}

enum class Goal { Win, Lose };

// The wall that wins most without being broken, or the first one a ball breaks.
bool choose(Goal goal, Plan* best) {
    bool found = false;
    for (i32 x = 1; x < FIELD_SIZE - 1; ++x) {
        for (i32 y = 1; y < FIELD_SIZE - 1; ++y) {
            if (gGame.playfield.cells[x][y].solid != 0) continue;
            for (Orientation o : {Orientation::Vertical, Orientation::Horizontal}) {
                // A turn of the wall first costs one more frame before it starts.
                const Plan p = tryWall(x, y, o, o == gGame.playfield.selectedOrientation ? 1 : 2);
                if (goal == Goal::Lose && p.lost) return *best = p, true;
                if (goal == Goal::Win && !p.lost && p.gain > (found ? best->gain : 0)) *best = p, found = true;
            }
        }
    }
    return found;
}

void push(PlatformEventType type, i32 x = 0, i32 y = 0) { scripted::pushEvent({type, 0, x, y}); }
void key(PlatformEventType type) { scripted::pushEvent({type, VK_ESCAPE, 0, 0}); }

struct Player {
    Goal goal = Goal::Win;
    i32 levels = 0;        // levels to clear before leaving
    bool skipIntro = false;
    int frame = 0;
    bool newGame = false;  // New Game clicked
    bool played = false;   // a game has started
    int menuFrames = 0;    // in the menu after the game, before Exit
    bool leaving = false;  // Exit clicked: the credits roll
    bool creditsClicked = false;
    f32 lastX = -1.0f;     // the first ball at the last frame

    bool busy() const {
        return scripted::pendingEvents() > 0 || gInput.leftPressed || gInput.rightPressed || gInput.leftClicked ||
               gInput.rightClicked;
    }

    // Called after every frame's swap, before the frame takes its message.
    void act() {
        ++frame;
        const GameSession& s = gGame.session;
        if (skipIntro && frame == 3) key(PlatformEventType::KeyDown);
        if (skipIntro && frame == 5) key(PlatformEventType::KeyUp);
        // A camera flight's frames run inside one pass of the game, and its last one is
        // followed by that pass's own frame: only a frame after a moving ball comes right
        // after the game's logic, which the wall's timing counts on.
        const bool moved = gGame.balls.balls[0].x != lastX;
        lastX = gGame.balls.balls[0].x;
        if (busy() || frame < 6) return;
        const bool atRest = s.cameraZ == CAMERA_REST_Z && !s.levelChanging && moved;
        if (leaving) {
            // Clicked away halfway up, or left to roll out.
            if (goal == Goal::Win && s.creditsY < 300 && !creditsClicked) push(PlatformEventType::LeftDown, 100, 100), creditsClicked = true;
            return;
        }
        if (s.state == GameState::Menu) {
            if (played) return endInMenu();
            // The menu takes clicks under the intro too; a player waits for it.
            if (!gFlow.intro.active && !newGame) push(PlatformEventType::LeftDown, 320, 180), newGame = true;
            return;
        }
        played = true;
        if (s.state != GameState::Playing || !atRest || gGame.playfield.building) return;
        if (goal == Goal::Win && s.level > levels) {
            key(PlatformEventType::KeyDown), key(PlatformEventType::KeyUp);  // the menu, with Resume
            return;
        }
        Plan p;
        if (!choose(goal, &p)) return;
        const i32 px = p.x * CELL_PIXELS_X + 10, py = SCREEN_HEIGHT - (p.y * CELL_PIXELS_Y + 8);
        if (p.orientation != gGame.playfield.selectedOrientation) push(PlatformEventType::RightDown, px, py);
        push(PlatformEventType::LeftDown, px, py);
    }

    void endInMenu() {
        ++menuFrames;
        // After a game over there is no Resume: a click where it would be does nothing.
        if (menuFrames == 20 && goal == Goal::Lose) push(PlatformEventType::LeftDown, 320, 255);
        if (menuFrames == 40) push(PlatformEventType::LeftDown, 320, 315), leaving = true;  // Exit
    }
};

Player sPlayer;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "lost-level-1") != 0 && std::strcmp(argv[1], "two-levels") != 0)) {
        std::fprintf(stderr, "usage: fendwall-golden lost-level-1|two-levels FILE\n");
        return 2;
    }
    const bool lose = std::strcmp(argv[1], "lost-level-1") == 0;
    // Loses three walls after the whole intro and lets the credits roll out; or skips the
    // intro, clears two levels, leaves through the menu and clicks the credits away.
    sPlayer.goal = lose ? Goal::Lose : Goal::Win;
    sPlayer.levels = lose ? 0 : 2;
    sPlayer.skipIntro = !lose;
    scripted::setSwapHook([] { sPlayer.act(); });
    const char* args[] = {"fendwall", "--record", argv[2]};
    const int status = runProgram(3, args);
    std::printf("%s: level %d, score %d, exit status %d\n", argv[2], gGame.session.level, gGame.session.score, status);
    return status == 1 ? 0 : 1;
}
