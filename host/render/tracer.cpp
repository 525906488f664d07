#include "tracer.h"

#include <embree3/rtcore.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <mutex>

namespace host {

namespace {

constexpr float infinity = std::numeric_limits<float>::infinity();

// Inverse of an affine matrix; false when it is singular.
bool Invert(const Matrix64& m, Matrix64& out) {
    const Vector64 &a = m.axisX, &b = m.axisY, &c = m.axisZ;
    const Vector64 bc = Cross(b, c), ca = Cross(c, a), ab = Cross(a, b);
    const double det = Dot(a, bc);
    if (!(std::abs(det) > 1e-300) || !std::isfinite(det))
        return false;
    // The rows of the inverse are the cross products over the determinant; stored by columns.
    const double s = 1.0 / det;
    out.axisX = Vector64(bc.x, ca.x, ab.x) * s;
    out.axisY = Vector64(bc.y, ca.y, ab.y) * s;
    out.axisZ = Vector64(bc.z, ca.z, ab.z) * s;
    out.offset = -out.TransformVector(m.offset);
    return true;
}

// A sphere as a unit sphere under a transform, intersected analytically (an Embree user
// geometry), so scaled and squashed spheres come out exact.
struct SphereShape {
    Matrix64 worldFromUnit;
    Matrix64 unitFromWorld;
    // Set once the matrices are written. Embree asks for bounds on oneTBB's worker threads,
    // whose hand-over ThreadSanitizer cannot see; this release/acquire pair it can.
    std::atomic<bool> ready{false};

