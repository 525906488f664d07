// The renderer's camera ray. A render effect's lens fills p and v; the renderer owns the rest.
#pragma once

#include "ge_vector.h"

struct Ray {
    Vector p;         // origin, world space
    Vector v;         // direction, world space (not necessarily unit length)
    Float ior = 1.0;  // index of refraction of the medium the ray starts in
    Float time = 0.0; // sample time within the frame
    Int32 sample = 0; // index of the sample within its pixel
};

// A ray with zero origin and zero direction is no sample: the renderer gives it colour 0, alpha 0.
inline bool IsNoSample(const Ray& r) {
    return r.p.IsZero() && r.v.IsZero();
}
