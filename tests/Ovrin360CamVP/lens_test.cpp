#include "Ovrin360CamVP.h"
#include "ovrin/ovrin_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr Float leak = 6.123233995736766e-17;
constexpr Float tol = 1e-14; // "up to floating-point error"

void expectVecNear(const Vector64& a, const Vector64& b, Float t = tol) {
    EXPECT_NEAR(a.x, b.x, t);
    EXPECT_NEAR(a.y, b.y, t);
    EXPECT_NEAR(a.z, b.z, t);
}

enum class Projection { Dome, Panorama, Cylinder, Cube };

// A mono lens over a W × H image, camera at the origin looking along +Z.
class LensTest : public testing::Test {
protected:
    void Setup(Projection p, Int32 w, Int32 h, Float fov) {
        vp.isFulldome = p == Projection::Dome;
        vp.isPanorama = p == Projection::Panorama;
        vp.isCylindrical = p == Projection::Cylinder;
        vp.isCubemap = p == Projection::Cube;
        vp.fieldOfView = fov;
        vp.SetPanoramaRanges(fov, -PI05, PI05);
        ASSERT_TRUE(vp.SetRenderArea(WholeImageArea(w, h)));
        vp.camera = &camera;
        vp.lensActive = 1;
    }
    Ray Cast(Float x, Float y) {
        Ray r;
        vp.CreateRay(&r, x, y);
        return r;
    }
    // Direction of a normalised position, in camera space.
    Vector64 Dir(Float u, Float v) {
        Vector64 p(u, v, 0);
        return vp.CreateRay(p);
    }

    Ovrin360CamVP vp;
    CameraObject camera;
};

TEST_F(LensTest, DomeCentreRimAndCorners) {
    Setup(Projection::Dome, 101, 101, PI);
    const Ray centre = Cast(50, 50);
    EXPECT_EQ(centre.v, Vector64(0, 0, 1));
    EXPECT_EQ(centre.p, Vector64(0, 0, 0));
    EXPECT_EQ(Cast(100, 50).v, Vector64(1, 0, leak)); // middle of the right edge: the horizon
    EXPECT_TRUE(IsNoSample(Cast(0, 0)));              // a corner has no ray...
    vp.domeMaskMode = 2;
    const Ray corner = Cast(0, 0); // ...unless rays go outside the circle
    EXPECT_FALSE(corner.v.IsZero());
    EXPECT_NEAR(std::acos(corner.v.z), PI * std::sqrt(2.0) / 2, tol);
}