    // Nearest hit with t in (tnear, tfar): its t and world-space normal (not unit length).
    bool Intersect(const Vector64& org, const Vector64& dir, double tnear, double tfar, double& t,
                   Vector64& normal) const {
        const Vector64 o = unitFromWorld * org;
        const Vector64 d = unitFromWorld.TransformVector(dir);
        const double a = Dot(d, d), b = Dot(o, d), c = Dot(o, o) - 1.0;
        const double disc = b * b - a * c;
        if (!(disc >= 0.0) || a == 0.0)
            return false;
        const double root = std::sqrt(disc);
        t = (-b - root) / a;
        if (!(t > tnear && t < tfar)) {
            t = (-b + root) / a;
            if (!(t > tnear && t < tfar))
                return false;
        }
        // Normals go to world space through the inverse transpose.
        const Vector64 n = o + d * t;
        normal = {Dot(unitFromWorld.axisX, n), Dot(unitFromWorld.axisY, n),
                  Dot(unitFromWorld.axisZ, n)};
        return true;
    }
};

void SphereBounds(const RTCBoundsFunctionArguments* args) {
    const auto* s = static_cast<const SphereShape*>(args->geometryUserPtr);
    (void)s->ready.load(std::memory_order_acquire);
    Vector64 lo(std::numeric_limits<double>::infinity()), hi(-lo.x);
    for (int corner = 0; corner < 8; ++corner) {
        const Vector64 p = s->worldFromUnit *
                           Vector64(corner & 1 ? 1 : -1, corner & 2 ? 1 : -1, corner & 4 ? 1 : -1);
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    RTCBounds* b = args->bounds_o;
    b->lower_x = std::nextafter(float(lo.x), -infinity);
    b->lower_y = std::nextafter(float(lo.y), -infinity);
    b->lower_z = std::nextafter(float(lo.z), -infinity);
    b->upper_x = std::nextafter(float(hi.x), infinity);
    b->upper_y = std::nextafter(float(hi.y), infinity);
    b->upper_z = std::nextafter(float(hi.z), infinity);
}

Vector64 RayOrigin(RTCRayN* ray, unsigned n, unsigned i) {
    return {RTCRayN_org_x(ray, n, i), RTCRayN_org_y(ray, n, i), RTCRayN_org_z(ray, n, i)};
}
Vector64 RayDirection(RTCRayN* ray, unsigned n, unsigned i) {
    return {RTCRayN_dir_x(ray, n, i), RTCRayN_dir_y(ray, n, i), RTCRayN_dir_z(ray, n, i)};
}

void SphereIntersect(const RTCIntersectFunctionNArguments* args) {
    const auto* s = static_cast<const SphereShape*>(args->geometryUserPtr);
    const unsigned n = args->N;
    RTCRayN* ray = RTCRayHitN_RayN(args->rayhit, n);
    RTCHitN* hit = RTCRayHitN_HitN(args->rayhit, n);
    for (unsigned i = 0; i < n; ++i) {
        if (args->valid[i] != -1)
            continue;
        double t;
        Vector64 normal;
        if (!s->Intersect(RayOrigin(ray, n, i), RayDirection(ray, n, i), RTCRayN_tnear(ray, n, i),
                          RTCRayN_tfar(ray, n, i), t, normal))
            continue;
        RTCRayN_tfar(ray, n, i) = float(t);
        RTCHitN_Ng_x(hit, n, i) = float(normal.x);
        RTCHitN_Ng_y(hit, n, i) = float(normal.y);
        RTCHitN_Ng_z(hit, n, i) = float(normal.z);
        RTCHitN_u(hit, n, i) = 0.0f;
        RTCHitN_v(hit, n, i) = 0.0f;
        RTCHitN_primID(hit, n, i) = args->primID;
        RTCHitN_geomID(hit, n, i) = args->geomID;
        RTCHitN_instID(hit, n, i, 0) = args->context->instID[0];
    }
}

void SphereOccluded(const RTCOccludedFunctionNArguments* args) {
    const auto* s = static_cast<const SphereShape*>(args->geometryUserPtr);
    const unsigned n = args->N;
    for (unsigned i = 0; i < n; ++i) {
        if (args->valid[i] != -1)
            continue;
        double t;
        Vector64 normal;
        if (s->Intersect(RayOrigin(args->ray, n, i), RayDirection(args->ray, n, i),
                         RTCRayN_tnear(args->ray, n, i), RTCRayN_tfar(args->ray, n, i), t, normal))
            RTCRayN_tfar(args->ray, n, i) = -infinity; // Embree's mark for "occluded"
    }
}

// Corners and triangles of the shapes that are triangle meshes, in object space.
struct LocalMesh {
    std::vector<Vector64> points;
    std::vector<std::array<Int32, 3>> triangles;
};

LocalMesh BoxMesh(const Vector64& size) {
    const Vector64 h = size * 0.5;
    LocalMesh m;
    for (int corner = 0; corner < 8; ++corner)
        m.points.push_back(
            {corner & 1 ? h.x : -h.x, corner & 2 ? h.y : -h.y, corner & 4 ? h.z : -h.z});
    // Two triangles per face; corner index bits are x, y, z.
    m.triangles = {{0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                   {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}};
    return m;
}

LocalMesh PlaneMesh(double width, double depth) {
    const double x = width * 0.5, z = depth * 0.5;
    return {{{-x, 0, -z}, {x, 0, -z}, {x, 0, z}, {-x, 0, z}}, {{{0, 1, 2}}, {{0, 2, 3}}}};
}

bool IsBlack(const Vector32& c) {
    return !(c.x > 0.0f || c.y > 0.0f || c.z > 0.0f);
}

} // namespace

struct Tracer::Impl {
    RTCDevice device = nullptr;
    RTCScene scene = nullptr; // null when there is nothing to hit
    std::mutex errorLock;     // Embree may report from its build threads
    std::string deviceError;  // the last message of Embree's error callback

    std::vector<Vector32> colors;                // by Embree geometry id
    std::unique_ptr<SphereShape[]> sphereShapes; // the user data of the sphere geometries
    Vector32 lightColor{0, 0, 0};
    Vector32 ambient{0, 0, 0};
    bool hasLight = false;

    ~Impl() {
        ReleaseScene();
        if (device)
            rtcReleaseDevice(device);
    }

    void ReleaseScene() {
        if (scene)
            rtcReleaseScene(scene);
        scene = nullptr;
        colors.clear();
        sphereShapes.reset();
    }

    bool EnsureDevice(std::string& error) {
        if (device)
            return true;
        device = rtcNewDevice(nullptr);
        if (!device) {
            error = "cannot start the ray tracer (Embree error " +
                    std::to_string(int(rtcGetDeviceError(nullptr))) + ")";
            return false;
        }
        rtcSetDeviceErrorFunction(
            device,
            [](void* user, RTCError, const char* message) {
                Impl& im = *static_cast<Impl*>(user);
                std::lock_guard<std::mutex> lock(im.errorLock);
                im.deviceError = message ? message : "unknown error";
            },
            this);
        return true;
    }

    // The message Embree reported since the last call, cleared.
    std::string TakeDeviceError() {
        std::lock_guard<std::mutex> lock(errorLock);
        std::string message;
        message.swap(deviceError);
        return message;
    }

    void AttachTriangles(const std::vector<Vector64>& points,
                         const std::vector<std::array<Int32, 3>>& triangles,
                         const Matrix64& worldFromObject, const Vector32& color) {
        RTCGeometry g = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_TRIANGLE);
        auto* vertices = static_cast<float*>(rtcSetNewGeometryBuffer(
            g, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3, 3 * sizeof(float), points.size()));
        auto* indices = static_cast<unsigned*>(rtcSetNewGeometryBuffer(
            g, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3, 3 * sizeof(unsigned), triangles.size()));
        if (vertices && indices) {
            for (size_t i = 0; i < points.size(); ++i) {
                const Vector64 p = worldFromObject * points[i];
                vertices[3 * i] = float(p.x);
                vertices[3 * i + 1] = float(p.y);
                vertices[3 * i + 2] = float(p.z);
            }
            for (size_t i = 0; i < triangles.size(); ++i)
                for (int k = 0; k < 3; ++k)
                    indices[3 * i + size_t(k)] = unsigned(triangles[i][size_t(k)]);
        }
        Attach(g, color);
    }

    void Attach(RTCGeometry g, const Vector32& color) {
        rtcCommitGeometry(g);
        rtcAttachGeometryByID(scene, g, unsigned(colors.size()));
        rtcReleaseGeometry(g);
        colors.push_back(color);
    }
};

namespace {

bool CheckMeshes(const RenderScene& scene, std::string& error) {
    for (size_t m = 0; m < scene.meshes.size(); ++m) {
        const SceneMesh& mesh = scene.meshes[m];
        for (const auto& tri : mesh.triangles)
            for (Int32 index : tri)
                if (index < 0 || size_t(index) >= mesh.points.size()) {
                    error = "mesh " + std::to_string(m) + " refers to point " +
                            std::to_string(index) + " but has " +
                            std::to_string(mesh.points.size()) + " points";
                    return false;
                }
    }
    return true;
}

} // namespace

Tracer::Tracer() : impl_(std::make_unique<Impl>()) {}
Tracer::~Tracer() = default;

bool Tracer::Build(const RenderScene& scene, std::string& error) {
    Impl& im = *impl_;
    im.ReleaseScene();
    hasGeometry_ = false;
    environment_ = Environment{};
    toLight_ = {0, 1, 0};
    im.hasLight = false;
    if (scene.environment.image &&
        (scene.environment.image->width <= 0 || scene.environment.image->height <= 0 ||
         scene.environment.image->rgba.size() != size_t(scene.environment.image->width) *
                                                     size_t(scene.environment.image->height) * 4)) {
        error = "the environment image has no pixels";
        return false;
    }
    if (!CheckMeshes(scene, error))
        return false;

    environment_ = scene.environment;
    im.ambient = scene.ambient;
    const Vector64 toLight = -scene.light.direction.GetNormalized();
    const bool lightUsable = !toLight.IsZero() && std::isfinite(Dot(toLight, toLight));
    if (lightUsable)
        toLight_ = toLight;
    im.lightColor = scene.light.color;
    im.hasLight = lightUsable && !IsBlack(scene.light.color);

    const size_t shapeCount =
        scene.spheres.size() + scene.boxes.size() + scene.planes.size() + scene.meshes.size();
    if (shapeCount == 0)
        return true; // rays see the environment only; no Embree scene needed
    if (!im.EnsureDevice(error))
        return false;

    im.TakeDeviceError();
    im.scene = rtcNewScene(im.device);
    rtcSetSceneFlags(im.scene, RTC_SCENE_FLAG_ROBUST);
    im.colors.reserve(shapeCount);

    im.sphereShapes = std::make_unique<SphereShape[]>(scene.spheres.size());
    for (size_t i = 0; i < scene.spheres.size(); ++i) {
        const SceneSphere& s = scene.spheres[i];
        SphereShape& shape = im.sphereShapes[i];
        const Matrix64 scale({0, 0, 0}, {s.radius, 0, 0}, {0, s.radius, 0}, {0, 0, s.radius});
        shape.worldFromUnit = s.transform * scale;
        if (!(s.radius > 0.0) || !Invert(shape.worldFromUnit, shape.unitFromWorld))
            continue; // no volume, nothing to see
        shape.ready.store(true, std::memory_order_release);
        RTCGeometry g = rtcNewGeometry(im.device, RTC_GEOMETRY_TYPE_USER);
        rtcSetGeometryUserPrimitiveCount(g, 1);
        rtcSetGeometryUserData(g, &shape);
        rtcSetGeometryBoundsFunction(g, SphereBounds, nullptr);
        rtcSetGeometryIntersectFunction(g, SphereIntersect);
        rtcSetGeometryOccludedFunction(g, SphereOccluded);
        im.Attach(g, s.color);
    }
    for (const SceneBox& b : scene.boxes) {
        const LocalMesh box = BoxMesh(b.size);
        im.AttachTriangles(box.points, box.triangles, b.transform, b.color);
    }
    for (const ScenePlane& p : scene.planes) {
        const LocalMesh plane = PlaneMesh(p.width, p.depth);
        im.AttachTriangles(plane.points, plane.triangles, p.transform, p.color);
    }
    for (const SceneMesh& m : scene.meshes)
        if (!m.triangles.empty())
            im.AttachTriangles(m.points, m.triangles, m.transform, m.color);

    rtcCommitScene(im.scene);
    const std::string message = im.TakeDeviceError();
    if (rtcGetDeviceError(im.device) != RTC_ERROR_NONE || !message.empty()) {
        error = "cannot build the scene for ray tracing: " +
                (message.empty() ? std::string("Embree failed") : message);
        im.ReleaseScene();
        environment_ = Environment{};
        return false;
    }
    hasGeometry_ = true;
    return true;
}

Rgba Tracer::TraceGeometry(const Vector64& origin, const Vector64& dir) const {
    const Impl& im = *impl_;
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    RTCRayHit rh;
    rh.ray.org_x = float(origin.x);
    rh.ray.org_y = float(origin.y);
    rh.ray.org_z = float(origin.z);
    rh.ray.tnear = 0.0f;
    rh.ray.dir_x = float(dir.x);
    rh.ray.dir_y = float(dir.y);
    rh.ray.dir_z = float(dir.z);
    rh.ray.time = 0.0f;
    rh.ray.tfar = infinity;
    rh.ray.mask = ~0u;
    rh.ray.id = 0;
    rh.ray.flags = 0;
    rh.hit.geomID = RTC_INVALID_GEOMETRY_ID;
    rh.hit.instID[0] = RTC_INVALID_GEOMETRY_ID;
    rtcIntersect1(im.scene, &context, &rh);
    if (rh.hit.geomID == RTC_INVALID_GEOMETRY_ID)
        return environment_.Look(origin, dir, toLight_);

    // Two-sided: the normal faces the viewer.
    Vector64 normal = Vector64(rh.hit.Ng_x, rh.hit.Ng_y, rh.hit.Ng_z).GetNormalized();
    if (Dot(normal, dir) > 0.0)
        normal = -normal;
    const Vector32& albedo = im.colors[rh.hit.geomID];
    Vector32 light = im.ambient;
    const double facing = Dot(normal, toLight_);
    if (im.hasLight && facing > 0.0) {
        // Shadow ray from just off the surface, the offset scaled to the float precision of
        // the hit position.
        const Vector64 hit = origin + dir * double(rh.ray.tfar);
        const double scale = std::max({1.0, std::abs(hit.x), std::abs(hit.y), std::abs(hit.z)});
        const Vector64 from = hit + normal * (1e-4 * scale);
        RTCRay shadow;
        shadow.org_x = float(from.x);
        shadow.org_y = float(from.y);
        shadow.org_z = float(from.z);
        shadow.tnear = 0.0f;
        shadow.dir_x = float(toLight_.x);
        shadow.dir_y = float(toLight_.y);
        shadow.dir_z = float(toLight_.z);
        shadow.time = 0.0f;
        shadow.tfar = infinity;
        shadow.mask = ~0u;
        shadow.id = 0;
        shadow.flags = 0;
        rtcInitIntersectContext(&context);
        rtcOccluded1(im.scene, &context, &shadow);
        if (shadow.tfar >= 0.0f)
            light += im.lightColor * float(facing);
    }
    return {albedo.x * light.x, albedo.y * light.y, albedo.z * light.z, 1.0f};
}

} // namespace host
