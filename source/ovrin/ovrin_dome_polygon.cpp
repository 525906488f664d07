#include "ovrin_dome_polygon.h"

#include <algorithm>
#include <cmath>

namespace {

// Point of the sphere of radius r at latitude phi and longitude lambda.
Vector spherePoint(Float r, Float phi, Float lambda) {
    return {r * std::cos(phi) * std::cos(lambda), r * std::cos(phi) * std::sin(lambda),
            r * std::sin(phi)};
}

#if OVRIN_EDITION < 20
// Point of the cylinder of radius r about z at longitude lambda and height z.
Vector cylinderPoint(Float r, Float lambda, Float z) {
    return {r * std::cos(lambda), r * std::sin(lambda), z};
}
#endif

// The longitude range of a coverage fieldOfView wide, centred on −π/2.
struct LongitudeRange {
    Float first, last;
};
LongitudeRange longitudes(Float fieldOfView) {
    return {-PI05 - fieldOfView / 2, fieldOfView / 2 - PI05};
}

} // namespace

std::vector<Float> OvrinDomePolygon::steps(Float start, Float end, Float step) {
    std::vector<Float> values;
    if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(step) || step <= 0 ||
        end < start || (end - start) / step > maxStepCount)
        return values;

    values.push_back(start);
    Float x = start;
    while (x < end) {
        Float next;
        if (x == start) {
            const Float r = std::fabs(std::fmod(x, step));
            if (r < 0.001)
                next = x + step;
            else
                next = x < 0 ? x + r : x + (step - r);
        } else {
            next = x + step;
        }
        next = std::min(next, end);
        // Where x is too large for the step to register, finish the range instead of stalling.
        if (next <= x)
            next = end;
        values.push_back(next);
        x = next;
    }
    return values;
}

void OvrinDomePolygon::addLines(const std::vector<Vector>& polyline) {
    for (size_t i = 1; i < polyline.size(); ++i) {
        if (polyline[i - 1] == polyline[i])
            continue;
        lines.push_back(polyline[i - 1]);
        lines.push_back(polyline[i]);
    }
}

void OvrinDomePolygon::addMeshQuad(const std::array<Vector, 4>& corners, const Vector& color,
                                   Bool flat) {
    for (const Vector& c : corners) {
        Vector normal = c;
        if (flat)
            normal.z = 0;
        quadPoints.push_back(c);
        quadColors.push_back(color);
        quadNormals.push_back(normal.GetNormalized());
    }
}

void OvrinDomePolygon::clear() {
    lines.clear();
    quadPoints.clear();
    quadColors.clear();
    quadNormals.clear();
}

void OvrinDomePolygon::makeSphere(Float r, Float w, Float phi0, Float phi1, const Vector& color,
                                  Bool flat) {
    if (sphereCached && r == radius && w == fieldOfView && phi0 == latitudeMin &&
        phi1 == latitudeMax)
        return;

    clear();
    radius = r;
    fieldOfView = w;
    latitudeMin = phi0;
    latitudeMax = phi1;
    flatNormals = flat;
    built = true;
    sphereCached = true;
    if (w == 0 || phi0 >= phi1)
        return;

    const auto [lambda0, lambda1] = longitudes(w);
    const std::vector<Float> latitudes = steps(phi0, phi1, meshStep);
    const std::vector<Float> meshLongitudes = steps(lambda0, lambda1, meshStep);
    std::vector<Vector> polyline;

    // Meridians.
    for (const Float lambda : steps(lambda0, lambda1, wireStep)) {
        polyline.clear();
        for (const Float phi : latitudes)
            polyline.push_back(spherePoint(r, phi, lambda));
        addLines(polyline);
    }

    // Rims, except at a pole where they would shrink to a point.
    auto addRim = [&](Float phi) {
        polyline.clear();
        for (const Float lambda : meshLongitudes)
            polyline.push_back(spherePoint(r, phi, lambda));
        addLines(polyline);
    };
    if (phi1 < PI05)
        addRim(phi1);
    if (phi0 > -PI05)
        addRim(phi0);

    // Skin, one quad per cell of the latitude × longitude grid; normals radial.
    if (lambda1 > lambda0) {
        for (size_t i = 1; i < latitudes.size(); ++i) {
            for (size_t j = 1; j < meshLongitudes.size(); ++j) {
                const Float phiA = latitudes[i - 1], phiB = latitudes[i];
                const Float lambdaA = meshLongitudes[j - 1], lambdaB = meshLongitudes[j];
                addMeshQuad({spherePoint(r, phiA, lambdaA), spherePoint(r, phiA, lambdaB),
                             spherePoint(r, phiB, lambdaB), spherePoint(r, phiB, lambdaA)},
                            color, false);
            }
        }
    }
}

#if OVRIN_EDITION < 20
void OvrinDomePolygon::makeCylinder(Float r, Float w, Float height, const Vector& color) {
    clear();
    radius = r;
    fieldOfView = w;
    built = true;
    sphereCached = false;
    if (w == 0 || height == 0)
        return;

    const Float h2 = height / 2;
    const auto [lambda0, lambda1] = longitudes(w);
    const std::vector<Float> meshLongitudes = steps(lambda0, lambda1, meshStep);

    // Vertical lines.
    for (const Float lambda : steps(lambda0, lambda1, wireStep))
        addLines({cylinderPoint(r, lambda, -h2), cylinderPoint(r, lambda, h2)});

    // Bottom and top rim; none for a negative height.
    std::vector<Vector> polyline;
    for (Float z = -h2; z <= h2; z += height) {
        polyline.clear();
        for (const Float lambda : meshLongitudes)
            polyline.push_back(cylinderPoint(r, lambda, z));
        addLines(polyline);
    }

    // Band, normals horizontal.
    if (lambda1 > lambda0) {
        for (size_t j = 1; j < meshLongitudes.size(); ++j) {
            const Float lambdaA = meshLongitudes[j - 1], lambdaB = meshLongitudes[j];
            addMeshQuad({cylinderPoint(r, lambdaA, -h2), cylinderPoint(r, lambdaB, -h2),
                         cylinderPoint(r, lambdaB, h2), cylinderPoint(r, lambdaA, h2)},
                        color, true);
        }
    }
}
#endif
