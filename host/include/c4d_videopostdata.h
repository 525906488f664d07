// Base class of render effects (video posts). The host calls these from its renderer.
#pragma once

#include "c4d_ray.h"

class VideoPostData {
public:
    virtual ~VideoPostData() = default;

    // Per camera ray, from every render thread at once, for effects that own the camera.
    // x, y: the ray's image position in pixels (sub-pixel positions allowed).
    virtual void CreateRay(Ray* dst, Float x, Float y) {
        (void)dst;
        (void)x;
        (void)y;
    }
};
