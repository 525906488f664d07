#include "canvas.h"

#include <OpenImageIO/imagebufalgo.h>

namespace resgen {

Canvas::Canvas(int width, int height, Color background)
    : w_(width), h_(height), px_(size_t(width) * size_t(height) * 4) {
    for (size_t i = 0; i < px_.size(); i += 4) {
        px_[i] = background.r;
        px_[i + 1] = background.g;
        px_[i + 2] = background.b;
        px_[i + 3] = background.a;
    }
}

void Canvas::blend(int x, int y, Color c, float coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return;
    const float sa = c.a * coverage;
    if (sa <= 0)
        return;
    float* d = &px_[(size_t(y) * size_t(w_) + size_t(x)) * 4];
    const float da = d[3] * (1 - sa);
    const float oa = sa + da;
    d[0] = (c.r * sa + d[0] * da) / oa;
    d[1] = (c.g * sa + d[1] * da) / oa;
    d[2] = (c.b * sa + d[2] * da) / oa;
    d[3] = oa;
}

void Canvas::vgradient(Color top, Color bottom) {
    for (int y = 0; y < h_; ++y) {
        const float t = h_ > 1 ? float(y) / float(h_ - 1) : 0.0f;
        const Color c{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
                      top.b + (bottom.b - top.b) * t, top.a + (bottom.a - top.a) * t};
        for (int x = 0; x < w_; ++x)
            blend(x, y, c, 1);
    }
}

void Canvas::text(const std::string& s, float x, float y, int size, const std::string& font,
                  Color c, bool centred) {
    // Glyph coverage first, then blended like any other shape, so edges keep the text colour.
    OIIO::ImageBuf cover(OIIO::ImageSpec(w_, h_, 1, OIIO::TypeDesc::FLOAT));
    OIIO::ImageBufAlgo::zero(cover);
    const float one = 1.0f;
    const bool ok = OIIO::ImageBufAlgo::render_text(
        cover, int(std::lround(x)), int(std::lround(y)), s, size, font, {&one, 1},
        centred ? OIIO::ImageBufAlgo::TextAlignX::Center : OIIO::ImageBufAlgo::TextAlignX::Left,
        centred ? OIIO::ImageBufAlgo::TextAlignY::Center
                : OIIO::ImageBufAlgo::TextAlignY::Baseline);
    if (!ok) {
        ok_ = false;
        return;
    }
    for (int py = 0; py < h_; ++py)
        for (int px = 0; px < w_; ++px)
            blend(px, py, c, cover.getchannel(px, py, 0, 0));
}

bool Canvas::write(const std::string& path, bool opaque) const {
    OIIO::ImageBuf rgba(OIIO::ImageSpec(w_, h_, 4, OIIO::TypeDesc::FLOAT),
                        const_cast<float*>(px_.data()));
    OIIO::ImageBuf out = opaque ? OIIO::ImageBufAlgo::channels(rgba, 3, {0, 1, 2}) : rgba;
    return out.write(path, OIIO::TypeDesc::UINT8);
}

} // namespace resgen
