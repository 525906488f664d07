#include "OvrinTag/otag_ids.h"
#include "ovrin/ovrin_geometry.h"
#include "ovrin/ovrin_stereo.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr Float eyeSep = 6.5;
constexpr Float half = eyeSep / 2;
constexpr Float tol = 1e-12;

void expectVecNear(const Vector64& a, const Vector64& b, Float t = tol) {
    EXPECT_NEAR(a.x, b.x, t);
    EXPECT_NEAR(a.y, b.y, t);
    EXPECT_NEAR(a.z, b.z, t);
}

// The eye cameras of a stereo render: the camera moved along its own x axis by −half for
// eye "0" and +half for eyes "1" and "2".
StereoCameraInfo eyeInfo(const CameraObject& camera, int eye) {
    StereoCameraInfo info;
    info.m = camera.GetMg() * MatrixMove(Vector64(eye == 0 ? -half : half, 0, 0));
    info.strName = String(std::to_string(eye));
    return info;
}

struct Eye {
    Matrix64 frame;
    Vector64 convergencePoint, toeInAxis;
};

Eye stereoEye(const CameraObject& camera, int eye, Vector64 dir, Int32 axis, Bool domeAxisUp,
              Float convergence, Float separation) {
    Eye e;
    e.convergencePoint = e.toeInAxis = Vector64(7, 7, 7); // must be overwritten
    e.frame = GetStereoCamMatrix(&camera, eyeInfo(camera, eye), dir, axis, domeAxisUp, convergence,
                                 eyeSep, separation, e.convergencePoint, e.toeInAxis);
    return e;
}

TEST(StereoTagReaders, FulldomeAxisNeedsTheDomeProjection) {
    struct Case {
        Int32 projection, domeAxis;
        Bool expected;
    } cases[] = {
        {OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_UP, true},
        {OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_FORWARD, false},
        {OVRINTAG_PROJECTION_CYLINDRICAL, OVRINTAG_DOME_AXIS_UP, false},
        {OVRINTAG_PROJECTION_PANORAMA, OVRINTAG_DOME_AXIS_UP, false},
        {OVRINTAG_PROJECTION_CUBEMAP, OVRINTAG_DOME_AXIS_UP, false},
    };
    for (const Case& c : cases) {
        BaseContainer tag;
        tag.SetInt32(OVRINTAG_PROJECTION, c.projection);
        tag.SetInt32(OVRINTAG_DOME_AXIS, c.domeAxis);
        EXPECT_EQ(IsFulldomeAxis(&tag), c.expected)
            << "projection " << c.projection << " dome axis " << c.domeAxis;
    }
    EXPECT_FALSE(IsFulldomeAxis(nullptr));
    BaseContainer tag;
    EXPECT_EQ(GetStereoAxis(&tag), 0);
    tag.SetInt32(OVRINTAG_STEREO_AXIS, 3);
    EXPECT_EQ(GetStereoAxis(&tag), 3);
    EXPECT_EQ(GetStereoAxis(nullptr), 0);
}

