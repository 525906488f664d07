// Nanoseconds per CreateRay over a 2048 × 2048 pass: mono per projection, and stereo (one eye
// per ray) per axis mode, with and without toe-in and a bitmap separation map. Items processed
// are rays, so the report reads as rays per second.
#include "Ovrin360CamVP.h"
#include "OvrinTag/otag_ids.h"
#include "c4d_shader.h"
#include "c4d_shader_kinds.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

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

// A 64 × 32 grey ramp as a binary PPM, the separation map of the stereo cases.
std::string writeSeparationMap() {
    const std::string path = "/tmp/ovrin_lens_bench_map_" + std::to_string(::getpid()) + ".ppm";
    std::ofstream out(path, std::ios::binary);
    out << "P6\n64 32\n255\n";
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            for (int c = 0; c < 3; ++c)
                out.put(static_cast<char>(x * 4));
    return path;
}

enum StereoCase : int64_t { Parallel = 0, ToeIn = 1, ToeInBitmapMap = 2 };

// Args: lens, axis mode, StereoCase. The right eye of a 6.5-unit pair.
void BM_StereoCreateRay(benchmark::State& state) {
    Ovrin360CamVP vp;
    CameraObject camera;
    const Lens lens = static_cast<Lens>(state.range(0));
    setupLens(vp, camera, lens);
    const auto stereo = static_cast<StereoCase>(state.range(2));
    BaseContainer tag;
    tag.SetInt32(OVRINTAG_PROJECTION,
                 lens == Dome ? OVRINTAG_PROJECTION_DOME : OVRINTAG_PROJECTION_PANORAMA);
    tag.SetInt32(OVRINTAG_DOME_AXIS, lens == Dome ? OVRINTAG_DOME_AXIS_UP : 0);
    tag.SetFloat(OVRINTAG_DOME_FOV, PI);
    tag.SetBool(OVRINTAG_SEPARATION_MAP, stereo == ToeInBitmapMap);
    vp.tagData = &tag;
    vp.stereoActive = true;
    vp.domeAxisUp = lens == Dome;
    vp.stereoAxis = static_cast<Int32>(state.range(1));
    vp.eyeSeparation = 6.5;
    vp.convergenceDistance = stereo == Parallel ? 0 : 1000;
    vp.currentEye.channel = 1;
    vp.currentEye.info.m = camera.GetMg() * MatrixMove(Vector64(3.25, 0, 0));
    vp.currentEye.info.strName = String("1");

    BaseShader* map = nullptr;
    std::string mapPath;
    if (stereo == ToeInBitmapMap) {
        mapPath = writeSeparationMap();
        map = BaseShader::Alloc(Xbitmap);
        map->GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME, Filename(mapPath.c_str()));
        if (map->InitRender(InitRenderStruct()) != INITRENDERRESULT::OK) {
            state.SkipWithError("cannot load the separation map");
            BaseShader::Free(map);
            return;
        }
        vp.separationShader = map;
    }

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
    BaseShader::Free(map);
    if (!mapPath.empty())
        std::remove(mapPath.c_str());
}

} // namespace

BENCHMARK(BM_MonoCreateRay)->Name("mono/dome")->Arg(Dome);
BENCHMARK(BM_MonoCreateRay)->Name("mono/panorama")->Arg(Panorama);
BENCHMARK(BM_MonoCreateRay)->Name("mono/partial_panorama")->Arg(PartialPanorama);
BENCHMARK(BM_MonoCreateRay)->Name("mono/cylinder")->Arg(Cylinder);
BENCHMARK(BM_MonoCreateRay)->Name("mono/cube_face_5")->Arg(CubeFace5);

BENCHMARK(BM_StereoCreateRay)->Name("stereo/panorama_axis1")->Args({Panorama, 1, Parallel});
BENCHMARK(BM_StereoCreateRay)->Name("stereo/panorama_axis2")->Args({Panorama, 2, Parallel});
BENCHMARK(BM_StereoCreateRay)->Name("stereo/panorama_axis3")->Args({Panorama, 3, Parallel});
BENCHMARK(BM_StereoCreateRay)->Name("stereo/panorama_axis1_toein")->Args({Panorama, 1, ToeIn});
BENCHMARK(BM_StereoCreateRay)->Name("stereo/panorama_axis2_toein")->Args({Panorama, 2, ToeIn});
BENCHMARK(BM_StereoCreateRay)->Name("stereo/panorama_axis3_toein")->Args({Panorama, 3, ToeIn});
BENCHMARK(BM_StereoCreateRay)
    ->Name("stereo/panorama_axis1_toein_bitmap_map")
    ->Args({Panorama, 1, ToeInBitmapMap});
BENCHMARK(BM_StereoCreateRay)->Name("stereo/fulldome_axis1_toein")->Args({Dome, 1, ToeIn});
BENCHMARK(BM_StereoCreateRay)
    ->Name("stereo/fulldome_axis1_toein_bitmap_map")
    ->Args({Dome, 1, ToeInBitmapMap});
