#include "c4d_shader.h"
#include "c4d_shader_kinds.h"
#include "support/test_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>

namespace {

using testing_support::TempImagePath;
using testing_support::WriteRgbImage;

Vector sampleAt(const BaseShader& shader, Float u, Float v, Int32 flags = 0) {
    ChannelData cd;
    cd.p = Vector(u, v, 0);
    cd.texflag = flags;
    return shader.Sample(&cd);
}

BaseShader* cloneOf(const BaseShader& s) {
    return static_cast<BaseShader*>(s.GetClone(COPYFLAGS_NONE, nullptr));
}

struct ShaderDeleter {
    void operator()(BaseShader* s) const { BaseShader::Free(s); }
};
using ShaderPtr = std::unique_ptr<BaseShader, ShaderDeleter>;

TEST(Shader, AllocatesTheBuiltInKinds) {
    for (Int32 type : {Xbitmap, Xcolor, Xgradient}) {
        ShaderPtr s(BaseShader::Alloc(type));
        ASSERT_NE(s, nullptr) << type;
        EXPECT_EQ(s->GetType(), type);
    }
    EXPECT_EQ(BaseShader::Alloc(12345), nullptr);
    BaseShader* none = nullptr;
    BaseShader::Free(none); // freeing null is allowed
}

TEST(ColorShader, SamplesItsColourOnlyWhilePrepared) {
    ShaderPtr s(BaseShader::Alloc(Xcolor));
    EXPECT_EQ(s->GetDataInstance()->GetVector(COLORSHADER_COLOR), Vector(1, 1, 1));
    s->GetDataInstance()->SetVector(COLORSHADER_COLOR, Vector(0.25, 0.5, 0.75));
    EXPECT_EQ(sampleAt(*s, 0.3, 0.3), Vector(0, 0, 0)); // not prepared yet
    ASSERT_EQ(s->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    EXPECT_EQ(sampleAt(*s, 0.3, 0.9), Vector(0.25, 0.5, 0.75));
    EXPECT_EQ(sampleAt(*s, -7, 42), Vector(0.25, 0.5, 0.75));
    s->FreeRender();
    EXPECT_EQ(sampleAt(*s, 0.3, 0.3), Vector(0, 0, 0));
}

TEST(ColorShader, CloneKeepsParametersButNotThePreparation) {
    ShaderPtr s(BaseShader::Alloc(Xcolor));
    s->GetDataInstance()->SetVector(COLORSHADER_COLOR, Vector(0.1, 0.2, 0.3));
    ASSERT_EQ(s->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    ShaderPtr clone(cloneOf(*s));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetType(), Xcolor);
    EXPECT_EQ(sampleAt(*clone, 0.5, 0.5), Vector(0, 0, 0));
    ASSERT_EQ(clone->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    EXPECT_EQ(sampleAt(*clone, 0.5, 0.5), Vector(0.1, 0.2, 0.3));
    // The clone is independent: editing it leaves the original alone.
    clone->GetDataInstance()->SetVector(COLORSHADER_COLOR, Vector(1, 0, 0));
    EXPECT_EQ(s->GetDataInstance()->GetVector(COLORSHADER_COLOR), Vector(0.1, 0.2, 0.3));
}

TEST(GradientShader, BlendsLinearlyAlongUOrV) {
    ShaderPtr s(BaseShader::Alloc(Xgradient));
    BaseContainer* data = s->GetDataInstance();
    data->SetVector(GRADIENTSHADER_COLOR_START, Vector(0, 1, 0.5));
    data->SetVector(GRADIENTSHADER_COLOR_END, Vector(1, 0, 0.5));
    const Float nan = std::numeric_limits<Float>::quiet_NaN();
    struct Case {
        Int32 direction;
        Float u, v;
        Vector expected;
    } cases[] = {
        {GRADIENTSHADER_DIRECTION_U, 0.0, 0.9, {0, 1, 0.5}},
        {GRADIENTSHADER_DIRECTION_U, 0.25, 0.9, {0.25, 0.75, 0.5}},
        {GRADIENTSHADER_DIRECTION_U, 1.0, 0.1, {1, 0, 0.5}},
        {GRADIENTSHADER_DIRECTION_U, 1.5, 0.1, {1, 0, 0.5}},  // constant beyond the end
        {GRADIENTSHADER_DIRECTION_U, -0.5, 0.1, {0, 1, 0.5}}, // and before the start
        {GRADIENTSHADER_DIRECTION_U, nan, 0.1, {0, 1, 0.5}},
        {GRADIENTSHADER_DIRECTION_V, 0.9, 0.75, {0.75, 0.25, 0.5}},
        {GRADIENTSHADER_DIRECTION_V, 0.1, 0.0, {0, 1, 0.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "direction " << c.direction << " u " << c.u << " v " << c.v);
        data->SetInt32(GRADIENTSHADER_DIRECTION, c.direction);
        ASSERT_EQ(s->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
        EXPECT_EQ(sampleAt(*s, c.u, c.v), c.expected);
    }
}

// A 3 × 2 picture with distinct texels:
//   row 0:  (0, 0, 0)   (0.5, 0, 0)   (1, 0, 0)
//   row 1:  (0, 1, 0)   (0.5, 1, 0)   (1, 1, 1)
class BitmapShaderTest : public testing::Test {
protected:
    void SetUp() override {
        path = TempImagePath("bitmap.exr");
        ASSERT_TRUE(WriteRgbImage(path, 3, 2,
                                  {0, 0, 0, 0.5f, 0, 0, 1, 0, 0, //
                                   0, 1, 0, 0.5f, 1, 0, 1, 1, 1}));
        shader.reset(BaseShader::Alloc(Xbitmap));
        shader->GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME, Filename(path.c_str()));
    }
    void TearDown() override { std::filesystem::remove(path); }

    std::string path;
    ShaderPtr shader;
};

TEST_F(BitmapShaderTest, SamplesBilinearlyBetweenTexelCentres) {
    ASSERT_EQ(shader->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    // Texel centres sit at ((i + 0.5)/3, (j + 0.5)/2).
    struct Case {
        Float u, v;
        Int32 flags;
        Vector expected;
    } cases[] = {
        {0.5 / 3, 0.25, 0, {0, 0, 0}},
        {2.5 / 3, 0.75, 0, {1, 1, 1}},
        {1.5 / 3, 0.25, 0, {0.5, 0, 0}},
        {1.0 / 3, 0.25, 0, {0.25, 0, 0}},           // halfway between texels 0 and 1 of row 0
        {2.5 / 3, 0.5, 0, {1, 0.5, 0.5}},           // halfway down the last column
        {2.0 / 3, 0.5, 0, {0.75, 0.5, 0.25}},       // the middle of four texels
        {0.0, 0.25, 0, {0, 0, 0}},                  // without tiling the edge texel continues
        {1.2, 0.9, 0, {1, 1, 1}},                   // ... beyond the image too
        {0.0, 0.25, TEX_TILE, {0.5, 0, 0}},         // tiled: halfway to the last column
        {1.0, 0.75, TEX_TILE, {0.5, 1, 0.5}},       // and across the right edge
        {0.5 / 3, 0.0, TEX_TILE, {0, 0.5, 0}},      // across the top edge to the bottom row
        {1.5 / 3 + 2, 1.25, TEX_TILE, {0.5, 0, 0}}, // whole tiles away
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "u " << c.u << " v " << c.v << " flags " << c.flags);
        const Vector got = sampleAt(*shader, c.u, c.v, c.flags);
        EXPECT_NEAR(got.x, c.expected.x, 1e-12);
        EXPECT_NEAR(got.y, c.expected.y, 1e-12);
        EXPECT_NEAR(got.z, c.expected.z, 1e-12);
    }
    // A non-finite position reads as 0 instead of indexing outside the image.
    const Float nan = std::numeric_limits<Float>::quiet_NaN();
    EXPECT_EQ(sampleAt(*shader, nan, 0.25), Vector(0, 0, 0));
    EXPECT_EQ(sampleAt(*shader, INFINITY, nan, TEX_TILE), sampleAt(*shader, 0, 0, TEX_TILE));
}

TEST_F(BitmapShaderTest, RelativeNamesResolveAgainstTheDocumentFolder) {
    const std::filesystem::path full(path);
    shader->GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME,
                                           Filename(full.filename().string().c_str()));
    EXPECT_EQ(shader->InitRender(InitRenderStruct()), INITRENDERRESULT::ASSETMISSING);
    InitRenderStruct irs;
    irs.docpath = Filename(full.parent_path().string().c_str());
    ASSERT_EQ(shader->InitRender(irs), INITRENDERRESULT::OK);
    EXPECT_EQ(sampleAt(*shader, 2.5 / 3, 0.75), Vector(1, 1, 1));
}

TEST_F(BitmapShaderTest, UnreadableFileFailsThePreparation) {
    ASSERT_EQ(shader->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    for (const char* name : {"/nonexistent/separation.png", ""}) {
        SCOPED_TRACE(name);
        shader->GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME, Filename(name));
        EXPECT_EQ(shader->InitRender(InitRenderStruct()), INITRENDERRESULT::ASSETMISSING);
        EXPECT_EQ(sampleAt(*shader, 2.5 / 3, 0.75), Vector(0, 0, 0)); // the old image is gone
    }
}

TEST_F(BitmapShaderTest, FreeRenderReleasesTheImageAndCloneReloads) {
    ASSERT_EQ(shader->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    ShaderPtr clone(cloneOf(*shader));
    shader->FreeRender();
    EXPECT_EQ(sampleAt(*shader, 2.5 / 3, 0.75), Vector(0, 0, 0));
    EXPECT_EQ(sampleAt(*clone, 2.5 / 3, 0.75), Vector(0, 0, 0));
    ASSERT_EQ(clone->InitRender(InitRenderStruct()), INITRENDERRESULT::OK);
    EXPECT_EQ(sampleAt(*clone, 2.5 / 3, 0.75), Vector(1, 1, 1));
}

} // namespace
