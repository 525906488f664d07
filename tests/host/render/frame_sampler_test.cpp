#include "frame_sampler.h"
#include "pinhole_camera.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <vector>

namespace {

using host::Rgba;

host::Tracer& SkyTracer() {
    static host::Tracer tracer;
    static const bool built = [] {
        std::string error;
        return tracer.Build(host::RenderScene(), error);
    }();
    EXPECT_TRUE(built);
    return tracer;
}

TEST(FrameSampler, SamplesAreTheCentresOfAnNByNGrid) {
    struct Case {
        int n;
        std::vector<double> offsets; // along either axis of the pixel
    } cases[] = {
        {1, {0.5}},
        {2, {0.25, 0.75}},
        {3, {1.0 / 6, 0.5, 5.0 / 6}},
        {4, {0.125, 0.375, 0.625, 0.875}},
    };
    host::RenderThreads threads(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        host::ImagePixels frame;
        frame.width = 3;
        frame.height = 2;
        struct Sample {
            double x, y;
            Int32 index;
        };
        std::vector<Sample> samples;
        host::SampleFrame(threads, SkyTracer(), c.n, frame, [&](Ray& ray, double x, double y) {
            samples.push_back({x, y, ray.sample});
            ray.v = {0, 1, 0};
        });
        ASSERT_EQ(samples.size(), size_t(6 * c.n * c.n));
        // Row by row, pixel by pixel, then j (down) and i (across) within the pixel.
        size_t k = 0;
        for (int py = 0; py < 2; ++py)
            for (int px = 0; px < 3; ++px)
                for (int j = 0; j < c.n; ++j)
                    for (int i = 0; i < c.n; ++i, ++k) {
                        EXPECT_DOUBLE_EQ(samples[k].x, px + c.offsets[size_t(i)]);
                        EXPECT_DOUBLE_EQ(samples[k].y, py + c.offsets[size_t(j)]);
                        EXPECT_EQ(samples[k].index, j * c.n + i);
                    }
    }
    EXPECT_EQ(host::StratifiedOffset(0, 2), 0.25);
}

TEST(FrameSampler, NoSampleRaysAddColourZeroAndAlphaZero) {
    host::RenderThreads threads(2);
    host::ImagePixels frame;
    frame.width = 4;
    frame.height = 3;
    const Rgba up = SkyTracer().Trace({0, 0, 0}, {0, 1, 0});
    // Column 0: every sample is no sample. Column 1: the left half of each pixel's 2 × 2
    // samples is no sample. Others: looking up.
    host::SampleFrame(threads, SkyTracer(), 2, frame, [](Ray& ray, double x, double) {
        if (x < 1.0 || (x < 2.0 && x - 1.0 < 0.5))
            return; // zero origin and direction
        ray.p = {0, 0, 0};
        ray.v = {0, 1, 0};
    });
    for (int y = 0; y < 3; ++y) {
        const float* none = frame.Pixel(0, y);
        EXPECT_EQ((Rgba{none[0], none[1], none[2], none[3]}), Rgba());
        const float* half = frame.Pixel(1, y);
        EXPECT_FLOAT_EQ(half[0], up.r * 0.5f);
        EXPECT_FLOAT_EQ(half[3], 0.5f);
        const float* full = frame.Pixel(2, y);
        EXPECT_EQ((Rgba{full[0], full[1], full[2], full[3]}), up);
    }
}

TEST(FrameSampler, HooksSeeEveryPixelAndEachCompleteRowOnce) {
    host::RenderThreads threads(3);
    host::ImagePixels frame;
    frame.width = 17;
    frame.height = 61;
    std::vector<std::atomic<int>> pixelCalls(size_t(17 * 61));
    std::vector<std::atomic<int>> lineCalls(61);
    std::atomic<int> incompleteRows{0};
    host::SampleFrame(
        threads, SkyTracer(), 1, frame,
        [](Ray& ray, double, double) {
            ray.v = {0, 0, 1};
        },
        [&](int x, int y, Rgba& pixel) {
            pixelCalls[size_t(y * 17 + x)]++;
            pixel = {float(x), float(y), 0, 1}; // stored as changed
        },
        [&](int y) {
            lineCalls[size_t(y)]++;
            for (int x = 0; x < 17; ++x)
                if (frame.Pixel(x, y)[0] != float(x) || frame.Pixel(x, y)[1] != float(y))
                    incompleteRows++;
        });
    for (int i = 0; i < 17 * 61; ++i)
        EXPECT_EQ(pixelCalls[size_t(i)], 1) << i;
    for (int y = 0; y < 61; ++y)
        EXPECT_EQ(lineCalls[size_t(y)], 1) << y;
    EXPECT_EQ(incompleteRows, 0);
    EXPECT_EQ(frame.Pixel(16, 60)[0], 16.0f);
}

TEST(FrameSampler, ManyThreadsRenderTheSameBitsAsOne) {
    host::RenderScene scene;
    scene.spheres.push_back({MatrixMove({0, 60, 300}), {0.9f, 0.3f, 0.2f}, 80});
    scene.boxes.push_back({MatrixMove({-180, 50, 400}) * MatrixRotY(0.6), {0.3f, 0.7f, 0.4f}});
    scene.planes.push_back({MatrixMove({0, -20, 300}), {0.6f, 0.6f, 0.6f}, 800, 800});
    host::Tracer tracer;
    std::string error;
    ASSERT_TRUE(tracer.Build(scene, error)) << error;
    const Matrix64 worldFromCamera = MatrixMove({0, 80, -200}) * MatrixRotX(0.15);
    auto render = [&](int threadCount) {
        host::RenderThreads threads(threadCount);
        host::ImagePixels frame;
        frame.width = 96;
        frame.height = 54;
        for (int pass = 0; pass < 2; ++pass) // the pool is reused
            host::SampleFrame(threads, tracer, 2, frame, [&](Ray& ray, double x, double y) {
                if (x < 4.0)
                    return; // a strip of no samples
                host::PinholeRay(worldFromCamera, 24.0, frame.width, frame.height, x, y, ray);
            });
        return frame.rgba;
    };
    const std::vector<float> one = render(1);
    const std::vector<float> four = render(4);
    ASSERT_EQ(one.size(), size_t(96 * 54 * 4));
    ASSERT_EQ(four.size(), one.size());
    EXPECT_EQ(std::memcmp(one.data(), four.data(), one.size() * sizeof(float)), 0);
    // The picture is not trivially uniform: the sphere, the sky and the empty strip all show.
    std::set<float> reds(one.begin(), one.end());
    EXPECT_GT(reds.size(), size_t(100));
}

TEST(RenderThreads, ForEachRunsEveryItemOnceOnAReusedPool) {
    host::RenderThreads threads(3);
    EXPECT_EQ(threads.Count(), 3);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        const int count = 1 + round * 37;
        std::vector<std::atomic<int>> hits(static_cast<size_t>(count));
        threads.ForEach(count, [&](int i) { hits[size_t(i)]++; });
        int total = 0;
        for (auto& h : hits) {
            EXPECT_EQ(h, 1);
            total += h;
        }
        EXPECT_EQ(total, count);
    }
    threads.ForEach(0, [](int) { ADD_FAILURE() << "nothing to run"; });
    EXPECT_GE(host::RenderThreads().Count(), 1);
}

