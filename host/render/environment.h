// What a ray that hits no geometry sees: an equirectangular panorama, or, when none is given,
// a procedural sky above a gridded ground plane. Host-internal.
#pragma once

#include "image_file.h"
#include "render_color.h"

#include "ge_vector.h"

#include <cmath>
#include <memory>
#include <string>

namespace host {

struct EquirectPosition {
    float u = 0; // 0..1 left to right; 0.5 is straight ahead (+Z)
    float v = 0; // 0..1 top to bottom; 0 is straight up (+Y)
};

// atan2(y, x) in single precision without a library call, for the per-sample lookups. The
// polynomial is Abramowitz & Stegun 4.4.49 (atan on [−1, 1], error below 2·10⁻⁸ rad), so the
// result is as good as float allows; octants are unfolded exactly, atan2(0, 0) = 0.
inline float FastAtan2(float y, float x) {
    constexpr float halfPi = 1.57079632679489662f, pi = 3.14159265358979324f;
    const float ax = std::fabs(x), ay = std::fabs(y);
    const float hi = ax > ay ? ax : ay, lo = ax > ay ? ay : ax;
    const float a = hi > 0.0f ? lo / hi : 0.0f;
    const float s = a * a;
    float r = -0.0161657367f + s * 0.0028662257f;
    r = 0.0429096138f + s * r;
    r = -0.0752896400f + s * r;
    r = 0.1065626393f + s * r;
    r = -0.1420889944f + s * r;
    r = 0.1999355085f + s * r;
    r = -0.3333314528f + s * r;
    r = a + a * s * r;
    if (ay > ax)
        r = halfPi - r;
    if (x < 0.0f)
        r = pi - r;
    return y < 0.0f ? -r : r;
}

// The panorama convention of the host world: a direction d (any length) goes to
// u = 0.5 + atan2(d.x, d.z)/(2π), v = acos(d.y/|d|)/π, so +Z reads the image centre, +X the
// point three quarters across and +Y the top row. v is taken as atan2(√(x² + z²), y)/π, which
// equals the arc cosine without normalising d and stays accurate at the poles.
inline EquirectPosition DirectionToEquirect(const Vector64& d) {
    constexpr float inv2Pi = 0.15915494309189535f;
    constexpr float invPi = 0.3183098861837907f;
    const float x = float(d.x), y = float(d.y), z = float(d.z);
    return {0.5f + FastAtan2(x, z) * inv2Pi, FastAtan2(std::sqrt(x * x + z * z), y) * invPi};
}

// Where a bilinear lookup reads: its four texels and the weights between them.
struct EquirectTap {
    const float* p00; // (x0, y0); p10 is (x1, y0), p01 (x0, y1), p11 (x1, y1)
    const float* p10;
    const float* p01;
    const float* p11;
    float tx, ty; // weights of the x1 column and the y1 row
};

// The texels of a bilinear lookup between texel centres: wraps around in u (the panorama's
// seam), clamps in v (the poles). Any u and v are safe, NaN included.
inline EquirectTap EquirectTapAt(const ImagePixels& image, float u, float v) {
    const int w = image.width, h = image.height;
    if (!(u >= 0.0f && u <= 1.0f)) { // off the usual range: wrap it (NaN and ±∞ become 0)
        u -= std::floor(u);
        if (!(u >= 0.0f && u < 1.0f))
            u = 0.0f;
    }
    const float fx = u * float(w) - 0.5f; // in [−0.5, w − 0.5]
    int x0 = int(fx);                     // rounds toward zero: fix up below zero
    if (fx < float(x0))
        --x0;
    const float tx = fx - float(x0);
    if (x0 < 0)
        x0 += w;
    const int x1 = x0 + 1 < w ? x0 + 1 : 0;

    float fy = v * float(h) - 0.5f;
    fy = fy > 0.0f ? fy : 0.0f; // NaN → 0
    fy = fy < float(h - 1) ? fy : float(h - 1);
    const int y0 = int(fy);
    const float ty = fy - float(y0);
    const int y1 = y0 + 1 < h ? y0 + 1 : y0;
    return {
        image.Pixel(x0, y0), image.Pixel(x1, y0), image.Pixel(x0, y1), image.Pixel(x1, y1), tx, ty};
}

inline Rgba BlendTap(const EquirectTap& t) {
    float out[4];
    for (int c = 0; c < 4; ++c) {
        const float top = t.p00[c] + (t.p10[c] - t.p00[c]) * t.tx;
        const float bottom = t.p01[c] + (t.p11[c] - t.p01[c]) * t.tx;
        out[c] = top + (bottom - top) * t.ty;
    }
    return {out[0], out[1], out[2], out[3]};
}

// Bilinear lookup of an equirectangular image at (u, v).
inline Rgba SampleEquirect(const ImagePixels& image, float u, float v) {
    return BlendTap(EquirectTapAt(image, u, v));
}

// The built-in sky: a blue gradient to a hazy horizon, a sun with its glow toward toSun, and,
// below the horizon, a ground plane y = 0 with a grid of gridSpacing scene units, seen from an
// origin above it and fading into the haze with distance. dir and toSun are unit vectors.
Rgba ProceduralSky(const Vector64& origin, const Vector64& dir, const Vector64& toSun,
                   double gridSpacing);

struct Environment {
    // Equirectangular panorama, float RGBA; null selects the procedural sky.
    std::shared_ptr<const ImagePixels> image;
    double gridSpacing = 100.0; // the procedural ground grid's cell size, scene units

    // What a ray from origin along dir sees; dir need only be unit length for the sky.
    Rgba Look(const Vector64& origin, const Vector64& dir, const Vector64& toSun) const {
        if (image) {
            const EquirectPosition uv = DirectionToEquirect(dir);
            return SampleEquirect(*image, uv.u, uv.v);
        }
        return ProceduralSky(origin, dir, toSun, gridSpacing);
    }
};

// Loads an equirectangular image (any format OpenImageIO reads: EXR, HDR, PNG, JPEG, TIFF)
// with its float pixels unchanged into env.image. On failure env is left alone and error holds
// one sentence naming the file.
bool LoadEnvironmentImage(const std::string& path, Environment& env, std::string& error);

} // namespace host
