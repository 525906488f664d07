// A small RGBA picture with anti-aliased shapes and text, written through OpenImageIO.
// Shapes are signed-distance functions: a pixel is covered by 0.5 − d, clamped to 0..1.
#pragma once

#include <OpenImageIO/imagebuf.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace resgen {

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
    Color withAlpha(float alpha) const { return {r, g, b, alpha}; }
};

struct P {
    float x = 0, y = 0;
};

class Canvas {
public:
    Canvas(int width, int height, Color background = {0, 0, 0, 0});

    int width() const { return w_; }
    int height() const { return h_; }

    // Blends colour c over the pixel with the given coverage (straight alpha, "over").
    void blend(int x, int y, Color c, float coverage);

    // Fills the shape whose signed distance (negative inside) sd(p) gives at pixel centres.
    template <typename SignedDistance> void fill(SignedDistance sd, Color c) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const float d = sd(P{x + 0.5f, y + 0.5f});
                blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
            }
    }

    void vgradient(Color top, Color bottom);
    // Text centred on (x, y) when centred, else starting at x on the baseline y. A font that
    // cannot be used marks the canvas as failed.
    void text(const std::string& s, float x, float y, int size, const std::string& font, Color c,
              bool centred);

    // Writes 8-bit RGBA (or RGB when opaque is requested); the format follows the extension.
    bool write(const std::string& path, bool opaque = false) const;
    bool ok() const { return ok_; }

private:
    int w_, h_;
    bool ok_ = true;
    std::vector<float> px_; // RGBA, straight alpha
};

// Signed distances.
inline float circle(P p, P c, float r) {
    return std::hypot(p.x - c.x, p.y - c.y) - r;
}
inline float ring(P p, P c, float r, float thickness) {
    return std::abs(circle(p, c, r)) - thickness * 0.5f;
}
inline float box(P p, P lo, P hi, float radius = 0) {
    const float cx = (lo.x + hi.x) * 0.5f, cy = (lo.y + hi.y) * 0.5f;
    const float hx = (hi.x - lo.x) * 0.5f - radius, hy = (hi.y - lo.y) * 0.5f - radius;
    const float qx = std::abs(p.x - cx) - hx, qy = std::abs(p.y - cy) - hy;
    return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
           radius;
}
inline float segment(P p, P a, P b, float thickness) {
    const float bx = b.x - a.x, by = b.y - a.y;
    const float len2 = bx * bx + by * by;
    const float t =
        len2 > 0 ? std::clamp(((p.x - a.x) * bx + (p.y - a.y) * by) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(p.x - a.x - t * bx, p.y - a.y - t * by) - thickness * 0.5f;
}
// Approximate distance to an axis-aligned ellipse (exact on the axes, close enough elsewhere).
inline float ellipse(P p, P c, float rx, float ry) {
    const float nx = (p.x - c.x) / rx, ny = (p.y - c.y) / ry;
    return (std::hypot(nx, ny) - 1.0f) * std::min(rx, ry);
}

} // namespace resgen
