#include "Ovrin360CamVP.h"
#include "OvrinTag/otag_ids.h"
#include "c4d_shader.h"
#include "c4d_shader_kinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr Float half = 3.25; // half of the 6.5 units between the eyes
constexpr Float tol = 1e-12;

void expectVecNear(const Vector64& a, const Vector64& b, Float t = tol) {
    EXPECT_NEAR(a.x, b.x, t);
    EXPECT_NEAR(a.y, b.y, t);
    EXPECT_NEAR(a.z, b.z, t);
}

// A stereo lens over a W × H image. The camera stands at (10, 20, 30) turned a quarter turn to
// look along world +X, so its right is world −Z and its up world +Y.
class StereoLensTest : public testing::Test {
protected:
    void SetUp() override {
        camera.SetMg(MatrixMove(Vector64(10, 20, 30)) * MatrixRotY(PI05));
        vp.camera = &camera;
        vp.tagData = &tag;
        vp.lensActive = 1;
        vp.stereoActive = true;
        vp.eyeSeparation = 6.5;
    }
    void Setup(Int32 w, Int32 h) { ASSERT_TRUE(vp.SetRenderArea(WholeImageArea(w, h))); }
    // The eye camera of the pass: the camera moved along its own x axis.
    void SelectEye(Int32 eye) {
        vp.currentEye.channel = eye == 0 ? 0 : 1;
        vp.currentEye.info.m = camera.GetMg() * MatrixMove(Vector64(eye == 0 ? -half : half, 0, 0));
        vp.currentEye.info.strName = String(std::to_string(eye));
    }
    Ray Cast(Float x, Float y) {
        Ray r;
        vp.CreateRay(&r, x, y);
        return r;
    }
    // Camera-local coordinates of a world point.
    Vector64 Local(const Vector64& world) const {
        const Matrix64& m = camera.GetMg();
        const Vector64 d = world - m.offset;
        return {Dot(d, m.axisX), Dot(d, m.axisY), Dot(d, m.axisZ)};
    }

    Ovrin360CamVP vp;
    CameraObject camera;
    BaseContainer tag;
};

TEST_F(StereoLensTest, PanoramaEyePositions) {
    vp.isPanorama = 1;
    vp.fieldOfView = PI2;
    vp.SetPanoramaRanges(PI2, -PI05, PI05);
    Setup(101, 51);
    struct Case {
        Int32 axis, eye;
        Float x; // pixel column on the middle row
        Vector64 eyeLocal, dirLocal;
    } cases[] = {
        {1, 1, 50, {half, 0, 0}, {0, 0, 1}},  // forward: right eye on the right
        {1, 0, 50, {-half, 0, 0}, {0, 0, 1}}, // left eye on the left
        {1, 1, 75, {0, 0, -half}, {1, 0, 0}}, // looking right: right eye behind
        {1, 1, 25, {0, 0, half}, {-1, 0, 0}}, // looking left: right eye in front
        {1, 1, 0, {-half, 0, 0}, {0, 0, -1}}, // looking back: right eye on the left
        {2, 1, 0, {half, 0, 0}, {0, 0, -1}},  // axis 2 does not turn backward rays
        {3, 1, 75, {0, half, 0}, {1, 0, 0}},  // axis 3 turns about the view axis
        {0, 0, 75, {-half, 0, 0}, {1, 0, 0}}, // axis 0 keeps the eye camera
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "axis " << c.axis << " eye " << c.eye << " x " << c.x);
        vp.stereoAxis = c.axis;
        SelectEye(c.eye);
        const Ray r = Cast(c.x, 25);
        expectVecNear(Local(r.p), c.eyeLocal);
        expectVecNear(Local(camera.GetMg().offset + r.v), c.dirLocal);
    }
}

