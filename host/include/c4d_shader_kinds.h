// The host's built-in shader kinds and their parameters (ids of the shader's container).
#pragma once

#include "ge_types.h"

enum : Int32 {
    Xcolor = 5832,
    Xbitmap = 5833,
    Xgradient = 1011100,
};

// Xbitmap: an image file sampled bilinearly, tiled when TEX_TILE is set.
enum : Int32 {
    BITMAPSHADER_FILENAME = 1000, // Filename: absolute, or relative to the document's folder
};

// Xcolor: one colour everywhere.
enum : Int32 {
    COLORSHADER_COLOR = 1000, // Vector, default (1, 1, 1)
};

// Xgradient: a linear blend from one colour to another along u or v, constant beyond 0..1.
enum : Int32 {
    GRADIENTSHADER_COLOR_START = 1000, // Vector at 0, default (0, 0, 0)
    GRADIENTSHADER_COLOR_END = 1001,   // Vector at 1, default (1, 1, 1)
    GRADIENTSHADER_DIRECTION = 1002,   // Int32: GRADIENTSHADER_DIRECTION_U (default) or _V
    GRADIENTSHADER_DIRECTION_U = 0,
    GRADIENTSHADER_DIRECTION_V = 1,
};
