#include "ovrin_geometry.h"

#include "ovrin_trig.h"

#include <cmath>
#include <limits>

Float clampRadians(Float angle) {
    constexpr Float twoPi = PI2;
    if (!std::isfinite(angle))
        return std::numeric_limits<Float>::quiet_NaN();
    // A subtraction loop would take forever on huge angles: reduce those first. Angles within a
    // few turns keep the loop's exact results.
    constexpr Float loopLimit = 64.0 * twoPi;
    if (angle >= loopLimit || angle < -loopLimit)
        angle = std::fmod(angle, twoPi);
    while (angle >= twoPi)
        angle -= twoPi;
    while (angle < 0)
        angle += twoPi;
    return angle;
}

Vector64 texelToDome(Vector64 texel, Float fieldOfView, Bool mask) {
    const Float a = 2.0 * texel.x - 1.0;
    const Float b = 1.0 - 2.0 * texel.y;
    const Float r = std::sqrt(a * a + b * b);
    if (r > 1.01 && mask)
        return {0, 0, 0};
    // The azimuth φ = atan2(b, a) enters only through cos φ = a/r and sin φ = b/r; using the
    // quotients saves an atan2 and a sincos per ray. At the centre φ is 0.
    const Float theta = (fieldOfView * 0.5) * r;
    Float sinTheta, cosTheta;
    ovrin::sinCos(theta, sinTheta, cosTheta);
    if (r == 0.0)
        return {sinTheta, 0.0, cosTheta};
    return {(a / r) * sinTheta, (b / r) * sinTheta, cosTheta};
}

Vector64 geoToDome(Vector64 geo) {
    const Float a = ((1.0 - geo.x) - 0.25) * PI2;
    const Float p = geo.y * PI;
    Float sinA, cosA, sinP, cosP;
    ovrin::sinCos(a, sinA, cosA);
    ovrin::sinCos(p, sinP, cosP);
    return {cosA * sinP, -(sinA * sinP), cosP};
}

Bool domeMasked(Vector64 texel) {
    const Float a = 2.0 * texel.x - 1.0;
    const Float b = 1.0 - 2.0 * texel.y;
    return std::sqrt(a * a + b * b) > 1.0;
}

Matrix64 operator~(const Matrix64& m) {
    const Vector64& a = m.axisX;
    const Vector64& b = m.axisY;
    const Vector64& c = m.axisZ;
    const Float det = a.x * (b.y * c.z - c.y * b.z) + b.x * (c.y * a.z - a.y * c.z) +
                      c.x * (a.y * b.z - b.y * a.z);
    if (det == 0.0)
        return {};
    // Columns of the inverse: rows of the adjugate of [a b c], divided by det.
    Matrix64 r;
    r.axisX = Vector64(b.y * c.z - c.y * b.z, c.y * a.z - a.y * c.z, a.y * b.z - b.y * a.z) / det;
    r.axisY = Vector64(c.x * b.z - b.x * c.z, a.x * c.z - c.x * a.z, b.x * a.z - a.x * b.z) / det;
    r.axisZ = Vector64(b.x * c.y - c.x * b.y, c.x * a.y - a.x * c.y, a.x * b.y - b.x * a.y) / det;
    r.offset = -r.TransformVector(m.offset);
    return r;
}
