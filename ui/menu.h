// menu.h: the main menu, built on the toolkit; and the interface's state in one record.
#pragma once
#include "core/types.h"
#include "ui/button_queue.h"
#include "ui/window_manager.h"

constexpr const char* BUTTON_NEW_GAME = "MENUFENSTER_NEUES_SPIEL_PUSH";
constexpr const char* BUTTON_EXIT = "MENUFENSTER_EXIT_PUSH";
constexpr const char* BUTTON_RESUME = "MENUFENSTER_WEITER_PUSH";

struct MainMenu {
    bool resumeAllowed = false;  // the menu offers Resume (it was opened by Escape)
    i32 windowIndex = 0;

    void open();
};

struct Ui {
    WindowManager manager;
    ButtonEventQueue clicks;
    MainMenu menu;
};

extern Ui gUi;
