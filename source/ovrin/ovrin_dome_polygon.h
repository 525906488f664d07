// The viewport preview's surface: the zone of a sphere (dome, panorama) or the band of a cylinder
// the lens projects onto, as line segments for the wireframe and quads with per-corner colours
// and normals for the skin. Built in the mesh's own frame, centred on longitude −π/2.
#pragma once

#include "ge_vector.h"

#include <array>
#include <vector>

class OvrinDomePolygon {
public:
    // Sphere of radius over longitudes −π/2 ± fieldOfView/2 and latitudes latitudeMin..latitudeMax
    // (from the x-y plane toward +z). Kept as long as the four numbers stay the same; colour and
    // flatNormals do not count (the sphere's normals are always radial).
    void makeSphere(Float radius, Float fieldOfView, Float latitudeMin, Float latitudeMax,
                    const Vector& color, Bool flatNormals);
#if OVRIN_EDITION < 20
    // Band of a cylinder about z, height high and centred on z = 0; normals horizontal. Always
    // rebuilt.
    void makeCylinder(Float radius, Float fieldOfView, Float height, const Vector& color);
#endif

    // Appends the segments between neighbouring points of polyline, skipping repeated points.
    void addLines(const std::vector<Vector>& polyline);
    // Appends one quad: its corners, color for each, and each corner's direction from the origin
    // as normal (made horizontal first when flatNormals is set).
    void addMeshQuad(const std::array<Vector, 4>& corners, const Vector& color, Bool flatNormals);

    // Curve and grid parameters from start to end: start, then the whole multiples of step
    // (counted from 0) above it, then end exactly. A start within 0.001 of a multiple steps a
    // full step first. Empty when end < start, for non-finite input, for a step that is not
    // positive, and for ranges of more than maxStepCount steps; just start when end = start.
    static std::vector<Float> steps(Float start, Float end, Float step);
    static constexpr Int32 maxStepCount = 4096;

    // Arguments of the last build.
    Float radius = 0;
    Float fieldOfView = 0;
    Float latitudeMin = 0; // of the last sphere build
    Float latitudeMax = 0;
    Bool flatNormals = false;
    Bool built = false;

    std::vector<Vector> lines;       // two entries per segment
    std::vector<Vector> quadPoints;  // four corners per quad
    std::vector<Vector> quadColors;  // parallel to quadPoints
    std::vector<Vector> quadNormals; // parallel to quadPoints

    // 45° and 10° from the single-precision degree: slightly short of the exact angles, so a full
    // turn ends with one extra, tiny step.
    static constexpr Float wireStep = 45.0 * Float(Float32(PI / 180.0));
    static constexpr Float meshStep = 10.0 * Float(Float32(PI / 180.0));

private:
    void clear();

    // The lists hold the sphere of the stored four numbers (not a cylinder).
    Bool sphereCached = false;
};
