// pictures.cpp: the fourteen textures under texturen/. Floor, wall sides, wall tops and
// menu share one palette: a dark, calm slate-blue floor, brighter blue-green blocks with
// lighter tops, warm red-and-cream balls and a yellow cursor, so each reads at a glance.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "assetgen.h"
#include "image_canvas.h"
#include "image_files.h"
#include "image_text.h"

namespace {

// The palette.
const Rgba FLOOR = hexColour(0x1d2740);
const Rgba FLOOR_LINE = hexColour(0x33456a);
const Rgba WALL_LOW = hexColour(0x0f5560);
const Rgba WALL_HIGH = hexColour(0x2a9ea0);
const Rgba WALL_LIP = hexColour(0x78ddd2);
const Rgba WALL_DARK = hexColour(0x0a3a42);
const Rgba TOP_FACE = hexColour(0x4ec3b8);
const Rgba TOP_LIGHT = hexColour(0xaef3e8);
const Rgba TOP_SHADE = hexColour(0x248078);
const Rgba BALL_RED = hexColour(0xe23b2c);
const Rgba BALL_CREAM = hexColour(0xf8edcf);
const Rgba CURSOR_BACK = hexColour(0x121a2a);
const Rgba CURSOR_YELLOW = hexColour(0xffcc33);
const Rgba CURSOR_LIGHT = hexColour(0xfff4b0);
const Rgba OUTLINE = hexColour(0x07121a);
const Rgba PANEL_TOP = hexColour(0x22324f);
const Rgba PANEL_BOTTOM = hexColour(0x131c2e);
const Rgba BUTTON_TOP = hexColour(0x3fc6bb);
const Rgba BUTTON_BOTTOM = hexColour(0x17686e);
const Rgba WHITE = hexColour(0xffffff);

float frac(float v) {
    return v - std::floor(v);
}

bool save(const std::string& dir, const char* name, const std::vector<std::uint8_t>& bytes) {
    return writeFileBytes(dir + "/texturen/" + name, bytes);
}

bool saveBmp(const std::string& dir, const char* name, const Canvas& c) {
    return save(dir, name, encodeBmp24(toImage8(c)));
}

// ---- field -----------------------------------------------------------------------

// Floor, stretched once over the field: design units are cells, x to the right and y
// down the image, so world row Y = 30 - y.
Canvas floorPicture() {
    Painter p(256, 256, 30.0f, 30.0f, 4, FLOOR);
    p.paint([](float x, float y) {
        const float wy = 30.0f - y;
        const float n =
            0.6f * valueNoise(x * 0.3f, wy * 0.3f, 11) + 0.4f * valueNoise(x * 1.3f, wy * 1.3f, 12);
        const float dx = (x - 15.0f) / 15.0f, dy = (wy - 15.0f) / 15.0f;
        const float light = (1.0f + 0.08f * n) * (1.06f - 0.16f * (dx * dx + dy * dy));
        // A faint line along every cell edge helps to aim the cursor.
        const float ex = std::min(frac(x), 1.0f - frac(x));
        const float ey = std::min(frac(wy), 1.0f - frac(wy));
        const Rgba base = std::min(ex, ey) < 0.055f ? FLOOR_LINE : FLOOR;
        return shadeColour(base, light);
    });
    return p.finish();
}

// Side face of a wall block: the whole image on each side, t = 0 at the floor.
Canvas wallSidePicture() {
    Painter p(64, 64, 1.0f, 1.0f, 4, WALL_LOW);
    p.paint([](float x, float y) {
        const float t = 1.0f - y;  // height above the floor
        Rgba c = mixColour(WALL_LOW, WALL_HIGH, std::pow(t, 0.8f));
        c = shadeColour(c, 1.0f + 0.05f * valueNoise(x * 6.0f, t * 6.0f, 21));
        // Bevelled edges, lit from above: a light lip at the top, darker sides and foot.
        if (t > 0.93f) return mixColour(WALL_LIP, WALL_HIGH, (1.0f - t) / 0.07f * 0.4f);
        if (t < 0.05f) return WALL_DARK;
        if (x < 0.04f) return shadeColour(c, 1.18f);
        if (x > 0.96f) return shadeColour(c, 0.7f);
        return c;
    });
    return p.finish();
}

// Tops of the wall blocks: one image over the whole field, each block showing its
// 1/30 part, so every cell carries its own bevelled tile.
Canvas wallTopPicture() {
    Painter p(256, 256, 30.0f, 30.0f, 4, TOP_FACE);
    p.paint([](float x, float y) {
        const float fx = frac(x), fy = frac(y);  // fy = 0 at the cell's far edge
        const float wy = 30.0f - y;
        const float sheen = 1.0f + 0.07f * ((wy - x) / 30.0f) +
                            0.05f * valueNoise(x * 0.5f, wy * 0.5f, 31) +
                            0.03f * valueNoise(x * 3.0f, wy * 3.0f, 32);
        const Rgba face = shadeColour(TOP_FACE, sheen);
        const float b = 0.12f;
        if (fy < b && fx < 1.0f - fy) return TOP_LIGHT;                         // far edge
        if (fx < b && fy < 1.0f - fx) return mixColour(TOP_LIGHT, face, 0.3f);  // left edge
        if (fy > 1.0f - b) return TOP_SHADE;                                    // near edge
        if (fx > 1.0f - b) return mixColour(TOP_SHADE, face, 0.25f);            // right edge
        return face;
    });
    return p.finish();
}

// Ball: GLU wraps s around the sphere and t from pole to pole. Eight big patches,
// four around and two from pole to pole, make the rolling plain even on a small ball.
Canvas ballPicture() {
    Painter p(64, 64, 1.0f, 1.0f, 4, BALL_RED);
    p.paint([](float s, float y) {
        const int around = static_cast<int>(s * 4.0f);
        const int band = y < 0.5f ? 1 : 0;
        return (around + band) % 2 ? BALL_CREAM : BALL_RED;
    });
    return p.finish();
}

float distanceToPolygon(float x, float y, const std::vector<float>& xy) {
    float best = 1e9f;
    const std::size_t n = xy.size() / 2;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const float ax = xy[2 * j], ay = xy[2 * j + 1];
        const float bx = xy[2 * i], by = xy[2 * i + 1];
        const float ex = bx - ax, ey = by - ay;
        const float t =
            std::clamp(((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
        const float dx = x - ax - t * ex, dy = y - ay - t * ey;
        best = std::min(best, std::sqrt(dx * dx + dy * dy));
    }
    return best;
}

// Cursor marker on one cell: a yellow frame and a double arrow showing the orientation
// of the wall the next click builds. The vertical one runs along the image's vertical
// axis, which lies along the field's y axis.
Canvas cursorPicture(bool vertical) {
    Painter p(64, 64, 64.0f, 64.0f, 4, CURSOR_BACK);
    // Horizontal double arrow <-> centred in the square.
    const std::vector<float> arrow = {5,  32, 22, 16, 22, 27, 42, 27, 42, 16,
                                      59, 32, 42, 48, 42, 37, 22, 37, 22, 48};
    p.paint([&](float px, float py) {
        const float x = vertical ? py : px;
        const float y = vertical ? px : py;
        // Frame just inside the cell edge.
        const bool inFrame = insideRoundedRect(px, py, 1.5f, 1.5f, 62.5f, 62.5f, 6.0f) &&
                             !insideRoundedRect(px, py, 5.5f, 5.5f, 58.5f, 58.5f, 3.0f);
        if (inFrame) return CURSOR_YELLOW;
        if (insidePolygon(x, y, arrow)) {
            // Lighter along the arrow's middle line.
            return mixColour(CURSOR_LIGHT, CURSOR_YELLOW,
                             std::min(1.0f, std::fabs(y - 32.0f) / 9.0f));
        }
        if (distanceToPolygon(x, y, arrow) < 2.5f) return OUTLINE;
        return Rgba{};
    });
    return p.finish();
}

// ---- menu ------------------------------------------------------------------------

// The menu window is 150 x 200 pixels on screen, and the three button pictures are
// stretched over bands of it: new game over rows 0..78, resume over 79..149, exit over
// 149..201 (one row below the window). Each button picture repeats the part of the
// panel under its band, so background and buttons join without a seam.
constexpr float WINDOW_W = 150.0f;
constexpr float LINE = 1.2f;   // dark outlines
constexpr float FRAME = 5.0f;  // outline and bevelled frame of the window
constexpr float PANEL_INSIDE = FRAME + LINE;

Rgba panelColour(float x, float y, float bottom) {
    const float edge = std::min({x, WINDOW_W - x, y, bottom - y});
    if (edge < LINE) return OUTLINE;
    if (edge < FRAME) {
        // Bevelled blue-green frame, lit from the top left.
        const bool lit = (y < FRAME && y <= x && y <= WINDOW_W - x) || (x < FRAME && x <= y);
        const bool shaded = (bottom - y < FRAME && bottom - y <= x && bottom - y <= WINDOW_W - x) ||
                            (WINDOW_W - x < FRAME && WINDOW_W - x <= y);
        if (lit) return WALL_LIP;
        if (shaded) return WALL_LOW;
        return WALL_HIGH;
    }
    if (edge < PANEL_INSIDE) return OUTLINE;
    Rgba c = mixColour(PANEL_TOP, PANEL_BOTTOM, y / bottom);
    // Faint brickwork in the inside, a nod to the walls.
    const float row = y / 10.0f;
    const float shift = static_cast<int>(std::floor(row)) % 2 ? 10.0f : 0.0f;
    const float bx = frac((x + shift) / 20.0f) * 20.0f;
    const float by = frac(row) * 10.0f;
    if (bx < 1.0f || by < 1.0f) c = shadeColour(c, 1.28f);
    return c;
}

Canvas menuPicture() {
    Painter p(128, 256, WINDOW_W, 200.0f, 6, PANEL_TOP);
    p.paint([](float x, float y) { return panelColour(x, y, 200.0f); });
    return p.finish();
}

struct ButtonBand {
    const char* file;
    const char* label;
    float top;  // window rows covered by the button picture
    float bottom;
};

const ButtonBand BUTTONS[] = {
    {"menu_new.bmp", "New Game", 0.0f, 78.0f},
    {"menu_resume.bmp", "Resume", 79.0f, 149.0f},
    {"menu_exit.bmp", "Exit", 149.0f, 201.0f},
};

constexpr float FACE_INSET = 4.0f;  // panel visible around each button face
constexpr float LABEL_PAD = 10.0f;

Canvas buttonPicture(const ButtonBand& b, const FontFace& font, float capHeight) {
    const float h = b.bottom - b.top;
    Painter p(256, 128, WINDOW_W, h, 6, PANEL_TOP);
    // The exit band runs one row past the window, so its panel ends there.
    const float panelBottom = std::max(200.0f, b.bottom);
    p.paint([&](float x, float y) { return panelColour(x, y + b.top, panelBottom); });

    // Face edges in window rows: at least the frame plus the inset from the band's ends.
    const float left = PANEL_INSIDE + FACE_INSET;
    const float right = WINDOW_W - left;
    const float top = std::max(b.top + FACE_INSET, PANEL_INSIDE + FACE_INSET) - b.top;
    const float bottom =
        std::min(b.bottom - FACE_INSET, panelBottom - PANEL_INSIDE - FACE_INSET) - b.top;
    const float radius = 7.0f;
    p.fill(
        [&](float x, float y) {
            return insideRoundedRect(x, y, left - 1.5f, top - 1.5f, right + 1.5f, bottom + 1.5f,
                                     radius + 1.5f);
        },
        OUTLINE);
    p.paint([&](float x, float y) {
        if (!insideRoundedRect(x, y, left, top, right, bottom, radius)) return Rgba{};
        const float v = (y - top) / (bottom - top);
        if (!insideRoundedRect(x, y, left, top + 2.0f, right, bottom, radius)) return TOP_LIGHT;
        if (!insideRoundedRect(x, y, left, top, right, bottom - 2.5f, radius))
            return shadeColour(BUTTON_BOTTOM, 0.7f);
        return mixColour(BUTTON_TOP, BUTTON_BOTTOM, v);
    });
    TextStyle style;
    style.colour = WHITE;
    style.rim = hexColour(0x0b2f35);
    style.rimWidth = 1.0f;
    style.shadow = hexColour(0x041418, 0.75f);
    style.shadowX = 1.5f;
    style.shadowY = 1.5f;
    paintText(p, font, b.label, WINDOW_W / 2.0f, (top + bottom) / 2.0f, capHeight, 0.4f, 1.0f,
              style);
    return p.finish();
}

// ---- intro -----------------------------------------------------------------------

// Textures with alpha keep a sensible colour in their transparent texels as well,
// because filtering blends those colours into the edges of what shows.
Image8 alphaPicture(const Canvas& coverage, const std::function<Rgba(float, float)>& colourAt) {
    Canvas c(coverage.width, coverage.height);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            c.at(x, y) = withAlpha(colourAt((x + 0.5f) / c.width, (y + 0.5f) / c.height),
                                   coverage.at(x, y).a);
        }
    }
    return toImage8(c);
}

// Intro stripe, stretched over a band of 800 x 40 pixels: a rounded bar along each
// edge with a dashed line inside it, and only a faint glow in the middle, where the
// logo appears. The first stripe comes in from the left and is brightest at its
// leading (right) end; the second is its mirror image.
Image8 stripePicture(bool fromRight, std::uint32_t seed) {
    auto lead = [fromRight](float s) { return fromRight ? 1.0f - s : s; };  // 1 at the leading end
    Painter p(256, 32, 800.0f, 40.0f, 4, Rgba{});
    p.paint([&](float x, float y) {
        const float u = lead(x / 800.0f);
        const float d = std::min(y, 40.0f - y);  // distance from the band's edge
        const float reach = 0.25f + 0.75f * std::pow(u, 1.2f);
        float a = 0.0f;
        if (d >= 0.5f && d < 7.0f) {
            a = 1.0f;
        } else if (d >= 9.0f && d < 10.5f) {
            const float line = y < 20.0f ? 0.0f : 1.0f;
            a = valueNoise(x / 23.0f, line * 5.0f, seed) > -0.35f ? 0.9f : 0.0f;
        } else if (d >= 10.5f) {
            a = 0.35f * std::exp(-(d - 10.5f) / 2.5f);
        }
        return Rgba{1.0f, 1.0f, 1.0f, a * reach};
    });
    const Canvas coverage = p.finish();
    return alphaPicture(coverage, [&](float s, float t) {
        const float u = lead(s);
        const float d = std::min(t, 1.0f - t) * 40.0f;
        // The bars shine along their middle line, like polished metal.
        const float shine = d < 7.5f ? std::pow(std::fabs(d - 3.75f) / 3.75f, 1.5f) : 0.6f;
        const Rgba edge = mixColour(hexColour(0x2a9ea0), hexColour(0x8fe8de), u);
        return mixColour(WHITE, edge, std::min(1.0f, shine * (1.2f - u * 0.6f)));
    });
}

// The logo, drawn in a band of 191 x 13 pixels on black: FENDWALL in wide bold capitals
// as tall as the band allows, on a transparent background.
Image8 logoPicture(const FontFace& font) {
    Painter p(256, 16, 191.0f, 13.0f, 8, Rgba{});
    const float cap = 11.0f;
    const float widen = 1.8f;
    const float target = 186.0f;
    const float plain = textWidth(p, font, "FENDWALL", cap, 0.0f, widen);
    const float tracking = std::max(0.0f, (target - plain) / 7.0f);
    TextStyle style;
    style.colour = WHITE;
    paintText(p, font, "FENDWALL", 191.0f / 2.0f, 6.5f, cap, tracking, widen, style);
    const Canvas coverage = p.finish();
    return alphaPicture(coverage,
                        [](float, float t) { return mixColour(WHITE, hexColour(0x9fe6ff), t); });
}

}  // namespace

