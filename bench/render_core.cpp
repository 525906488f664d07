// Output megapixels per second of the frame sampler reprojecting a 4096 × 2048 equirectangular
// environment (made in memory) into a 2048 × 2048 dome master, one sample per pixel, on 1 and 2
// render threads. No geometry and no file I/O: this is the cost of the per-pixel loop, the
// camera call and the environment lookup.
#include "frame_sampler.h"
#include "ovrin_trig.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int domeSize = 2048;

std::shared_ptr<const host::ImagePixels> MakePanorama() {
    auto image = std::make_shared<host::ImagePixels>();
    image->width = 4096;
    image->height = 2048;
    image->rgba.resize(size_t(image->width) * size_t(image->height) * 4);
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            float* p = &image->rgba[(size_t(y) * size_t(image->width) + size_t(x)) * 4];
            p[0] = float(x) / float(image->width);
            p[1] = float(y) / float(image->height);
            p[2] = float((x / 64 + y / 64) % 2);
            p[3] = 1.0f;
        }
    return image;
}

// A 180° dome master: the zenith (+Y) at the image centre, the horizon on the inscribed
// circle, nothing outside it.
struct DomeCamera {
    void operator()(Ray& ray, double x, double y) const {
        const double nx = 2.0 * x / domeSize - 1.0, ny = 2.0 * y / domeSize - 1.0;
        const double r = std::sqrt(nx * nx + ny * ny);
        if (r > 1.0)
            return; // zero origin and direction: no sample
        double sinTheta, cosTheta;
        ovrin::sinCos(r * (PI * 0.5), sinTheta, cosTheta);
        const double s = r > 0.0 ? sinTheta / r : 0.0;
        ray.p = {0, 0, 0};
        ray.v = {nx * s, cosTheta, -ny * s};
    }
};

void BM_DomeFromPanorama(benchmark::State& state) {
    static const std::shared_ptr<const host::ImagePixels> panorama = MakePanorama();
    host::RenderScene scene;
    scene.environment.image = panorama;

    host::Tracer tracer;
    std::string error;
    if (!tracer.Build(scene, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    host::RenderThreads threads(int(state.range(0)));
    host::ImagePixels frame;
    frame.width = frame.height = domeSize;
    frame.rgba.assign(size_t(domeSize) * domeSize * 4, 0.0f); // page faults belong to setup
    for (auto _ : state) {
        host::SampleFrame(threads, tracer, 1, frame, DomeCamera{});
        benchmark::DoNotOptimize(frame.rgba.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * domeSize * domeSize);
    state.counters["MP/s"] = benchmark::Counter(
        double(state.iterations()) * domeSize * domeSize * 1e-6, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_DomeFromPanorama)
    ->Name("dome_from_panorama/threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
