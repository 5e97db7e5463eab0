// window.cpp: the game window and GL context, and the window procedure that turns
// window messages into the input state.
#include "app/window.h"

#include "app/controls.h"
#include "core/screen.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/picture_area.h"

GlWindow gWindow;

namespace {

constexpr u32 ERROR_BOX = MB_OK | MB_ICONEXCLAMATION;

bool failCreation(const char* text, const char* caption) {
    destroyGameWindow();
    platformMessageBox(text, caption, ERROR_BOX);
    return false;
}

}  // namespace

bool createGameWindow(const char* title, i32 width, i32 height, i32 colourBits, bool fullscreen) {
    gWindow.fullscreen = fullscreen;
    if (!platformInitVideo()) {
        platformMessageBox("Konnte die Fensterklasse nicht registrieren.", "ERROR", ERROR_BOX);
        return false;
    }
    gWindow.videoUp = true;
    // A size remembered from a larger display would put the window's edges out of reach.
    i32 displayWidth = 0;
    i32 displayHeight = 0;
    if (!fullscreen && platformDisplaySize(&displayWidth, &displayHeight) &&
        (width > displayWidth || height > displayHeight)) {
        width = SCREEN_WIDTH;
        height = SCREEN_HEIGHT;
    }
    gWindow.windowedWidth = width;
    gWindow.windowedHeight = height;
    if (gWindow.fullscreen && !platformSetDisplayMode(width, height, colourBits)) {
        const i32 answer = platformMessageBox(
            "Der gewünschte Vollbildmodus wird nicht unterstützt, soll stattdessen im "
            "Fenstermodus ausgegeben werden?",
            "OpenGL", MB_YESNO | MB_ICONEXCLAMATION);
        if (answer != IDYES) return false;
        gWindow.fullscreen = false;
    }
    if (gWindow.fullscreen) platformShowCursor(false);

    forgetPicture();
    const WindowOpenResult result =
        platformOpenWindow(title, width, height, colourBits, gWindow.fullscreen);
    switch (result) {
        case WindowOpenResult::WindowFailed:
            return failCreation("Fenster konnte nicht erstellt werden.", "ERROR");
        case WindowOpenResult::PixelFormatFailed:
            return failCreation("Konnte kein passendes Pixelformat finden.", "ERROR");
        case WindowOpenResult::ContextFailed:
            return failCreation("Konnte keinen Rendering Context bekommen.", "Fehler");
        case WindowOpenResult::MakeCurrentFailed:
            gWindow.context = true;
            return failCreation("Konnte den Rendering Context nmicht aktivieren.", "Fehler");
        case WindowOpenResult::Ok:
            break;
    }
    gWindow.context = true;
    resizeScene(width, height);
    createFonts();
    return true;
}

void destroyGameWindow() {
    if (gWindow.fullscreen) {
        platformRestoreDisplayMode();
        platformShowCursor(true);
    }
    // The font lists and the ball's sphere belong to the context: release them while it
    // is still current.
    if (gWindow.context) {
        deleteFonts();
        deleteBallList();
    }
    platformCloseWindow();
    gWindow.context = false;
    if (gWindow.videoUp) platformQuitVideo();
    gWindow.videoUp = false;
}

namespace {

void moveMouse(const PlatformEvent& event) {
    gInput.mouseX = event.x;
    gInput.mouseY = event.y;
}

}  // namespace

void windowProcedure(const PlatformEvent& event) {
    switch (event.type) {
        case PlatformEventType::Resize:
            // In full screen the size is the display's, not the window's to come back to.
            if (!gWindow.desktopFullscreen) {
                gWindow.windowedWidth = event.x & 0xFFFF;
                gWindow.windowedHeight = event.y & 0xFFFF;
            }
            resizeScene(event.x & 0xFFFF, event.y & 0xFFFF);
            break;
        case PlatformEventType::Close:
            platformPostQuit();
            break;
        // A key Windows has no code for (key 0) reaches only the bindings.
        case PlatformEventType::KeyDown:
            if (event.key != 0) gInput.keys[event.key & 0xFF] = true;
            break;
        case PlatformEventType::KeyUp:
            if (event.key != 0) gInput.keys[event.key & 0xFF] = false;
            break;
        case PlatformEventType::MouseMove:
            moveMouse(event);
            break;
        case PlatformEventType::LeftDown:
            moveMouse(event);
            gInput.leftPressed = true;
            break;
        case PlatformEventType::RightDown:
            moveMouse(event);
            gInput.rightPressed = true;
            break;
        case PlatformEventType::ToggleFullscreen:
            // The new size follows as a Resize message of its own.
            if (!gWindow.fullscreen) {
                gWindow.desktopFullscreen = !gWindow.desktopFullscreen;
                platformSetFullscreen(gWindow.desktopFullscreen);
            }
            break;
        case PlatformEventType::Quit:
        case PlatformEventType::Activate:  // activation never pauses the game
            break;
    }
}

void swapFrameBuffers() { platformSwapBuffers(); }
