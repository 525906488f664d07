#include "OvrinTag/otag_ids.h"
#include "c4d_shader_kinds.h"
#include "ovrin/ovrin_geometry.h"
#include "ovrin/ovrin_stereo_map.h"
#include "support/test_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

namespace {

struct ShaderDeleter {
    void operator()(BaseShader* s) const { BaseShader::Free(s); }
};
using ShaderPtr = std::unique_ptr<BaseShader, ShaderDeleter>;

ShaderPtr preparedGradient(Int32 direction) {
    ShaderPtr s(BaseShader::Alloc(Xgradient));
    s->GetDataInstance()->SetInt32(GRADIENTSHADER_DIRECTION, direction);
    EXPECT_EQ(s->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    return s;
}

// Camera-space direction of the panorama lens at image position (u, v).
Vector64 panoramaDir(Float u, Float v) {
    return quarterTurnX.TransformVector(geoToDome(Vector64(u, v, 0)));
}

TEST(SeparationMap, OffOrWithoutAShaderTheFactorIsOne) {
    ShaderPtr grey(BaseShader::Alloc(Xcolor));
    grey->GetDataInstance()->SetVector(COLORSHADER_COLOR, Vector(0.3, 0.3, 0.3));
    ASSERT_EQ(grey->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    BaseContainer tag;
    const Vector64 forward(0, 0, 1);
    EXPECT_EQ(SampleSeparationMap(&tag, forward, grey.get()), 1.0); // switch never set
    tag.SetBool(OVRINTAG_SEPARATION_MAP, false);
    EXPECT_EQ(SampleSeparationMap(&tag, forward, grey.get()), 1.0);
    EXPECT_EQ(SampleSeparationMap(nullptr, forward, grey.get()), 1.0);
    tag.SetBool(OVRINTAG_SEPARATION_MAP, true);
    EXPECT_EQ(SampleSeparationMap(&tag, forward, nullptr), 1.0); // no shader, empty slot
    EXPECT_NEAR(SampleSeparationMap(&tag, forward, grey.get()), 0.3, 1e-15);
}

// A map black on its left half and white on its right half, read by panorama rays: the map is
// read a quarter turn ahead of the rendered image, so the forward ray (u = 0.5) reads u = 0.75.
TEST(SeparationMap, PanoramaReadsTheMapAQuarterTurnAhead) {
    const std::string path = testing_support::TempImagePath("halves.exr");
    ASSERT_TRUE(testing_support::WriteRgbImage(path, 2, 1, {0, 0, 0, 1, 1, 1}));
    ShaderPtr halves(BaseShader::Alloc(Xbitmap));
    halves->GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME, Filename(path.c_str()));
    ASSERT_EQ(halves->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    std::filesystem::remove(path);
    BaseContainer tag;
    tag.SetBool(OVRINTAG_SEPARATION_MAP, true);
    tag.SetInt32(OVRINTAG_PROJECTION, OVRINTAG_PROJECTION_PANORAMA);
    struct Case {
        Float u; // rendered image position on the middle row
        Float expected;
    } cases[] = {
        {0.5, 1.0},    // reads 0.75: the white texel's centre
        {0.0, 0.0},    // reads 0.25: the black texel's centre
        {0.25, 0.5},   // reads 0.5: between the halves
        {0.75, 0.5},   // reads 1.0: between white and the tiled black
        {0.375, 0.75}, // reads 0.625
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(SampleSeparationMap(&tag, panoramaDir(c.u, 0.5), halves.get()), c.expected,
                    1e-12)
            << "u " << c.u;
    }
}

// Where on the map each direction reads, through gradients along u and along v.
TEST(SeparationMap, MapPositionOfPanoramaAndFulldomeRays) {
    ShaderPtr alongU = preparedGradient(GRADIENTSHADER_DIRECTION_U);
    ShaderPtr alongV = preparedGradient(GRADIENTSHADER_DIRECTION_V);
    const Float fov = 1.2 * PI;
    struct Case {
        Int32 projection, domeAxis;
        Float u, v;       // rendered image position
        Float mapU, mapV; // where the map is read
    } cases[] = {
        // Panorama, and every projection but the fulldome one: u + 0.25 (wrapped), v.
        {OVRINTAG_PROJECTION_PANORAMA, 0, 0.1, 0.3, 0.35, 0.3},
        {OVRINTAG_PROJECTION_PANORAMA, 0, 0.6, 0.8, 0.85, 0.8},
        {OVRINTAG_PROJECTION_PANORAMA, 0, 0.8, 0.2, 0.05, 0.2},
        {OVRINTAG_PROJECTION_CYLINDRICAL, 1, 0.3, 0.5, 0.55, 0.5},
        {OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_FORWARD, 0.5, 0.5, 0.75, 0.5},
        // Fulldome: the dome-master position with v counted upward.
        {OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_UP, 0.3, 0.4, 0.3, 0.6},
        {OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_UP, 0.8, 0.5, 0.8, 0.5},
        {OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_UP, 0.55, 0.9, 0.55, 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "projection " << c.projection << " dome axis "
                                        << c.domeAxis << " at " << c.u << "," << c.v);
        BaseContainer tag;
        tag.SetBool(OVRINTAG_SEPARATION_MAP, true);
        tag.SetInt32(OVRINTAG_PROJECTION, c.projection);
        tag.SetInt32(OVRINTAG_DOME_AXIS, c.domeAxis);
        tag.SetFloat(OVRINTAG_DOME_FOV, fov);
        const Bool fulldome = c.projection == OVRINTAG_PROJECTION_DOME && c.domeAxis == 1;
        // The direction the lens casts there (the fulldome lens turns its dome up).
        const Vector64 dir =
            fulldome ? quarterTurnX.TransformVector(texelToDome(Vector64(c.u, c.v, 0), fov, true))
                     : panoramaDir(c.u, c.v);
        EXPECT_NEAR(SampleSeparationMap(&tag, dir, alongU.get()), c.mapU, 1e-12);
        EXPECT_NEAR(SampleSeparationMap(&tag, dir, alongV.get()), c.mapV, 1e-12);
    }
}

} // namespace
