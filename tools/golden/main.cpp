// fendwall-golden: plays the golden games that need a player who reads the field, headless on
// the scripted platform, and records them with the game's own --record. Run from the
// repository root:
//   build/tools/fendwall-golden lost-level-1 tests/golden/lost-level-1.fwrec
//   build/tools/fendwall-golden two-levels tests/golden/two-levels.fwrec
//   build/tools/fendwall-golden keyboard tests/golden/keyboard.fwrec
//   build/tools/fendwall-golden gamepad tests/golden/gamepad.fwrec
// The same program, seconds and data give the same file, so a re-recording shows in a diff
// exactly what a change did to play.
#include <cstdio>
#include <cstring>

#include "app/controls.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "game/game.h"
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

// The wall that wins most without being broken, or the first one a ball breaks. `reach`
// gives the frames it takes to get to a cell, for players who walk there.
bool choose(Goal goal, Plan* best, int (*reach)(i32 x, i32 y) = nullptr, const Orientation* only = nullptr) {
    bool found = false;
    for (i32 x = 1; x < FIELD_SIZE - 1; ++x) {
        for (i32 y = 1; y < FIELD_SIZE - 1; ++y) {
            if (gGame.playfield.cells[x][y].solid != 0) continue;
            for (Orientation o : {Orientation::Vertical, Orientation::Horizontal}) {
                if (only && o != *only) continue;
                // A turn of the wall first costs one more frame before it starts.
                const Plan p = tryWall(x, y, o, (reach ? reach(x, y) : 0) + (o == gGame.playfield.selectedOrientation ? 1 : 2));
                if (goal == Goal::Lose && p.lost) return *best = p, true;
                if (goal == Goal::Win && !p.lost && p.gain > (found ? best->gain : 0)) *best = p, found = true;
            }
        }
    }
    return found;
}

void push(PlatformEventType type, i32 x = 0, i32 y = 0) { scripted::pushEvent({type, 0, x, y}); }
struct Key {
    i32 vk;
    i32 scancode;
};
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

// A player with the keyboard alone or a pad alone: the intro skipped, New Game from the
// menu, walls both ways until one has captured a region, Escape and Resume, then Exit from
// the menu and the credits ended, every step by the device. On the keyboard the arrows go
// across and W and S up and down, Return pushes the menu's buttons and Space builds, R and
// then Tab turn. On the pad the stick covers long ways and the d-pad the last cells; Back
// ends the credits.
struct DevicePlayer {
    bool pad = false;
    int frame = 0;
    enum class Step { Intro, NewGame, Walls, Resume, PlayOn, Exit, Credits, Done } step = Step::Intro;
    bool seenMenu = false;
    int cooldown = 0;  // frames to let a push in the menu take effect
    bool haveTarget = false;
    Plan target;
    int waited = 0;        // frames at the target waiting for the balls to clear the wall's way
    bool walling = false;  // a wall started by this player grows
    i32 solidBefore = 0, wallCells = 0, livesBefore = 0;
    bool vertical = false, horizontal = false, captured = false;
    int menuFrames = 0;

    static i32 cellX() { return gInput.mouseX / CELL_PIXELS_X; }
    static i32 cellY() { return (SCREEN_HEIGHT - gInput.mouseY) / CELL_PIXELS_Y; }

    void key(Key k, bool down) const {
        scripted::pushEvent({down ? PlatformEventType::KeyDown : PlatformEventType::KeyUp, k.vk, 0, 0, k.scancode, false});
    }
    void tapKey(Key k) const { key(k, true), key(k, false); }
    void tap(PadButton b) const { scripted::pressPadButtons(padBit(b)); }
    bool busy() const {
        const PlatformPads& p = scripted::pads();
        return scripted::pendingEvents() > 0 || p.pressed != 0 || gInput.leftPressed || gInput.rightPressed ||
               gInput.leftClicked || gInput.rightClicked;
    }

    enum class Move { Up, Down, Left, Right };
    void move(Move m) const {
        static constexpr Key keys[] = {{'W', 26}, {'S', 22}, {37, 80}, {39, 79}};
        static constexpr PadButton dpad[] = {PadButton::DpadUp, PadButton::DpadDown, PadButton::DpadLeft, PadButton::DpadRight};
        pad ? tap(dpad[int(m)]) : tapKey(keys[int(m)]);
    }
    void escape() const { pad ? tap(PadButton::Start) : tapKey({VK_ESCAPE, 41}); }
    void build() const { pad ? tap(PadButton::A) : tapKey({32, 44}); }
    // Keys: turn and build in consecutive frames, as a mouse's two clicks would. A pad's
    // two buttons go down together (B the first time, X after).
    void turnAndBuild() const {
        if (pad) return scripted::pressPadButtons(padBit(vertical ? PadButton::X : PadButton::B) | padBit(PadButton::A));
        const Key turn = vertical ? Key{9, 43} : Key{'R', 21};
        key(turn, true), key({32, 44}, true), key(turn, false), key({32, 44}, false);
    }
    int startDelay(bool turn) const { return turn && !pad ? 2 : 1; }

    // To the menu's button at y, one button a press, then pushed.
    void pushButton(i32 y) {
        if (gInput.mouseY == y && gInput.mouseX == 320) {
            cooldown = 10;
            return pad ? tap(PadButton::A) : tapKey({13, 40});
        }
        move(gInput.mouseY < y ? Move::Down : Move::Up);
    }

    // Frames a walk to a cell takes: two a cell (down and up), the stick's far ways aside.
    static int reach(i32 x, i32 y) {
        const i32 dx = x - cellX(), dy = y - cellY();
        return 2 * ((dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy));
    }

