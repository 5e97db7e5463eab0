// menu.h: the main menu, built on the toolkit; and the interface's state in one record.
#pragma once
#include "core/types.h"
#include "ui/button_queue.h"
#include "ui/window_manager.h"

constexpr const char* BUTTON_NEW_GAME = "MENUFENSTER_NEUES_SPIEL_PUSH";
constexpr const char* BUTTON_EXIT = "MENUFENSTER_EXIT_PUSH";
constexpr const char* BUTTON_RESUME = "MENUFENSTER_WEITER_PUSH";

// The menu window, centred on the game's 640 x 480 screen, and its buttons' bands in it,
// full width, top to bottom: New Game, Resume (when offered), Exit.
constexpr f32 MENU_WIDTH = 150.0f;
constexpr f32 MENU_HEIGHT = 200.0f;
constexpr f32 MENU_LEFT = 320.0f - MENU_WIDTH / 2.0f;
constexpr f32 MENU_TOP = 240.0f - MENU_HEIGHT / 2.0f;
struct MenuBand {
    f32 top;  // from the window's top edge
    f32 height;
};
constexpr MenuBand NEW_GAME_BAND{0.0f, 78.0f};
constexpr MenuBand RESUME_BAND{79.0f, 70.0f};
constexpr MenuBand EXIT_BAND{149.0f, 52.0f};

struct MainMenu {
    bool resumeAllowed = false;  // the menu offers Resume (it was opened by Escape)
    i32 windowIndex = 0;

    void open(WindowManager& manager);
};

struct Ui {
    WindowManager manager;
    ButtonEventQueue clicks;
    MainMenu menu;
};

extern Ui gUi;
