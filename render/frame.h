// frame.h: the pieces of one picture: the intro, the tilted 3D field, the overlay
// projection and its texts; the view they are drawn into, and where it lies in the window.
#pragma once
#include "core/screen.h"
#include "core/types.h"

struct Playfield;
struct BallSet;
struct Game;
struct GameSession;

// What one frame shows, composed by the step before it is drawn: drawing reads it and the
// game's records, and writes none of them.
struct Picture {
    bool intro = false;       // the intro's picture instead of the game's
    bool introBands = false;  // the intro's stripes and logo; without their pictures, black
    i32 introSlide = 0;       // the stripes' offset from the middle, in pixels
    i32 introFade = 0;        // the fade counter, 130 down to 1
    f32 ballSpin = 0.0f;      // the balls' rolling angle, in degrees
};

// The window drawn in part: only `box` is cleared, drawn and shown, and the rest keeps the
// picture before. Everything is still sent, in the same order.
struct DrawArea {
    bool partial = false;
    PixelBox box;
};

// In field units, a cell being 1 wide: a block's height, and a ball, a sphere of this
// radius with its centre this high above the floor.
constexpr f32 BLOCK_HEIGHT = 1.0f;
constexpr f32 BALL_RADIUS = 0.35f;
constexpr f32 BALL_HEIGHT = 0.2f;

struct RenderState {
    i32 viewportWidth = 0;  // the window's client area
    i32 viewportHeight = 0;
    ScreenRect screen;  // where the 640 x 480 screen lies in it
};

extern RenderState gRender;

// The window's new size: the screen letterboxed into it, the 3D projection, the fonts' size.
void resizeScene(i32 width, i32 height);
bool initGlState();                       // the fixed render state, set once; always true
// A pointer at window pixel (x, y) as a pixel of the 640 x 480 screen, as the window is
// letterboxed now; in a bar it clamps to the screen's nearest edge.
void windowPointToScreen(i32* x, i32* y);

void drawIntroPicture(const Picture& picture, const DrawArea& area);  // a whole intro picture
// Cleared, and the field seen from the camera.
void drawGameScene(const Game& game, f32 ballSpin, const DrawArea& area);
void beginOverlay();                      // 2D, in screen pixels, origin top left
// The frame rate, level texts and credits; ends in white.
void drawHud(const GameSession& session, f32 framesPerSecond);
ScreenBox frameRateBox();  // every pixel the frame rate's text can touch
// Over a paused picture: the screen darkened, and the word that says why it stands still.
void drawPausedVeil();
void endOverlay();
// Waits until the picture drawn so far is complete in the back buffer.
void finishPicture();

// Where things land in the window, for drawing a picture in part. Each box holds every
// pixel the thing can touch, with a margin of two.
PixelBox screenOnWindow();  // the 640 x 480 screen
PixelBox screenBoxOnWindow(f32 left, f32 top, f32 right, f32 bottom);  // a rectangle of it
// A box of field space seen from the camera; the whole screen if any of it is behind the eye.
PixelBox fieldBoxOnWindow(const GameSession& camera, const double low[3], const double high[3]);
// The state the next picture starts from (colour, depth test, blending): a picture drawn
// from another state may differ anywhere.
u64 drawingStateKey();

// The field, then the balls, seen from the session's camera.
void drawScene(const Playfield& field, const BallSet& balls, const GameSession& camera, f32 ballSpin);
void drawPlayfield(const Playfield& field);
void drawBalls(const BallSet& balls, const GameSession& camera, f32 ballSpin);
void deleteBallList();  // the compiled sphere and its quadric go with the GL context
void drawIntro(const Picture& picture);  // the stripes and the logo
