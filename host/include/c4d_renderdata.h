// Render settings: RenderData nodes (a document has a list of them, one active) with their
// parameters and their ordered list of video posts (render effects).
#pragma once

#include "c4d_baselist.h"

class BaseVideoPost;
class VideoPostData;

enum : Int32 {
    Rbase = 110304, // render data
    VPbase = 5709,  // every video post is an instance of this
};

// Render data parameters (container ids).
enum : Int32 {
    RENDERDATA_WIDTH = 5008,        // Float: output width, pixels
    RENDERDATA_HEIGHT = 5009,       // Float: output height, pixels
    RENDERDATA_FRAMERATE = 5020,    // Float: frames per second
    RENDERDATA_ALPHACHANNEL = 5036, // Bool: render an alpha channel
    RENDERDATA_STEREO = 8000,       // Bool: stereoscopic (multi-camera) render
};

class RenderData : public BaseList2D {
public:
    // Render settings with the host's defaults (800 × 600 at 30 frames per second, alpha on,
    // stereo off) and no video posts.
    RenderData();
    ~RenderData() override;
    static RenderData* Alloc() { return new RenderData(); }
    static void Free(RenderData*& rd) {
        host::FreeNode(rd);
        rd = nullptr;
    }

    RenderData* GetNext() const { return static_cast<RenderData*>(GeListNode::GetNext()); }
    RenderData* GetPred() const { return static_cast<RenderData*>(GeListNode::GetPred()); }

    BaseVideoPost* GetFirstVideoPost() const;
    // After pred, or first when pred is null.
    void InsertVideoPost(BaseVideoPost* vp, BaseVideoPost* pred = nullptr);
    void InsertVideoPostLast(BaseVideoPost* vp);

    static void WriteDefaults(BaseContainer& bc);

protected:
    C4DAtom* CloneAtom(COPYFLAGS flags) const override;
    GeListHead* GetBranchHead() override { return &videoPosts_; }

private:
    GeListHead videoPosts_;
};

class BaseVideoPost : public BaseList2D {
public:
    // A new video post of a registered type (its Alloc and Init run); null for an unknown type
    // or a failed Init.
    static BaseVideoPost* Alloc(Int32 type);
    static void Free(BaseVideoPost*& vp) {
        host::FreeNode(vp);
        vp = nullptr;
    }

    Bool IsInstanceOf(Int32 type) const override {
        return type == VPbase || BaseList2D::IsInstanceOf(type);
    }

    BaseVideoPost* GetNext() const { return static_cast<BaseVideoPost*>(GeListNode::GetNext()); }
    BaseVideoPost* GetPred() const { return static_cast<BaseVideoPost*>(GeListNode::GetPred()); }
    // The render data the video post belongs to, or null.
    RenderData* GetRenderData() const;
    VideoPostData* GetVideoPostData() const;

protected:
    explicit BaseVideoPost(Int32 type) : BaseList2D(type) {}
    C4DAtom* CloneAtom(COPYFLAGS flags) const override;

private:
    friend struct host::NodeAccess;
};
