// The renderer's sample colour: linear float RGBA, colour associated with (premultiplied by)
// alpha, as it is averaged into a pixel.
#pragma once

namespace host {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;

    constexpr Rgba operator+(const Rgba& o) const { return {r + o.r, g + o.g, b + o.b, a + o.a}; }
    constexpr Rgba operator*(float s) const { return {r * s, g * s, b * s, a * s}; }
    constexpr Rgba& operator+=(const Rgba& o) { return *this = *this + o; }
    constexpr bool operator==(const Rgba&) const = default;
};

} // namespace host
