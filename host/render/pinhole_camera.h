// The camera's ordinary pinhole lens, used when no render effect takes over the rays.
#pragma once

#include "c4d_ray.h"
#include "ge_matrix.h"

namespace host {

// Width of the film the focal length refers to (a 35 mm still frame), in millimetres.
inline constexpr double pinholeApertureMm = 36.0;

// Fills ray for image position (x, y) (pixels, x right, y down) of a width × height image,
// seen through a pinhole camera at worldFromCamera's origin looking along its +Z with +Y up:
// the 36 mm aperture spans the image width, pixels are square. The direction has unit length;
// an empty image gives no sample.
void PinholeRay(const Matrix64& worldFromCamera, double focalLengthMm, int width, int height,
                double x, double y, Ray& ray);

} // namespace host
