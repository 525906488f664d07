// Ray tracing of a RenderScene through Embree: built once per frame, then traced from every
// render thread at once. One Tracer serves a whole render; each Build reuses its Embree device.
// Host-internal.
#pragma once

#include "render_color.h"
#include "render_scene.h"

#include "c4d_ray.h"

#include "ge_vector.h"

#include <cmath>
#include <memory>
#include <string>

namespace host {

class Tracer {
public:
    Tracer();
    ~Tracer();
    Tracer(const Tracer&) = delete;
    Tracer& operator=(const Tracer&) = delete;

    // Prepares scene for tracing, replacing whatever was built before; the tracer keeps what it
    // needs, so scene may go away afterwards. Not to be called while Trace runs. On failure
    // returns false with one sentence in error, and the tracer holds an empty scene under the
    // procedural sky.
    bool Build(const RenderScene& scene, std::string& error);

    // The colour a ray sees: a hit shape's colour lit by ambient and the directional light
    // (with its shadow), or the environment. A zero, non-finite or overflowing direction sees
    // nothing (colour 0, alpha 0). Thread-safe, allocates nothing. Without geometry it is the
    // environment lookup alone, inlined into the caller.
    Rgba Trace(const Vector64& origin, const Vector64& direction) const {
        const double len2 = direction.GetSquaredLength();
        if (!(len2 > 0.0 && len2 <= maxSquaredLength))
            return {};
        if (hasGeometry_)
            return TraceGeometry(origin, direction / std::sqrt(len2));
        if (environment_.image)
            return environment_.Look(origin, direction, toLight_);
        return environment_.Look(origin, direction / std::sqrt(len2), toLight_);
    }

    static constexpr int maxBatch = 32;

    // colors[k] = Trace(rays[k].p, rays[k].v) for k < count ≤ maxBatch, the same values;
    // environment lookups of the batch first find and prefetch all their texels, so their
    // memory reads overlap.
    void TraceBatch(const Ray* rays, int count, Rgba* colors) const {
        if (hasGeometry_ || !environment_.image) {
            for (int k = 0; k < count; ++k)
                colors[k] = Trace(rays[k].p, rays[k].v);
            return;
        }
        const ImagePixels& image = *environment_.image;
        EquirectTap taps[maxBatch];
        for (int k = 0; k < count; ++k) {
            const double len2 = rays[k].v.GetSquaredLength();
            if (!(len2 > 0.0 && len2 <= maxSquaredLength)) {
                taps[k].p00 = nullptr;
                continue;
            }
            const EquirectPosition uv = DirectionToEquirect(rays[k].v);
            taps[k] = EquirectTapAt(image, uv.u, uv.v);
            __builtin_prefetch(taps[k].p00);
            __builtin_prefetch(taps[k].p01);
        }
        for (int k = 0; k < count; ++k)
            colors[k] = taps[k].p00 ? BlendTap(taps[k]) : Rgba();
    }

private:
    static constexpr double maxSquaredLength = 1.79769313486231570815e+308; // largest double

    Rgba TraceGeometry(const Vector64& origin, const Vector64& dir) const;

    Environment environment_;
    Vector64 toLight_{0, 1, 0}; // unit vector toward the light (the sky's sun)
    bool hasGeometry_ = false;

    struct Impl; // the Embree scene and the shading data
    std::unique_ptr<Impl> impl_;
};

} // namespace host
