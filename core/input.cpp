// input.cpp: the latching of clicks once per frame step, and a step's input taken from the state.
#include "core/input.h"

void InputState::latchClicks() {
    leftClicked = leftPressed;
    rightClicked = rightPressed;
    leftPressed = false;
    rightPressed = false;
}

void applyBound(const BoundInput& b, InputState& s) {
    if (b.point) s.mouseX = b.x, s.mouseY = b.y;
    if (b.left) s.leftPressed = true;
    if (b.right) s.rightPressed = true;
    if (b.menu != MenuControl::Same) s.menuHeld = b.menu == MenuControl::Down;
}

StepInput stepInputOf(const InputState& s) {
    return StepInput{s.mouseX, s.mouseY, s.leftClicked, s.rightClicked, s.keys[VK_ESCAPE] || s.menuHeld,
                     s.quitRequested};
}
