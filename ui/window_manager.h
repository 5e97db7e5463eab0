// window_manager.h: textured in-game windows with buttons and text fields.
#pragma once
#include "core/input.h"
#include "core/text_field.h"
#include "core/types.h"
#include "ui/button_queue.h"

constexpr i32 WINDOW_SLOTS = 25;
// Room in every window; a window takes as many as its capacity asks, up to these.
constexpr i32 WINDOW_MAX_BUTTONS = 16;
constexpr i32 WINDOW_MAX_TEXT_FIELDS = 16;

struct UiButton {
    char name[TEXT_FIELD_SIZE] = {};  // pushed into the button queue on a click
    bool pressed = false;  // part of the toolkit's interface: set by the click's update, cleared by the next
    char caption[TEXT_FIELD_SIZE] = {};  // part of the toolkit's interface; the menu's pictures carry theirs
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 height = 0.0f;
    f32 width = 0.0f;
    bool inUse = false;
};

struct UiTextField {
    f32 x = 0.0f;
    f32 y = 0.0f;
    char text[TEXT_FIELD_SIZE] = {};
    bool inUse = false;
};

struct UiWindow {
    UiButton buttons[WINDOW_MAX_BUTTONS];
    UiTextField textFields[WINDOW_MAX_TEXT_FIELDS];
    i32 textFieldCapacity = 0;
    i32 buttonCapacity = 0;
    char title[TEXT_FIELD_SIZE] = {};
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 height = 0.0f;
    f32 width = 0.0f;
    bool isOpen = false;

    i32 addButton(f32 x, f32 y, f32 width, f32 height, const char* caption, const char* name);
    // Text fields are part of the toolkit's interface; the game's own menu has none.
    i32 addTextField(f32 x, f32 y, const char* text);
    i32 addNumberField(f32 x, f32 y, i32 value);
};

struct WindowManager {
    UiWindow windows[WINDOW_SLOTS];  // slot 0 is never handed out

    i32 createWindow(i32 textFieldCapacity, i32 buttonCapacity, f32 x, f32 y, f32 width, f32 height,
                     const char* title);
    void deleteWindow(i32 index);
    void update(ButtonEventQueue& clicks, const StepInput& input);  // a left click on a button pushes its name
    void draw() const;
};
