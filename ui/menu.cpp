// menu.cpp: the queue of clicked button names, and the main menu window built on it.
#include "ui/menu.h"

#include <cstring>

#include "ui/window_manager.h"

ButtonEventQueue gButtonQueue;
MainMenu gMainMenu;

void ButtonEventQueue::push(const char* name) {
    std::memmove(entries[0], entries[1], sizeof(entries[0]) * (BUTTON_EVENT_SLOTS - 1));
    copyTextField(entries[BUTTON_EVENT_SLOTS - 1], name);
}

// Names are stored cut to the field, so a name is looked for as it was stored.
bool ButtonEventQueue::contains(const char* name) const {
    char stored[TEXT_FIELD_SIZE];
    copyTextField(stored, name);
    for (const auto& entry : entries) {
        if (std::strcmp(entry, stored) == 0) return true;
    }
    return false;
}

bool ButtonEventQueue::take(const char* name) {
    char stored[TEXT_FIELD_SIZE];
    copyTextField(stored, name);
    for (auto& entry : entries) {
        if (std::strcmp(entry, stored) == 0) {
            entry[0] = '\0';
            return true;
        }
    }
    return false;
}

void MainMenu::open() {
    // Centred on the game's fixed 640 x 480 screen, whatever the window size.
    windowIndex = gWindowManager.createWindow(0, 3, 320.0f - 150.0f / 2.0f, 240.0f - 200.0f / 2.0f, 150.0f,
                                              200.0f, title);
    UiWindow& w = gWindowManager.windows[windowIndex];
    w.addButton(0.0f, 0.0f, 150.0f, 78.0f, captions[0], BUTTON_NEW_GAME);
    w.addButton(0.0f, 149.0f, 150.0f, 52.0f, captions[1], BUTTON_EXIT);
    if (resumeAllowed == 1) w.addButton(0.0f, 79.0f, 150.0f, 70.0f, captions[2], BUTTON_RESUME);
}
