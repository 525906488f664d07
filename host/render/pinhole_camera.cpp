#include "pinhole_camera.h"

namespace host {

void PinholeRay(const Matrix64& worldFromCamera, double focalLengthMm, int width, int height,
                double x, double y, Ray& ray) {
    if (width <= 0 || height <= 0) {
        ray.p = ray.v = Vector64(); // no image, no sample
        return;
    }
    // Film millimetres per pixel; the film's centre lies on the view axis.
    const double mmPerPixel = pinholeApertureMm / double(width);
    const Vector64 cameraDir((x - 0.5 * double(width)) * mmPerPixel,
                             (0.5 * double(height) - y) * mmPerPixel, focalLengthMm);
    ray.p = worldFromCamera.offset;
    ray.v = worldFromCamera.TransformVector(cameraDir).GetNormalized();
}

} // namespace host
