// image_canvas.h: floating-point pictures for the generator. Every picture is drawn on a
// canvas several times finer than the file it ends up in and then averaged down, which
// gives smooth edges without any anti-aliasing logic in the shapes themselves.
#pragma once
#include <cstdint>
#include <vector>

// Straight (not premultiplied) colour, components 0..1.
struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

// Colour from 0xRRGGBB.
Rgba hexColour(std::uint32_t rgb, float alpha = 1.0f);
Rgba mixColour(Rgba from, Rgba to, float t);
// Multiplies the colour channels (not alpha) by f, clamped to 0..1.
Rgba shadeColour(Rgba c, float f);
Rgba withAlpha(Rgba c, float alpha);

// Row 0 is the TOP of the picture; the file writers flip rows where a format wants it.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Canvas() = default;
    Canvas(int w, int h, Rgba fill = {});
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Source-over compositing of colour, its alpha scaled by coverage.
    void over(int x, int y, Rgba colour, float coverage = 1.0f);
};

// Averages each factor x factor block, weighting colour by alpha so that transparent
// pixels do not darken the edges of what is drawn.
Canvas downsample(const Canvas& src, int factor);

// A grey-level coverage map, e.g. rendered lettering; row 0 at the top.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<float> value;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), value(static_cast<std::size_t>(w) * h, 0.0f) {}
    float at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
        return value[static_cast<std::size_t>(y) * width + x];
    }
    float& ref(int x, int y) { return value[static_cast<std::size_t>(y) * width + x]; }
};

// Grows the mask by radius pixels in every direction (square neighbourhood), e.g. for
// a dark rim around lettering; the result is larger by 2 * radius each way.
Mask dilate(const Mask& m, int radius);

// 8-bit RGBA, row 0 at the top, as handed to the file writers.
struct Image8 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

Image8 toImage8(const Canvas& c);

// Draws in design units (for a texture: the on-screen pixels of the rectangle it is
// stretched over) onto a canvas ss times finer than the texture. Design units may be
// scaled differently along x and y, so lettering drawn here comes out undistorted on
// screen even though the texture has another aspect ratio than its rectangle.
class Painter {
public:
    Painter(int texWidth, int texHeight, float designWidth, float designHeight, int ss,
            Rgba background);

    // Canvas pixels per design unit.
    float unitX() const { return unitX_; }
    float unitY() const { return unitY_; }
    Canvas& canvas() { return canvas_; }

    // Calls shader(x, y) with the design coordinates of every canvas pixel centre and
    // composites the straight RGBA colour it returns over the pixel.
    template <class Shader>
    void paint(Shader shader) {
        for (int py = 0; py < canvas_.height; ++py) {
            const float y = (static_cast<float>(py) + 0.5f) / unitY_;
            for (int px = 0; px < canvas_.width; ++px) {
                const float x = (static_cast<float>(px) + 0.5f) / unitX_;
                const Rgba c = shader(x, y);
                if (c.a > 0.0f) canvas_.over(px, py, c);
            }
        }
    }

    // Fills the pixels for which inside(x, y) holds with colour.
    template <class Inside>
    void fill(Inside inside, Rgba colour) {
        paint([&](float x, float y) { return inside(x, y) ? colour : Rgba{}; });
    }

    // Paints a canvas-resolution mask with its top-left corner at canvas pixel (left, top).
    void paintMask(const Mask& m, int left, int top, Rgba colour);

    // The finished texture-sized picture.
    Canvas finish() const { return downsample(canvas_, ss_); }

private:
    int ss_;
    float unitX_;
    float unitY_;
    Canvas canvas_;
};

// Shape tests in design units.
bool insideRoundedRect(float x, float y, float left, float top, float right, float bottom,
                       float radius);
bool insideCircle(float x, float y, float cx, float cy, float radius);
// Even-odd test against a closed polygon given as x0, y0, x1, y1, ...
bool insidePolygon(float x, float y, const std::vector<float>& xy);

// Smooth value noise in about -1..1, fixed by seed, with features of size 1 in (x, y).
float valueNoise(float x, float y, std::uint32_t seed);
