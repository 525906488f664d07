#include "environment.h"

#include <algorithm>

namespace host {

namespace {

struct Rgb {
    float r, g, b;
};

constexpr Rgb zenithColor{0.16f, 0.34f, 0.72f};
constexpr Rgb horizonColor{0.72f, 0.82f, 0.93f};
constexpr Rgb sunColor{1.0f, 0.88f, 0.66f};
constexpr Rgb groundColor{0.30f, 0.29f, 0.27f};
constexpr Rgb gridColor{0.62f, 0.62f, 0.60f};

Rgb Mix(const Rgb& a, const Rgb& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Coverage of grid lines at ground coordinate c: 1 on a line, 0 between lines. Lines are 3 % of
// a cell wide with soft edges so they do not flicker.
float GridLine(double c, double spacing) {
    const double f = c / spacing - std::floor(c / spacing);
    const float d = float(std::min(f, 1.0 - f)); // distance to the nearest line, in cells
    return 1.0f - SmoothStep(0.01f, 0.025f, d);
}

} // namespace

Rgba ProceduralSky(const Vector64& origin, const Vector64& dir, const Vector64& toSun,
                   double gridSpacing) {
    const float up = float(dir.y);
    const float sunCos = std::max(0.0f, float(Dot(dir, toSun)));
    Rgb c;
    if (up >= 0.0f) {
        // Gradient: the square root keeps a wide bright band above the horizon.
        c = Mix(horizonColor, zenithColor, std::sqrt(up));
        // Glow: a broad halo and the small bright disc of the sun (about 1.7° across).
        const float halo = 0.35f * std::pow(sunCos, 12.0f);
        const float disc = SmoothStep(0.99985f, 0.99992f, sunCos) * 4.0f;
        const float glow = halo + disc;
        c = {c.r + sunColor.r * glow, c.g + sunColor.g * glow, c.b + sunColor.b * glow};
    } else {
        c = groundColor;
        float haze = 1.0f - SmoothStep(0.0f, 0.2f, -up); // toward the horizon
        if (origin.y > 0.0 && gridSpacing > 0.0) {
            // The ray meets the ground at distance t. The grid fades out with distance and at
            // grazing angles, before its cells shrink below a pixel; the haze grows with
            // distance.
            const double t = origin.y / -dir.y;
            const double x = origin.x + dir.x * t, z = origin.z + dir.z * t;
            const float lines = std::max(GridLine(x, gridSpacing), GridLine(z, gridSpacing));
            const float distanceInCells = float(t / gridSpacing);
            const float fade = std::exp(-distanceInCells / 40.0f) * SmoothStep(0.02f, 0.25f, -up);
            c = Mix(c, gridColor, lines * fade);
            haze = std::max(haze, 1.0f - std::exp(-distanceInCells / 150.0f));
        }
        c = Mix(c, horizonColor, haze);
        const float glow = 0.15f * std::pow(sunCos, 12.0f) * haze;
        c = {c.r + sunColor.r * glow, c.g + sunColor.g * glow, c.b + sunColor.b * glow};
    }
    return {c.r, c.g, c.b, 1.0f};
}

bool LoadEnvironmentImage(const std::string& path, Environment& env, std::string& error) {
    auto image = std::make_shared<ImagePixels>();
    if (!ReadImageFile(path, *image, error))
        return false;
    env.image = std::move(image);
    return true;
}

} // namespace host
