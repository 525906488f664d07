// A parameter's default as a plain table row, so each node's defaults are one list written in
// order by one loop.
#pragma once

#include "ge_types.h"
#include "ge_vector.h"

#include <cstddef>

enum class ParamKind : Int32 { Bool, Int32, Float, Vector, String, Filename, Link, Time };

struct ParamDefault {
    Int32 id;
    ParamKind kind;
    Float number = 0;      // Bool (non-zero is true), Int32, Float
    Vector vector = {};    // Vector
    const char* text = ""; // String, Filename
};

class BaseContainer;
class GeData;

// The row's value as a parameter value.
GeData DefaultValue(const ParamDefault& row);

void WriteDefault(BaseContainer& bc, const ParamDefault& row);

// Writes every row into bc, in the order given.
template <size_t N> void WriteDefaults(BaseContainer& bc, const ParamDefault (&rows)[N]) {
    for (const ParamDefault& row : rows)
        WriteDefault(bc, row);
}
