// globals.cpp: puts every global object of the game back to its program-start value.
#include "support/globals.h"

#include <GL/glu.h>

#include <cstdlib>
#include <initializer_list>

#include "app/main_loop.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "media/sound.h"
#include "media/textures.h"
#include "render/frame.h"
#include "render/message_log.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

void resetGlobals() {
    quitRequested = 0;
    frameStartTicks = 0;
    framesPerSecond = 0.0f;
    gInput = InputState{};
    gWindow = GlWindow{};
    gPlayfield = Playfield{};
    if (ballQuadric) gluDeleteQuadric(ballQuadric);
    ballQuadric = nullptr;
    gBalls = BallSet{};
    gSession = GameSession{};
    cameraX = 0.0f;
    cameraY = 0.0f;
    cameraZ = -30.0f;
    introActive = 1;
    introSlide = 400;
    introFade = 130;
    gMessageLog = MessageLog{};
    gButtonQueue = ButtonEventQueue{};
    gMainMenu = MainMenu{};
    if (gWindowManager.windows) {
        for (int i = 0; i < WINDOW_SLOTS; ++i) {
            delete[] gWindowManager.windows[i].buttons;
            delete[] gWindowManager.windows[i].textFields;
        }
        delete[] gWindowManager.windows;
        gWindowManager.windows = nullptr;
    }
    gTextureCache.count = 0;
    for (auto& id : gTextureCache.ids) id = 0;
    for (TgaTexture* t : {&gStripeTexture, &gStripe2Texture, &gLogoTexture}) {
        std::free(t->data);
        *t = TgaTexture{};
    }
    gSound = SoundSystem{};
}
