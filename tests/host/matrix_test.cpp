#include "ge_matrix.h"
#include "ovrin/ovrin_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// cos(π/2) from the C library: the rotation builders must keep it, not round it to 0.
constexpr Float leak = 6.123233995736766e-17;

void expectVecEq(const Vector64& a, const Vector64& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

void expectVecNear(const Vector64& a, const Vector64& b, Float tol) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

TEST(MatrixBuilders, QuarterTurnsKeepTheCosineLeakage) {
    ASSERT_EQ(std::cos(PI05), leak);
    struct Case {
        const char* name;
        Matrix64 m;
        Vector64 axisX, axisY, axisZ;
    } cases[] = {
        {"RotX(+pi/2)", MatrixRotX(PI05), {1, 0, 0}, {0, leak, -1}, {0, 1, leak}},
        {"RotX(-pi/2)", MatrixRotX(-PI05), {1, 0, 0}, {0, leak, 1}, {0, -1, leak}},
        {"RotY(+pi/2)", MatrixRotY(PI05), {leak, 0, 1}, {0, 1, 0}, {-1, 0, leak}},
        {"RotZ(+pi/2)", MatrixRotZ(PI05), {leak, -1, 0}, {1, leak, 0}, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectVecEq(c.m.offset, {0, 0, 0});
        expectVecEq(c.m.axisX, c.axisX);
        expectVecEq(c.m.axisY, c.axisY);
        expectVecEq(c.m.axisZ, c.axisZ);
    }
    // The lens's per-ray constants are exactly these builders.
    EXPECT_EQ(quarterTurnX, MatrixRotX(PI05));
    EXPECT_EQ(quarterTurnBackX, MatrixRotX(-PI05));
}

TEST(MatrixBuilders, EffectOnAPointFollowsTheTable) {
    const Vector64 p(2, 3, 5);
    for (Float a : {0.0, 0.3, -1.2, PI05, PI, 4.0}) {
        SCOPED_TRACE(a);
        const Float c = std::cos(a), s = std::sin(a);
        expectVecEq(MatrixMove(p) * Vector64(1, 1, 1), {3, 4, 6});
        expectVecNear(MatrixRotX(a) * p, {p.x, c * p.y + s * p.z, -s * p.y + c * p.z}, 1e-15);
        expectVecNear(MatrixRotY(a) * p, {c * p.x - s * p.z, p.y, s * p.x + c * p.z}, 1e-15);
        expectVecNear(MatrixRotZ(a) * p, {c * p.x + s * p.y, -s * p.x + c * p.y, p.z}, 1e-15);
    }
    // MatrixRotX(π/2) maps (x, y, z) to (x, z, −y); the −π/2 turn to (x, −z, y).
    expectVecEq(MatrixRotX(PI05) * p, {2, 5 + 3 * leak, -3 + 5 * leak});
    expectVecEq(MatrixRotX(-PI05) * p, {2, -5 + 3 * leak, 3 + 5 * leak});
}

TEST(MatrixProduct, ComposesLikeFunctionsRightFactorFirst) {
    const Matrix64 move = MatrixMove({10, 0, 0});
    const Matrix64 turn = MatrixRotY(PI05);
    const Vector64 p(0, 0, 1);
    // (A·B)·p = A·(B·p): turning first, then moving.
    expectVecEq((move * turn) * p, move * (turn * p));
    expectVecNear((move * turn) * p, {9, 0, 0}, 1e-15);
    // The other order moves in the turned frame.
    expectVecNear((turn * move) * p, {-1, 0, 10}, 1e-14);
    // The rotation part ignores the offset.
    expectVecEq(move.TransformVector(p), p);
}

TEST(RotAxisToMatrix, IdentityForZeroAngleOrZeroAxis) {
    EXPECT_EQ(RotAxisToMatrix({0, 0, 0}, 1.0), Matrix64());
    EXPECT_EQ(RotAxisToMatrix({1, 2, 3}, 0.0), Matrix64());
}

TEST(RotAxisToMatrix, MatchesTheAxisBuildersForAnyAxisLength) {
    struct Case {
        Vector64 axis;
        Matrix64 (*builder)(Float);
    } cases[] = {{{3, 0, 0}, MatrixRotX}, {{0, 0.5, 0}, MatrixRotY}, {{0, 0, 7}, MatrixRotZ}};
    for (const Case& c : cases) {
        for (Float w : {0.1, -0.7, PI05, 2.5}) {
            SCOPED_TRACE(testing::Message() << "axis " << c.axis.x << "," << c.axis.y << ","
                                            << c.axis.z << " w " << w);
            const Matrix64 q = RotAxisToMatrix(c.axis, w), r = c.builder(w);
            expectVecNear(q.axisX, r.axisX, 1e-15);
            expectVecNear(q.axisY, r.axisY, 1e-15);
            expectVecNear(q.axisZ, r.axisZ, 1e-15);
            expectVecEq(q.offset, {0, 0, 0});
        }
    }
}

TEST(RotAxisToMatrix, TurnsAboutAnObliqueAxis) {
    // A third of a turn about (1, 1, 1) cycles the axes. The builders turn the left-handed way
    // (MatrixRotZ(+a) takes +X toward −Y), so the cycle runs x → z → y → x.
    const Matrix64 m = RotAxisToMatrix({1, 1, 1}, 2.0 * PI / 3.0);
    expectVecNear(m * Vector64(1, 0, 0), {0, 0, 1}, 1e-15);
    expectVecNear(m * Vector64(0, 0, 1), {0, 1, 0}, 1e-15);
    expectVecNear(m * Vector64(0, 1, 0), {1, 0, 0}, 1e-15);
}

} // namespace
