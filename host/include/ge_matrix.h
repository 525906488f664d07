// Affine matrices: a translation and the images of the three axes.
//   M·p = offset + p.x·axisX + p.y·axisY + p.z·axisZ
// Products compose like functions, (A·B)·p = A·(B·p), so a chain built by multiplying on the
// right applies its last factor first, in the frame of everything before it.
#pragma once

#include "ge_vector.h"

struct Matrix64 {
    Vector64 offset{0, 0, 0};
    Vector64 axisX{1, 0, 0};
    Vector64 axisY{0, 1, 0};
    Vector64 axisZ{0, 0, 1};

    constexpr Matrix64() = default;
    constexpr Matrix64(const Vector64& off, const Vector64& x, const Vector64& y, const Vector64& z)
        : offset(off), axisX(x), axisY(y), axisZ(z) {}

    // The rotation (3×3) part applied to a direction.
    constexpr Vector64 TransformVector(const Vector64& v) const {
        return axisX * v.x + axisY * v.y + axisZ * v.z;
    }
    // The whole transform applied to a point.
    constexpr Vector64 operator*(const Vector64& p) const { return offset + TransformVector(p); }
    constexpr Matrix64 operator*(const Matrix64& m) const {
        return {*this * m.offset, TransformVector(m.axisX), TransformVector(m.axisY),
                TransformVector(m.axisZ)};
    }
    constexpr bool operator==(const Matrix64&) const = default;
};

using Matrix = Matrix64;

// Rotation builders. c = cos(a) and s = sin(a) come from the C library, so a quarter turn keeps
// cos(π/2) = 6.123233995736766e-17 in its entries.
Matrix64 MatrixMove(const Vector64& t);
Matrix64 MatrixRotX(Float a); // axisY (0, c, −s), axisZ (0, s, c)
Matrix64 MatrixRotY(Float a); // axisX (c, 0, s), axisZ (−s, 0, c)
Matrix64 MatrixRotZ(Float a); // axisX (c, −s, 0), axisY (s, c, 0)
// Rotation by w about axis through a unit quaternion; identity for w = 0 or a zero axis.
Matrix64 RotAxisToMatrix(const Vector64& axis, Float w);
// The inverse transform, so MatrixInverse(m) · m is the identity; a singular m gives the
// identity.
Matrix64 MatrixInverse(const Matrix64& m);
