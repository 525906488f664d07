// Base class of render effects (video posts): the NodeData of a BaseVideoPost. The host's
// renderer calls the render hooks; the node hooks work as for every NodeData.
#pragma once

#include "c4d_nodedata.h"
#include "c4d_ray.h"

class VideoPostData : public NodeData {
public:
    // Per camera ray, from every render thread at once, for effects that own the camera.
    // x, y: the ray's image position in pixels (sub-pixel positions allowed).
    virtual void CreateRay(Ray* dst, Float x, Float y) {
        (void)dst;
        (void)x;
        (void)y;
    }
};

// Registers a video post type. g allocates the VideoPostData of each new video post;
// description names the description resource. False when the id is taken or g is null.
Bool RegisterVideoPostPlugin(Int32 id, const String& str, Int32 info, DataAllocator* g,
                             const String& description, Int32 disklevel, Int32 priority);
