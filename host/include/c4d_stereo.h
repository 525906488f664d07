// One camera of a multi-camera (stereo) render, as the render effect describes it to the host.
#pragma once

#include "c4d_string.h"
#include "ge_matrix.h"

struct StereoCameraInfo {
    Matrix m;         // the eye's global camera matrix
    Float offX = 0.0; // film offsets, fractions of the image width and height
    Float offY = 0.0;
    String strName; // the eye's index as text: "0", "1" or "2"
};
