// font.h: the two bitmap fonts, formatted text in the overlay, the menu cursor mark.
#pragma once
#include "core/screen.h"
#include "core/types.h"

// Font 0 is the small one (15 px), font 1 the large one (25 px); codes 32..127 each.
void createFonts();      // reserves the lists; the glyphs follow with the first text
void buildFontGlyphs();  // makes the glyphs now if they are still to be made
void deleteFonts();
// The screen's height in window pixels: the glyphs are made again at that scale with the
// next text, so text stays sharp and keeps its place on a larger screen.
void setFontScale(i32 screenPixelsHigh);
void printText(i32 font, f32 x, f32 y, const char* format, ...) __attribute__((format(printf, 4, 5)));
// Unbinds the texture, then, if shown, the menu's cursor mark at the pointer (screen pixels).
void drawCursorMark(bool shown, i32 pointerX, i32 pointerY);
ScreenBox cursorMarkBox(i32 pointerX, i32 pointerY);  // every pixel the cursor mark can touch