// Where the eye sits for one ray, camera at the origin looking along +Z, no toe-in.
TEST(StereoCamMatrix, EyePositionsByAxisMode) {
    CameraObject camera;
    const Vector64 px(1, 0, 0), nz(0, 0, -1), pz(0, 0, 1), up(0, 1, 0);
    struct Case {
        const char* what;
        int eye; // 0: offset (−3.25, 0, 0), 1: offset (+3.25, 0, 0)
        Vector64 dir;
        Int32 axis;
        Bool domeAxisUp;
        Float separation;
        Vector64 position;
    } cases[] = {
        {"axis 0 keeps the eye camera", 1, px, 0, false, 1, {half, 0, 0}},
        {"axis outside 1-3 acts as 0", 0, px, 7, false, 1, {-half, 0, 0}},
        {"axis 0, separation 0: camera centre", 1, px, 0, false, 0, {0, 0, 0}},
        {"axis 0, half the separation", 0, px, 0, false, 0.5, {-half / 2, 0, 0}},
        {"forward ray, axis 1", 1, pz, 1, false, 1, {half, 0, 0}},
        {"forward ray, axis 2", 1, pz, 2, false, 1, {half, 0, 0}},
        {"forward ray, axis 3", 1, pz, 3, false, 1, {half, 0, 0}},
        {"axis 1, ray +X: eye along -Z", 1, px, 1, false, 1, {0, 0, -half}},
        {"axis 1, ray -Z: eye along -X", 1, nz, 1, false, 1, {-half, 0, 0}},
        {"axis 1, ray -Z, left eye", 0, nz, 1, false, 1, {half, 0, 0}},
        {"axis 1, ray straight up: as for +X", 1, up, 1, false, 1, {0, 0, -half}},
        {"axis 1, ray +X, separation 0", 1, px, 1, false, 0, {0, 0, 0}},
        {"axis 1, ray +X, separation 0.5", 0, px, 1, false, 0.5, {0, 0, half / 2}},
        {"axis 2, ray -Z: not turned", 1, nz, 2, false, 1, {half, 0, 0}},
        {"axis 2, ray +X: a quarter turn about y", 1, px, 2, false, 1, {0, 0, -half}},
        {"axis 3, ray +X: a quarter turn about z", 1, px, 3, false, 1, {0, half, 0}},
        // Fulldome: the turning axes swap, so axis 1 turns about z and axis 3 about y.
        {"dome up, axis 1, ray +X", 1, px, 1, true, 1, {0, half, 0}},
        {"dome up, axis 2, ray +X", 1, px, 2, true, 1, {0, half, 0}},
        {"dome up, axis 3, ray +X", 1, px, 3, true, 1, {0, 0, -half}},
        {"dome up, axis 0", 0, px, 0, true, 1, {-half, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Eye e = stereoEye(camera, c.eye, c.dir, c.axis, c.domeAxisUp, 0, c.separation);
        expectVecNear(e.frame.offset, c.position);
        EXPECT_EQ(e.convergencePoint, Vector64(0, 0, 0));
        EXPECT_EQ(e.toeInAxis, Vector64(0, 0, 0));
        // Without toe-in the eye keeps the camera's orientation (turned back for the dome).
        const Matrix64 orientation = c.domeAxisUp ? MatrixRotX(-PI05) : Matrix64();
        expectVecNear(e.frame.axisX, orientation.axisX);
        expectVecNear(e.frame.axisY, orientation.axisY);
        expectVecNear(e.frame.axisZ, orientation.axisZ);
    }
}

TEST(StereoCamMatrix, AxisZeroAtFullSeparationReturnsTheEyeCamera) {
    CameraObject camera;
    camera.SetMg(MatrixMove(Vector64(10, -4, 2)) * MatrixRotY(0.4) * MatrixRotX(-0.3));
    const StereoCameraInfo info = eyeInfo(camera, 0);
    Vector64 cp, axis;
    const Matrix64 m = GetStereoCamMatrix(&camera, info, Vector64(0.3, 0.4, 0.5), 0, false, 0,
                                          eyeSep, 1, cp, axis);
    EXPECT_EQ(m, info.m);
}

// The quarter turn the dome lens adds in the fulldome setup is undone: a ray toward the dome's
// zenith leaves along the camera's view axis, and toed in it meets the point at the
// convergence distance up there.
TEST(StereoCamMatrix, FulldomeZenithStaysOnTheViewAxis) {
    CameraObject camera;
    camera.SetMg(MatrixMove(Vector64(1, 2, 3)) * MatrixRotX(PI05)); // looking up
    const Vector64 zenith = quarterTurnX.TransformVector(Vector64(0, 0, 1));
    int checked = 0;
    for (Int32 axis = 0; axis <= 3; ++axis) {
        for (int eye : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "axis " << axis << " eye " << eye);
            const Eye parallel = stereoEye(camera, eye, zenith, axis, true, 0, 1);
            expectVecNear(parallel.frame.TransformVector(zenith), {0, 1, 0});
            // The eye stays level beside the camera, across the zenith.
            const Vector64 offset = parallel.frame.offset - Vector64(1, 2, 3);
            EXPECT_NEAR(offset.y, 0.0, tol);
            EXPECT_NEAR(offset.GetLength(), half, tol);

            const Eye toedIn = stereoEye(camera, eye, zenith, axis, true, 1000, 1);
            const Vector64 toTarget = Vector64(1, 1002, 3) - toedIn.frame.offset;
            const Vector64 rayDir = toedIn.frame.TransformVector(zenith).GetNormalized();
            EXPECT_NEAR(Cross(toTarget, rayDir).GetLength(), 0.0, 1e-9);
            EXPECT_GT(Dot(toTarget, rayDir), 0.0);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 8);
}

TEST(StereoCamMatrix, ToeInTurnsEachEyeTowardTheConvergencePoint) {
    CameraObject camera;
    const Vector64 pz(0, 0, 1);
    const Float angle = std::atan(half / 1000);
    struct Case {
        int eye;
        Float convergence, separation;
        Vector64 direction, convergencePoint, toeInAxis;
    } cases[] = {
        {0, 1000, 1, {std::sin(angle), 0, std::cos(angle)}, {0, 0, 1000}, {0, -1, 0}},
        {1, 1000, 1, {-std::sin(angle), 0, std::cos(angle)}, {0, 0, 1000}, {0, 1, 0}},
        {2, 1000, 1, pz, {0, 0, 0}, {0, 0, 0}}, // a centre eye never toes in
        {0, 0, 1, pz, {0, 0, 0}, {0, 0, 0}},    // parallel eyes
        {1, 1000, 0, pz, {0, 0, 0}, {0, 0, 0}}, // no separation
    };
    for (const Case& c : cases) {
        for (Int32 axis = 0; axis <= 3; ++axis) { // a forward ray turns no eye
            SCOPED_TRACE(testing::Message() << "eye " << c.eye << " convergence " << c.convergence
                                            << " separation " << c.separation << " axis " << axis);
            const Eye e = stereoEye(camera, c.eye, pz, axis, false, c.convergence, c.separation);
            // acos near 1 carries ~3e-14 of the angle's rounding into the direction.
            expectVecNear(e.frame.TransformVector(pz), c.direction, 1e-13);
            expectVecNear(e.convergencePoint, c.convergencePoint);
            expectVecNear(e.toeInAxis, c.toeInAxis);
        }
    }
    // The angle itself, from the turned direction.
    const Eye left = stereoEye(camera, 0, pz, 1, false, 1000, 1);
    EXPECT_NEAR(std::asin(left.frame.TransformVector(pz).x), angle, 1e-13);
    // Rays along ±X see the eye straight in line with the point: no turn (the angle comes
    // from the unturned offset).
    const Eye side = stereoEye(camera, 0, Vector64(1, 0, 0), 1, false, 1000, 1);
    expectVecNear(side.frame.TransformVector(Vector64(1, 0, 0)), {1, 0, 0});
    expectVecNear(side.convergencePoint, {1000, 0, 0});
}

// For rays in the camera's yz plane the toed-in ray of either eye passes through the point at
// the convergence distance along the camera's ray, whatever the axis mode and camera pose.
TEST(StereoCamMatrix, ToedInRaysInTheYzPlaneMeetAtTheConvergencePoint) {
    CameraObject camera;
    camera.SetMg(MatrixMove(Vector64(100, 20, -30)) * MatrixRotY(0.9) * MatrixRotX(0.2));
    const Float convergence = 250;
    int checked = 0;
    for (Float elevation : {-2.5, -1.2, 0.0, 0.4, 1.0, PI05, 2.8}) {
        const Vector64 dir(0, std::sin(elevation), std::cos(elevation));
        for (Int32 axis = 0; axis <= 3; ++axis) {
            for (int eye : {0, 1}) {
                SCOPED_TRACE(testing::Message()
                             << "elevation " << elevation << " axis " << axis << " eye " << eye);
                const Eye e = stereoEye(camera, eye, dir, axis, false, convergence, 1);
                const Vector64 target = camera.GetMg() * (dir * convergence);
                const Vector64 rayDir = e.frame.TransformVector(dir).GetNormalized();
                const Vector64 toTarget = target - e.frame.offset;
                // Distance of the target from the ray's line, and the target lies ahead.
                EXPECT_NEAR(Cross(toTarget, rayDir).GetLength(), 0.0, 1e-9);
                EXPECT_GT(Dot(toTarget, rayDir), 0.0);
                expectVecNear(e.convergencePoint, dir * convergence);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 56);
}

// Omni-directional stereo in axis mode 1: for every horizontal ray each eye sits half the eye
// separation beside the camera centre, exactly across the ray's heading, the right eye on the
// right-hand side.
TEST(StereoCamMatrix, AxisOneKeepsTheEyesAcrossEveryHeading) {
    CameraObject camera;
    camera.SetMg(MatrixMove(Vector64(5, 6, 7)) * MatrixRotY(-1.1));
    const Vector64 cameraUp = camera.GetMg().axisY;
    int checked = 0;
    for (int i = 0; i < 72; ++i) {
        const Float heading = PI2 * i / 72.0;
        const Vector64 dir(std::sin(heading), 0, std::cos(heading));
        for (int eye : {0, 1}) {
            for (Float separation : {1.0, 0.4}) {
                SCOPED_TRACE(testing::Message() << "heading " << heading << " eye " << eye
                                                << " separation " << separation);
                const Eye e = stereoEye(camera, eye, dir, 1, false, 0, separation);
                const Vector64 worldDir = e.frame.TransformVector(dir);
                const Vector64 offset = e.frame.offset - camera.GetMg().offset;
                EXPECT_NEAR(Dot(offset, worldDir), 0.0, 1e-12);
                EXPECT_NEAR(offset.GetLength(), half * separation, 1e-12);
                const Vector64 right = Cross(cameraUp, worldDir); // left-handed: right of dir
                expectVecNear(offset, right * (eye == 0 ? -half : half) * separation);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 288);
}

TEST(StereoCamMatrix, NullCameraStandsAtTheOrigin) {
    CameraObject camera;
    Vector64 cp, axis;
    const Matrix64 m = GetStereoCamMatrix(nullptr, eyeInfo(camera, 1), Vector64(1, 0, 0), 1, false,
                                          0, eyeSep, 1, cp, axis);
    expectVecNear(m.offset, {0, 0, -half});
}

} // namespace
