// menu.cpp: the main menu window with its two or three buttons.
#include "ui/menu.h"

Ui gUi;

void MainMenu::open(WindowManager& manager) {
    // The window and its buttons have no texts: the pictures carry the captions.
    windowIndex = manager.createWindow(0, 3, MENU_LEFT, MENU_TOP, MENU_WIDTH, MENU_HEIGHT, "");
    UiWindow& w = manager.windows[windowIndex];
    w.addButton(0.0f, NEW_GAME_BAND.top, MENU_WIDTH, NEW_GAME_BAND.height, "", BUTTON_NEW_GAME);
    w.addButton(0.0f, EXIT_BAND.top, MENU_WIDTH, EXIT_BAND.height, "", BUTTON_EXIT);
    if (resumeAllowed) w.addButton(0.0f, RESUME_BAND.top, MENU_WIDTH, RESUME_BAND.height, "", BUTTON_RESUME);
}
