// frame_step.cpp: the paced frame step, and the picture it draws: the intro, or the
// field under the overlay of texts, menu and cursor mark.
#include "app/frame_step.h"

#include "app/checkpoint.h"
#include "app/controls.h"
#include "app/phases.h"
#include "app/recorder.h"
#include "app/replay.h"
#include "app/tape.h"
#include "app/window.h"
#include "core/state_hash.h"
#include "game/game.h"
#include "platform/platform.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/picture_area.h"
#include "ui/menu.h"

FrameClock gFrameClock;

namespace {

// In a replay the window stays the watcher's: it can be resized, switched to full screen or
// closed, which ends the replay. Every other live message is dropped. False when closed.
bool keepWatchersWindow() {
    PlatformEvent live;
    while (platformPollEvent(&live)) {
        if (live.type == PlatformEventType::Resize || live.type == PlatformEventType::ToggleFullscreen) {
            windowProcedure(live);
        } else if (live.type == PlatformEventType::Close || live.type == PlatformEventType::Quit) {
            stopReplay(true);
            return false;
        }
    }
    return true;
}

// One window message a frame step, from the tape, and what the bindings made of the step;
// each handed to the recorder as the game takes it.
void takeOneMessage() {
    const bool replay = replaying();
    PlatformEvent event;
    const bool taken = (!replay || keepWatchersWindow()) && tapeMessage(&event);
    // The pads are read beside the message every step, never in its place: a pad plugged in
    // or a stick that jitters delays no click and no key.
    PlatformPads pads;
    platformReadPads(&pads);
    if (gInput.quitRequested) return;
    if (taken) {
        recordMessage(gTape.frame, event);
        if (event.type == PlatformEventType::Quit) gInput.quitRequested = true;
        windowProcedure(event);
        if (gInput.quitRequested) return;
    }
    const BoundInput bound = tapeBound(taken ? &event : nullptr, pads, pointerSurface(), menuStops());
    recordBound(gTape.frame, bound);
    applyBound(bound, gInput);
}

// What the overlay shows besides the game, for the choice of the picture's area.
OverlayFacts overlayFacts() {
    OverlayFacts o;
    Hasher menu;
    hashUi(menu, gUi);
    o.menuKey = menu.value;
    o.cursorMark = gInput.showMenuCursor;
    o.pointerX = gInput.mouseX;
    o.pointerY = gInput.mouseY;
    o.framesPerSecond = gFrameClock.framesPerSecond;
    return o;
}

}  // namespace

void drawFrame() {
    const Picture& picture = gFlow.picture;
    // The menu is hashed only where the area is chosen: elsewhere the whole picture is drawn.
    const bool kept = platformPartialPictures();
    const DrawArea area = choosePictureArea(picture, gGame, kept ? overlayFacts() : OverlayFacts{}, kept);
    if (area.partial) platformPresentArea(area.box.x0, area.box.y0, area.box.x1 - area.box.x0, area.box.y1 - area.box.y0);
    if (picture.intro) {
        drawIntroPicture(picture, area);
        return;
    }
    drawGameScene(gGame, picture.ballSpin, area);
    beginOverlay();
    drawHud(gGame.session, gFrameClock.framesPerSecond);
    if (gGame.session.state == GameState::Menu) gUi.manager.draw();
    drawCursorMark(gInput.showMenuCursor, gInput.mouseX, gInput.mouseY);
    endOverlay();
}

void stepFrame() {
    FrameClock& clock = gFrameClock;
    // A frame that follows its predecessor's deadline closely starts on that deadline, so
    // frames stay exactly one period apart on the game's clock however late the sleep
    // woke; after a frame that ran long, the schedule starts again from now.
    const u32 now = platformTicks();
    clock.startTicks = pacedFrames() && now - clock.deadline <= FRAME_WAKE_SLACK_MS ? clock.deadline : now;
    clock.deadline = clock.startTicks + FRAME_PERIOD_MS;
    clock.startMicros = platformMicroseconds();
    gInput.latchClicks();
    drawFrame();
    // The picture is finished before the wait and shown on the frame's deadline, so the
    // pictures appear exactly one period apart however long each took to draw. The window's
    // message is still taken after the picture is shown, once a period, so the picture that
    // answers it comes no later than before. The wait sleeps on the clock the ticks are read
    // from, so it ends on time without keeping a core busy; unsigned arithmetic keeps the
    // deadline right across the counter's wrap. A timedemo does not wait, and neither does
    // the first picture: there is none before it to keep the period from, and the player
    // waits for the window to fill. The schedule starts again from it.
    finishPicture();
    if (pacedFrames() && clock.shown) platformSleepUntil(clock.deadline);
    // The frame's length as it was always shown: up to the end of its wait.
    u32 elapsed = platformTicks() - clock.startTicks;
    swapFrameBuffers();
    clock.shown = true;
    takeOneMessage();
    endFrameStep(clock.startMicros);
    const u32 least = pacedFrames() ? FRAME_PERIOD_MS : 1;
    if (elapsed < least) elapsed = least;  // a clock that ran backwards, or a timedemo's frame under 1 ms
    // A whole number on purpose: the HUD has always shown 33.0, 32.0, ...
    clock.framesPerSecond = static_cast<f32>(1000u / elapsed);  // NOLINT(bugprone-integer-division)
}
