#include "ge_matrix.h"

#include <cmath>

Matrix64 MatrixMove(const Vector64& t) {
    Matrix64 m;
    m.offset = t;
    return m;
}

Matrix64 MatrixRotX(Float a) {
    const Float c = std::cos(a), s = std::sin(a);
    return {{0, 0, 0}, {1, 0, 0}, {0, c, -s}, {0, s, c}};
}

Matrix64 MatrixRotY(Float a) {
    const Float c = std::cos(a), s = std::sin(a);
    return {{0, 0, 0}, {c, 0, s}, {0, 1, 0}, {-s, 0, c}};
}

Matrix64 MatrixRotZ(Float a) {
    const Float c = std::cos(a), s = std::sin(a);
    return {{0, 0, 0}, {c, -s, 0}, {s, c, 0}, {0, 0, 1}};
}

Matrix64 RotAxisToMatrix(const Vector64& axis, Float w) {
    if (w == 0.0 || axis.IsZero())
        return {};
    const Vector64 q = axis.GetNormalized() * std::sin(w * 0.5);
    const Float qx = q.x, qy = q.y, qz = q.z, qw = std::cos(w * 0.5);
    return {{0, 0, 0},
            {1 - 2 * (qy * qy + qz * qz), 2 * (qx * qy - qw * qz), 2 * (qx * qz + qw * qy)},
            {2 * (qx * qy + qw * qz), 1 - 2 * (qx * qx + qz * qz), 2 * (qy * qz - qw * qx)},
            {2 * (qx * qz - qw * qy), 2 * (qy * qz + qw * qx), 1 - 2 * (qx * qx + qy * qy)}};
}

Matrix64 MatrixInverse(const Matrix64& m) {
    // The rows of the inverse 3×3 part are the cross products of the columns over the
    // determinant; the offset maps back through them.
    const Vector64 r0 = Cross(m.axisY, m.axisZ);
    const Vector64 r1 = Cross(m.axisZ, m.axisX);
    const Vector64 r2 = Cross(m.axisX, m.axisY);
    const Float det = Dot(m.axisX, r0);
    if (det == 0.0)
        return {};
    const Vector64 a = r0 / det, b = r1 / det, c = r2 / det;
    Matrix64 inv({0, 0, 0}, {a.x, b.x, c.x}, {a.y, b.y, c.y}, {a.z, b.z, c.z});
    inv.offset = -inv.TransformVector(m.offset);
    return inv;
}
