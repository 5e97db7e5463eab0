// main_loop.cpp: the program's spine: start-up order, the main loop, the menu actions
// and the paced frame step.
#include "app/main_loop.h"

#include "app/platform.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "media/sound.h"
#include "media/textures.h"
#include "render/frame.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

u8 quitRequested;
u32 frameStartTicks;
f32 framesPerSecond;

int runGame() {
    // Without a window there is nothing to play and no way to quit: end at once.
    if (!startUp()) return 2;
    runMainLoop();
    destroyGameWindow();
    return 1;
}

bool startUp() {
    gSession.state = GameState::Menu;
    gSession.creditsY = 480;
    if (!createGameWindow("FENDWALL - V 0.9.3", 640, 480, 16, false)) return false;
    loadTextures();
    initGlState();
    gMainMenu.open();
    gPlayfield.clear();
    gPlayfield.loadPattern("data/fend.dat");
    platformShowCursor(false);
    gSession.start();
    gBalls.count = 1;
    gBalls.spawn();
    gSound.enabled = 1;
    gSound.init();
    gSound.playStream(0);
    return true;
}

void runMainLoop() {
    while (quitRequested == 0) runMainPass();
}

void runMainPass() {
    if (gSession.state == GameState::Menu) {
        gBalls.move();
        gInput.showMenuCursor = 1;
        handleMenuActions();
        gWindowManager.update();
    } else if (gSession.state == GameState::Playing) {
        gInput.showMenuCursor = 0;
        gPlayfield.update();
        gBalls.move();
        gSession.update();
        // The key flag stays set until the key is released: held, it reopens the menu.
        // Not after a game over in this same pass: its menu is open already, and a second
        // one would stay behind for good, a window slot lost each time.
        if (gSession.state == GameState::Playing && gInput.keys[VK_ESCAPE] == 1) {
            gSession.state = GameState::Menu;
            gMainMenu.resumeAllowed = 1;
            gMainMenu.open();
        }
    }
    stepFrame();
}

void handleMenuActions() {
    if (gButtonQueue.take(BUTTON_NEW_GAME)) {
        gSession.runTransition(Transition::Approach);
        gSession.start();
        gPlayfield.clear();
        gSession.state = GameState::Playing;
        gWindowManager.deleteWindow(gMainMenu.windowIndex);
        gSession.runTransition(Transition::Return);
    }
    if (gButtonQueue.take(BUTTON_RESUME)) {
        gSession.state = GameState::Playing;
        gWindowManager.deleteWindow(gMainMenu.windowIndex);
    }
    if (gButtonQueue.take(BUTTON_EXIT)) {
        gSession.state = GameState::Playing;
        gWindowManager.deleteWindow(gMainMenu.windowIndex);
        gSession.runTransition(Transition::Exit);
    }
}

void stepFrame() {
    frameStartTicks = platformTicks();
    gInput.latchClicks();
    drawFrame();
    swapFrameBuffers();
    pumpOneMessage();
    // Spin on the millisecond clock: the frame period is the game's only clock, and
    // unsigned arithmetic keeps the wait correct across the counter's wrap.
    while (platformTicks() - frameStartTicks < FRAME_PERIOD_MS) {
    }
    u32 elapsed = platformTicks() - frameStartTicks;
    if (elapsed < FRAME_PERIOD_MS) elapsed = FRAME_PERIOD_MS;  // only a clock that ran backwards
    // A whole number on purpose: the HUD has always shown 33.0, 32.0, ...
    framesPerSecond = static_cast<f32>(1000u / elapsed);  // NOLINT(bugprone-integer-division)
}
