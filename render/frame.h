// frame.h: one picture per frame step: the intro, or the 3D field with its overlay.
#pragma once
#include "app/types.h"

struct Playfield;
struct BallSet;

extern u8 introActive;
extern i32 introSlide;
extern i32 introFade;

void drawFrame();
void beginOverlay();
void endOverlay();
void drawScene(const Playfield& field, BallSet& balls);  // the field, then the balls
void drawPlayfield(const Playfield& field);
void drawBalls(BallSet& balls);
void deleteBallList();  // the compiled sphere goes with the GL context
void drawIntro();
