#include "c4d_vpbuffer.h"

#include <cmath>
#include <cstring>

namespace {

// 4 × 4 ordered-dither matrix (Bayer): every threshold once per tile.
constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// v in 0…1 to 0…255: floor(v·255 + offset), clamped; NaN gives 0.
UChar ToByte(Float32 v, Float32 offset) {
    const Float32 s = v * 255.0f + offset;
    if (!(s > 0.0f))
        return 0;
    if (s >= 255.0f)
        return 255;
    return static_cast<UChar>(std::floor(s));
}

} // namespace

VPBuffer::VPBuffer(Int32 width, Int32 height, Int32 cpp) {
    if (width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    cpp_ = cpp == 3 ? 3 : 4;
    pixels_.assign(static_cast<size_t>(width_) * height_ * cpp_, 0.0f);
}

Int32 VPBuffer::GetInfo(VPGETINFO type) const {
    switch (type) {
    case VPGETINFO::XRESOLUTION:
        return width_;
    case VPGETINFO::YRESOLUTION:
        return height_;
    case VPGETINFO::BITDEPTH:
        return GetBt();
    case VPGETINFO::CPP:
        return cpp_;
    }
    return 0;
}

Bool VPBuffer::IsRun(Int32 x, Int32 y, Int32 cnt, const void* data, Int32 bitdepth) const {
    return data && (bitdepth == 8 || bitdepth == 32) && cnt >= 0 && x >= 0 && y >= 0 &&
           y < height_ && Int64(x) + cnt <= width_;
}

Bool VPBuffer::GetLine(Int32 x, Int32 y, Int32 cnt, void* data, Int32 bitdepth,
                       Bool dithering) const {
    if (!IsRun(x, y, cnt, data, bitdepth))
        return false;
    if (cnt == 0)
        return true;
    const Float32* src = Pixel(x, y);
    if (bitdepth == 32) {
        std::memcpy(data, src, static_cast<size_t>(cnt) * cpp_ * sizeof(Float32));
        return true;
    }
    auto* dst = static_cast<UChar*>(data);
    for (Int32 i = 0; i < cnt; ++i) {
        const Float32 offset =
            dithering ? (Float32(bayer[y & 3][(x + i) & 3]) + 0.5f) / 16.0f : 0.5f;
        for (Int32 c = 0; c < cpp_; ++c)
            *dst++ = ToByte(*src++, offset);
    }
    return true;
}

Bool VPBuffer::SetLine(Int32 x, Int32 y, Int32 cnt, const void* data, Int32 bitdepth,
                       Bool dithering) {
    (void)dithering;
    if (!IsRun(x, y, cnt, data, bitdepth))
        return false;
    if (cnt == 0)
        return true;
    const size_t values = static_cast<size_t>(cnt) * cpp_;
    Float32* dst = Pixel(x, y);
    if (bitdepth == 32) {
        std::memcpy(dst, data, values * sizeof(Float32));
        return true;
    }
    const auto* src = static_cast<const UChar*>(data);
    for (size_t i = 0; i < values; ++i)
        dst[i] = Float32(src[i]) / 255.0f;
    return true;
}
