#include "ovrin/ovrin_trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

// Distance in units in the last place between two doubles of the same sign.
double ulps(double a, double b) {
    if (a == b)
        return 0;
    return std::fabs(a - b) / std::fabs(std::nextafter(b, 2 * b + 1) - b);
}

TEST(SinCos, WithinAnUlpOfTheCLibraryOverTheRayAngles) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<Float> angle(-4 * PI, 4 * PI);
    double worstSin = 0, worstCos = 0;
    for (int i = 0; i < 200000; ++i) {
        const Float x = angle(rng);
        Float s, c;
        ovrin::sinCos(x, s, c);
        worstSin = std::max(worstSin, ulps(s, std::sin(x)));
        worstCos = std::max(worstCos, ulps(c, std::cos(x)));
    }
    EXPECT_LE(worstSin, 1.0);
    EXPECT_LE(worstCos, 1.0);
}

TEST(SinCos, ExactAtTheQuarterTurns) {
    struct Case {
        Float x, s, c;
    } cases[] = {
        {0.0, 0.0, 1.0},
        {PI05, 1.0, 6.123233995736766e-17},
        {-PI05, -1.0, 6.123233995736766e-17},
        {PI, std::sin(PI), -1.0},
        {PI2, std::sin(PI2), 1.0},
        {1.5 * PI, -1.0, std::cos(1.5 * PI)},
        {1e-300, 1e-300, 1.0},
    };
    for (const Case& k : cases) {
        Float s, c;
        ovrin::sinCos(k.x, s, c);
        EXPECT_EQ(s, k.s) << k.x;
        EXPECT_EQ(c, k.c) << k.x;
    }
}

TEST(SinCos, HugeAndNonFiniteAnglesFallBackToTheCLibrary) {
    for (Float x : {3e6, -1e15, std::numeric_limits<Float>::infinity(),
                    std::numeric_limits<Float>::quiet_NaN()}) {
        Float s, c;
        ovrin::sinCos(x, s, c);
        if (std::isfinite(x)) {
            EXPECT_EQ(s, std::sin(x));
            EXPECT_EQ(c, std::cos(x));
        } else {
            EXPECT_TRUE(std::isnan(s) && std::isnan(c));
        }
    }
}

} // namespace
