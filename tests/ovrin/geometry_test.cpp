#include "ovrin/ovrin_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr Float leak = 6.123233995736766e-17;

void expectVecNear(const Vector64& a, const Vector64& b, Float tol) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

TEST(OfMap, RemapsExtrapolatesAndClamps) {
    struct Case {
        Float value, inMin, inMax, outMin, outMax;
        Bool clamp;
        Float expected;
    } cases[] = {
        {0.25, 0, 1, 10, 20, false, 12.5},
        {2, 0, 1, 10, 20, false, 30}, // extrapolates without clamp
        {2, 0, 1, 10, 20, true, 20},
        {-1, 0, 1, 10, 20, true, 10},
        {2, 0, 1, 20, 10, true, 10}, // reversed output range stays inside [10, 20]
        {-1, 0, 1, 20, 10, true, 20},
        {0.5, 0, 1, 20, 10, true, 15},
        {5, 3, 3, 7, 9, false, 7},       // degenerate input range → outputMin
        {5, 3, 3 + 1e-7, 7, 9, true, 7}, // narrower than 2^-23 counts as degenerate
        {0.5, 1, 0, 0, 10, false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " [" << c.inMin << "," << c.inMax << "] → ["
                                        << c.outMin << "," << c.outMax << "] clamp " << c.clamp);
        EXPECT_EQ(ofMap(c.value, c.inMin, c.inMax, c.outMin, c.outMax, c.clamp), c.expected);
    }
}

TEST(ClampRadians, WrapsIntoOneTurn) {
    struct Case {
        Float angle, expected, tol;
    } cases[] = {
        {0, 0, 0},
        {PI2, 0, 0},
        {-0.5, PI2 - 0.5, 0},
        {7 * PI, PI, 1e-14},
        {-7 * PI, PI, 1e-14},
        {1.0, 1.0, 0},
        {1e6, std::fmod(1e6, PI2), 1e-9}, // many turns: reduced, not looped
        {-1e300, std::fmod(-1e300, PI2) + PI2, 1e-9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const Float r = clampRadians(c.angle);
        EXPECT_NEAR(r, c.expected, c.tol);
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, PI2);
    }
    // Non-finite angles have no place on the circle: NaN, at once.
    for (Float bad :
         {std::numeric_limits<Float>::infinity(), -std::numeric_limits<Float>::infinity(),
          std::numeric_limits<Float>::quiet_NaN()})
        EXPECT_TRUE(std::isnan(clampRadians(bad))) << bad;
}

TEST(TexelToDome, CentreRimAndCorners) {
    struct Case {
        Float u, v;
        Bool mask;
        Vector64 expected;
    } cases[] = {
        {0.5, 0.5, true, {0, 0, 1}},     {1.0, 0.5, true, {1, 0, leak}}, // right edge: the horizon
        {0.5, 0.0, true, {0, 1, leak}},                                  // top of the image: +Y
        {0.0, 0.5, true, {-1, 0, leak}}, {0.0, 0.0, true, {0, 0, 0}}, // r = √2 > 1.01: no direction
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.u << "," << c.v);
        const Vector64 d = texelToDome({c.u, c.v, 0}, PI, c.mask);
        EXPECT_EQ(d.x, c.expected.x);
        EXPECT_EQ(d.y, c.expected.y);
        EXPECT_EQ(d.z, c.expected.z);
    }
}

TEST(TexelToDome, MaskKeepsAOnePercentRimAndUnmaskedContinuesTheLaw) {
    // 1 % of the radius beyond the circle still gets a direction; beyond that none.
    EXPECT_FALSE(texelToDome({1.0 + 0.0049, 0.5, 0}, PI, true).IsZero());
    EXPECT_TRUE(texelToDome({1.0 + 0.0051, 0.5, 0}, PI, true).IsZero());
    // Unmasked, the corner continues the angular law: θ = π·√2/2 from the zenith.
    const Vector64 d = texelToDome({0, 0, 0}, PI, false);
    EXPECT_NEAR(std::acos(d.z), PI * std::sqrt(2.0) / 2, 1e-15);
    EXPECT_NEAR(d.GetLength(), 1.0, 1e-15);
}

