// phases.cpp: what each phase does in one step of the main loop, and where it leads. A
// phase that starts takes its first step in the pass that started it, and a flight's
// follow-up runs in the pass after its last frame, so every frame falls where it always has.
#include "app/phases.h"

#include "app/controls.h"
#include "app/tape.h"
#include "game/game.h"
#include "media/sound.h"
#include "media/textures.h"
#include "ui/menu.h"

GameFlow gFlow;

namespace {

void openMenu(bool resumeAllowed) {
    gUi.menu.resumeAllowed = resumeAllowed;
    gUi.menu.open(gUi.manager);
}

void closeMenu() { gUi.manager.deleteWindow(gUi.menu.windowIndex); }

// Between phases the session's state decides: the menu, or play.
void returnToMenuOrPlay() { gFlow.phase = gGame.session.state == GameState::Menu ? Phase::Menu : Phase::Play; }

void fly(const StepInput& in);

void startFlight(Phase flight, const StepInput& in) {
    gFlow.phase = flight;
    gFlow.landed = false;
    fly(in);
}

// The buttons after New Game, in the menu's own order, then the click's hit test: a button
// pushed now is acted on in the next pass.
void menuButtons(const StepInput& in) {
    if (gUi.clicks.take(BUTTON_RESUME)) {
        gGame.session.state = GameState::Playing;
        closeMenu();
    }
    if (gUi.clicks.take(BUTTON_EXIT)) {
        gGame.session.state = GameState::Playing;
        closeMenu();
        return startFlight(Phase::Credits, in);  // the hit test follows the credits
    }
    gUi.manager.update(gUi.clicks, in);
    returnToMenuOrPlay();
}

void stepMenu(const StepInput& in) {
    moveBalls(gGame, gFlow.sounds);
    gInput.showMenuCursor = true;
    if (gUi.clicks.take(BUTTON_NEW_GAME)) return startFlight(Phase::NewGameApproach, in);
    menuButtons(in);
}

// The rest of a playing pass: Escape, held, opens the menu again pass after pass. Not after
// a game over in this pass: its menu is open already.
void escapeToMenu(const StepInput& in) {
    GameSession& s = gGame.session;
    if (s.state == GameState::Playing && in.escape) {
        s.state = GameState::Menu;
        openMenu(true);
    }
    returnToMenuOrPlay();
}

void nextLevelOrPlayOn(const StepInput& in) {
    if (gGame.session.nextLevelIfComplete(gGame.playfield, gGame.balls)) return startFlight(Phase::LevelApproach, in);
    escapeToMenu(in);
}

void endGameOver() {
    gGame.session.endGameOver(gGame.playfield, gGame.balls, tapeCalendarSeconds());
    openMenu(false);
}

void stepPlay(const StepInput& in) {
    Game& g = gGame;
    gInput.showMenuCursor = false;
    playFrame(g, gFlow.sounds, in);
    if (g.session.lost()) {
        if (g.session.beginGameOver(g.balls)) return startFlight(Phase::GameOverApproach, in);
        endGameOver();
    }
    nextLevelOrPlayOn(in);
}

// One frame of the current flight.
void fly(const StepInput& in) {
    GameSession& s = gGame.session;
    switch (gFlow.phase) {
        case Phase::NewGameApproach:
        case Phase::LevelApproach:
        case Phase::GameOverApproach:
            gFlow.landed = s.flyCamera(Transition::Approach);
            break;
        case Phase::NewGameReturn:
        case Phase::LevelReturn:
        case Phase::GameOverReturn:
            gFlow.landed = s.flyCamera(Transition::Return);
            break;
        case Phase::Credits: {
            // A closed window ends them too: they would otherwise roll on for 23 s with
            // every click and key already dropped.
            gFlow.landed = s.rollCredits(in.leftClicked || in.rightClicked || in.escape || in.quit);
            if (gFlow.landed) gInput.quitRequested = true;
            moveBalls(gGame, gFlow.sounds);
            break;
        }
        default:
            break;
    }
}

// What follows a flight's last frame.
void land(const StepInput& in) {
    Game& g = gGame;
    switch (gFlow.phase) {
        case Phase::NewGameApproach:
            // The menu's balls go on, as many as the new game's first level has.
            (void)g.session.start(g.balls);
            g.playfield.clear();
            g.session.state = GameState::Playing;
            closeMenu();
            return startFlight(Phase::NewGameReturn, in);
        case Phase::NewGameReturn:
            return menuButtons(in);
        case Phase::LevelApproach:
        case Phase::GameOverApproach:
            // At the turn, out of sight: the next level's field and its balls.
            g.playfield.clear();
            g.balls.spawn(tapeCalendarSeconds());
            return startFlight(gFlow.phase == Phase::LevelApproach ? Phase::LevelReturn : Phase::GameOverReturn, in);
        case Phase::LevelReturn:
            g.session.endLevelChange();
            return escapeToMenu(in);
        case Phase::GameOverReturn:
            g.session.endLevelChange();
            endGameOver();
            return nextLevelOrPlayOn(in);
        case Phase::Credits:
            gUi.manager.update(gUi.clicks, in);
            return returnToMenuOrPlay();
        default:
            return returnToMenuOrPlay();
    }
}

}  // namespace

void composePicture(const StepInput& in) {
    Picture& p = gFlow.picture;
    Intro& intro = gFlow.intro;
    p.intro = intro.active;
    if (!intro.active) {
        p.ballSpin = gGame.balls.spin;
        gGame.balls.roll();
        return;
    }
    // Without its pictures the intro would show nothing and never end: one black picture.
    // What counts is that the files were read, not what the driver made of them, so the
    // intro runs the same on every machine and a recorded game replays alike without a display.
    const Textures& t = gTextures;
    p.introBands = t.stripe.data && t.stripe2.data && t.logo.data;
    if (!p.introBands) {
        intro.active = false;
        return;
    }
    p.introSlide = intro.slide;
    p.introFade = intro.fade;
    if (intro.slide > 0) {
        intro.slide -= 10;
    } else {
        intro.fade -= 1;
    }
    if (intro.fade <= 0 || in.escape) intro.active = false;
}

void stepPhase(const StepInput& in) {
    gFlow.sounds.count = 0;
    switch (gFlow.phase) {
        case Phase::Menu:
            stepMenu(in);
            break;
        case Phase::Play:
            stepPlay(in);
            break;
        default:
            gFlow.landed ? land(in) : fly(in);
            break;
    }
    composePicture(in);
    const SoundList& sounds = gFlow.sounds;
    for (i32 i = 0; i < sounds.count; ++i) gSound.playSample(static_cast<i32>(sounds.effects[i]));
}

Surface pointerSurface() {
    if (gFlow.phase == Phase::Play) return Surface::Field;
    if (gFlow.phase == Phase::Menu) return Surface::Menu;
    return Surface::None;
}

bool pausable() {
    const Phase p = gFlow.phase;
    return !gFlow.intro.active && p != Phase::Menu && p != Phase::Credits;
}

void setPaused(bool paused) {
    if (gFlow.paused == paused) return;
    gFlow.paused = paused;
    gSound.pause(paused);
}

bool stepHeld() { return gFlow.paused && !gInput.quitRequested; }

bool quitDue() { return gInput.quitRequested && (gFlow.phase == Phase::Menu || gFlow.phase == Phase::Play); }
