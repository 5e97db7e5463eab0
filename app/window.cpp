// window.cpp: the game window and GL context, and the window procedure that turns
// window messages into the input state.
#include "app/window.h"

#include "app/controls.h"
#include "app/settings_file.h"
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
    platformSetMinimumWindowSize(WINDOW_MIN_WIDTH, WINDOW_MIN_HEIGHT);
    // Drawn at the window's pixels, which a scaled display has more of than the size asked.
    i32 pixelsWide = 0;
    i32 pixelsHigh = 0;
    platformWindowSize(&pixelsWide, &pixelsHigh);
    resizeScene(pixelsWide, pixelsHigh);
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

// A window manager may give a window it maximises its new size before it says it maximised
// it: when the window has the size the Resize just before gave, that was the maximised
// size, not the one to restore, which was the size before it.
void noteMaximised(bool maximised, i32 resizedFromWidth, i32 resizedFromHeight) {
    if (maximised && !gWindow.maximised && resizedFromWidth > 0) {
        i32 width = 0;
        i32 height = 0;
        platformWindowSize(&width, &height);
        platformPixelsToWindowUnits(&width, &height);
        if (width == gWindow.windowedWidth && height == gWindow.windowedHeight) {
            gWindow.windowedWidth = resizedFromWidth;
            gWindow.windowedHeight = resizedFromHeight;
        }
    }
    gWindow.maximised = maximised;
}

}  // namespace

void windowProcedure(const PlatformEvent& event) {
    const i32 resizedFromWidth = gWindow.resizedFromWidth;
    const i32 resizedFromHeight = gWindow.resizedFromHeight;
    gWindow.resizedFromWidth = gWindow.resizedFromHeight = 0;
    switch (event.type) {
        case PlatformEventType::Resize: {
            const i32 width = event.x & 0xFFFF;
            const i32 height = event.y & 0xFFFF;
            // In full screen or maximised the size is the display's, not the window's to come back to.
            if (!gWindow.desktopFullscreen && !gWindow.maximised) {
                gWindow.resizedFromWidth = gWindow.windowedWidth;
                gWindow.resizedFromHeight = gWindow.windowedHeight;
                gWindow.windowedWidth = width;
                gWindow.windowedHeight = height;
                platformPixelsToWindowUnits(&gWindow.windowedWidth, &gWindow.windowedHeight);
            }
            resizeScene(width, height);
            break;
        }
        case PlatformEventType::Maximise:
            // Full screen restores a maximised window under it for a while; that is not the player's.
            if (!gWindow.desktopFullscreen) noteMaximised(event.x != 0, resizedFromWidth, resizedFromHeight);
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
            // The new size follows as a Resize message of its own. Neither X11 nor Wayland
            // maximises a window again as it leaves full screen: that is asked for here.
            if (!gWindow.fullscreen) {
                gWindow.desktopFullscreen = !gWindow.desktopFullscreen;
                platformSetFullscreen(gWindow.desktopFullscreen);
                if (!gWindow.desktopFullscreen && gWindow.maximised) platformSetMaximised(true);
            }
            break;
        case PlatformEventType::Quit:
        case PlatformEventType::Activate:  // the focus is the frame step's, which may pause
            break;
    }
}

void swapFrameBuffers() { platformSwapBuffers(); }
