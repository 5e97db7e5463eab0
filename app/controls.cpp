// controls.cpp: the keyboard and the pads through their bindings, as pointer moves and presses
// of the two buttons: a press acts once, a held direction repeats by frames, the stick moves
// the pointer smoothly. Live play only: a replay takes what they made from the recording.
#include "app/controls.h"

#include "game/playfield.h"
#include "ui/menu.h"

InputState gInput;
Controls gControls;

namespace {

constexpr Action MOVES[4] = {Action::Up, Action::Down, Action::Left, Action::Right};
// Up is a row up on the field, whose rows count upward, and the button above in the menu.
constexpr i32 MOVE_DX[4] = {0, 0, -1, 1};
constexpr i32 MOVE_DY[4] = {1, -1, 0, 0};

bool keysHeld(const Controls& c, const ActionBinding& b) {
    for (i32 i = 0; i < b.keyCount; ++i) {
        if (c.keyDown[b.keys[i]]) return true;
    }
    return false;
}

// One axis of the stick into whole pixels, the fraction kept for the next step.
void stickAxis(i32 axis, i32* remainder, i32* position, i32 last) {
    const i32 magnitude = axis < 0 ? -axis : axis;
    if (magnitude <= STICK_DEAD_ZONE) {
        *remainder = 0;
        return;
    }
    const i64 t = (magnitude > 32767 ? 32767 : magnitude) - STICK_DEAD_ZONE;
    const i64 range = 32767 - STICK_DEAD_ZONE;
    const i32 speed = static_cast<i32>(i64(STICK_MAX_SPEED) * 256 * t * t / (range * range));
    *remainder += axis < 0 ? -speed : speed;
    const i32 whole = *remainder / 256;
    *remainder -= whole * 256;
    const i32 to = *position + whole;
    *position = to < 0 ? 0 : (to > last ? last : to);
    if (*position == 0 || *position == last) *remainder = 0;  // pushing at an edge saves nothing up
}

}  // namespace

bool controlPressed(const PlatformEvent* message, const PlatformPads& pads, Action a) {
    const Bindings& b = gControls.bindings;
    const bool key = message && message->type == PlatformEventType::KeyDown && !message->repeat &&
                     b.keyDoes(message->scancode, a);
    return key || (pads.pressed & b[a].padButtons) != 0;
}

MenuStops menuStops() {
    MenuStops m;
    const i32 index = gUi.menu.windowIndex;
    if (index <= 0 || index >= WINDOW_SLOTS || !gUi.manager.windows[index].isOpen) return m;
    const UiWindow& w = gUi.manager.windows[index];
    for (i32 j = 0; j < w.buttonCapacity && m.count < 4; ++j) {
        const UiButton& b = w.buttons[j];
        if (!b.inUse) continue;
        const MenuStops::Stop stop{w.x + b.x, w.y + b.y, w.x + b.x + b.width, w.y + b.y + b.height};
        i32 at = m.count++;
        for (; at > 0 && m.stops[at - 1].top > stop.top; --at) m.stops[at] = m.stops[at - 1];
        m.stops[at] = stop;
    }
    return m;
}

void stepPointer(Surface surface, const MenuStops& menu, i32 dx, i32 dy, i32* x, i32* y) {
    if (surface == Surface::Field) {
        const i32 cellX = clampToInside(clampToInside(*x / CELL_PIXELS_X) + dx);
        const i32 cellY = clampToInside(clampToInside((SCREEN_HEIGHT - *y) / CELL_PIXELS_Y) + dy);
        *x = cellX * CELL_PIXELS_X + CELL_PIXELS_X / 2;
        *y = SCREEN_HEIGHT - (cellY * CELL_PIXELS_Y + CELL_PIXELS_Y / 2);
        return;
    }
    if (surface != Surface::Menu || menu.count == 0 || dy == 0) return;
    i32 at = -1;
    const f32 px = static_cast<f32>(*x), py = static_cast<f32>(*y);
    for (i32 i = 0; i < menu.count; ++i) {
        const MenuStops::Stop& s = menu.stops[i];
        if (s.left < px && px < s.right && s.top < py && py < s.bottom) at = i;
    }
    // From no button, down goes to the top one and up to the bottom one; the ends stay.
    if (at < 0) {
        at = dy < 0 ? 0 : menu.count - 1;
    } else {
        at = dy < 0 ? (at + 1 < menu.count ? at + 1 : at) : (at > 0 ? at - 1 : 0);
    }
    const MenuStops::Stop& s = menu.stops[at];
    *x = static_cast<i32>((s.left + s.right) / 2.0f);
    *y = static_cast<i32>((s.top + s.bottom) / 2.0f);
}

BoundInput bindDevices(const PlatformEvent* message, const PlatformPads& pads, Surface surface, const MenuStops& menu,
                       const InputState& state) {
    Controls& c = gControls;
    const Bindings& b = c.bindings;
    BoundInput out;
    bool fresh[4] = {};
    // A key acts when it goes down; the system's repeats are not counted, held keys repeat by frames.
    if (message && (message->type == PlatformEventType::KeyDown || message->type == PlatformEventType::KeyUp) &&
        message->scancode > 0 && message->scancode < 512) {
        const i32 key = message->scancode;
        const bool down = message->type == PlatformEventType::KeyDown;
        if (down && !message->repeat) {
            for (i32 d = 0; d < 4; ++d) fresh[d] = b.keyDoes(key, MOVES[d]);
            out.left = b.keyDoes(key, Action::Build);
            out.right = b.keyDoes(key, Action::Turn);
        }
        c.keyDown[key] = down;
    }
    // A pad's press counts once, even when it was up again before this step read it.
    for (i32 d = 0; d < 4; ++d) fresh[d] = fresh[d] || (pads.pressed & b[MOVES[d]].padButtons) != 0;
    out.left = out.left || (pads.pressed & b[Action::Build].padButtons) != 0;
    out.right = out.right || (pads.pressed & b[Action::Turn].padButtons) != 0;
    out.pause = controlPressed(message, pads, Action::Pause);
    const bool menuDown = keysHeld(c, b[Action::Menu]) || ((pads.held | pads.pressed) & b[Action::Menu].padButtons) != 0;
    if (menuDown != state.menuHeld) out.menu = menuDown ? MenuControl::Down : MenuControl::Up;

    i32 x = state.mouseX, y = state.mouseY;
    for (i32 d = 0; d < 4; ++d) {
        const ActionBinding& move = b[MOVES[d]];
        const bool held = keysHeld(c, move) || (pads.held & move.padButtons) != 0;
        bool step = fresh[d];
        if (fresh[d] || !held) {
            c.heldFrames[d] = 0;
        } else {
            if (++c.heldFrames[d] == REPEAT_DELAY_FRAMES + REPEAT_EVERY_FRAMES) c.heldFrames[d] = REPEAT_DELAY_FRAMES;
            step = c.heldFrames[d] == REPEAT_DELAY_FRAMES;
        }
        if (step) stepPointer(surface, menu, MOVE_DX[d], MOVE_DY[d], &x, &y);
    }
    if (surface != Surface::None) {
        stickAxis(pads.stickX, &c.stickRemainderX, &x, SCREEN_WIDTH - 1);
        stickAxis(pads.stickY, &c.stickRemainderY, &y, SCREEN_HEIGHT - 1);
    }
    if (x != state.mouseX || y != state.mouseY) out.point = true, out.x = x, out.y = y;
    return out;
}