TEST(PinholeCamera, CornerRaysFollowTheFocalLengthAndThe36mmAperture) {
    // 200 × 100 pixels, 36 mm focal length: the film is 36 × 18 mm, so the top-left corner
    // looks along (−18, 9, 36), the image centre along +Z.
    struct Case {
        const char* name;
        double focal, x, y;
        Vector64 dir;
    } cases[] = {
        {"top left", 36, 0, 0, {-18, 9, 36}},
        {"top right", 36, 200, 0, {18, 9, 36}},
        {"bottom left", 36, 0, 100, {-18, -9, 36}},
        {"bottom right", 36, 200, 100, {18, -9, 36}},
        {"centre", 36, 100, 50, {0, 0, 1}},
        {"top left at 18 mm: twice as wide", 18, 0, 0, {-18, 9, 18}},
        {"middle of the right edge at 72 mm", 72, 200, 50, {18, 0, 72}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ray ray;
        host::PinholeRay(Matrix64(), c.focal, 200, 100, c.x, c.y, ray);
        const Vector64 want = c.dir.GetNormalized();
        EXPECT_NEAR(ray.v.x, want.x, 1e-12);
        EXPECT_NEAR(ray.v.y, want.y, 1e-12);
        EXPECT_NEAR(ray.v.z, want.z, 1e-12);
        EXPECT_EQ(ray.p, Vector64(0, 0, 0));
    }
    // The camera's matrix places and turns the rays. A quarter turn of heading (RotY(π/2):
    // the camera's +Z goes to world −X, its +X to world +Z) takes the centre ray to −X and the
    // top-left corner's (−18, 9, 36) to (−36, 9, −18).
    const Matrix64 worldFromCamera = MatrixMove({1, 2, 3}) * MatrixRotY(PI05);
    Ray centre, corner;
    host::PinholeRay(worldFromCamera, 36, 200, 100, 100, 50, centre);
    host::PinholeRay(worldFromCamera, 36, 200, 100, 0, 0, corner);
    EXPECT_EQ(centre.p, Vector64(1, 2, 3));
    EXPECT_NEAR(centre.v.x, -1.0, 1e-12);
    EXPECT_NEAR(centre.v.y, 0.0, 1e-12);
    EXPECT_NEAR(centre.v.z, 0.0, 1e-12);
    const Vector64 want = Vector64(-36, 9, -18).GetNormalized();
    EXPECT_NEAR(corner.v.x, want.x, 1e-12);
    EXPECT_NEAR(corner.v.y, want.y, 1e-12);
    EXPECT_NEAR(corner.v.z, want.z, 1e-12);
    // An empty image makes no sample.
    Ray none;
    host::PinholeRay(Matrix64(), 36, 0, 100, 0, 0, none);
    EXPECT_TRUE(IsNoSample(none));
}

} // namespace
