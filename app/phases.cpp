// phases.cpp: what each phase does in one step of the main loop, and where it leads. A
// phase that starts takes its first step in the pass that started it, and a flight's
// follow-up runs in the pass after its last frame, so every frame falls where it always has.
#include "app/phases.h"

#include "core/input.h"
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
void settle() { gFlow.phase = gGame.session.state == GameState::Menu ? Phase::Menu : Phase::Play; }

void fly();

void startFlight(Phase flight) {
    gFlow.phase = flight;
    gFlow.landed = false;
    fly();
}

// The buttons after New Game, in the menu's own order, then the click's hit test: a button
// pushed now is acted on in the next pass.
void menuButtons() {
    if (gUi.clicks.take(BUTTON_RESUME)) {
        gGame.session.state = GameState::Playing;
        closeMenu();
    }
    if (gUi.clicks.take(BUTTON_EXIT)) {
        gGame.session.state = GameState::Playing;
        closeMenu();
        return startFlight(Phase::Credits);  // the hit test follows the credits
    }
    gUi.manager.update(gUi.clicks);
    settle();
}

void stepMenu() {
    moveBalls(gGame, gFlow.sounds);
    gInput.showMenuCursor = true;
    if (gUi.clicks.take(BUTTON_NEW_GAME)) return startFlight(Phase::NewGameApproach);
    menuButtons();
}

// The rest of a playing pass: Escape, held, opens the menu again pass after pass. Not after
// a game over in this pass: its menu is open already.
void escapeToMenu() {
    GameSession& s = gGame.session;
    if (s.state == GameState::Playing && gInput.keys[VK_ESCAPE]) {
        s.state = GameState::Menu;
        openMenu(true);
    }
    settle();
}

void nextLevelOrPlayOn() {
    if (gGame.session.nextLevelIfComplete(gGame.playfield, gGame.balls)) return startFlight(Phase::LevelApproach);
    escapeToMenu();
}

void endGameOver() {
    gGame.session.endGameOver(gGame.playfield, gGame.balls);
    openMenu(false);
}

void stepPlay() {
    Game& g = gGame;
    gInput.showMenuCursor = false;
    playFrame(g, gFlow.sounds);
    if (g.session.lost()) {
        if (g.session.beginGameOver(g.balls)) return startFlight(Phase::GameOverApproach);
        endGameOver();
    }
    nextLevelOrPlayOn();
}

// One frame of the current flight.
void fly() {
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
            const InputState& in = gInput;
            gFlow.landed = s.rollCredits(in.leftClicked || in.rightClicked || in.keys[VK_ESCAPE] || in.quitRequested);
            if (gFlow.landed) gInput.quitRequested = true;
            moveBalls(gGame, gFlow.sounds);
            break;
        }
        default:
            break;
    }
}

// What follows a flight's last frame.
void land() {
    Game& g = gGame;
    switch (gFlow.phase) {
        case Phase::NewGameApproach:
            // The menu's balls go on, as many as the new game's first level has.
            (void)g.session.start(g.balls);
            g.playfield.clear();
            g.session.state = GameState::Playing;
            closeMenu();
            return startFlight(Phase::NewGameReturn);
        case Phase::NewGameReturn:
            return menuButtons();
        case Phase::LevelApproach:
        case Phase::GameOverApproach:
            // At the turn, out of sight: the next level's field and its balls.
            g.playfield.clear();
            g.balls.spawn();
            return startFlight(gFlow.phase == Phase::LevelApproach ? Phase::LevelReturn : Phase::GameOverReturn);
        case Phase::LevelReturn:
            g.session.endLevelChange();
            return escapeToMenu();
        case Phase::GameOverReturn:
            g.session.endLevelChange();
            endGameOver();
            return nextLevelOrPlayOn();
        case Phase::Credits:
            gUi.manager.update(gUi.clicks);
            return settle();
        default:
            return settle();
    }
}

}  // namespace

void settlePicture() {
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
    if (intro.fade <= 0 || gInput.keys[VK_ESCAPE]) intro.active = false;
}

void stepPhase() {
    gFlow.sounds.count = 0;
    switch (gFlow.phase) {
        case Phase::Menu:
            stepMenu();
            break;
        case Phase::Play:
            stepPlay();
            break;
        default:
            gFlow.landed ? land() : fly();
            break;
    }
    settlePicture();
    const SoundList& sounds = gFlow.sounds;
    for (i32 i = 0; i < sounds.count; ++i) gSound.playSample(static_cast<i32>(sounds.effects[i]));
}

bool quitDue() { return gInput.quitRequested && (gFlow.phase == Phase::Menu || gFlow.phase == Phase::Play); }
