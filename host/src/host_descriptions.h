// Descriptions and kinds of the host's own node types (objects, render data, and what other
// host parts add, such as shaders): the symbols and value types scene files use for them.
// Host-internal.
#pragma once

#include "c4d_description.h"

#include <string>
#include <vector>

class BaseList2D;

namespace host {

// The description of a host node type, or null.
const Description* FindHostDescription(Int32 type);
// Adds or replaces the description of a host node type.
void AddHostDescription(Int32 type, Description description);

// A kind of shader the host can make by name or type (scene files list shaders by kind).
struct ShaderKind {
    Int32 type = 0;
    std::string name; // e.g. "bitmap"
    BaseList2D* (*alloc)() = nullptr;
};
// False when the type or name is taken.
bool AddShaderKind(ShaderKind kind);
const ShaderKind* FindShaderKind(Int32 type);
const ShaderKind* FindShaderKind(const std::string& name);

// The host's object types by name ("camera", "sphere", ...).
struct ObjectKind {
    Int32 type;
    const char* name;
};
const std::vector<ObjectKind>& ObjectKinds();

} // namespace host
