// A plain description of what the host renderer traces for one frame: shapes with a colour and
// a world transform, one directional light with ambient, and the environment. The document's
// objects are converted into it once per frame; the tracer only reads it.
//
// World frame: left-handed, +Y up. A transform maps object space to world space; the shapes are
// centred on their object's origin.
#pragma once

#include "environment.h"

#include "ge_matrix.h"

#include <array>
#include <vector>

namespace host {

struct SceneSphere {
    Matrix64 transform;
    Vector32 color{0.8f, 0.8f, 0.8f};
    double radius = 100.0;
};

struct SceneBox {
    Matrix64 transform;
    Vector32 color{0.8f, 0.8f, 0.8f};
    Vector64 size{200.0, 200.0, 200.0}; // edge lengths along the object's X, Y and Z
};

// A rectangle in the object's XZ plane, facing +Y; seen from both sides.
struct ScenePlane {
    Matrix64 transform;
    Vector32 color{0.8f, 0.8f, 0.8f};
    double width = 400.0; // along object X
    double depth = 400.0; // along object Z
};

// Triangles over points in object space; seen from both sides, so winding does not matter.
struct SceneMesh {
    Matrix64 transform;
    Vector32 color{0.8f, 0.8f, 0.8f};
    std::vector<Vector64> points;
    std::vector<std::array<Int32, 3>> triangles; // indices into points
};

struct DirectionalLight {
    Vector64 direction{0.4, -0.75, 0.55}; // the way the light travels, world space
    Vector32 color{1.0f, 1.0f, 1.0f};     // black: no light
};

struct RenderScene {
    std::vector<SceneSphere> spheres;
    std::vector<SceneBox> boxes;
    std::vector<ScenePlane> planes;
    std::vector<SceneMesh> meshes;
    DirectionalLight light;
    Vector32 ambient{0.2f, 0.2f, 0.2f};
    Environment environment;
};

} // namespace host
