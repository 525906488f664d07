// The lens: image position → camera-space direction → world ray, for every projection.
#include "Ovrin360CamVP.h"

#include "ovrin/ovrin_geometry.h"
#include "ovrin/ovrin_stereo.h"
#include "ovrin/ovrin_stereo_map.h"

namespace {

// One orientation stage: mirror, then turn the unit square by a multiple of 90°.
void orient(Vector64& position, const ViewCell& view) {
    const Float h = view.flipX ? 1.0 - position.x : position.x;
    const Float g = view.flipY ? 1.0 - position.y : position.y;
    switch (view.rotation) {
    case 90:
        position = Vector64(g, 1.0 - h, 0);
        break;
    case 180:
        position = Vector64(1.0 - h, 1.0 - g, 0);
        break;
    case 270:
        position = Vector64(1.0 - g, h, 0);
        break;
    default:
        position.x = h;
        position.y = g;
        break;
    }
}

// Direction through (u, v) of cube face f, in the dome-space frame (before the quarter turn).
Vector64 cubeFacePoint(Int32 f, Float u, Float v) {
    switch (f) {
    case 0:
        return {-1.0, 1.0 - 2.0 * u, 1.0 - 2.0 * v}; // left
    case 1:
        return {1.0, 2.0 * u - 1.0, 1.0 - 2.0 * v}; // right
    case 2:
        return {2.0 * u - 1.0, 2.0 * v - 1.0, -1.0}; // down
    case 3:
        return {2.0 * u - 1.0, 1.0 - 2.0 * v, 1.0}; // up
    case 4:
        return {1.0 - 2.0 * u, 1.0, 1.0 - 2.0 * v}; // back
    case 5:
        return {2.0 * u - 1.0, -1.0, 1.0 - 2.0 * v}; // front
    default:
        return {0, 0, 0};
    }
}

} // namespace

Bool Ovrin360CamVP::SetRenderArea(const Area& area) {
    renderArea = area;
    pixelSize = Vector64(Float(1.0f / Float32(area.width)), Float(1.0f / Float32(area.height)), 0);
    return IsLensAreaUsable(area);
}

void Ovrin360CamVP::SetPanoramaRanges(Float fov, Float latitudeMin, Float latitudeMax) {
    const Float t = ofMap(fov, 0, PI2, 0, 1, false);
    longitudeStart = (1.0 - t) / 2.0;
    longitudeEnd = longitudeStart + t;
    latitudeStart = ofMap(latitudeMin, -PI05, PI05, 0, 1, false);
    latitudeEnd = ofMap(latitudeMax, -PI05, PI05, 0, 1, false);
}

Vector64 Ovrin360CamVP::CreateRay(Vector64& position) const {
    const Float marginU = pixelSize.x * overscanPixels;
    const Float marginV = pixelSize.y * overscanPixels;
    if (position.x < -marginU || position.x > 1.0 + marginU || position.y < -marginV ||
        position.y > 1.0 + marginV)
        return {0, 0, 0};

    if (eyeShiftPixels != 0 && stereoActive) {
        Float u =
            position.x + pixelSize.x * eyeShiftPixels * (currentEye.channel == 0 ? -0.5 : 0.5);
        if (u < 0)
            u += 1.0;
        else if (u > 1)
            u -= 1.0;
        position.x = u;
    }

    orient(position, currentFace);
    orient(position, currentEye);

    if (isFulldome) {
        const Vector64 d = texelToDome(position, fieldOfView, domeMaskMode != 2);
        return stereoActive && domeAxisUp ? quarterTurnX.TransformVector(d) : d;
    }
    if (isPanorama) {
        if (partialPanorama) {
            position.x = ofMap(position.x, 0, 1, longitudeStart, longitudeEnd, false);
            position.y = 1.0 - ofMap(1.0 - position.y, 0, 1, latitudeStart, latitudeEnd, false);
        }
        return quarterTurnX.TransformVector(geoToDome(position));
    }
    if (isCylindrical) {
        Vector64 geo;
        if (cylinderVertical) {
            const Float lat =
                ofMap(position.y, 0, 1, 2.0 * longitudeStart, 2.0 * longitudeEnd, false) - 0.5;
            position.y = lat;
            geo = Vector64(0.5, lat, 0);
        } else {
            const Float lon = ofMap(position.x, 0, 1, longitudeStart, longitudeEnd, false);
            position.x = lon;
            geo = Vector64(lon, 0.5, 0);
        }
        return quarterTurnX.TransformVector(geoToDome(geo));
    }
    if (isCubemap) {
        Vector64 p = cubeFacePoint(currentFace.channel, position.x, position.y);
        const Float len = p.GetLength();
        if (len != 0.0)
            p = p / len;
        return quarterTurnX.TransformVector(p);
    }
    return {0, 0, 0};
}

void Ovrin360CamVP::CreateRay(Ray* ray, Float x, Float y) {
    if (!lensActive)
        return;
    // Under 2 × 2 pixels the position below would divide by zero: such an area has no rays.
    if (renderArea.width < 2 || renderArea.height < 2) {
        ray->p = ray->v = Vector64(0, 0, 0);
        return;
    }
    Vector64 position((x - renderArea.start.x) / (renderArea.width - 1),
                      (y - renderArea.start.y) / (renderArea.height - 1), 0);
    const Vector64 dir = CreateRay(position);
    if (dir.IsZero()) {
        ray->p = ray->v = Vector64(0, 0, 0);
        return;
    }

    // The cylinder's band of origins, from the coordinates the lens left behind (so it follows
    // the flips and rotations).
    Vector64 o(0, 0, 0);
    if (isCylindrical) {
        const Float half = cylinderHeight / 2;
        if (cylinderVertical)
            o.x = ofMap(position.x, 0, 1, -half, half, false);
        else
            o.y = ofMap(position.y, 0, 1, half, -half, false);
    }

    const Matrix64 frame = RayFrame(dir);
    ray->p = frame * o;
    ray->v = frame.TransformVector(dir);
}

Matrix64 Ovrin360CamVP::RayFrame(const Vector64& dir) const {
    if (!stereoActive)
        return camera ? camera->GetMg() : Matrix64();
    const Float separation = SampleSeparationMap(tagData, dir, separationShader);
    Vector64 convergencePoint, toeInAxis; // only the viewport's guide uses them
    return GetStereoCamMatrix(camera, currentEye.info, dir, stereoAxis, domeAxisUp,
                              convergenceDistance, eyeSeparation, separation, convergencePoint,
                              toeInAxis);
}
