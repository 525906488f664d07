// Shaders: colour sources sampled at a texture position (image files, constants, gradients).
// A shader is prepared for rendering once (InitRender), then sampled from any number of
// threads at once, then released (FreeRender). Preparing and releasing one shader are not
// thread-safe against each other or against sampling: one thread at a time does them.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_basetime.h"
#include "c4d_string.h"
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
    String documentPath; // folder against which relative file names are resolved

    InitRenderStruct() = default;
    explicit InitRenderStruct(BaseDocument* d) { Init(d); }
    // Sets the record up for rendering doc (null: no document, no folder, time 0).
    void Init(BaseDocument* d);
};

class BaseShader {
public:
    virtual ~BaseShader() = default;

    // A new shader of a built-in kind (c4d_shader_kinds.h) with its default parameters, or
    // null for an unknown kind.
    static BaseShader* Alloc(Int32 type);
    // Frees a shader and clears the pointer; null is allowed.
    static void Free(BaseShader*& shader);

    Int32 GetType() const { return type_; }
    // The shader's parameters; edits take effect at the next InitRender.
    BaseContainer* GetDataInstance() { return &data_; }
    const BaseContainer* GetDataInstance() const { return &data_; }

    // A new shader of the same kind and parameters, not prepared for rendering.
    BaseShader* GetClone() const;

    // Prepares the shader for sampling. Anything but OK leaves it unprepared.
    virtual INITRENDERRESULT InitRender(const InitRenderStruct& irs) = 0;
    // Releases what InitRender prepared; harmless when nothing is prepared.
    virtual void FreeRender() {}
    // Colour at cd's texture position. Safe from many threads between InitRender and
    // FreeRender; an unprepared shader gives black.
    virtual Vector Sample(ChannelData* cd) const = 0;

protected:
    explicit BaseShader(Int32 type) : type_(type) {}

private:
    Int32 type_;
    BaseContainer data_;
};
