#include "bitmap_shader.h"

#include "c4d_shader_kinds.h"

#include <cmath>
#include <filesystem>

namespace host {

namespace {

// The two texels a bilinear lookup at t blends along an axis of n texels, and the weight of
// the second one.
struct Taps {
    int first = 0, second = 0;
    Float weight = 0.0;
};

inline Taps taps(Float t, int n, bool tile) {
    if (!std::isfinite(t) || std::fabs(t) > 1e6)
        t = 0.0;                 // far outside any sensible lookup: read the origin texel
    const Float x = t * n - 0.5; // in texel units, texel centres on the integers
    // floor(x) through an integer conversion (|x| is bounded above), cheaper than the call.
    long below = static_cast<long>(x);
    if (Float(below) > x)
        --below;
    Taps r;
    r.weight = x - Float(below);
    if (tile) {
        long wrapped = below;
        if (wrapped < 0 || wrapped >= n) // whole tiles away: the slow remainder
            wrapped = ((below % n) + n) % n;
        r.first = int(wrapped);
        r.second = r.first + 1 == n ? 0 : r.first + 1;
    } else if (x <= 0.0) {
        r.weight = 0.0;
    } else if (x >= n - 1) {
        r.first = r.second = n - 1;
        r.weight = 0.0;
    } else {
        r.first = int(below);
        r.second = r.first + 1;
    }
    return r;
}

Vector texel(const ImagePixels& image, int x, int y) {
    const float* p = image.Pixel(x, y);
    return {p[0], p[1], p[2]};
}

} // namespace

BitmapShader::BitmapShader() : BaseShader(Xbitmap) {
    GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME, Filename());
}

INITRENDERRESULT BitmapShader::InitRender(const InitRenderStruct& irs) {
    FreeRender();
    const std::string name =
        GetDataInstance()->GetFilename(BITMAPSHADER_FILENAME).GetString().GetStdString();
    if (name.empty())
        return INITRENDERRESULT::ASSETMISSING;
    std::filesystem::path path(name);
    if (path.is_relative() && irs.docpath.Content())
        path = std::filesystem::path(irs.docpath.GetString().GetStdString()) / path;
    std::string error;
    if (!ReadImageFile(path.string(), image_, error)) {
        image_ = ImagePixels();
        return INITRENDERRESULT::ASSETMISSING;
    }
    return INITRENDERRESULT::OK;
}

void BitmapShader::FreeRender() {
    image_ = ImagePixels();
}

Vector BitmapShader::Sample(ChannelData* cd) const {
    if (image_.rgba.empty() || !cd)
        return {0, 0, 0};
    const bool tile = (cd->texflag & TEX_TILE) != 0;
    const Taps u = taps(cd->p.x, image_.width, tile);
    const Taps v = taps(cd->p.y, image_.height, tile);
    const Vector top = texel(image_, u.first, v.first) * (1.0 - u.weight) +
                       texel(image_, u.second, v.first) * u.weight;
    const Vector bottom = texel(image_, u.first, v.second) * (1.0 - u.weight) +
                          texel(image_, u.second, v.second) * u.weight;
    return top * (1.0 - v.weight) + bottom * v.weight;
}

} // namespace host
