// frame_step.cpp: the paced frame step, and the picture it draws: the intro, or the
// field under the overlay of texts, menu and cursor mark.
#include "app/frame_step.h"

#include "app/controls.h"
#include "app/phases.h"
#include "app/picture_area.h"
#include "app/recorder.h"
#include "app/window.h"
#include "game/game.h"
#include "platform/platform.h"
#include "render/font.h"
#include "render/frame.h"
#include "ui/menu.h"

FrameClock gFrameClock;

void drawFrame() {
    const Picture& picture = gFlow.picture;
    choosePictureArea(picture, gFrameClock.framesPerSecond);
    if (picture.intro) {
        drawIntroPicture(picture);
        return;
    }
    drawGameScene(gGame, picture.ballSpin);
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
    // deadline right across the counter's wrap. A timedemo does not wait.
    finishPicture();
    if (pacedFrames()) platformSleepUntil(clock.deadline);
    // The frame's length as it was always shown: up to the end of its wait.
    u32 elapsed = platformTicks() - clock.startTicks;
    swapFrameBuffers();
    pumpOneMessage();
    endFrameStep();
    const u32 least = pacedFrames() ? FRAME_PERIOD_MS : 1;
    if (elapsed < least) elapsed = least;  // a clock that ran backwards, or a timedemo's frame under 1 ms
    // A whole number on purpose: the HUD has always shown 33.0, 32.0, ...
    clock.framesPerSecond = static_cast<f32>(1000u / elapsed);  // NOLINT(bugprone-integer-division)
}
