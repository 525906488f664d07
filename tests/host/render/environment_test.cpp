#include "environment.h"
#include "image_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

using host::DirectionToEquirect;
using host::Rgba;

// An image whose texels hold their own centre: R = (x + ½)/w, G = (y + ½)/h. A bilinear lookup
// of a linear ramp is exact, so away from the seam and the clamped poles it returns (u, v).
host::ImagePixels PositionImage(int w, int h) {
    host::ImagePixels image;
    image.width = w;
    image.height = h;
    image.rgba.resize(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float* p = &image.rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
            p[0] = (float(x) + 0.5f) / float(w);
            p[1] = (float(y) + 0.5f) / float(h);
            p[2] = 0.0f;
            p[3] = 1.0f;
        }
    return image;
}

TEST(Equirect, DirectionsGoToTheHostWorldsPanoramaPositions) {
    const double s = std::sqrt(0.5);
    struct Case {
        const char* name;
        Vector64 dir;
        float u, v;
    } cases[] = {
        {"+Z, ahead: the centre", {0, 0, 1}, 0.5f, 0.5f},
        {"+X, right: three quarters across", {1, 0, 0}, 0.75f, 0.5f},
        {"-X, left: one quarter across", {-1, 0, 0}, 0.25f, 0.5f},
        {"up: the top row", {0, 1, 0}, 0.5f, 0.0f},
        {"down: the bottom row", {0, -1, 0}, 0.5f, 1.0f},
        {"45 degrees up, ahead", {0, s, s}, 0.5f, 0.25f},
        {"45 degrees down, right", {s, -s, 0}, 0.75f, 0.75f},
        {"ahead-right diagonal", {s, 0, s}, 0.625f, 0.5f},
        {"long vector, same direction", {0, 0, 250}, 0.5f, 0.5f},
        {"short vector up and left", {-1e-3, 1e-3, 0}, 0.25f, 0.25f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const host::EquirectPosition p = DirectionToEquirect(c.dir);
        EXPECT_NEAR(p.u, c.u, 1e-6);
        EXPECT_NEAR(p.v, c.v, 1e-6);
    }
    // Straight back lies on the seam: either edge of the image is the same place.
    const float back = DirectionToEquirect({0, 0, -1}).u;
    EXPECT_TRUE(std::abs(back) < 1e-6f || std::abs(back - 1.0f) < 1e-6f) << back;
}

TEST(Equirect, FastArcTangentMatchesTheLibraryEverywhere) {
    // A ring of directions at several radii covers every octant and the axes.
    int checked = 0;
    float worst = 0.0f;
    for (int i = 0; i < 3600; ++i) {
        const double a = -PI + PI2 * i / 3600.0;
        for (float r : {1e-3f, 1.0f, 123.0f}) {
            const float y = r * float(std::sin(a)), x = r * float(std::cos(a));
            worst = std::max(worst, std::abs(host::FastAtan2(y, x) - std::atan2(y, x)));
            ++checked;
        }
    }
    EXPECT_EQ(checked, 10800);
    EXPECT_LT(worst, 5e-7f); // a few float ulps of π
    EXPECT_EQ(host::FastAtan2(0.0f, 0.0f), 0.0f);
    EXPECT_EQ(host::FastAtan2(1.0f, 0.0f), 1.57079632679489662f);
    EXPECT_EQ(host::FastAtan2(0.0f, 1.0f), 0.0f);
}

TEST(Equirect, BilinearLookupBetweenTexelsWrapsInUAndClampsInV) {
    // 4 × 2 texels with values that show which ones a lookup mixes.
    host::ImagePixels image;
    image.width = 4;
    image.height = 2;
    const float top[4] = {0, 10, 20, 30}, bottom[4] = {100, 110, 120, 130};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const float value = y == 0 ? top[x] : bottom[x];
            image.rgba.insert(image.rgba.end(), {value, value * 2, -value, 1.0f});
        }
    struct Case {
        const char* name;
        float u, v, expected;
    } cases[] = {
        {"texel (1, 0) centre", 0.375f, 0.25f, 10},
        {"texel (2, 1) centre", 0.625f, 0.75f, 120},
        {"halfway between (1, 0) and (2, 0)", 0.5f, 0.25f, 15},
        {"quarter way from (1, 0) to (2, 0)", 0.4375f, 0.25f, 12.5f},
        {"midway between the rows", 0.375f, 0.5f, 60},
        {"the centre of four texels", 0.5f, 0.5f, 65},
        {"u = 0 sits on the seam: last and first column", 0.0f, 0.25f, 15},
        {"u = 1 is the same seam", 1.0f, 0.25f, 15},
        {"an eighth past the seam: texel 0", 0.125f, 0.25f, 0},
        {"just left of the first centre mixes in the last column", 0.0625f, 0.25f, 7.5f},
        {"u beyond 1 wraps", 1.375f, 0.25f, 10},
        {"negative u wraps", -0.625f, 0.25f, 10},
        {"v = 0 clamps to the top row", 0.375f, 0.0f, 10},
        {"v above the top clamps", 0.375f, -3.0f, 10},
        {"v = 1 clamps to the bottom row", 0.375f, 1.0f, 110},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rgba s = host::SampleEquirect(image, c.u, c.v);
        EXPECT_NEAR(s.r, c.expected, 1e-4);
        EXPECT_NEAR(s.g, 2 * c.expected, 2e-4);
        EXPECT_NEAR(s.b, -c.expected, 1e-4);
        EXPECT_EQ(s.a, 1.0f);
    }
    // Garbage coordinates read a texel instead of memory outside the image.
    const float nan = std::nanf("");
    for (float u : {nan, INFINITY, -INFINITY, 1e30f})
        for (float v : {nan, INFINITY, -INFINITY, 0.5f}) {
            const Rgba s = host::SampleEquirect(image, u, v);
            EXPECT_GE(s.r, 0.0f);
            EXPECT_LE(s.r, 130.0f);
        }
}

