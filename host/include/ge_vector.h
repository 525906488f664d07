// Three-component vectors: Vector64 (double) is the host's Vector, Vector32 its single-precision
// sibling used by bitmaps and colours.
#pragma once

#include "ge_types.h"

#include <cmath>

template <typename T> struct Vec3 {
    T x = 0, y = 0, z = 0;

    constexpr Vec3() = default;
    constexpr Vec3(T ix, T iy, T iz) : x(ix), y(iy), z(iz) {}
    constexpr explicit Vec3(T all) : x(all), y(all), z(all) {}
    template <typename U>
    constexpr explicit Vec3(const Vec3<U>& o) : x(T(o.x)), y(T(o.y)), z(T(o.z)) {}

    constexpr Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vec3 operator-() const { return {-x, -y, -z}; }
    constexpr Vec3 operator*(T s) const { return {x * s, y * s, z * s}; }
    constexpr Vec3 operator/(T s) const { return {x / s, y / s, z / s}; }
    constexpr Vec3& operator+=(const Vec3& o) { return *this = *this + o; }
    constexpr Vec3& operator-=(const Vec3& o) { return *this = *this - o; }
    constexpr Vec3& operator*=(T s) { return *this = *this * s; }
    constexpr bool operator==(const Vec3&) const = default;

    constexpr T GetSquaredLength() const { return x * x + y * y + z * z; }
    T GetLength() const { return std::sqrt(GetSquaredLength()); }
    // Unit vector; a zero vector stays zero instead of becoming NaN.
    Vec3 GetNormalized() const {
        const T len = GetLength();
        return len != T(0) ? *this / len : *this;
    }
    constexpr bool IsZero() const { return x == T(0) && y == T(0) && z == T(0); }
};

template <typename T> constexpr Vec3<T> operator*(T s, const Vec3<T>& v) {
    return v * s;
}
template <typename T> constexpr T Dot(const Vec3<T>& a, const Vec3<T>& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
template <typename T> constexpr Vec3<T> Cross(const Vec3<T>& a, const Vec3<T>& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

using Vector64 = Vec3<Float64>;
using Vector32 = Vec3<Float32>;
using Vector = Vector64;
