// picture_area.cpp: which part of the window a picture must draw. On a software renderer
// every pixel costs processor time, yet from one picture to the next only the balls, the
// cursor marker, the menu's cursor mark, the frame rate and the cells of a growing wall
// change. Where the platform shows part of a picture and keeps the rest as drawn, only their
// boxes, in this picture and the one before, are drawn again; anything else that changed
// (the camera, a text, the menu, the window, the drawing state) draws the whole picture. GL
// is still sent the whole picture in the same order, cut to the area by the scissor: the
// software renderer's results in a few pixels depend on how its vertex buffers were filled
// before.
#include "render/picture_area.h"

#include <algorithm>
#include <array>

#include "core/state_hash.h"
#include "game/game.h"
#include "render/font.h"
#include "render/frame.h"

namespace {

// The boxes of what moves in one picture.
struct Moving {
    PixelBox balls[MAX_BALLS];
    i32 ballCount = 0;
    PixelBox marker;   // the cursor marker's cell
    i32 markerKey = 0;  // its cell and orientation
    PixelBox mark;      // the menu's cursor mark, if shown
    i32 markKey = 0;    // the mouse position
};

struct LastPicture {
    bool known = false;  // the window holds a picture drawn since it was opened
    u64 still = 0;
    Moving moving;
    f32 framesPerSecond = 0.0f;
    Cell cells[FIELD_SIZE][FIELD_SIZE];
};

LastPicture sLast;

// Everything the picture is drawn from besides the moving things.
u64 stillSignature(const Picture& picture, const Game& game, const OverlayFacts& overlay) {
    Hasher h;
    h.all(picture.intro, picture.introBands, picture.introSlide, picture.introFade);
    const GameSession& s = game.session;
    h.all(s.level, s.lives, s.score, s.state, s.creditsY, s.levelChanging, s.gameOver, s.exiting, s.cameraX,
          s.cameraY, s.cameraZ);
    h.all(game.playfield.textureStepX, game.playfield.textureStepY);
    h.all(overlay.menuKey, overlay.paused);
    h.all(overlay.cursorMark, gRender.viewportWidth, gRender.viewportHeight, gRender.screen.x, gRender.screen.y,
          gRender.screen.width, gRender.screen.height, drawingStateKey());
    return h.value;
}

Moving movingNow(const Game& game, const OverlayFacts& overlay) {
    Moving m;
    const GameSession& camera = game.session;
    const Playfield& f = game.playfield;
    const double cellLow[3] = {double(f.cursorX), double(f.cursorY), 0.0};
    const double cellHigh[3] = {cellLow[0] + 1.0, cellLow[1] + 1.0, double(BLOCK_HEIGHT)};
    m.marker = fieldBoxOnWindow(camera, cellLow, cellHigh);
    m.markerKey = (f.cursorX * 64 + f.cursorY) * 4 + static_cast<i32>(f.selectedOrientation);
    // A ball is a sphere about its centre, however it is turned; a hundredth more for the
    // sphere's rounding into pixels.
    constexpr double REACH = double(BALL_RADIUS) + 0.01;
    constexpr double HEIGHT = double(BALL_HEIGHT);
    const i32 n = game.balls.count < MAX_BALLS ? game.balls.count : MAX_BALLS;
    for (i32 k = 0; k < n; ++k) {
        const Ball& b = game.balls.balls[k];
        const double low[3] = {b.x - REACH, b.y - REACH, HEIGHT - REACH};
        const double high[3] = {b.x + REACH, b.y + REACH, HEIGHT + REACH};
        m.balls[m.ballCount++] = fieldBoxOnWindow(camera, low, high);
    }
    if (overlay.cursorMark) {
        const ScreenBox mark = cursorMarkBox(overlay.pointerX, overlay.pointerY);
        m.mark = screenBoxOnWindow(mark.left, mark.top, mark.right, mark.bottom);
        m.markKey = overlay.pointerX * 65536 + overlay.pointerY;
    }
    return m;
}

}  // namespace

DrawArea choosePictureArea(const Picture& picture, const Game& game, const OverlayFacts& overlay, bool kept) {
    DrawArea chosen;
    if (!kept) {
        sLast.known = false;
        return chosen;
    }
    const f32 framesPerSecond = overlay.framesPerSecond;
    const u64 still = stillSignature(picture, game, overlay);
    const Moving moving = movingNow(game, overlay);
    if (sLast.known && still == sLast.still) {
        // The balls move in every picture but a paused one; the marker and the mark only
        // when the mouse does.
        PixelBox area;
        for (i32 i = 0; i < moving.ballCount && !overlay.paused; ++i) area.add(moving.balls[i]);
        for (i32 i = 0; i < sLast.moving.ballCount && !overlay.paused; ++i) area.add(sLast.moving.balls[i]);
        if (moving.markerKey != sLast.moving.markerKey) area.add(moving.marker), area.add(sLast.moving.marker);
        if (moving.markKey != sLast.moving.markKey) area.add(moving.mark), area.add(sLast.moving.mark);
        // A cell that changed (a wall growing, a capture), and its neighbours, whose side
        // faces toward it come and go.
        const Playfield& f = game.playfield;
        for (i32 x = 0; x < FIELD_SIZE; ++x) {
            for (i32 y = 0; y < FIELD_SIZE; ++y) {
                const Cell& was = sLast.cells[x][y];
                if (was.solid == f.cells[x][y].solid && was.marked == f.cells[x][y].marked) continue;
                for (const auto& n : {std::array<i32, 2>{x, y}, {x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                    if (!Playfield::inside(n[0], n[1])) continue;
                    const double low[3] = {double(n[0]), double(n[1]), 0.0};
                    const double high[3] = {low[0] + 1.0, low[1] + 1.0, double(BLOCK_HEIGHT)};
                    area.add(fieldBoxOnWindow(game.session, low, high));
                }
            }
        }
        if (framesPerSecond != sLast.framesPerSecond) {
            const ScreenBox text = frameRateBox();
            area.add(screenBoxOnWindow(text.left, text.top, text.right, text.bottom));
        }
        chosen.partial = true;
        chosen.box = area.within(screenOnWindow());
    }
    sLast.known = true;
    sLast.still = still;
    sLast.moving = moving;
    sLast.framesPerSecond = framesPerSecond;
    std::copy(&game.playfield.cells[0][0], &game.playfield.cells[0][0] + FIELD_SIZE * FIELD_SIZE, &sLast.cells[0][0]);
    return chosen;
}

void forgetPicture() { sLast = LastPicture{}; }
