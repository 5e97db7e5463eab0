// checkpoint.cpp: one number for the whole state of a game, so a replay can tell the first
// second in which it went its own way. Field by field, in a fixed order and byte order, so
// every build and compiler hashes the same state alike; padding never counts.
#include <cstring>
#include <type_traits>

#include "app/phases.h"
#include "app/recorder.h"
#include "core/input.h"
#include "game/game.h"
#include "ui/menu.h"

namespace {

// FNV-1a, 64 bits.
struct Hasher {
    u64 value = 0xcbf29ce484222325ull;

    void byte(u8 b) { value = (value ^ b) * 0x100000001b3ull; }
    void add(u32 v) {
        for (int i = 0; i < 4; ++i) byte(u8(v >> (8 * i)));
    }
    void add(i32 v) { add(u32(v)); }
    void add(bool v) { byte(v ? 1 : 0); }
    void add(f32 v) {
        u32 bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        add(bits);
    }
    template <typename E>
    void add(E v) requires std::is_enum_v<E> { add(i32(v)); }
    void text(const char* s, size_t size) {
        const size_t n = strnlen(s, size);
        add(u32(n));
        for (size_t i = 0; i < n; ++i) byte(u8(s[i]));
    }
    template <typename... T>
    void all(const T&... v) { (add(v), ...); }
};

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

}  // namespace

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
