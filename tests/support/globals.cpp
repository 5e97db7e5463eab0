// globals.cpp: puts the game's state back to its program-start value.
#include "support/globals.h"

#include <cstdlib>

#include "app/frame_step.h"
#include "app/window.h"
#include "core/input.h"
#include "core/message_log.h"
#include "game/game.h"
#include "media/sound.h"
#include "media/textures.h"
#include "render/frame.h"
#include "ui/menu.h"

// Before any test: the settings a game writes go to the build tree (tests/CMakeLists.txt).
[[maybe_unused]] static const int privateConfigHome = setenv("XDG_CONFIG_HOME", FENDWALL_TEST_CONFIG_HOME, 1);

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
}