TEST(Equirect, EnvironmentLooksUpItsImageAlongTheRay) {
    host::Environment env;
    env.image = std::make_shared<host::ImagePixels>(PositionImage(64, 32));
    const Vector64 origin(5, 7, -9), sun(0, 1, 0);
    struct Case {
        const char* name;
        Vector64 dir;
        float r, g;
    } cases[] = {
        {"ahead", {0, 0, 1}, 0.5f, 0.5f},
        {"right", {1, 0, 0}, 0.75f, 0.5f},
        {"left", {-1, 0, 0}, 0.25f, 0.5f},
        {"up reads the top row", {0, 1, 0}, 0.5f, 0.5f / 32},
        {"down reads the bottom row", {0, -1, 0}, 0.5f, 1.0f - 0.5f / 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rgba s = env.Look(origin, c.dir, sun);
        EXPECT_NEAR(s.r, c.r, 1e-5);
        EXPECT_NEAR(s.g, c.g, 1e-5);
        EXPECT_EQ(s.a, 1.0f);
    }
}

float Brightness(const Rgba& c) {
    return c.r + c.g + c.b;
}

TEST(ProceduralSky, BlueAboveGroundBelowSunBrightestTowardTheLight) {
    const Vector64 toSun = Vector64(1, 1, 0).GetNormalized();
    const Vector64 eye(0, 150, 0);
    const Rgba zenith = host::ProceduralSky(eye, {0, 1, 0}, toSun, 100);
    const Rgba horizon = host::ProceduralSky(eye, Vector64(0, 0.02, 1).GetNormalized(), toSun, 100);
    const Rgba sun = host::ProceduralSky(eye, toSun, toSun, 100);
    const Rgba awayFromSun =
        host::ProceduralSky(eye, Vector64(-1, 1, 0).GetNormalized(), toSun, 100);
    for (const Rgba& c : {zenith, horizon, sun, awayFromSun})
        EXPECT_EQ(c.a, 1.0f);
    EXPECT_GT(zenith.b, zenith.r);                      // blue sky
    EXPECT_GT(Brightness(horizon), Brightness(zenith)); // hazy horizon
    EXPECT_GT(Brightness(sun), 2 * Brightness(awayFromSun));

    // Looking straight down from above: on a grid line (x = 0) the ground is lighter than in a
    // cell's middle (x = 50); from below the ground there is no grid to see.
    const Rgba line = host::ProceduralSky({0, 150, 30}, {0, -1, 0}, toSun, 100);
    const Rgba cell = host::ProceduralSky({50, 150, 50}, {0, -1, 0}, toSun, 100);
    EXPECT_GT(Brightness(line), Brightness(cell) + 0.3f);
    const Rgba under1 = host::ProceduralSky({0, -150, 30}, {0, -1, 0}, toSun, 100);
    const Rgba under2 = host::ProceduralSky({50, -150, 50}, {0, -1, 0}, toSun, 100);
    EXPECT_EQ(under1, under2);
    // Far away the grid has faded into the haze.
    const Vector64 far = Vector64(0, -0.05, 1).GetNormalized();
    const Rgba farA = host::ProceduralSky({0, 150, 0}, far, toSun, 100);
    const Rgba farB = host::ProceduralSky({50, 150, 0}, far, toSun, 100);
    EXPECT_NEAR(Brightness(farA), Brightness(farB), 0.02f);
}

TEST(EnvironmentImage, LoadsFloatPixelsAndReportsAMissingFile) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("ovrin_env_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    host::ImagePixels hdr = PositionImage(8, 4);
    hdr.rgba[0] = 7.25f; // beyond 1: kept as it is
    std::string error;
    const std::string path = (dir / "sky.exr").string();
    ASSERT_TRUE(host::WriteImageFile(path, hdr, {}, error)) << error;

    host::Environment env;
    ASSERT_TRUE(host::LoadEnvironmentImage(path, env, error)) << error;
    ASSERT_TRUE(env.image);
    EXPECT_EQ(env.image->width, 8);
    EXPECT_EQ(env.image->height, 4);
    EXPECT_EQ(env.image->rgba, hdr.rgba);

    const auto before = env.image;
    const std::string missing = (dir / "missing.hdr").string();
    EXPECT_FALSE(host::LoadEnvironmentImage(missing, env, error));
    EXPECT_NE(error.find(missing), std::string::npos) << error;
    EXPECT_EQ(env.image, before);
    std::filesystem::remove_all(dir);
}

} // namespace
