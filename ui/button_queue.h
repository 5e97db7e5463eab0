// button_queue.h: the names of clicked buttons, pushed by the toolkit, taken by the game.
#pragma once
#include "core/text_field.h"

constexpr int BUTTON_EVENT_SLOTS = 16;

struct ButtonEventQueue {
    char entries[BUTTON_EVENT_SLOTS][TEXT_FIELD_SIZE] = {};  // 0 oldest, 15 newest; empty = free

    void push(const char* name);  // the oldest entry falls out
    bool take(const char* name);  // true, and the entry emptied, when the name is queued
};