// Every ray of the cylinder starts on a band 100 units high along the camera's up axis, in
// stereo as in mono; the eye adds only its offset across the ray.
TEST_F(StereoLensTest, CylinderBandFollowsTheCameraUpAxis) {
    vp.isCylindrical = 1;
    vp.fieldOfView = PI2;
    vp.SetPanoramaRanges(PI2, -PI05, PI05);
    vp.cylinderHeight = 100;
    vp.stereoAxis = 1;
    Setup(90, 31);
    int checked = 0;
    for (Float convergence : {0.0, 1000.0}) {
        vp.convergenceDistance = convergence;
        for (Int32 eye : {0, 1}) {
            SelectEye(eye);
            for (Float y : {0.0, 15.0, 30.0}) {
                for (Float x : {0.0, 22.5, 44.5, 67.5, 89.0}) {
                    SCOPED_TRACE(testing::Message() << "convergence " << convergence << " eye "
                                                    << eye << " pixel " << x << "," << y);
                    const Ray r = Cast(x, y);
                    const Vector64 origin = Local(r.p);
                    EXPECT_NEAR(origin.y, 50.0 - 100.0 * y / 30.0, tol);
                    const Vector64 across(origin.x, 0, origin.z);
                    EXPECT_NEAR(across.GetLength(), half, tol);
                    const Vector64 dir = Local(camera.GetMg().offset + r.v);
                    EXPECT_NEAR(dir.y, 0.0, tol); // the toe-in turns about the up axis only
                    if (convergence == 0) {
                        EXPECT_NEAR(Dot(across, dir), 0.0, tol);
                    }
                    ++checked;
                }
            }
        }
    }
    EXPECT_EQ(checked, 60);
    SelectEye(1);
    expectVecNear(Cast(44.5, 0).p, camera.GetMg() * Vector64(half, 50, 0));
}

// Fulldome: the dome's zenith (image centre) stays on the camera's view axis in stereo, and
// with toe-in both eyes' centre rays meet at the convergence distance along it.
TEST_F(StereoLensTest, FulldomeCentreRaysMeetOnTheViewAxis) {
    vp.isFulldome = 1;
    vp.fieldOfView = PI;
    vp.domeAxisUp = true;
    vp.stereoAxis = 1;
    Setup(101, 101);
    for (Int32 eye : {0, 1}) {
        SCOPED_TRACE(eye);
        SelectEye(eye);
        vp.convergenceDistance = 0;
        const Ray parallel = Cast(50, 50);
        expectVecNear(Local(camera.GetMg().offset + parallel.v), {0, 0, 1});
        EXPECT_NEAR(Local(parallel.p).z, 0.0, tol);
        EXPECT_NEAR(Local(parallel.p).GetLength(), half, tol);

        vp.convergenceDistance = 1000;
        const Ray toedIn = Cast(50, 50);
        const Vector64 toTarget = camera.GetMg() * Vector64(0, 0, 1000) - toedIn.p;
        EXPECT_NEAR(Cross(toTarget, toedIn.v.GetNormalized()).GetLength(), 0.0, 1e-9);
    }
}

// The separation map scales every eye's offset by its red component; without the map switch
// or a shader the eyes keep their full offset.
TEST_F(StereoLensTest, SeparationMapScalesTheEyeOffset) {
    vp.isPanorama = 1;
    vp.fieldOfView = PI2;
    vp.SetPanoramaRanges(PI2, -PI05, PI05);
    vp.stereoAxis = 1;
    Setup(101, 51);
    SelectEye(1);
    std::unique_ptr<BaseShader, void (*)(BaseShader*)> owner(
        BaseShader::Alloc(Xcolor), [](BaseShader* s) { BaseShader::Free(s); });
    BaseShader* map = owner.get();
    map->GetDataInstance()->SetVector(COLORSHADER_COLOR, Vector(0.4, 0.9, 0.9));
    ASSERT_EQ(map->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    struct Case {
        Bool mapSwitch;
        BaseShader* shader;
        Float factor;
    } cases[] = {{true, map, 0.4}, {false, map, 1.0}, {true, nullptr, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "switch " << c.mapSwitch << " shader " << c.shader);
        tag.SetBool(OVRINTAG_SEPARATION_MAP, c.mapSwitch);
        vp.separationShader = c.shader;
        expectVecNear(Local(Cast(50, 25).p), {half * c.factor, 0, 0});
        expectVecNear(Local(Cast(75, 25).p), {0, 0, -half * c.factor});
    }
    map->GetDataInstance()->SetVector(COLORSHADER_COLOR, Vector(0, 1, 1));
    ASSERT_EQ(map->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    tag.SetBool(OVRINTAG_SEPARATION_MAP, true);
    vp.separationShader = map;
    EXPECT_EQ(Cast(75, 25).p, camera.GetMg().offset); // black map: both eyes at the centre
    vp.separationShader = nullptr; // the render effect frees the render copy it owns; not this
}

} // namespace
