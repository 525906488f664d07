// Nanoseconds per mono CreateRay over a 2048 × 2048 pass, per projection. Items processed are
// rays, so the report reads as rays per second.
#include "Ovrin360CamVP.h"

#include <benchmark/benchmark.h>

namespace {

constexpr Int32 size = 2048;

enum Lens { Dome, Panorama, PartialPanorama, Cylinder, CubeFace5 };

void setupLens(Ovrin360CamVP& vp, CameraObject& camera, Lens lens) {
    vp.isFulldome = lens == Dome;
    vp.isPanorama = lens == Panorama || lens == PartialPanorama;
    vp.isCylindrical = lens == Cylinder;
    vp.isCubemap = lens == CubeFace5;
    vp.partialPanorama = lens == PartialPanorama;
    vp.fieldOfView = lens == Dome ? PI : (lens == PartialPanorama ? PI : PI2);
    vp.SetPanoramaRanges(vp.fieldOfView, -0.5, 1.0);
    vp.cylinderHeight = 100;
    vp.currentFace.channel = lens == CubeFace5 ? 5 : 0;
    vp.SetRenderArea(WholeImageArea(size, size));
    camera.SetMg(Matrix64({1, 2, 3}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}));
    vp.camera = &camera;
    vp.lensActive = 1;
}

void BM_MonoCreateRay(benchmark::State& state) {
    Ovrin360CamVP vp;
    CameraObject camera;
    setupLens(vp, camera, static_cast<Lens>(state.range(0)));
    Int32 x = 0, y = 0;
    for (auto _ : state) {
        Ray ray;
        vp.CreateRay(&ray, x + 0.5, y + 0.5);
        benchmark::DoNotOptimize(ray);
        if (++x == size) {
            x = 0;
            y = (y + 1) % size;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_MonoCreateRay)->Name("mono/dome")->Arg(Dome);
BENCHMARK(BM_MonoCreateRay)->Name("mono/panorama")->Arg(Panorama);
BENCHMARK(BM_MonoCreateRay)->Name("mono/partial_panorama")->Arg(PartialPanorama);
BENCHMARK(BM_MonoCreateRay)->Name("mono/cylinder")->Arg(Cylinder);
BENCHMARK(BM_MonoCreateRay)->Name("mono/cube_face_5")->Arg(CubeFace5);
