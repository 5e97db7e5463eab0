// icons.cpp: the desktop icons, a corner of wall blocks and a ball on the field floor,
// in the colours of the game's own textures.
#include <cmath>
#include <cstdio>
#include <string>

#include "assetgen.h"
#include "image_canvas.h"
#include "image_files.h"

namespace {

const Rgba FLOOR = hexColour(0x1d2740);
const Rgba FLOOR_LINE = hexColour(0x33456a);
const Rgba OUTLINE = hexColour(0x07121a);
const Rgba TOP_FACE = hexColour(0x4ec3b8);
const Rgba TOP_LIGHT = hexColour(0xaef3e8);
const Rgba SIDE = hexColour(0x1d8288);
const Rgba SIDE_DARK = hexColour(0x0f5560);
const Rgba BALL_RED = hexColour(0xe23b2c);
const Rgba BALL_CREAM = hexColour(0xf8edcf);
// The window manager scales it to a title bar's or a task switcher's size.
constexpr int WINDOW_ICON_PIXELS = 64;

// One wall block seen from above and in front: a lit top with a band of its side face
// below it. Design units: the icon is 256 across.
void paintBlock(Painter& p, float left, float top, float size) {
    const float side = size * 0.32f;
    p.fill(
        [&](float x, float y) {
            return insideRoundedRect(x, y, left - 3, top - 3, left + size + 3,
                                     top + size + side + 3, 7);
        },
        OUTLINE);
    p.paint([&](float x, float y) {
        if (!insideRoundedRect(x, y, left, top, left + size, top + size + side, 4)) return Rgba{};
        if (y > top + size) return mixColour(SIDE, SIDE_DARK, (y - top - size) / side);
        if (y < top + 5 || x < left + 5) return TOP_LIGHT;
        return TOP_FACE;
    });
}

// The same picture drawn for a size: from 32 pixels on, the field's cell lines, a corner of
// seven blocks and the ball in quarters as the game draws it; below that, where a block of
// the large corner would be three pixels and the quarters blur to pink, four larger blocks
// on a plain floor and a red ball with its highlight.
Canvas iconPicture(int pixels, int ss) {
    const bool small = pixels < 32;
    Painter p(pixels, pixels, 256.0f, 256.0f, ss, Rgba{});
    // The field floor on a rounded tile.
    p.fill([](float x, float y) { return insideRoundedRect(x, y, 6, 6, 250, 250, 44); }, OUTLINE);
    p.paint([small](float x, float y) {
        if (!insideRoundedRect(x, y, 12, 12, 244, 244, 38)) return Rgba{};
        const float fx = std::fmod(x - 12.0f, 46.4f), fy = std::fmod(y - 12.0f, 46.4f);
        const float glow = 1.1f - 0.25f * std::hypot(x - 128.0f, y - 128.0f) / 128.0f;
        return shadeColour(!small && (fx < 3.0f || fy < 3.0f) ? FLOOR_LINE : FLOOR, glow);
    });
    // A corner of wall: a column down the left, a row along the bottom; back rows first
    // so that each block's side face covers the top of the block behind.
    const float cell = small ? 66.0f : 50.0f;
    const int side = small ? 2 : 3;
    for (int i = 0; i < side; ++i) paintBlock(p, 28.0f, 28.0f + cell * i, cell);
    for (int i = 1; i <= side; ++i) paintBlock(p, 28.0f + cell * i, 28.0f + cell * side, cell);
    // The ball with its shadow.
    const float bx = small ? 170.0f : 164.0f, by = small ? 88.0f : 92.0f, r = small ? 52.0f : 46.0f;
    p.fill(
        [&](float x, float y) {
            const float dx = (x - bx - 8.0f) / (r * 1.05f), dy = (y - by - r * 0.95f) / (r * 0.35f);
            return dx * dx + dy * dy <= 1.0f;
        },
        withAlpha(OUTLINE, 0.45f));
    p.fill([&](float x, float y) { return insideCircle(x, y, bx, by, r + 4.0f); }, OUTLINE);
    p.paint([&](float x, float y) {
        if (!insideCircle(x, y, bx, by, r)) return Rgba{};
        // Quarters turned by 30 degrees, so the ball looks as if it rolls.
        const float ux = (x - bx) * 0.866f + (y - by) * 0.5f;
        const float uy = (y - by) * 0.866f - (x - bx) * 0.5f;
        Rgba c = small || (ux < 0) == (uy < 0) ? BALL_RED : BALL_CREAM;
        // A soft highlight at the upper left.
        const float h = std::hypot(x - bx + r * 0.4f, y - by + r * 0.4f) / r;
        if (h < 0.35f) c = mixColour(hexColour(0xffffff), c, h / 0.35f * 0.6f + 0.4f);
        return c;
    });
    return p.finish();
}

bool writeIcon(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        std::fprintf(stderr, "assetgen: cannot compress %s\n", path.c_str());
        return false;
    }
    return writeFileBytes(path, bytes);
}

}  // namespace

bool generateIcons(const std::string& dataDir) {
    bool ok = true;
    // The sizes desktops ask the icon theme for.
    for (int pixels : {16, 24, 32, 48, 64, 128, 256}) {
        const Image8 icon = toImage8(iconPicture(pixels, pixels > 64 ? 4 : 8));
        const std::string name = dataDir + "/icons/fendwall-" + std::to_string(pixels);
        ok = writeIcon(name + ".png", encodePng(icon)) && ok;
        // The game's own window icon, in the format its TGA reader takes.
        if (pixels == WINDOW_ICON_PIXELS) ok = writeIcon(name + ".tga", encodeTga(icon, 32)) && ok;
    }
    return ok;
}