TEST(TexelToDome, AngleFromZenithIsProportionalToRadius) {
    int checked = 0;
    for (Float fov : {PI, 0.8 * PI, 1.75 * PI}) {
        for (int i = 0; i <= 20; ++i) {
            for (int j = 0; j <= 20; ++j) {
                const Float u = i / 20.0, v = j / 20.0;
                const Float a = 2 * u - 1, b = 1 - 2 * v, r = std::hypot(a, b);
                if (r > 1.0)
                    continue;
                const Vector64 d = texelToDome({u, v, 0}, fov, true);
                SCOPED_TRACE(testing::Message() << "fov " << fov << " u " << u << " v " << v);
                EXPECT_NEAR(d.GetLength(), 1.0, 1e-15);
                EXPECT_NEAR(std::atan2(std::hypot(d.x, d.y), d.z), fov * 0.5 * r, 1e-14);
                if (r > 1e-9) { // the azimuth follows the image: right = +X, top = +Y
                    EXPECT_NEAR(std::atan2(d.y, d.x), std::atan2(b, a), 1e-14);
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 900);
}

TEST(GeoToDome, ZenithNadirAndMeridians) {
    expectVecNear(geoToDome({0.5, 0.5, 0}), {0, -1, 0}, 1e-15);
    expectVecNear(geoToDome({0.75, 0.5, 0}), {1, 0, 0}, 1e-15);
    expectVecNear(geoToDome({0.25, 0.5, 0}), {-1, 0, 0}, 1e-15);
    expectVecNear(geoToDome({0.3, 1.0, 0}), {0, 0, -1}, 1e-15);
    for (Float u : {0.0, 0.1, 0.5, 0.99, 1.0}) {
        const Vector64 d = geoToDome({u, 0, 0});
        EXPECT_EQ(d, Vector64(0, 0, 1)) << u; // sin(0) = 0 exactly: the zenith for every u
    }
}

TEST(DomeMasked, CircleIsInsideOutsideIsMasked) {
    EXPECT_FALSE(domeMasked({0.5, 0, 0})); // on the circle
    EXPECT_FALSE(domeMasked({0.5, 0.5, 0}));
    EXPECT_TRUE(domeMasked({0, 0, 0}));
    EXPECT_TRUE(domeMasked({1.0 + 1e-9, 0.5, 0}));
    EXPECT_FALSE(domeMasked({std::numeric_limits<Float>::quiet_NaN(), 0.5, 0}));
}

TEST(MatrixInverse, UndoesWellConditionedMatrices) {
    std::mt19937_64 rng(1234);
    std::uniform_real_distribution<Float> unit(-1.0, 1.0);
    auto randomVector = [&] { return Vector64(unit(rng), unit(rng), unit(rng)); };
    for (int i = 0; i < 200; ++i) {
        Matrix64 m(randomVector() * 100.0, randomVector() + Vector64(3, 0, 0),
                   randomVector() + Vector64(0, 3, 0), randomVector() + Vector64(0, 0, 3));
        const Matrix64 id = ~m * m;
        SCOPED_TRACE(i);
        expectVecNear(id.offset, {0, 0, 0}, 1e-12);
        expectVecNear(id.axisX, {1, 0, 0}, 1e-14);
        expectVecNear(id.axisY, {0, 1, 0}, 1e-14);
        expectVecNear(id.axisZ, {0, 0, 1}, 1e-14);
        const Vector64 p = randomVector() * 50.0;
        expectVecNear(~m * (m * p), p, 1e-12);
    }
}

TEST(MatrixInverse, SingularGivesIdentityAndTranslationNegates) {
    const Matrix64 singular[] = {
        {{1, 2, 3}, {0, 0, 0}, {0, 1, 0}, {0, 0, 1}}, // a zero axis
        {{1, 2, 3}, {1, 2, 3}, {2, 4, 6}, {0, 0, 1}}, // parallel axes
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, // axisZ in the plane of the others
    };
    for (const Matrix64& m : singular)
        EXPECT_EQ(~m, Matrix64());
    EXPECT_EQ(~MatrixMove({4, -5, 6}), MatrixMove({-4, 5, -6}));
}

} // namespace
