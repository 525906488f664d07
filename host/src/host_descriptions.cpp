#include "host_descriptions.h"

#include "c4d_baseobject.h"
#include "c4d_renderdata.h"

#include <map>

namespace host {
namespace {

struct Param {
    Int32 id;
    const char* symbol;
    Int32 dtype;
};

Description make(const char* name, std::initializer_list<Param> params) {
    std::vector<Description::Entry> entries;
    for (const Param& p : params) {
        Description::Entry e;
        e.id = DescID(DescLevel(p.id, p.dtype, 0));
        e.dtype = p.dtype;
        e.symbol = p.symbol;
        e.properties.SetString(DESC_NAME, p.symbol);
        entries.push_back(std::move(e));
    }
    Description d;
    d.Set(name, std::move(entries));
    return d;
}

std::map<Int32, Description> builtIn() {
    std::map<Int32, Description> m;
    m[Ocamera] = make(
        "Ocamera", {{CAMERA_FOCUS, "CAMERA_FOCUS", DTYPE_REAL},
                    {CAMERA_APERTURE, "CAMERA_APERTURE", DTYPE_REAL},
                    {CAMERA_DRAW_VIEW_CONE, "CAMERA_DRAW_VIEW_CONE", DTYPE_BOOL},
                    {CAMERA_STEREO_MODE, "CAMERA_STEREO_MODE", DTYPE_LONG},
                    {CAMERA_STEREO_EYE_SEPARATION, "CAMERA_STEREO_EYE_SEPARATION", DTYPE_REAL},
                    {CAMERA_STEREO_CONVERGENCE_MODE, "CAMERA_STEREO_CONVERGENCE_MODE", DTYPE_LONG},
                    {CAMERA_STEREO_SHOW_EYES, "CAMERA_STEREO_SHOW_EYES", DTYPE_BOOL},
                    {CAMERA_STEREO_SHOW_PLANE, "CAMERA_STEREO_SHOW_PLANE", DTYPE_BOOL},
                    {CAMERA_STEREO_ZERO_PARALLAX, "CAMERA_STEREO_ZERO_PARALLAX", DTYPE_REAL}});
    m[Onull] = make("Onull", {});
    m[Olight] = make("Olight", {{LIGHT_COLOR, "LIGHT_COLOR", DTYPE_VECTOR}});
    m[Ocube] = make("Ocube", {{OBJECT_COLOR, "OBJECT_COLOR", DTYPE_VECTOR},
                              {PRIM_CUBE_SIZE, "PRIM_CUBE_SIZE", DTYPE_VECTOR}});
    m[Osphere] = make("Osphere", {{OBJECT_COLOR, "OBJECT_COLOR", DTYPE_VECTOR},
                                  {PRIM_SPHERE_RADIUS, "PRIM_SPHERE_RADIUS", DTYPE_REAL}});
    m[Oplane] = make("Oplane", {{OBJECT_COLOR, "OBJECT_COLOR", DTYPE_VECTOR},
                                {PRIM_PLANE_WIDTH, "PRIM_PLANE_WIDTH", DTYPE_REAL},
                                {PRIM_PLANE_DEPTH, "PRIM_PLANE_DEPTH", DTYPE_REAL}});
    m[Rbase] = make("Rbase", {{RENDERDATA_WIDTH, "RENDERDATA_WIDTH", DTYPE_REAL},
                              {RENDERDATA_HEIGHT, "RENDERDATA_HEIGHT", DTYPE_REAL},
                              {RENDERDATA_FRAMERATE, "RENDERDATA_FRAMERATE", DTYPE_REAL},
                              {RENDERDATA_ALPHACHANNEL, "RENDERDATA_ALPHACHANNEL", DTYPE_BOOL},
                              {RENDERDATA_STEREO, "RENDERDATA_STEREO", DTYPE_BOOL}});
    return m;
}

std::map<Int32, Description>& descriptions() {
    static std::map<Int32, Description> m = builtIn();
    return m;
}

std::vector<ShaderKind>& shaderKinds() {
    static std::vector<ShaderKind> kinds;
    return kinds;
}

} // namespace

const Description* FindHostDescription(Int32 type) {
    const auto it = descriptions().find(type);
    return it != descriptions().end() ? &it->second : nullptr;
}

void AddHostDescription(Int32 type, Description description) {
    descriptions()[type] = std::move(description);
}

bool AddShaderKind(ShaderKind kind) {
    if (!kind.alloc || kind.name.empty() || FindShaderKind(kind.type) || FindShaderKind(kind.name))
        return false;
    shaderKinds().push_back(std::move(kind));
    return true;
}

const ShaderKind* FindShaderKind(Int32 type) {
    for (const ShaderKind& k : shaderKinds()) {
        if (k.type == type)
            return &k;
    }
    return nullptr;
}

const ShaderKind* FindShaderKind(const std::string& name) {
    for (const ShaderKind& k : shaderKinds()) {
        if (k.name == name)
            return &k;
    }
    return nullptr;
}

const std::vector<ObjectKind>& ObjectKinds() {
    static const std::vector<ObjectKind> kinds = {{Onull, "null"},     {Ocamera, "camera"},
                                                  {Olight, "light"},   {Ocube, "cube"},
                                                  {Osphere, "sphere"}, {Oplane, "plane"}};
    return kinds;
}

} // namespace host
