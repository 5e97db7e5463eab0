// image_canvas.cpp: the floating-point canvas, its averaging down and the shape tests.
#include "image_canvas.h"

#include <algorithm>
#include <cmath>

namespace {

float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

// Integer hash with good avalanche; the noise must not depend on any library generator.
std::uint32_t hash32(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

float latticeValue(int ix, int iy, std::uint32_t seed) {
    const std::uint32_t h = hash32(static_cast<std::uint32_t>(ix) * 0x9e3779b1U ^
                                   hash32(static_cast<std::uint32_t>(iy) + seed * 0x85ebca6bU));
    return static_cast<float>(h & 0xffffU) / 32767.5f - 1.0f;
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace

Rgba hexColour(std::uint32_t rgb, float alpha) {
    return {static_cast<float>((rgb >> 16) & 0xff) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xff) / 255.0f, static_cast<float>(rgb & 0xff) / 255.0f,
            alpha};
}

Rgba mixColour(Rgba from, Rgba to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Rgba shadeColour(Rgba c, float f) {
    return {clamp01(c.r * f), clamp01(c.g * f), clamp01(c.b * f), c.a};
}

Rgba withAlpha(Rgba c, float alpha) {
    c.a = alpha;
    return c;
}

Canvas::Canvas(int w, int h, Rgba fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

void Canvas::over(int x, int y, Rgba colour, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const float sa = clamp01(colour.a * coverage);
    if (sa <= 0.0f) return;
    Rgba& d = at(x, y);
    const float da = d.a * (1.0f - sa);
    const float oa = sa + da;
    d.r = (colour.r * sa + d.r * da) / oa;
    d.g = (colour.g * sa + d.g * da) / oa;
    d.b = (colour.b * sa + d.b * da) / oa;
    d.a = oa;
}

Canvas downsample(const Canvas& src, int factor) {
    Canvas out(src.width / factor, src.height / factor);
    const float n = static_cast<float>(factor * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const Rgba& p = src.at(x * factor + sx, y * factor + sy);
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            }
            Rgba& o = out.at(x, y);
            if (a > 0.0f) o = {r / a, g / a, b / a, a / n};
        }
    }
    return out;
}

Mask dilate(const Mask& m, int radius) {
    // Separable maximum: first along rows, then along columns.
    Mask rows(m.width + 2 * radius, m.height);
    for (int y = 0; y < rows.height; ++y) {
        for (int x = 0; x < rows.width; ++x) {
            float best = 0.0f;
            for (int k = -radius; k <= radius; ++k) best = std::max(best, m.at(x - radius + k, y));
            rows.ref(x, y) = best;
        }
    }
    Mask out(rows.width, m.height + 2 * radius);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            float best = 0.0f;
            for (int k = -radius; k <= radius; ++k)
                best = std::max(best, rows.at(x, y - radius + k));
            out.ref(x, y) = best;
        }
    }
    return out;
}

Image8 toImage8(const Canvas& c) {
    Image8 img;
    img.width = c.width;
    img.height = c.height;
    img.rgba.reserve(static_cast<std::size_t>(c.width) * c.height * 4);
    auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f)); };
    for (const Rgba& p : c.pixels) {
        img.rgba.push_back(byte(p.r));
        img.rgba.push_back(byte(p.g));
        img.rgba.push_back(byte(p.b));
        img.rgba.push_back(byte(p.a));
    }
    return img;
}

Painter::Painter(int texWidth, int texHeight, float designWidth, float designHeight, int ss,
                 Rgba background)
    : ss_(ss),
      unitX_(static_cast<float>(texWidth * ss) / designWidth),
      unitY_(static_cast<float>(texHeight * ss) / designHeight),
      canvas_(texWidth * ss, texHeight * ss, background) {}

void Painter::paintMask(const Mask& m, int left, int top, Rgba colour) {
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            const float v = m.value[static_cast<std::size_t>(y) * m.width + x];
            if (v > 0.0f) canvas_.over(left + x, top + y, colour, v);
        }
    }
}

bool insideRoundedRect(float x, float y, float left, float top, float right, float bottom,
                       float radius) {
    if (x < left || x > right || y < top || y > bottom) return false;
    const float cx = std::clamp(x, left + radius, right - radius);
    const float cy = std::clamp(y, top + radius, bottom - radius);
    const float dx = x - cx;
    const float dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

bool insideCircle(float x, float y, float cx, float cy, float radius) {
    const float dx = x - cx;
    const float dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

bool insidePolygon(float x, float y, const std::vector<float>& xy) {
    bool inside = false;
    const std::size_t n = xy.size() / 2;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const float xi = xy[2 * i], yi = xy[2 * i + 1];
        const float xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

float valueNoise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = smooth(x - fx);
    const float ty = smooth(y - fy);
    const float top = latticeValue(ix, iy, seed) +
                      (latticeValue(ix + 1, iy, seed) - latticeValue(ix, iy, seed)) * tx;
    const float bottom = latticeValue(ix, iy + 1, seed) +
                         (latticeValue(ix + 1, iy + 1, seed) - latticeValue(ix, iy + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}
