// A parameter's default as a plain table row, so each node's defaults are one list written in
// order by one loop.
#pragma once

#include "ge_types.h"
#include "ge_vector.h"

enum class ParamKind : Int32 { Bool, Int32, Float, Vector, String, Filename, Link, Time };

struct ParamDefault {
    Int32 id;
    ParamKind kind;
    Float number = 0;      // Bool (non-zero is true), Int32, Float
    Vector vector = {};    // Vector
    const char* text = ""; // String, Filename
};
