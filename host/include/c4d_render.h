// The renderer's side of the render-effect protocol: the running render, the record handed to
// Execute at each call point, and the host queries render effects make while rendering.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_basetime.h"
#include "c4d_vpbuffer.h"

class BaseDocument;

// Call points of VideoPostData::Execute; each comes as an open and a close call.
enum VIDEOPOSTCALL : Int32 {
    VIDEOPOSTCALL_FRAMESEQUENCE = 1, // around the whole render
    VIDEOPOSTCALL_FRAME = 2,         // around each frame (all its passes)
    VIDEOPOSTCALL_SUBFRAME = 3,      // motion-blur subframes (unused)
    VIDEOPOSTCALL_RENDER = 4,        // around each pass
    VIDEOPOSTCALL_INNER = 5,         // inside the pass (unused)
};

// Bits of VideoPostData::GetRenderInfo.
enum : Int32 {
    VIDEOPOSTINFO_EXECUTELINE = 0x10,  // call ExecuteLine for every finished line
    VIDEOPOSTINFO_EXECUTEPIXEL = 0x20, // call ExecutePixel for every finished pixel
    VIDEOPOSTINFO_CUSTOMLENS = 0x400,  // the effect's CreateRay makes the camera rays
};

enum RENDERRESULT : Int32 {
    RENDERRESULT_OK = 0,
    RENDERRESULT_OUTOFMEMORY = 1,
    RENDERRESULT_USERBREAK = 3,
};

// Buffers of Render::GetBuffer.
enum : Int32 {
    VPBUFFER_RGBA = 1,
};

// The render in progress. The renderer owns it; effects read and change its settings (a copy
// of the render data's container) before the frames start, and reach its image buffer.
class Render {
public:
    BaseContainer GetRenderData() const { return settings_; }
    void SetRenderData(const BaseContainer& bc) { settings_ = bc; }
    // The image being rendered (id VPBUFFER_RGBA, subid 0), or null.
    VPBuffer* GetBuffer(Int32 id, Int32 subid) const {
        return id == VPBUFFER_RGBA && subid == 0 ? rgba_ : nullptr;
    }

    // Renderer side.
    void SetBuffer(VPBuffer* rgba) { rgba_ = rgba; }

private:
    BaseContainer settings_;
    VPBuffer* rgba_ = nullptr;
};

// What Execute is told at a call point.
struct VideoPostStruct {
    BaseDocument* doc = nullptr;
    Render* render = nullptr;
    VIDEOPOSTCALL vp = VIDEOPOSTCALL_FRAMESEQUENCE;
    Bool open = true; // open or close half of the call point
    BaseTime time;    // the frame's time
    Int32 frame = 0;  // the frame's number
    Int32 pass = 0;   // the pass within the frame
};

// Queries of CheckIsRunning.
enum CHECKISRUNNING : Int32 {
    CHECKISRUNNING_EXTERNALRENDERING = 1, // a render to the picture viewer or a file
    CHECKISRUNNING_EDITORRENDERING = 2,   // a render into the editor view
};
Bool CheckIsRunning(CHECKISRUNNING type);

// The host's edition (0: the full application) and system-information bits (bit 2: running
// without a user interface).
Int32 GeGetVersionType();
Int32 GeGetSystemInfo();
