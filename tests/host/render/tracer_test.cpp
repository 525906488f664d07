#include "frame_sampler.h"
#include "pinhole_camera.h"
#include "tracer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using host::Rgba;

void ExpectRgbaNear(const Rgba& got, const Rgba& want, float tol) {
    EXPECT_NEAR(got.r, want.r, tol);
    EXPECT_NEAR(got.g, want.g, tol);
    EXPECT_NEAR(got.b, want.b, tol);
    EXPECT_NEAR(got.a, want.a, tol);
}

std::shared_ptr<host::ImagePixels> UniformImage(int w, int h, const Rgba& c) {
    auto image = std::make_shared<host::ImagePixels>();
    image->width = w;
    image->height = h;
    for (int i = 0; i < w * h; ++i)
        image->rgba.insert(image->rgba.end(), {c.r, c.g, c.b, c.a});
    return image;
}

TEST(Tracer, UniformEnvironmentGivesItsColourInEveryPixel) {
    const Rgba sky{0.2f, 0.45f, 0.7f, 1.0f};
    host::RenderScene scene;
    scene.environment.image = UniformImage(16, 8, sky);
    host::Tracer tracer;
    std::string error;
    ASSERT_TRUE(tracer.Build(scene, error)) << error;

    host::RenderThreads threads(2);
    host::ImagePixels frame;
    frame.width = 40;
    frame.height = 30;
    // A wide lens with its camera turned to look up and sideways: every direction is the same.
    const Matrix64 worldFromCamera = MatrixMove({3, -4, 5}) * MatrixRotY(1.0) * MatrixRotX(0.7);
    host::SampleFrame(threads, tracer, 2, frame, [&](Ray& ray, double x, double y) {
        host::PinholeRay(worldFromCamera, 10.0, frame.width, frame.height, x, y, ray);
    });
    int pixels = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x, ++pixels) {
            const float* p = frame.Pixel(x, y);
            ASSERT_EQ((Rgba{p[0], p[1], p[2], p[3]}), sky) << x << ", " << y;
        }
    EXPECT_EQ(pixels, 1200);
}

