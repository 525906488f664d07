// Base class of render effects (video posts): the NodeData of a BaseVideoPost. The host's
// renderer calls the render hooks; the node hooks work as for every NodeData.
#pragma once

#include "c4d_nodedata.h"
#include "c4d_ray.h"
#include "c4d_render.h"
#include "c4d_stereo.h"

class BaseBitmap;
class BaseDraw;
class BaseVideoPost;
class RenderData;

enum COLORSPACETRANSFORMATION : Int32 {
    COLORSPACETRANSFORMATION_NONE = 0,
};

class VideoPostData : public NodeData {
public:
    // Before a render: the effect decides whether it takes part and may change the render's
    // settings (render->SetRenderData).
    virtual void AllocateBuffers(BaseVideoPost* node, Render* render, BaseDocument* doc) {
        (void)node;
        (void)render;
        (void)doc;
    }
    // VIDEOPOSTINFO_* bits: which per-ray, per-pixel and per-line hooks the renderer calls.
    virtual Int32 GetRenderInfo(BaseVideoPost* node) {
        (void)node;
        return 0;
    }
    // False excludes the effect from a render with that engine.
    virtual Bool RenderEngineCheck(BaseVideoPost* node, Int32 engine) {
        (void)node;
        (void)engine;
        return true;
    }
    // At each call point's open and close, on the render control thread.
    virtual RENDERRESULT Execute(BaseVideoPost* node, VideoPostStruct* vps) {
        (void)node;
        (void)vps;
        return RENDERRESULT_OK;
    }
    // Per finished line and per finished pixel, from the render threads at once. For a pixel,
    // pp holds its line and x its column.
    virtual void ExecuteLine(BaseVideoPost* node, PixelPost* pp) {
        (void)node;
        (void)pp;
    }
    virtual void ExecutePixel(BaseVideoPost* node, PixelPost* pp, Int32 x, Int32 subx, Int32 suby) {
        (void)node;
        (void)pp;
        (void)x;
        (void)subx;
        (void)suby;
    }
    // Per camera ray, from every render thread at once, for effects that own the camera.
    // x, y: the ray's image position in pixels (sub-pixel positions allowed).
    virtual void CreateRay(Ray* dst, Float x, Float y) {
        (void)dst;
        (void)x;
        (void)y;
    }

    // Multi-camera (stereo) renders: how many cameras, each camera, and merging their images
    // into the frame.
    virtual Int32 StereoGetCameraCountEditor(BaseVideoPost* node, BaseDocument* doc, BaseDraw* bd) {
        (void)node;
        (void)doc;
        (void)bd;
        return 0;
    }
    virtual Int32 StereoGetCameraCountRenderer(BaseVideoPost* node, BaseDocument* doc,
                                               RenderData* rd) {
        (void)node;
        (void)doc;
        (void)rd;
        return 0;
    }
    virtual Bool StereoGetCameraInfo(BaseVideoPost* node, BaseDocument* doc, BaseDraw* bd,
                                     RenderData* rd, Int32 index, StereoCameraInfo& info) {
        (void)node;
        (void)doc;
        (void)bd;
        (void)rd;
        (void)index;
        (void)info;
        return false;
    }
    virtual Bool StereoMergeImages(BaseVideoPost* node, BaseBitmap* dest,
                                   const BaseBitmap* const* source, Int32 count,
                                   const BaseContainer& settings,
                                   COLORSPACETRANSFORMATION transform) {
        (void)node;
        (void)dest;
        (void)source;
        (void)count;
        (void)settings;
        (void)transform;
        return false;
    }
};

// Registers a video post type. g allocates the VideoPostData of each new video post;
// description names the description resource. False when the id is taken or g is null.
Bool RegisterVideoPostPlugin(Int32 id, const String& str, Int32 info, DataAllocator* g,
                             const String& description, Int32 disklevel, Int32 priority);
