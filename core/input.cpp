// input.cpp: the input state and the latching of clicks once per frame step.
#include "core/input.h"

InputState gInput;

void InputState::latchClicks() {
    leftClicked = leftPressed;
    rightClicked = rightPressed;
    leftPressed = false;
    rightPressed = false;
}
