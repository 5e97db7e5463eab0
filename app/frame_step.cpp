// frame_step.cpp: the paced frame step, and the picture it draws: the intro, or the
// field under the overlay of texts, menu and cursor mark.
#include "app/frame_step.h"

#include "app/phases.h"
#include "app/recorder.h"
#include "app/window.h"
#include "core/input.h"
#include "game/game.h"
#include "platform/platform.h"
#include "render/font.h"
#include "render/frame.h"
#include "ui/menu.h"

FrameClock gFrameClock;

void drawFrame() {
    const Picture& picture = gFlow.picture;
    if (picture.intro) {
        drawIntroPicture(picture);
        return;
    }
    drawGameScene(gGame, picture.ballSpin);
    beginOverlay();
    drawHud(gGame.session, gFrameClock.framesPerSecond);
    if (gGame.session.state == GameState::Menu) gUi.manager.draw();
    drawCursorMark();
    endOverlay();
}

void stepFrame() {
    FrameClock& clock = gFrameClock;
    clock.startTicks = platformTicks();
    clock.startMicros = platformMicroseconds();
    gInput.latchClicks();
    drawFrame();
    swapFrameBuffers();
    pumpOneMessage();
    endFrameStep();
    // The frame period is the game's only clock. Sleep through most of the wait and spin
    // on the millisecond clock for the last stretch only, which a late wake-up cannot
    // overshoot; unsigned arithmetic keeps the wait correct across the counter's wrap.
    // A timedemo does not wait: its frames follow each other as fast as they are drawn.
    for (;;) {
        const u32 spent = platformTicks() - clock.startTicks;
        if (spent >= FRAME_PERIOD_MS || !pacedFrames()) break;
        if (FRAME_PERIOD_MS - spent > FRAME_SPIN_MS) platformSleep(FRAME_PERIOD_MS - spent - FRAME_SPIN_MS);
    }
    u32 elapsed = platformTicks() - clock.startTicks;
    const u32 least = pacedFrames() ? FRAME_PERIOD_MS : 1;
    if (elapsed < least) elapsed = least;  // a clock that ran backwards, or a timedemo's frame under 1 ms
    // A whole number on purpose: the HUD has always shown 33.0, 32.0, ...
    clock.framesPerSecond = static_cast<f32>(1000u / elapsed);  // NOLINT(bugprone-integer-division)
}
