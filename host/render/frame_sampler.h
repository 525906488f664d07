// The frame sampler: N × N stratified samples per pixel, each a camera ray traced by the
// Tracer, averaged into a float RGBA image on the render threads. The callbacks are template
// parameters: the per-sample camera call inlines, and nothing on the per-sample path allocates or
// locks.
#pragma once

#include "image_file.h"
#include "render_color.h"
#include "render_threads.h"
#include "tracer.h"

#include "c4d_ray.h"

#include <cstddef>

namespace host {

// Position of sub-sample i of n along one axis of a pixel: the centre of its cell, (i + ½)/n.
inline double StratifiedOffset(int i, int n) {
    return (double(i) + 0.5) / double(n);
}

inline constexpr int maxSamplesPerAxis = 256;

struct NoPixelHook {
    void operator()(int, int, Rgba&) const {}
};
struct NoLineHook {
    void operator()(int) const {}
};

// Renders image.width × image.height pixels (image is resized to fit) with samplesPerAxis² rays
// per pixel (samplesPerAxis is held to 1..maxSamplesPerAxis).
//   camera(Ray& ray, double x, double y): fills ray.p and ray.v for the image position (x, y)
//     in pixels (x right, y down; pixel (i, j) covers [i, i+1) × [j, j+1)); ray.sample holds
//     the sample's index in its pixel. A ray left with zero origin and direction is no sample:
//     it adds colour 0 and alpha 0.
//   pixelHook(int x, int y, Rgba& pixel): may change each finished pixel before it is stored.
//   lineHook(int y): called once row y is complete in image.
// Every call may run on any render thread, several at once. Each pixel's samples are summed in
// a fixed order, so the image does not depend on the number of threads.
template <typename Camera, typename PixelHook = NoPixelHook, typename LineHook = NoLineHook>
void SampleFrame(RenderThreads& threads, const Tracer& tracer, int samplesPerAxis,
                 ImagePixels& image, Camera&& camera, PixelHook&& pixelHook = {},
                 LineHook&& lineHook = {}) {
    const int n = samplesPerAxis < 1
                      ? 1
                      : (samplesPerAxis > maxSamplesPerAxis ? maxSamplesPerAxis : samplesPerAxis);
    const int width = image.width > 0 ? image.width : 0;
    const int height = image.height > 0 ? image.height : 0;
    image.rgba.resize(size_t(width) * size_t(height) * 4);
    const float weight = 1.0f / float(n * n);
    float* const pixels = image.rgba.data();

    // A row's samples go in batches: first the camera fills a batch of rays, then the batch is
    // traced. Two short loops of independent iterations keep the processor busier than one
    // long chain per sample.
    auto renderRow = [&](int y) {
        constexpr int batchSize = Tracer::maxBatch;
        Ray rays[batchSize];
        Rgba colors[batchSize];
        // The row's samples, pixel by pixel, j-major and i-minor within a pixel.
        const long long total = (long long)width * n * n;
        int camX = 0, camI = 0, camJ = 0;
        int traceX = 0, traceSample = 0;
        Rgba sum;
        for (long long first = 0; first < total; first += batchSize) {
            const int count = total - first < batchSize ? int(total - first) : batchSize;
            for (int k = 0; k < count; ++k) {
                rays[k] = Ray();
                rays[k].sample = camJ * n + camI;
                camera(rays[k], double(camX) + StratifiedOffset(camI, n),
                       double(y) + StratifiedOffset(camJ, n));
                if (++camI == n) {
                    camI = 0;
                    if (++camJ == n) {
                        camJ = 0;
                        ++camX;
                    }
                }
            }
            // A ray with zero origin and direction is no sample; any ray with a zero direction
            // comes back as colour 0, alpha 0.
            tracer.TraceBatch(rays, count, colors);
            for (int k = 0; k < count; ++k) {
                sum += colors[k];
                if (++traceSample < n * n)
                    continue;
                Rgba pixel = sum * weight;
                pixelHook(traceX, y, pixel);
                float* out = pixels + (size_t(y) * size_t(width) + size_t(traceX)) * 4;
                out[0] = pixel.r;
                out[1] = pixel.g;
                out[2] = pixel.b;
                out[3] = pixel.a;
                sum = Rgba();
                traceSample = 0;
                ++traceX;
            }
        }
        lineHook(y);
    };
    // Work goes out in blocks of rows; each row's line hook runs as soon as that row is done.
    constexpr int blockRows = 4;
    threads.ForEach((height + blockRows - 1) / blockRows, [&](int block) {
        const int end = (block + 1) * blockRows < height ? (block + 1) * blockRows : height;
        for (int y = block * blockRows; y < end; ++y)
            renderRow(y);
    });
}

} // namespace host