bool generatePictures(const std::string& dataDir) {
    FontFace bold;
    if (!bold.open("Liberation Sans", "Bold")) return false;

    bool ok = saveBmp(dataDir, "weiss.bmp", Canvas(16, 16, WHITE));
    ok = saveBmp(dataDir, "grund2.bmp", floorPicture()) && ok;
    ok = saveBmp(dataDir, "wand_blau_gruen.bmp", wallSidePicture()) && ok;
    ok = saveBmp(dataDir, "grund4.bmp", wallTopPicture()) && ok;
    ok = saveBmp(dataDir, "ball_low.bmp", ballPicture()) && ok;
    ok = saveBmp(dataDir, "hori.bmp", cursorPicture(false)) && ok;
    ok = saveBmp(dataDir, "vert.bmp", cursorPicture(true)) && ok;
    ok = saveBmp(dataDir, "menu.bmp", menuPicture()) && ok;

    // One letter size for all three buttons, the largest at which every label fits.
    float cap = 16.0f;
    {
        Painter probe(256, 128, WINDOW_W, 78.0f, 6, Rgba{});
        const float room = WINDOW_W - 2.0f * (PANEL_INSIDE + FACE_INSET + LABEL_PAD);
        for (const ButtonBand& b : BUTTONS)
            while (cap > 8.0f && textWidth(probe, bold, b.label, cap, 0.4f, 1.0f) > room)
                cap -= 0.5f;
    }
    for (const ButtonBand& b : BUTTONS)
        ok = saveBmp(dataDir, b.file, buttonPicture(b, bold, cap)) && ok;

    ok = save(dataDir, "streifen.tga", encodeTga(stripePicture(false, 41), 32)) && ok;
    ok = save(dataDir, "streifen2.tga", encodeTga(stripePicture(true, 42), 32)) && ok;
    ok = save(dataDir, "logo.tga", encodeTga(logoPicture(bold), 32)) && ok;
    return ok;
}
