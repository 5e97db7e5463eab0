// globals.cpp: puts the game's state back to its program-start value.
#include "support/globals.h"

#include "app/frame_step.h"
#include "app/recorder.h"
#include "app/window.h"
#include "core/input.h"
#include "core/message_log.h"
#include "core/tape.h"
#include "game/game.h"
#include "media/sound.h"
#include "media/textures.h"
#include "render/frame.h"
#include "ui/menu.h"

void resetGlobals() {
    gInput = {};
    gMessageLog = {};
    gGame = {};
    gTextures = {};
    gSound = {};
    gRender = {};
    gUi = {};
    gWindow = {};
    gFrameClock = {};
    gTape = {};
    gRecorder = {};
}
