// window_manager.h: textured in-game windows with buttons and text fields.
#pragma once
#include "app/types.h"
#include "render/message_log.h"

constexpr i32 WINDOW_SLOTS = 25;

struct UiButton {
    char name[TEXT_FIELD_SIZE];
    u8 pressed;
    char caption[TEXT_FIELD_SIZE];
    f32 x;
    f32 y;
    f32 height;
    f32 width;
    u8 inUse;
};

struct UiTextField {
    f32 x;
    f32 y;
    char text[TEXT_FIELD_SIZE];
    u8 inUse;
};

struct UiWindow {
    UiButton* buttons;
    UiTextField* textFields;
    i32 textFieldCapacity;
    i32 buttonCapacity;
    char title[TEXT_FIELD_SIZE];
    f32 x;
    f32 y;
    f32 height;
    f32 width;
    u8 isOpen;

    i32 addButton(f32 x, f32 y, f32 width, f32 height, const char* caption, const char* name);
    i32 addTextField(f32 x, f32 y, const char* text);
    i32 addNumberField(f32 x, f32 y, i32 value);
};

struct WindowManager {
    UiWindow* windows;  // WINDOW_SLOTS slots; slot 0 is never handed out

    void init();
    i32 createWindow(i32 textFieldCapacity, i32 buttonCapacity, f32 x, f32 y, f32 width, f32 height,
                     const char* title);
    void deleteWindow(i32 index);
    void update();
    void draw();
};

extern WindowManager gWindowManager;
