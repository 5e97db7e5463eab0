// window.cpp: the game window and GL context, the projection, and the window procedure
// that turns window messages into the input state.
#include "app/window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/main_loop.h"
#include "render/font.h"
#include "render/frame.h"

InputState gInput;
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
    gWindow.fullscreen = fullscreen ? 1 : 0;
    if (!platformInitVideo()) {
        platformMessageBox("Konnte die Fensterklasse nicht registrieren.", "ERROR", ERROR_BOX);
        return false;
    }
    gWindow.videoUp = 1;
    if (gWindow.fullscreen == 1 && !platformSetDisplayMode(width, height, colourBits)) {
        const i32 answer = platformMessageBox(
            "Der gewünschte Vollbildmodus wird nicht unterstützt, soll stattdessen im "
            "Fenstermodus ausgegeben werden?",
            "OpenGL", MB_YESNO | MB_ICONEXCLAMATION);
        if (answer != IDYES) return false;
        gWindow.fullscreen = 0;
    }
    if (gWindow.fullscreen == 1) platformShowCursor(false);

    const WindowOpenResult result =
        platformOpenWindow(title, width, height, colourBits, gWindow.fullscreen == 1);
    switch (result) {
        case WindowOpenResult::WindowFailed:
            return failCreation("Fenster konnte nicht erstellt werden.", "ERROR");
        case WindowOpenResult::PixelFormatFailed:
            return failCreation("Konnte kein passendes Pixelformat finden.", "ERROR");
        case WindowOpenResult::ContextFailed:
            gWindow.window = 1;
            return failCreation("Konnte keinen Rendering Context bekommen.", "Fehler");
        case WindowOpenResult::MakeCurrentFailed:
            gWindow.window = 1;
            gWindow.context = 1;
            return failCreation("Konnte den Rendering Context nmicht aktivieren.", "Fehler");
        case WindowOpenResult::Ok:
            break;
    }
    gWindow.window = 1;
    gWindow.context = 1;
    resizeScene(width, height);
    createFonts();
    return true;
}

void destroyGameWindow() {
    if (gWindow.fullscreen == 1) {
        platformRestoreDisplayMode();
        platformShowCursor(true);
    }
    // The font lists and the ball's sphere belong to the context: release them while it
    // is still current.
    if (gWindow.context == 1) {
        deleteFonts();
        deleteBallList();
    }
    platformCloseWindow();
    gWindow.context = 0;
    gWindow.window = 0;
    if (gWindow.videoUp == 1) platformQuitVideo();
    gWindow.videoUp = 0;
}

void resizeScene(i32 width, i32 height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<GLdouble>(static_cast<GLfloat>(width) / static_cast<GLfloat>(height)),
                   static_cast<GLdouble>(0.1f), 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gWindow.viewportWidth = width;
    gWindow.viewportHeight = height;
}

bool initGlState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    return true;
}

void windowProcedure(const PlatformEvent& event) {
    switch (event.type) {
        case PlatformEventType::Resize:
            resizeScene(event.x & 0xFFFF, event.y & 0xFFFF);
            break;
        case PlatformEventType::Close:
            platformPostQuit();
            break;
        case PlatformEventType::KeyDown:
            gInput.keys[event.key & 0xFF] = 1;
            break;
        case PlatformEventType::KeyUp:
            gInput.keys[event.key & 0xFF] = 0;
            break;
        case PlatformEventType::MouseMove:
            gInput.mouseX = event.x & 0xFFFF;
            gInput.mouseY = event.y & 0xFFFF;
            break;
        case PlatformEventType::LeftDown:
            gInput.mouseX = event.x & 0xFFFF;
            gInput.mouseY = event.y & 0xFFFF;
            gInput.leftPressed = 1;
            break;
        case PlatformEventType::RightDown:
            gInput.mouseX = event.x & 0xFFFF;
            gInput.mouseY = event.y & 0xFFFF;
            gInput.rightPressed = 1;
            break;
        case PlatformEventType::Quit:
        case PlatformEventType::Activate:     // activation never pauses the game
        case PlatformEventType::ScreenSaver:  // swallowed: no screen saver while playing
            break;
    }
}

void pumpOneMessage() {
    PlatformEvent event;
    if (!platformPollEvent(&event)) return;
    if (quitRequested == 1) return;
    if (event.type == PlatformEventType::Quit) quitRequested = 1;
    windowProcedure(event);
}

void swapFrameBuffers() { platformSwapBuffers(); }

void InputState::latchClicks() {
    leftClicked = leftPressed == 1 ? 1 : 0;
    rightClicked = rightPressed == 1 ? 1 : 0;
    leftPressed = 0;
    rightPressed = 0;
}