TEST(Tracer, EnvironmentOrientationThroughTheTracer) {
    // The texels hold their u in red and their v in green (see environment_test).
    auto image = std::make_shared<host::ImagePixels>();
    image->width = 128;
    image->height = 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            image->rgba.insert(image->rgba.end(),
                               {(float(x) + 0.5f) / 128, (float(y) + 0.5f) / 64, 0, 1});
    host::RenderScene scene;
    scene.environment.image = image;
    host::Tracer tracer;
    std::string error;
    ASSERT_TRUE(tracer.Build(scene, error)) << error;
    struct Case {
        const char* name;
        Vector64 dir;
        float u, v;
    } cases[] = {
        {"+Z reads the image centre", {0, 0, 3}, 0.5f, 0.5f},
        {"+X reads u = 0.75", {2, 0, 0}, 0.75f, 0.5f},
        {"-X reads u = 0.25", {-2, 0, 0}, 0.25f, 0.5f},
        {"up reads the top row", {0, 5, 0}, 0.5f, 0.5f / 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRgbaNear(tracer.Trace({1, 2, 3}, c.dir), {c.u, c.v, 0, 1}, 1e-5f);
        Ray ray;
        ray.p = {1, 2, 3};
        ray.v = c.dir;
        Rgba batched;
        tracer.TraceBatch(&ray, 1, &batched);
        EXPECT_EQ(batched, tracer.Trace(ray.p, ray.v));
    }
}

// Ambient 0.2 and a light of 0.6 shining along +Z, from behind the camera at the origin onto
// shapes around (0, 0, 5): a surface facing the camera at angle θ to the light gets
//   albedo · (0.2 + 0.6 · cos θ).
constexpr Vector32 albedo{0.5f, 0.25f, 1.0f};

host::RenderScene HeadOnLitScene() {
    host::RenderScene scene;
    scene.ambient = {0.2f, 0.2f, 0.2f};
    scene.light.direction = {0, 0, 1};
    scene.light.color = {0.6f, 0.6f, 0.6f};
    scene.environment.image = UniformImage(4, 2, {0.1f, 0.1f, 0.1f, 1});
    return scene;
}

Rgba Lit(float cosTheta) {
    const float k = 0.2f + 0.6f * cosTheta;
    return {albedo.x * k, albedo.y * k, albedo.z * k, 1};
}

TEST(Tracer, ShapesLitHeadOnGiveAmbientPlusDiffuse) {
    struct Case {
        const char* name;
        void (*add)(host::RenderScene&);
    } cases[] = {
        {"sphere of radius 1",
         [](host::RenderScene& s) {
             s.spheres.push_back({MatrixMove({0, 0, 5}), albedo, 1.0});
         }},
        {"box of edge 2, turned about the view axis",
         [](host::RenderScene& s) {
             s.boxes.push_back({MatrixMove({0, 0, 5}) * MatrixRotZ(0.4), albedo, {2, 2, 2}});
         }},
        {"plane stood up to face the camera",
         [](host::RenderScene& s) {
             s.planes.push_back({MatrixMove({0, 0, 4}) * MatrixRotX(PI05), albedo, 3, 3});
         }},
        {"one-triangle mesh, scaled",
         [](host::RenderScene& s) {
             host::SceneMesh mesh;
             mesh.transform =
                 MatrixMove({0, 0, 4}) * Matrix64({0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 2});
             mesh.color = albedo;
             mesh.points = {{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}};
             mesh.triangles = {std::array<Int32, 3>{0, 1, 2}};
             s.meshes.push_back(mesh);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::RenderScene scene = HeadOnLitScene();
        c.add(scene);
        host::Tracer tracer;
        std::string error;
        ASSERT_TRUE(tracer.Build(scene, error)) << error;
        // Straight ahead the surface faces the light: cos θ = 1.
        ExpectRgbaNear(tracer.Trace({0, 0, 0}, {0, 0, 1}), Lit(1.0f), 1e-5f);
        // A ray that passes beside the shape sees the environment.
        ExpectRgbaNear(tracer.Trace({0, 0, 0}, {0, 1, 0.1}), {0.1f, 0.1f, 0.1f, 1}, 1e-6f);
    }
}

TEST(Tracer, CurvedSurfacesShadeByTheirNormal) {
    host::RenderScene scene = HeadOnLitScene();
    // A sphere of radius 1 at (0, 0, 5): the ray along +Z at x = 0.8 meets it at
    // (0.8, 0, 4.4), normal (0.8, 0, −0.6), so cos θ = 0.6.
    scene.spheres.push_back({MatrixMove({0, 0, 5}), albedo, 1.0});
    // Stretched twice along X at (10, 0, 5): the ray along +Z at x = 11.6 meets
    // ((x−10)/2)² + y² + (z−5)² = 1 at z = 4.4; the normal is the gradient (0.4, 0, −0.6)
    // normalised, so cos θ = 0.6/√0.52 = 0.83205.
    scene.spheres.push_back(
        {MatrixMove({10, 0, 5}) * Matrix64({0, 0, 0}, {2, 0, 0}, {0, 1, 0}, {0, 0, 1}), albedo,
         1.0});
    host::Tracer tracer;
    std::string error;
    ASSERT_TRUE(tracer.Build(scene, error)) << error;
    ExpectRgbaNear(tracer.Trace({0.8, 0, 0}, {0, 0, 1}), Lit(0.6f), 1e-5f);
    ExpectRgbaNear(tracer.Trace({11.6, 0, 0}, {0, 0, 1}), Lit(0.6f / std::sqrt(0.52f)), 1e-5f);
    // From behind (inside the light's direction) the far side gets ambient only.
    ExpectRgbaNear(tracer.Trace({0, 0, 10}, {0, 0, -1}), Lit(0.0f), 1e-6f);
}

TEST(Tracer, ShapesCastShadows) {
    // Light straight down; a unit sphere at the origin above a wide floor at y = −2.
    host::RenderScene scene;
    scene.ambient = {0.25f, 0.25f, 0.25f};
    scene.light = {{0, -1, 0}, {0.5f, 0.5f, 0.5f}};
    scene.spheres.push_back({Matrix64(), {1, 1, 1}, 1.0});
    scene.planes.push_back({MatrixMove({0, -2, 0}), {0.8f, 0.8f, 0.8f}, 40, 40});
    host::Tracer tracer;
    std::string error;
    ASSERT_TRUE(tracer.Build(scene, error)) << error;
    // Beside the sphere the floor is lit: 0.8 · (0.25 + 0.5); under it, ambient only.
    ExpectRgbaNear(tracer.Trace({3, -1.5, 0}, {0, -1, 0}), {0.6f, 0.6f, 0.6f, 1}, 1e-5f);
    ExpectRgbaNear(tracer.Trace({0.5, -1.5, 0}, {0, -1, 0}), {0.2f, 0.2f, 0.2f, 1}, 1e-5f);
}

TEST(Tracer, RaysWithoutADirectionSeeNothing) {
    host::RenderScene scene = HeadOnLitScene();
    scene.spheres.push_back({MatrixMove({0, 0, 5}), albedo, 1.0});
    host::Tracer tracer;
    std::string error;
    ASSERT_TRUE(tracer.Build(scene, error)) << error;
    const double nan = std::nan("");
    for (const Vector64& dir : {Vector64(0, 0, 0), Vector64(nan, 0, 1), Vector64(0, INFINITY, 0),
                                Vector64(1e300, 0, 0)}) {
        SCOPED_TRACE(dir.x);
        EXPECT_EQ(tracer.Trace({0, 0, 0}, dir), Rgba());
        EXPECT_EQ(tracer.Trace({1, 2, 3}, dir), Rgba());
    }
}

TEST(Tracer, ABadMeshIsReportedAndABuildReplacesTheLastOne) {
    host::RenderScene scene = HeadOnLitScene();
    scene.spheres.push_back({MatrixMove({0, 0, 5}), albedo, 1.0});
    host::Tracer tracer;
    std::string error;
    ASSERT_TRUE(tracer.Build(scene, error)) << error;
    ExpectRgbaNear(tracer.Trace({0, 0, 0}, {0, 0, 1}), Lit(1.0f), 1e-5f);

    host::RenderScene bad = scene;
    bad.meshes.push_back(
        {Matrix64(), albedo, {{0, 0, 0}, {1, 0, 0}}, {std::array<Int32, 3>{0, 1, 2}}});
    EXPECT_FALSE(tracer.Build(bad, error));
    EXPECT_EQ(error, "mesh 0 refers to point 2 but has 2 points");
    // The failed build leaves an empty scene under the procedural sky, not the old sphere.
    const Rgba after = tracer.Trace({0, 0, 0}, {0, 0, 1});
    EXPECT_EQ(after.a, 1.0f);
    EXPECT_NE(after, Lit(1.0f));

    host::RenderScene empty = HeadOnLitScene();
    ASSERT_TRUE(tracer.Build(empty, error)) << error;
    ExpectRgbaNear(tracer.Trace({0, 0, 0}, {0, 0, 1}), {0.1f, 0.1f, 0.1f, 1}, 1e-6f);
}

} // namespace
