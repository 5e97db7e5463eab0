// checkpoint.cpp: the game's state hashed field by field, in a fixed order and byte order, so
// every build and compiler hashes the same state alike; padding never counts.
#include "app/checkpoint.h"

#include "app/controls.h"
#include "app/phases.h"
#include "core/state_hash.h"
#include "game/game.h"
#include "ui/menu.h"

namespace {

void hashField(Hasher& h, const Playfield& f) {
    h.all(f.regionHasBall, f.building, f.wallHit, f.cursorX, f.cursorY, f.wallStartX, f.wallStartY, f.endHigh,
          f.endLow, f.wallLine, f.selectedOrientation, f.wallOrientation, f.cellPixelsX, f.cellPixelsY,
          f.textureStepX, f.textureStepY);
    for (const auto& column : f.cells) {
        for (const Cell& c : column) h.all(c.solid, c.marked);
    }
}

void hashGame(Hasher& h, const Game& g) {
    hashField(h, g.playfield);
    const BallSet& b = g.balls;
    h.all(b.count, b.spin, b.randomState);
    for (const Ball& ball : b.balls) h.all(ball.x, ball.y, ball.vx, ball.vy);
    const GameSession& s = g.session;
    h.all(s.level, s.lives, s.score, s.state, s.creditsY, s.levelChanging, s.gameOver, s.exiting, s.cameraX,
          s.cameraY, s.cameraZ);
}

}  // namespace

void hashUi(Hasher& h, const Ui& ui) {
    for (const UiWindow& w : ui.manager.windows) {
        h.all(w.textFieldCapacity, w.buttonCapacity, w.x, w.y, w.height, w.width, w.isOpen);
        h.text(w.title, sizeof w.title);
        for (const UiButton& b : w.buttons) {
            h.all(b.pressed, b.x, b.y, b.height, b.width, b.inUse);
            h.text(b.name, sizeof b.name);
            h.text(b.caption, sizeof b.caption);
        }
        for (const UiTextField& t : w.textFields) {
            h.all(t.x, t.y, t.inUse);
            h.text(t.text, sizeof t.text);
        }
    }
    for (const auto& entry : ui.clicks.entries) h.text(entry, sizeof entry);
    h.all(ui.menu.resumeAllowed, ui.menu.windowIndex);
}

// The window's size, the frame rate and the message log are left out: they differ from one
// screen and machine to the next without changing the game.
u64 gameStateHash() {
    Hasher h;
    hashGame(h, gGame);
    hashUi(h, gUi);
    const InputState& in = gInput;
    for (bool key : in.keys) h.add(key);
    h.all(in.mouseX, in.mouseY, in.leftPressed, in.rightPressed, in.leftClicked, in.rightClicked, in.showMenuCursor,
          in.quitRequested);
    h.all(gFlow.intro.active, gFlow.intro.slide, gFlow.intro.fade);
    return h.value;
}
