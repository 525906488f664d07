// Shaders: colour sources sampled at a texture position (image files, constants, gradients).
// A shader is a node prepared for rendering once (InitRender), then sampled from any number of
// threads at once, then released (FreeRender). Preparing and releasing one shader are not
// thread-safe against each other or against sampling: one thread at a time does them.
#pragma once

#include "c4d_baselist.h"
#include "c4d_basetime.h"
#include "c4d_filename.h"
#include "ge_vector.h"

class BaseDocument;
class VolumeData;

// Texture flags of ChannelData::texflag.
enum : Int32 {
    TEX_TILE = 1, // the texture repeats outside 0..1; without it the edge texels continue
};

// One sample request.
struct ChannelData {
    Vector p;                     // texture position (u, v, w); v = 0 is the image's top row
    Vector n;                     // surface normal
    Vector d;                     // sample radius in (u, v, w)
    Float t = 0.0;                // time, seconds
    Int32 texflag = 0;            // TEX_ flags
    VolumeData* vd = nullptr;     // the surface being shaded; null outside a render
    Float off = 0.0, scale = 0.0; // blur offset and scale of filtered lookups
};

enum class INITRENDERRESULT : Int32 {
    OK = 0,
    OUTOFMEMORY = -100,
    ASSETMISSING = -101, // a file the shader needs cannot be read
    UNKNOWNERROR = -102,
};

// What a shader's render preparation needs to know about the render.
struct InitRenderStruct {
    BaseDocument* doc = nullptr;
    BaseTime time;
    Filename docpath; // folder against which relative file names are resolved

    InitRenderStruct() = default;
    explicit InitRenderStruct(BaseDocument* d) { Init(d); }
    // Sets the record up for rendering doc: its time and folder (null: time 0, no folder).
    void Init(BaseDocument* d);
};

enum : Int32 {
    Xbase = 5707, // every shader is an instance of this
};

// A shader node. Inserted into a document (BaseDocument::InsertShader) it belongs to the
// document; tags and materials reach it through links.
class BaseShader : public BaseList2D {
public:
    ~BaseShader() override = default;

    // A new shader of a built-in kind (c4d_shader_kinds.h) with its default parameters, or
    // null for an unknown kind. The caller owns it until it is inserted into a document.
    static BaseShader* Alloc(Int32 type);
    // Deletes the shader, taking it out of its document first; null is allowed.
    static void Free(BaseShader*& shader) {
        host::FreeNode(shader);
        shader = nullptr;
    }

    Bool IsInstanceOf(Int32 type) const override {
        return type == Xbase || BaseList2D::IsInstanceOf(type);
    }
    BaseShader* GetNext() const { return static_cast<BaseShader*>(GeListNode::GetNext()); }

    // Prepares the shader for sampling from its parameters. Anything but OK leaves it
    // unprepared. Parameter edits take effect at the next InitRender.
    virtual INITRENDERRESULT InitRender(const InitRenderStruct& irs) = 0;
    // Releases what InitRender prepared; harmless when nothing is prepared.
    virtual void FreeRender() {}
    // Colour at cd's texture position. Safe from many threads between InitRender and
    // FreeRender; an unprepared shader gives black.
    virtual Vector Sample(ChannelData* cd) const = 0;

protected:
    explicit BaseShader(Int32 type) : BaseList2D(type) {}
    // A copy of the same kind and parameters (GetClone), not prepared for rendering.
    C4DAtom* CloneAtom(COPYFLAGS flags) const override;
};
