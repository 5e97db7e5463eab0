// font.h: the two bitmap fonts, formatted text in the overlay, the menu cursor mark.
#pragma once
#include "app/types.h"

extern u32 fontListBase[2];  // 0 small (15 px), 1 large (25 px); 96 lists each, codes 32..127

void createFonts();      // reserves the lists; the glyphs follow with the first text
void buildFontGlyphs();  // makes the glyphs now if they are still to be made
void deleteFonts();
void printText(i32 font, f32 x, f32 y, const char* format, ...) __attribute__((format(printf, 4, 5)));
void drawCursorMark();
