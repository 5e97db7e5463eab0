// window_manager.cpp: textured in-game windows with buttons and text fields; a click
// becomes a name in the button queue, failures become lines in the message log.
#include "ui/window_manager.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/window.h"
#include "media/textures.h"
#include "render/font.h"
#include "ui/menu.h"

WindowManager gWindowManager;

void WindowManager::init() {
    if (windows) return;  // the table lives for the whole run
    windows = new UiWindow[WINDOW_SLOTS]();
}

i32 WindowManager::createWindow(i32 textFieldCapacity, i32 buttonCapacity, f32 x, f32 y, f32 width,
                                f32 height, const char* title) {
    init();
    i32 slot = 0;
    for (i32 i = 1; i < WINDOW_SLOTS; ++i) {
        if (windows[i].isOpen != 1) {
            slot = i;
            break;
        }
    }
    if (slot == 0) {
        gMessageLog.append("FEHLER: Zuviele Fenster offen");
        return 0;
    }
    UiWindow& w = windows[slot];
    w.isOpen = 1;
    w.textFieldCapacity = textFieldCapacity > 0 ? textFieldCapacity : 0;
    w.textFields = w.textFieldCapacity > 0 ? new UiTextField[w.textFieldCapacity]() : nullptr;
    w.buttonCapacity = buttonCapacity > 0 ? buttonCapacity : 0;
    w.buttons = w.buttonCapacity > 0 ? new UiButton[w.buttonCapacity]() : nullptr;
    w.x = x;
    w.y = y;
    w.width = width;
    w.height = height;
    copyTextField(w.title, title);
    return slot;
}

void WindowManager::deleteWindow(i32 index) {
    if (!windows || index < 0 || index >= WINDOW_SLOTS || windows[index].isOpen != 1) {
        gMessageLog.append("ERROR: Fenster war nicht vorhanden, nichts zu loeschen!");
        return;
    }
    UiWindow& w = windows[index];
    delete[] w.buttons;
    delete[] w.textFields;
    w = UiWindow{};
}

i32 UiWindow::addButton(f32 bx, f32 by, f32 bwidth, f32 bheight, const char* caption, const char* name) {
    for (i32 i = 0; i < buttonCapacity; ++i) {
        UiButton& b = buttons[i];
        if (b.inUse == 1) continue;
        b.inUse = 1;
        b.x = bx;
        b.y = by;
        b.width = bwidth;
        b.height = bheight;
        copyTextField(b.caption, caption);
        copyTextField(b.name, name);
        return i;
    }
    gMessageLog.append("FEHLER: Zuviele Buttons im Fenster (zu wenige für das Fenster angegeben?)");
    return 0;
}

namespace {

i32 addField(UiWindow& w, f32 x, f32 y, const char* text, const char* overflowMessage) {
    for (i32 i = 0; i < w.textFieldCapacity; ++i) {
        UiTextField& t = w.textFields[i];
        if (t.inUse == 1) continue;
        t.inUse = 1;
        copyTextField(t.text, text);
        t.x = x;
        t.y = y;
        return i;
    }
    gMessageLog.append(overflowMessage);
    return 0;
}

}  // namespace

i32 UiWindow::addTextField(f32 fx, f32 fy, const char* text) {
    return addField(*this, fx, fy, text,
                    "FEHLER: Zuviele Textfelder im Fenster (zu wenige für das Fenster angegeben?)");
}

i32 UiWindow::addNumberField(f32 fx, f32 fy, i32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return addField(*this, fx, fy, text,
                    "FEHLER: Zuviele Textfelder (auch Zahlen!) im Fenster (zu wenige für das Fenster "
                    "angegeben?)");
}

void WindowManager::update() {
    if (!windows) return;
    for (i32 i = 1; i < WINDOW_SLOTS; ++i) {
        UiWindow& w = windows[i];
        if (w.isOpen != 1) continue;
        for (i32 j = 0; j < w.buttonCapacity; ++j) {
            UiButton& b = w.buttons[j];
            if (b.inUse != 1) continue;
            b.pressed = 0;
            if (gInput.leftClicked != 1) continue;
            const f32 left = w.x + b.x;
            const f32 top = w.y + b.y;
            const f32 right = left + b.width;
            const f32 bottom = top + b.height;
            const f32 mx = static_cast<f32>(gInput.mouseX);
            const f32 my = static_cast<f32>(gInput.mouseY);
            if (left < mx && mx < right && top < my && my < bottom) {
                b.pressed = 1;
                gButtonQueue.push(b.name);
                return;  // one click, one button: the lowest slot wins
            }
        }
    }
}

void WindowManager::draw() {
    if (!windows) return;
    static const u32 buttonTextures[3] = {TEX_MENU_NEW, TEX_MENU_EXIT, TEX_MENU_RESUME};
    for (i32 i = 1; i < WINDOW_SLOTS; ++i) {
        const UiWindow& w = windows[i];
        if (w.isOpen != 1) continue;
        glBindTexture(GL_TEXTURE_2D, TEX_MENU);
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(w.x, w.y);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(w.x + w.width, w.y);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(w.x + w.width, w.y + w.height);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(w.x, w.y + w.height);
        glEnd();
        printText(0, w.x + 5.0f, w.y + 15.0f, "%s", w.title);
        for (i32 j = 0; j < w.buttonCapacity; ++j) {
            const UiButton& b = w.buttons[j];
            if (b.inUse != 1) continue;
            const f32 left = w.x + b.x;
            const f32 top = w.y + b.y;
            const f32 right = left + b.width;
            const f32 bottom = top + b.height;
            if (j < 3) glBindTexture(GL_TEXTURE_2D, buttonTextures[j]);
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 1.0f);
            glVertex2f(left, top);
            glTexCoord2f(0.0f, 0.0f);
            glVertex2f(left, bottom);
            glTexCoord2f(1.0f, 0.0f);
            glVertex2f(right, bottom);
            glTexCoord2f(1.0f, 1.0f);
            glVertex2f(right, top);
            glEnd();
        }
        for (i32 j = 0; j < w.textFieldCapacity; ++j) {
            const UiTextField& t = w.textFields[j];
            if (t.inUse == 1) printText(0, w.x + t.x, w.y + t.y, "%s", t.text);
        }
    }
}
