// globals.cpp: puts the game's state back to its program-start value.
#include "support/globals.h"

#include <cstdlib>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/phases.h"
#include "app/recorder.h"
#include "app/replay.h"
#include "app/tape.h"
#include "app/window.h"
#include "core/message_log.h"
#include "game/game.h"
#include "media/sound.h"
#include "media/textures.h"
#include "render/frame.h"
#include "ui/menu.h"

namespace {

// Before any test, the settings and screenshots a game writes go to a folder of this
// program's own, never the developer's; every reset empties it, so no test meets what another
// one left there, also when two test programs run at once.
struct PrivateConfigHome : ScratchDir {
    PrivateConfigHome() {
        setenv("XDG_CONFIG_HOME", path.c_str(), 1);
        setenv("XDG_PICTURES_DIR", (path / "pictures").c_str(), 1);
    }
};
const PrivateConfigHome sConfigHome;

}  // namespace

void resetGlobals() {
    gInput = {};
    gControls = {};
    gMessageLog = {};
    gGame = {};
    gFlow = {};
    gTextures = {};
    gSound = {};
    gRender = {};
    gUi = {};
    gWindow = {};
    gFrameClock = {};
    gTape = {};
    gRecorder = {};
    gReplayCheck = {};
    std::error_code ignored;
    std::filesystem::remove_all(sConfigHome.path / "fendwall", ignored);
    std::filesystem::remove_all(sConfigHome.path / "pictures", ignored);
}
