// window_manager.cpp: textured in-game windows with buttons and text fields; a click
// becomes a name in the button queue, failures become lines in the message log.
#include "ui/window_manager.h"

#include <GL/gl.h>

#include <cstdio>

#include "core/message_log.h"
#include "media/textures.h"
#include "render/font.h"

namespace {

i32 clampCapacity(i32 wanted, i32 room) { return wanted < 0 ? 0 : (wanted > room ? room : wanted); }

}  // namespace

i32 WindowManager::createWindow(i32 textFieldCapacity, i32 buttonCapacity, f32 x, f32 y, f32 width,
                                f32 height, const char* title) {
    i32 slot = 0;
    for (i32 i = 1; i < WINDOW_SLOTS; ++i) {
        if (!windows[i].isOpen) {
            slot = i;
            break;
        }
    }
    if (slot == 0) {
        gMessageLog.append("FEHLER: Zuviele Fenster offen");
        return 0;
    }
    UiWindow& w = windows[slot];
    w.isOpen = true;
    w.textFieldCapacity = clampCapacity(textFieldCapacity, WINDOW_MAX_TEXT_FIELDS);
    w.buttonCapacity = clampCapacity(buttonCapacity, WINDOW_MAX_BUTTONS);
    w.x = x;
    w.y = y;
    w.width = width;
    w.height = height;
    copyTextField(w.title, title);
    return slot;
}

void WindowManager::deleteWindow(i32 index) {
    if (index < 0 || index >= WINDOW_SLOTS || !windows[index].isOpen) {
        gMessageLog.append("ERROR: Fenster war nicht vorhanden, nichts zu loeschen!");
        return;
    }
    windows[index] = UiWindow{};
}

i32 UiWindow::addButton(f32 bx, f32 by, f32 bwidth, f32 bheight, const char* caption, const char* name) {
    for (i32 i = 0; i < buttonCapacity; ++i) {
        UiButton& b = buttons[i];
        if (b.inUse) continue;
        b.inUse = true;
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
        if (t.inUse) continue;
        t.inUse = true;
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

void WindowManager::update(ButtonEventQueue& clicks, const StepInput& input) {
    for (i32 i = 1; i < WINDOW_SLOTS; ++i) {
        UiWindow& w = windows[i];
        if (!w.isOpen) continue;
        for (i32 j = 0; j < w.buttonCapacity; ++j) {
            UiButton& b = w.buttons[j];
            if (!b.inUse) continue;
            b.pressed = false;
            if (!input.leftClicked) continue;
            const f32 left = w.x + b.x;
            const f32 top = w.y + b.y;
            const f32 right = left + b.width;
            const f32 bottom = top + b.height;
            const f32 mx = static_cast<f32>(input.pointerX);
            const f32 my = static_cast<f32>(input.pointerY);
            if (left < mx && mx < right && top < my && my < bottom) {
                b.pressed = true;
                clicks.push(b.name);
                return;  // one click, one button: the lowest slot wins
            }
        }
    }
}

void WindowManager::draw() const {
    static const u32 buttonTextures[3] = {TEX_MENU_NEW, TEX_MENU_EXIT, TEX_MENU_RESUME};
    for (i32 i = 1; i < WINDOW_SLOTS; ++i) {
        const UiWindow& w = windows[i];
        if (!w.isOpen) continue;
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
            if (!b.inUse) continue;
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
            if (t.inUse) printText(0, w.x + t.x, w.y + t.y, "%s", t.text);
        }
    }
}
