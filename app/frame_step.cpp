// frame_step.cpp: the paced frame step, and the picture it draws: the intro, or the
// field under the overlay of texts, menu and cursor mark.
#include "app/frame_step.h"

#include "app/checkpoint.h"
#include "app/controls.h"
#include "app/phases.h"
#include "app/recorder.h"
#include "app/replay.h"
#include "app/screenshot.h"
#include "app/tape.h"
#include "app/window.h"
#include "core/state_hash.h"
#include "game/game.h"
#include "media/sound.h"
#include "platform/platform.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/picture_area.h"
#include "ui/menu.h"

FrameClock gFrameClock;

namespace {

// The player's own controls, outside the game and never recorded: mute, and a screenshot
// taken from the next picture. In a replay they are the watcher's.
void playersControls(const PlatformEvent* live, const PlatformPads& pads) {
    if (controlPressed(live, pads, Action::Mute)) gSound.toggleMute();
    if (controlPressed(live, pads, Action::Screenshot)) gControls.screenshotDue = true;
}

// In a replay the window stays the watcher's: it can be resized, maximised, switched to full
// screen or closed, which ends the replay, and the watcher's own controls act. Every other live
// message is dropped. False when closed.
bool keepWatchersWindow() {
    PlatformEvent live;
    while (platformPollEvent(&live)) {
        playersControls(&live, PlatformPads{});
        const PlatformEventType t = live.type;
        if (t == PlatformEventType::Resize || t == PlatformEventType::Maximise || t == PlatformEventType::ToggleFullscreen) {
            windowProcedure(live);
        } else if (t == PlatformEventType::Close || t == PlatformEventType::Quit) {
            stopReplay(true);
            return false;
        }
    }
    return true;
}

bool isClick(const PlatformEvent& e) { return e.type == PlatformEventType::LeftDown || e.type == PlatformEventType::RightDown; }

// The pause control pauses and resumes; while paused, a click or the build and turn controls
// resume and build nothing, and the menu control resumes into the menu. A live window that
// loses the focus pauses when the player asked for it; that is recorded as the pause control,
// so a replay pauses there whatever its own window's focus. True when a press resumed.
bool pauseOrResume(const PlatformEvent* message, BoundInput* bound) {
    if (!pausable()) {
        bound->pause = false;
        return false;
    }
    const bool away = !replaying() && message && message->type == PlatformEventType::Activate && message->x == 0;
    if (away && gControls.pauseWhenAway && !gFlow.paused) bound->pause = true;
    const bool press = (message && isClick(*message)) || bound->left || bound->right;
    if (bound->pause) {
        setPaused(!gFlow.paused);
        return false;
    }
    if (!gFlow.paused || !(press || bound->menu == MenuControl::Down)) return false;
    setPaused(false);
    return press;
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
    if (!replay) playersControls(taken ? &event : nullptr, pads);
    if (gInput.quitRequested) return;
    const bool pressedLeft = gInput.leftPressed, pressedRight = gInput.rightPressed;
    if (taken) {
        recordMessage(gTape.frame, event);
        if (event.type == PlatformEventType::Quit) gInput.quitRequested = true;
        windowProcedure(event);
        if (gInput.quitRequested) return;
    }
    BoundInput bound = tapeBound(taken ? &event : nullptr, pads, pointerSurface(), menuStops());
    const bool woken = pauseOrResume(taken ? &event : nullptr, &bound);
    recordBound(gTape.frame, bound);
    applyBound(bound, gInput);
    // The press only woke the game: what was pressed before it stays, this one goes.
    if (woken) gInput.leftPressed = pressedLeft, gInput.rightPressed = pressedRight;
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
    o.paused = gFlow.paused;
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
    if (gFlow.paused) drawPausedVeil();
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
    // Paused, a click latched before the pause waits for the step it was meant for.
    if (!gFlow.paused) gInput.latchClicks();
    drawFrame();
    if (gControls.screenshotDue) {
        gControls.screenshotDue = false;
        takeScreenshot();
    }
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