TEST_F(LensTest, DomeAngleFromViewAxisGrowsWithRadius) {
    Setup(Projection::Dome, 64, 64, 1.6 * PI);
    int checked = 0;
    for (Float y = 0; y < 64; y += 3.5) {
        for (Float x = 0; x < 64; x += 3.5) {
            const Float a = 2 * x / 63 - 1, b = 1 - 2 * y / 63, r = std::hypot(a, b);
            const Ray ray = Cast(x, y);
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            if (r > 1.01) {
                EXPECT_TRUE(IsNoSample(ray));
                continue;
            }
            EXPECT_NEAR(std::atan2(std::hypot(ray.v.x, ray.v.y), ray.v.z), 0.8 * PI * r, 1e-13);
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
}

TEST_F(LensTest, PanoramaLooksAroundTheWholeSphere) {
    Setup(Projection::Panorama, 101, 51, PI2);
    struct Case {
        Float x, y;
        Vector64 dir;
    } cases[] = {
        {50, 25, {0, 0, 1}},                        // centre: forward
        {75, 25, {1, 0, 0}},                        // three quarters: right
        {25, 25, {-1, 0, 0}},  {50, 0, {0, 1, 0}},  // top row: straight up
        {50, 50, {0, -1, 0}},  {0, 25, {0, 0, -1}}, // both edges look backwards
        {100, 25, {0, 0, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pixel " << c.x << "," << c.y);
        expectVecNear(Cast(c.x, c.y).v, c.dir);
    }
}

TEST_F(LensTest, PanoramaLongitudeAndLatitudeAreLinear) {
    for (bool partial : {false, true}) {
        Setup(Projection::Panorama, 80, 40, partial ? 0.6 * PI2 : PI2);
        vp.partialPanorama = partial;
        if (partial)
            vp.SetPanoramaRanges(vp.fieldOfView, -0.3, 1.1);
        const Float lonStart = PI2 * (vp.longitudeStart - 0.5),
                    lonEnd = PI2 * (vp.longitudeEnd - 0.5);
        const Float latStart = partial ? -0.3 : -PI05, latEnd = partial ? 1.1 : PI05;
        int checked = 0;
        for (int j = 1; j < 10; ++j) {
            for (int i = 1; i < 20; ++i) {
                const Float u = i / 20.0, v = j / 10.0;
                const Vector64 d = Dir(u, v);
                SCOPED_TRACE(testing::Message()
                             << "partial " << partial << " u " << u << " v " << v);
                EXPECT_NEAR(d.GetLength(), 1.0, tol);
                EXPECT_NEAR(std::atan2(d.x, d.z), lonStart + u * (lonEnd - lonStart), 1e-13);
                EXPECT_NEAR(std::asin(d.y), latEnd + v * (latStart - latEnd), 1e-13);
                ++checked;
            }
        }
        EXPECT_EQ(checked, 171);
    }
}

TEST_F(LensTest, PartialPanoramaOfHalfATurn) {
    Setup(Projection::Panorama, 101, 51, PI);
    vp.partialPanorama = true;
    EXPECT_EQ(vp.longitudeStart, 0.25);
    EXPECT_EQ(vp.longitudeEnd, 0.75);
    Vector64 left(0, 0.5, 0), right(1, 0.5, 0);
    expectVecNear(vp.CreateRay(left), {-1, 0, 0});
    EXPECT_EQ(left.x, 0.25); // the remapped longitude stays in the position
    expectVecNear(vp.CreateRay(right), {1, 0, 0});
    EXPECT_EQ(right.x, 0.75);
}

TEST_F(LensTest, CylinderRaysAreHorizontalFromABandOfOrigins) {
    Setup(Projection::Cylinder, 90, 31, PI2);
    vp.cylinderHeight = 100;
    for (Float y : {0.0, 15.0, 30.0}) {
        for (Float x : {0.0, 22.5, 45.0, 89.0}) {
            const Ray r = Cast(x, y);
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            EXPECT_NEAR(r.v.y, 0.0, tol);
            EXPECT_NEAR(r.v.GetLength(), 1.0, tol);
            // The top row starts 50 units above the camera, the bottom row 50 below.
            EXPECT_EQ(r.p, Vector64(0, 50.0 - 100.0 * y / 30.0, 0));
        }
    }
    expectVecNear(Cast(44.5, 15).v, {0, 0, 1});
}

TEST_F(LensTest, VerticalCylinderSweepsTheYzPlane) {
    Setup(Projection::Cylinder, 31, 90, PI2);
    vp.cylinderVertical = true;
    vp.cylinderHeight = 10;
    for (Float y : {0.0, 20.0, 44.5, 70.0}) {
        for (Float x : {0.0, 15.0, 30.0}) {
            const Ray r = Cast(x, y);
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            EXPECT_NEAR(r.v.x, 0.0, tol);
            EXPECT_NEAR(r.p.x, -5.0 + 10.0 * x / 30.0, tol);
            EXPECT_EQ(r.p.y, 0.0);
        }
    }
    expectVecNear(Cast(15, 44.5).v, {0, 0, 1});
}

TEST_F(LensTest, CubeFacesPointAlongTheirAxes) {
    Setup(Projection::Cube, 64, 64, PI05);
    const Vector64 centres[] = {{-1, 0, 0}, {1, 0, 0},  {0, -1, 0},
                                {0, 1, 0},  {0, 0, -1}, {0, 0, 1}};
    for (Int32 f = 0; f < 6; ++f) {
        vp.currentFace.channel = f;
        expectVecNear(Dir(0.5, 0.5), centres[f]);
        // Every direction of the face lies within its 90° pyramid.
        int checked = 0;
        for (int i = 0; i <= 8; ++i) {
            for (int j = 0; j <= 8; ++j) {
                const Vector64 d = Dir(i / 8.0, j / 8.0);
                SCOPED_TRACE(testing::Message()
                             << "face " << f << " u " << i / 8.0 << " v " << j / 8.0);
                EXPECT_NEAR(d.GetLength(), 1.0, tol);
                const Float along = Dot(d, centres[f]);
                EXPECT_GE(along, 1.0 / std::sqrt(3.0) - tol);
                const Vector64 across = d - centres[f] * along;
                EXPECT_LE(std::fabs(across.x), along + tol);
                EXPECT_LE(std::fabs(across.y), along + tol);
                EXPECT_LE(std::fabs(across.z), along + tol);
                ++checked;
            }
        }
        EXPECT_EQ(checked, 81);
    }
    vp.currentFace.channel = 5;
    EXPECT_EQ(Dir(0.5, 0.5), Vector64(0, -leak, 1));
    vp.currentFace.channel = 3;
    expectVecNear(Dir(0.5, 0), Vector64(0, 1, -1) / std::sqrt(2.0)); // up face, top edge
    vp.currentFace.channel = 6;
    EXPECT_TRUE(Dir(0.5, 0.5).IsZero());
    vp.currentFace.channel = -1;
    EXPECT_TRUE(IsNoSample(Cast(10, 10)));
}

TEST_F(LensTest, CubeFaceTableEdges) {
    Setup(Projection::Cube, 64, 64, PI05);
    // The third column of the face table at the corner (u, v) = (0, 0), normalised.
    const Vector64 corners[] = {{-1, 1, -1}, {1, 1, 1},  {-1, -1, 1},
                                {-1, 1, -1}, {1, 1, -1}, {-1, 1, 1}};
    for (Int32 f = 0; f < 6; ++f) {
        vp.currentFace.channel = f;
        expectVecNear(Dir(0, 0), corners[f] / std::sqrt(3.0));
    }
}

TEST_F(LensTest, OverscanToleratesTenPixels) {
    Setup(Projection::Panorama, 100, 50, PI2);
    const Float px = vp.pixelSize.x, py = vp.pixelSize.y;
    EXPECT_EQ(px, Float(1.0f / 100.0f));
    EXPECT_FALSE(Dir(-5 * px, 0.5).IsZero());
    EXPECT_TRUE(Dir(-11 * px, 0.5).IsZero());
    EXPECT_FALSE(Dir(1 + 9 * px, 0.5).IsZero());
    EXPECT_TRUE(Dir(1 + 11 * px, 0.5).IsZero());
    EXPECT_TRUE(Dir(0.5, -11 * py).IsZero());
    EXPECT_TRUE(Dir(0.5, 1 + 11 * py).IsZero());
    Vector64 untouched(-11 * px, 0.3, 0);
    vp.CreateRay(untouched);
    EXPECT_EQ(untouched, Vector64(-11 * px, 0.3, 0));
}

TEST_F(LensTest, EyeShiftMovesEachEyeHalfTheShiftAndWraps) {
    Setup(Projection::Panorama, 100, 50, PI2);
    vp.stereoActive = true;
    vp.eyeShiftPixels = 4;
    const Float px = vp.pixelSize.x;
    struct Case {
        Int32 channel;
        Float u, expected;
    } cases[] = {
        {0, 0.5, 0.5 - 2 * px},
        {1, 0.5, 0.5 + 2 * px},
        {0, px, px - 2 * px + 1.0},       // wraps round the left edge
        {1, 1 - px, 1 - px + 2 * px - 1}, // and round the right edge
    };
    for (const Case& c : cases) {
        vp.currentEye.channel = c.channel;
        Vector64 p(c.u, 0.5, 0);
        vp.CreateRay(p);
        EXPECT_DOUBLE_EQ(p.x, c.expected) << "channel " << c.channel << " u " << c.u;
    }
    vp.stereoActive = false; // mono ignores the shift
    Vector64 p(0.5, 0.5, 0);
    vp.CreateRay(p);
    EXPECT_EQ(p.x, 0.5);
}

TEST_F(LensTest, OrientationStagesFlipThenRotate) {
    Setup(Projection::Dome, 64, 64, PI);
    struct Case {
        Int32 rotation;
        Bool flipX, flipY;
        Vector64 expected;
    } cases[] = {
        {0, false, false, {0.2, 0.7, 0}},   {90, false, false, {0.7, 0.8, 0}},
        {180, false, false, {0.8, 0.3, 0}}, {270, false, false, {0.3, 0.2, 0}},
        {45, false, false, {0.2, 0.7, 0}}, // not a quarter turn: acts as 0
        {0, true, false, {0.8, 0.7, 0}},    {0, false, true, {0.2, 0.3, 0}},
        {90, true, true, {0.3, 0.2, 0}},
    };
    for (bool eyeStage : {false, true}) {
        for (const Case& c : cases) {
            ViewCell& stage = eyeStage ? vp.currentEye : vp.currentFace;
            stage.rotation = c.rotation;
            stage.flipX = c.flipX;
            stage.flipY = c.flipY;
            Vector64 p(0.2, 0.7, 0);
            vp.CreateRay(p);
            SCOPED_TRACE(testing::Message() << (eyeStage ? "eye" : "face") << " rotation "
                                            << c.rotation << " flips " << c.flipX << c.flipY);
            expectVecNear(p, c.expected, 1e-15);
            stage = ViewCell();
        }
    }
    // Face stage first, then the eye stage: two quarter turns make a half turn.
    vp.currentFace.rotation = 90;
    vp.currentEye.rotation = 90;
    Vector64 p(0.2, 0.7, 0);
    vp.CreateRay(p);
    expectVecNear(p, {0.8, 0.3, 0}, 1e-15);
}

TEST_F(LensTest, MonoRaysFollowTheCameraMatrix) {
    Setup(Projection::Cylinder, 90, 31, PI2);
    vp.cylinderHeight = 100;
    // Camera at (10, 20, 30) turned to look along world +X, its up axis world +Y.
    camera.SetMg(Matrix64({10, 20, 30}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}));
    const Ray top = Cast(44.5, 0);
    expectVecNear(top.v, {1, 0, 0});
    EXPECT_EQ(top.p, Vector64(10, 70, 30));
}

TEST_F(LensTest, InactiveLensLeavesTheRayAlone) {
    Setup(Projection::Dome, 64, 64, PI);
    vp.lensActive = 0;
    Ray r;
    r.p = Vector64(1, 2, 3);
    r.v = Vector64(4, 5, 6);
    r.ior = 1.33;
    vp.CreateRay(&r, 10, 10);
    EXPECT_EQ(r.p, Vector64(1, 2, 3));
    EXPECT_EQ(r.v, Vector64(4, 5, 6));
    vp.lensActive = 1;
    vp.CreateRay(&r, 0, 0); // no ray: origin and direction zeroed, the rest kept
    EXPECT_TRUE(IsNoSample(r));
    EXPECT_EQ(r.ior, 1.33);
}

TEST_F(LensTest, NoProjectionAndTinyAreasGiveNoRays) {
    Setup(Projection::Dome, 64, 64, PI);
    vp.isFulldome = 0;
    EXPECT_TRUE(IsNoSample(Cast(32, 32)));
    vp.isFulldome = 1;
    for (const auto& [w, h] :
         {std::pair{1, 64}, std::pair{64, 1}, std::pair{1, 1}, std::pair{0, 0}}) {
        EXPECT_FALSE(vp.SetRenderArea(WholeImageArea(w, h))) << w << "x" << h;
        const Ray r = Cast(0, 0);
        EXPECT_TRUE(IsNoSample(r)) << w << "x" << h;
        EXPECT_FALSE(std::isnan(r.v.x));
    }
    EXPECT_TRUE(vp.SetRenderArea(WholeImageArea(2, 2)));
    EXPECT_FALSE(IsNoSample(Cast(0.5, 0.5)));
}

TEST_F(LensTest, RenderAreaOffsetMapsFirstAndLastPixel) {
    Setup(Projection::Panorama, 10, 10, PI2);
    Area pass;
    pass.Set({100, 50, 0}, {200, 100, 0});
    ASSERT_TRUE(vp.SetRenderArea(pass));
    expectVecNear(Cast(150, 75).v, {0, 0, 1});
    expectVecNear(Cast(150, 50).v, {0, 1, 0});
    expectVecNear(Cast(100, 75).v, {0, 0, -1});
}

} // namespace
