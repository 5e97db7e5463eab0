// frame.h: the pieces of one picture: the intro, the tilted 3D field, the overlay
// projection and its texts; and the view they are drawn into.
#pragma once
#include "core/screen.h"
#include "core/types.h"

struct Playfield;
struct BallSet;

struct RenderState {
    bool introActive = true;  // the intro runs until it ends or Escape skips it
    i32 introSlide = 400;
    i32 introFade = 130;
    i32 viewportWidth = 0;  // the window's client area
    i32 viewportHeight = 0;
    ScreenRect screen;  // where the 640 x 480 screen lies in it
};

extern RenderState gRender;

// The window's new size: the screen letterboxed into it, the 3D projection, the fonts' size.
void resizeScene(i32 width, i32 height);
bool initGlState();                       // the fixed render state, set once; always true

void drawIntroPicture();                  // a whole intro picture
void drawGameScene();                     // cleared, and the field seen from the camera
void beginOverlay();                      // 2D, in screen pixels, origin top left
void drawHud(f32 framesPerSecond);        // the frame rate, level texts and credits; ends in white
void endOverlay();

void drawScene(const Playfield& field, BallSet& balls);  // the field, then the balls
void drawPlayfield(const Playfield& field);
void drawBalls(BallSet& balls);
void deleteBallList();  // the compiled sphere and its quadric go with the GL context
void drawIntro();
