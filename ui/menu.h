// menu.h: the queue of clicked button names and the main menu built from them.
#pragma once
#include "app/types.h"
#include "render/message_log.h"

constexpr i32 BUTTON_EVENT_SLOTS = 16;

constexpr const char* BUTTON_NEW_GAME = "MENUFENSTER_NEUES_SPIEL_PUSH";
constexpr const char* BUTTON_EXIT = "MENUFENSTER_EXIT_PUSH";
constexpr const char* BUTTON_RESUME = "MENUFENSTER_WEITER_PUSH";

struct ButtonEventQueue {
    char entries[BUTTON_EVENT_SLOTS][TEXT_FIELD_SIZE];  // 0 oldest, 15 newest; empty = free

    void push(const char* name);
    bool contains(const char* name) const;
    bool take(const char* name);
};

struct MainMenu {
    u8 resumeAllowed;
    i32 windowIndex;
    char title[TEXT_FIELD_SIZE];
    char captions[3][TEXT_FIELD_SIZE];

    void open();
};

extern ButtonEventQueue gButtonQueue;
extern MainMenu gMainMenu;
