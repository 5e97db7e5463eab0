// image_text.h: lettering for the pictures, rasterised with FreeType from a font that
// fontconfig finds (Debian's Liberation fonts).
#pragma once
#include <memory>
#include <string>

#include "image_canvas.h"

// Rendered lettering: the coverage of its ink, tightly cropped, in canvas pixels.
struct TextBlock {
    Mask mask;
    int baseline = 0;        // mask row of the baseline
    float capHeight = 0.0f;  // pixels from the baseline to the top of a capital
};

class FontFace {
public:
    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Opens the font fontconfig picks for family and style. Refuses a substitute of
    // another family, since the pictures would then change from machine to machine.
    bool open(const char* family, const char* style);

    // Renders ASCII text with an em of sizeX by sizeY pixels (different values stretch
    // the letters), adding tracking pixels between letters.
    TextBlock render(const std::string& text, float sizeX, float sizeY, float tracking) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

struct TextStyle {
    Rgba colour;
    Rgba rim{};             // dark edge around the letters, when its alpha is above 0
    float rimWidth = 0.0f;  // design units
    Rgba shadow{};          // drop shadow, when its alpha is above 0
    float shadowX = 0.0f;   // design units
    float shadowY = 0.0f;
};

// Paints text centred on design point (cx, cy): horizontally by its ink, vertically so
// that capitals are centred. capDesign is the capital height in design units; the width
// of the letters follows from the design units' own scale, so they keep their shape on
// screen. widthScale > 1 widens the letters.
void paintText(Painter& p, const FontFace& font, const std::string& text, float cx, float cy,
               float capDesign, float trackingDesign, float widthScale, const TextStyle& style);

// Ink width of text, in design units, at the capital height paintText would use.
float textWidth(const Painter& p, const FontFace& font, const std::string& text, float capDesign,
                float trackingDesign, float widthScale);
