// controls.h: the player's devices as the game's one pointer and its two buttons. The mouse
// reaches the input state through the window procedure; the keyboard and pads through their
// bindings, which place the pointer on a cell's centre or a menu button's centre and press
// "left" (build, push) or "right" (turn), so the rules and the pictures stay as they are.
#pragma once
#include "app/bindings.h"
#include "core/input.h"
#include "platform/platform.h"

// A held direction moves again after this many frame steps, then every REPEAT_EVERY. Counted
// in frames, never on the clock, so what a recording keeps is what the player saw.
constexpr i32 REPEAT_DELAY_FRAMES = 9;
constexpr i32 REPEAT_EVERY_FRAMES = 2;
// The left stick: no motion within this much of centre, then up to STICK_MAX_SPEED pixels a
// frame step at full deflection, growing with the square of it for fine aim near the centre.
constexpr i32 STICK_DEAD_ZONE = 8000;
constexpr i32 STICK_MAX_SPEED = 16;

// Where a move goes: from cell to cell on the field, from button to button in the menu, or
// nowhere (a camera flight, the credits).
enum class Surface { None, Field, Menu };

// The buttons the menu shows now, top to bottom, as screen rectangles whose inside (edges
// excluded, as the toolkit's hit test has it) takes a click.
struct MenuStops {
    struct Stop {
        f32 left, top, right, bottom;
    };
    i32 count = 0;
    Stop stops[4] = {};
};

struct Controls {
    Bindings bindings;
    bool keyDown[512] = {};  // by scancode: down, as the key messages said
    i32 heldFrames[4] = {};  // per direction: frame steps it has been held
    i32 stickRemainderX = 0;  // the pointer's fraction of a pixel, in 1/256
    i32 stickRemainderY = 0;
    bool pauseWhenAway = false;  // the settings' pause-when-away
    bool screenshotDue = false;  // asked for: taken from the next picture drawn
};

extern InputState gInput;  // what the window and the devices have said
extern Controls gControls;

// A control bound to `a` went down in this step: a key pressed (not the system's repeat) or a
// pad button pressed.
bool controlPressed(const PlatformEvent* message, const PlatformPads& pads, Action a);

// The menu's buttons, when the menu shows them.
MenuStops menuStops();

// What the bindings make of one frame step: its window message (null when it took none), the
// pads as read beside it, where the pointer may go, and the input state so far. Advances the
// held keys' repeat and the stick's fraction.
BoundInput bindDevices(const PlatformEvent* message, const PlatformPads& pads, Surface surface, const MenuStops& menu,
                       const InputState& state);
// The pointer one step from where it is: on the field to the next cell's centre (dx, dy in
// cells, rows counted upward as the field's), in the menu to the next button's.
void stepPointer(Surface surface, const MenuStops& menu, i32 dx, i32 dy, i32* x, i32* y);
