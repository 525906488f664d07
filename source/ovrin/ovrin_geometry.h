// Projection geometry: pure functions between image positions, directions and dome positions.
// No host calls, no state, nothing allocated; safe on every render thread.
//
// Frames: texel u runs left → right, v top → bottom, both 0..1. Dome space has +Z at the
// dome's zenith (image centre), +X toward the image's right edge, +Y toward its top edge.
#pragma once

#include "ge_matrix.h"

#include <cmath>

// Linear remap of value from [inputMin, inputMax] to [outputMin, outputMax]; a degenerate
// input range (narrower than the single-precision epsilon) gives outputMin. Inline: the lens
// calls it per ray with constant input ranges, which then fold away.
inline Float ofMap(Float value, Float inputMin, Float inputMax, Float outputMin, Float outputMax,
                   Bool clamp) {
    constexpr Float epsilon = 1.1920928955078125e-07; // 2^-23, the single-precision epsilon
    if (std::fabs(inputMin - inputMax) < epsilon)
        return outputMin;
    const Float out =
        (outputMax - outputMin) * ((value - inputMin) / (inputMax - inputMin)) + outputMin;
    if (!clamp)
        return out;
    if (outputMin > outputMax) {
        if (out < outputMax)
            return outputMax;
        if (out > outputMin)
            return outputMin;
        return out;
    }
    if (out > outputMax)
        return outputMax;
    if (out < outputMin)
        return outputMin;
    return out;
}

// Wraps an angle into [0, 2π). Non-finite angles give NaN.
Float clampRadians(Float angle);

// Angular-fisheye direction of a dome-master texel: the angle from the zenith grows linearly
// with the distance from the centre, reaching fieldOfView/2 on the circle. With mask set,
// texels more than 1 % of the radius beyond the circle give (0, 0, 0).
Vector64 texelToDome(Vector64 texel, Float fieldOfView, Bool mask);

// Direction of an equirectangular position: u the longitude fraction, v the fraction of the
// half turn from the zenith (+Z). u = 0.5 lies on −Y, u = 0.75 on +X.
Vector64 geoToDome(Vector64 geo);

// True when the texel lies strictly outside the dome circle.
Bool domeMasked(Vector64 texel);

// Inverse of an affine matrix; the identity when its 3×3 part is singular.
Matrix64 operator~(const Matrix64& m);

// MatrixRotX(±π/2) as constants, with the C library's cos(π/2) = 6.123233995736766e-17 in
// place: the quarter turns between the dome/geo frames and camera space, applied per ray.
inline constexpr Float cosQuarterTurn = 6.123233995736766e-17;
inline constexpr Matrix64 quarterTurnX{
    {0, 0, 0}, {1, 0, 0}, {0, cosQuarterTurn, -1.0}, {0, 1.0, cosQuarterTurn}};
inline constexpr Matrix64 quarterTurnBackX{
    {0, 0, 0}, {1, 0, 0}, {0, cosQuarterTurn, 1.0}, {0, -1.0, cosQuarterTurn}};
