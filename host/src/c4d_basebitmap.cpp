#include "c4d_basebitmap.h"

#include "image_file.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

float fromByte(Int32 v) {
    return float(std::clamp(v, 0, 255)) / 255.0f;
}

Int32 toByte(float v) {
    return Int32(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

constexpr Int32 maxSide = 1 << 16;

} // namespace

IMAGERESULT BaseBitmap::Init(Int32 w, Int32 h, Int32 depth) {
    if (w <= 0 || h <= 0 || depth <= 0)
        return IMAGERESULT_PARAM_ERROR;
    if (w > maxSide || h > maxSide)
        return IMAGERESULT_OUTOFMEMORY;
    w_ = w;
    h_ = h;
    depth_ = depth;
    hasAlpha_ = depth == 32;
    rgba_.assign(size_t(w) * size_t(h) * 4, 0.0f);
    for (size_t i = 3; i < rgba_.size(); i += 4)
        rgba_[i] = 1.0f;
    return IMAGERESULT_OK;
}

IMAGERESULT BaseBitmap::Init(const Filename& name, Int32 frame) {
    (void)frame;
    FlushAll();
    const std::string path = name.GetString().GetStdString();
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return IMAGERESULT_NOTEXISTING;
    host::ImagePixels pixels;
    std::string error;
    if (!host::ReadImageFile(path, pixels, error))
        return IMAGERESULT_WRONGTYPE;
    w_ = pixels.width;
    h_ = pixels.height;
    depth_ = 32;
    hasAlpha_ = true;
    rgba_ = std::move(pixels.rgba);
    return IMAGERESULT_OK;
}

void BaseBitmap::FlushAll() {
    w_ = h_ = depth_ = 0;
    hasAlpha_ = false;
    rgba_.clear();
}

const float* BaseBitmap::GetRGBA(Int32 x, Int32 y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return nullptr;
    return &rgba_[(size_t(y) * size_t(w_) + size_t(x)) * 4];
}

float* BaseBitmap::GetRGBA(Int32 x, Int32 y) {
    return const_cast<float*>(static_cast<const BaseBitmap*>(this)->GetRGBA(x, y));
}

void BaseBitmap::GetPixel(Int32 x, Int32 y, UInt16* r, UInt16* g, UInt16* b) const {
    const float* p = GetRGBA(x, y);
    if (r)
        *r = p ? UInt16(toByte(p[0])) : 0;
    if (g)
        *g = p ? UInt16(toByte(p[1])) : 0;
    if (b)
        *b = p ? UInt16(toByte(p[2])) : 0;
}

void BaseBitmap::SetPixel(Int32 x, Int32 y, Int32 r, Int32 g, Int32 b) {
    if (float* p = GetRGBA(x, y)) {
        p[0] = fromByte(r);
        p[1] = fromByte(g);
        p[2] = fromByte(b);
    }
}

Int32 BaseBitmap::GetAlphaPixel(Int32 x, Int32 y) const {
    const float* p = GetRGBA(x, y);
    return p ? toByte(p[3]) : 0;
}

void BaseBitmap::SetAlphaPixel(Int32 x, Int32 y, Int32 a) {
    if (float* p = GetRGBA(x, y))
        p[3] = fromByte(a);
}

void BaseBitmap::SetPen(Int32 r, Int32 g, Int32 b) {
    pen_[0] = fromByte(r);
    pen_[1] = fromByte(g);
    pen_[2] = fromByte(b);
}

void BaseBitmap::Line(Int32 x1, Int32 y1, Int32 x2, Int32 y2) {
    // Bresenham, both ends included.
    const Int32 dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const Int32 sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    Int32 err = dx + dy;
    for (;;) {
        if (float* p = GetRGBA(x1, y1))
            std::copy(pen_, pen_ + 3, p);
        if (x1 == x2 && y1 == y2)
            break;
        const Int32 e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void BaseBitmap::Clear(Int32 r, Int32 g, Int32 b) {
    for (size_t i = 0; i < rgba_.size(); i += 4) {
        rgba_[i] = fromByte(r);
        rgba_[i + 1] = fromByte(g);
        rgba_[i + 2] = fromByte(b);
    }
}

Bool BaseBitmap::CopyTo(BaseBitmap* dst) const {
    if (!dst)
        return false;
    if (dst != this)
        *dst = *this;
    return true;
}

BaseBitmap* BaseBitmap::GetClone() const {
    return new BaseBitmap(*this);
}
