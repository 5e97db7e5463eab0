// menu.cpp: the main menu window with its two or three buttons.
#include "ui/menu.h"

Ui gUi;

void MainMenu::open() {
    // Centred on the game's 640 x 480 screen. The window and its buttons have no texts:
    // the pictures carry the captions.
    windowIndex = gUi.manager.createWindow(0, 3, 320.0f - 150.0f / 2.0f, 240.0f - 200.0f / 2.0f, 150.0f, 200.0f, "");
    UiWindow& w = gUi.manager.windows[windowIndex];
    w.addButton(0.0f, 0.0f, 150.0f, 78.0f, "", BUTTON_NEW_GAME);
    w.addButton(0.0f, 149.0f, 150.0f, 52.0f, "", BUTTON_EXIT);
    if (resumeAllowed) w.addButton(0.0f, 79.0f, 150.0f, 70.0f, "", BUTTON_RESUME);
}