    void walls() {
        Playfield& f = gGame.playfield;
        const GameSession& s = gGame.session;
        if (walling) {
            i32 marked = 0;
            for (const auto& column : f.cells) {
                for (const Cell& c : column) marked += c.marked;
            }
            if (f.building) return void(wallCells = marked > wallCells ? marked : wallCells);
            walling = false;
            if (wallCells == 0) return;  // never grew: closed at once, or not started
            if (s.lives == livesBefore && f.countSolidCells() - solidBefore > wallCells) captured = true;
            if (s.lives == livesBefore) (target.orientation == Orientation::Vertical ? vertical : horizontal) = true;
            return;
        }
        if (captured && vertical && horizontal) return void(step = Step::Resume);
        if (!haveTarget) {
            const Orientation wanted = vertical ? Orientation::Horizontal : Orientation::Vertical;
            if (!choose(Goal::Win, &target, &DevicePlayer::reach, &wanted)) return;
            haveTarget = true, waited = 0;
        }
        const i32 dx = target.x - cellX(), dy = target.y - cellY();
        // The stick for the long way across, at full speed; the d-pad for the last cells.
        if (pad) {
            const bool far = dx > 4 || dx < -4;
            scripted::setPads(1, 0, far ? (dx > 0 ? 32767 : -32768) : 0, 0);
            if (far) return;
        }
        if (dx != 0 || dy != 0 || !onCentre()) {
            return move(dx > 0 ? Move::Right : dx < 0 ? Move::Left : dy > 0 ? Move::Up : dy < 0 ? Move::Down : Move::Left);
        }
        // There: build once a ball cannot break it on the way, or find another wall.
        const bool turn = target.orientation != f.selectedOrientation;
        if (tryWall(target.x, target.y, target.orientation, startDelay(turn)).lost) {
            if (++waited > 90) haveTarget = false;
            return;
        }
        solidBefore = f.countSolidCells(), wallCells = 0, livesBefore = s.lives, walling = true, haveTarget = false;
        turn ? turnAndBuild() : build();
    }

    static bool onCentre() { return gInput.mouseX % CELL_PIXELS_X == CELL_PIXELS_X / 2; }

    void act() {
        ++frame;
        // A pad's buttons go up the frame after they went down.
        const PlatformPads& p = scripted::pads();
        if (pad && p.held != 0 && p.pressed == 0) scripted::setPads(1, 0, p.stickX, p.stickY);
        if (pad && frame == 2) scripted::setPads(1, 0);  // plugged in as the game starts
        if (busy() || frame < 6) return;
        if (cooldown > 0) return void(--cooldown);
        const GameSession& s = gGame.session;
        const bool menu = s.state == GameState::Menu && gFlow.phase == Phase::Menu;
        const bool atRest = s.cameraZ == CAMERA_REST_Z && !s.levelChanging && gFlow.phase == Phase::Play;
        switch (step) {
            case Step::Intro:
                if (frame == 10) escape(), step = Step::NewGame;
                return;
            case Step::NewGame:
                if (gFlow.phase == Phase::Play) return void(step = Step::Walls);
                if (menu && !gFlow.intro.active) pushButton(179);
                return;
            case Step::Walls:
                if (atRest) walls();
                return;
            case Step::Resume:
                if (menu) return seenMenu = true, pushButton(254);
                if (!atRest) return;
                if (seenMenu) return void(step = Step::PlayOn);
                return escape();
            case Step::PlayOn:
                if (atRest && ++menuFrames == 30) escape(), step = Step::Exit;
                return;
            case Step::Exit:
                if (menu) pushButton(315);
                if (gFlow.phase == Phase::Credits) step = Step::Credits;
                return;
            case Step::Credits:
                if (s.creditsY < 300) pad ? tap(PadButton::Back) : tapKey({13, 40}), step = Step::Done;
                return;
            case Step::Done:
                return;
        }
    }
};

DevicePlayer sDevicePlayer;

}  // namespace

int main(int argc, char** argv) {
    const bool device = argc == 3 && (std::strcmp(argv[1], "keyboard") == 0 || std::strcmp(argv[1], "gamepad") == 0);
    if (argc != 3 || (!device && std::strcmp(argv[1], "lost-level-1") != 0 && std::strcmp(argv[1], "two-levels") != 0)) {
        std::fprintf(stderr, "usage: fendwall-golden lost-level-1|two-levels|keyboard|gamepad FILE\n");
        return 2;
    }
    const char* args[] = {"fendwall", "--record", argv[2]};
    if (device) {
        sDevicePlayer.pad = argv[1][0] == 'g';
        scripted::setSwapHook([] { sDevicePlayer.act(); });
        const int status = runProgram(3, args);
        const DevicePlayer& p = sDevicePlayer;
        std::printf("%s: level %d, score %d, exit status %d, walls both ways %s, a capture %s\n", argv[2], gGame.session.level,
                    gGame.session.score, status, p.vertical && p.horizontal ? "yes" : "no", p.captured ? "yes" : "no");
        return status == 1 && p.vertical && p.horizontal && p.captured && p.step == DevicePlayer::Step::Done ? 0 : 1;
    }
    const bool lose = std::strcmp(argv[1], "lost-level-1") == 0;
    // Loses three walls after the whole intro and lets the credits roll out; or skips the
    // intro, clears two levels, leaves through the menu and clicks the credits away.
    sPlayer.goal = lose ? Goal::Lose : Goal::Win;
    sPlayer.levels = lose ? 0 : 2;
    sPlayer.skipIntro = !lose;
    scripted::setSwapHook([] { sPlayer.act(); });
    const int status = runProgram(3, args);
    std::printf("%s: level %d, score %d, exit status %d\n", argv[2], gGame.session.level, gGame.session.score, status);
    return status == 1 ? 0 : 1;
}
