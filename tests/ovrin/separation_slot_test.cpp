// The separation-shader slot: filled from the tag's shader link, seen only by the thread that
// holds it, and safe to use from the viewport and the render pipeline at once.
#include "Ovrin360CamVP.h"
#include "OvrinTag/otag_ids.h"
#include "c4d_basedocument.h"
#include "c4d_baseobject.h"
#include "c4d_shader_kinds.h"
#include "ovrin/ovrin_geometry.h"
#include "ovrin/ovrin_stereo_map.h"
#include "support/test_image.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>
#include <vector>

namespace {

Vector64 panoramaDir(Float u, Float v) {
    return quarterTurnX.TransformVector(geoToDome(Vector64(u, v, 0)));
}

// Panorama rays at u = 0 read the map at 0.25 and those at u = 0.5 read it at 0.75.
const Vector64 readsBlack = panoramaDir(0.0, 0.5);
const Vector64 readsWhite = panoramaDir(0.5, 0.5);

// A document owning a bitmap shader that is black on its left half and white on its right
// half, and a panorama tag container linking it as its separation map.
class SeparationSlotTest : public testing::Test {
protected:
    void SetUp() override {
        path = testing_support::TempImagePath("halves.exr");
        ASSERT_TRUE(testing_support::WriteRgbImage(path, 2, 1, {0, 0, 0, 1, 1, 1}));
        doc = BaseDocument::Alloc();
        shader = BaseShader::Alloc(Xbitmap);
        shader->GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME, Filename(path.c_str()));
        doc->InsertShader(shader);
        tag.SetBool(OVRINTAG_SEPARATION_MAP, true);
        tag.SetInt32(OVRINTAG_PROJECTION, OVRINTAG_PROJECTION_PANORAMA);
        tag.SetLink(OVRINTAG_SEPARATION_MAP_SHADER, shader);
    }
    void TearDown() override {
        BaseDocument::Free(doc); // frees the shader with it
        std::filesystem::remove(path);
    }

    std::string path;
    BaseDocument* doc = nullptr;
    BaseShader* shader = nullptr;
    BaseContainer tag;
};

TEST_F(SeparationSlotTest, HoldsThePreparedShaderForTheCallingThreadOnly) {
    InitShader(&tag, doc);
    EXPECT_EQ(GetSeparationShader(), shader);
    EXPECT_EQ(SampleSeparationMap(&tag, readsBlack, nullptr), 0.0);
    EXPECT_EQ(SampleSeparationMap(&tag, readsWhite, nullptr), 1.0);
    // Another thread (a render thread) sees no slot, and cannot give it up.
    std::thread([&] {
        EXPECT_EQ(GetSeparationShader(), nullptr);
        EXPECT_EQ(SampleSeparationMap(&tag, readsBlack, nullptr), 1.0);
        FreeShader();
    }).join();
    EXPECT_EQ(SampleSeparationMap(&tag, readsBlack, nullptr), 0.0);
    FreeShader();
    EXPECT_EQ(GetSeparationShader(), nullptr);
    EXPECT_EQ(SampleSeparationMap(&tag, readsBlack, nullptr), 1.0);
    // The render data is released; the shader itself stays the document's.
    ChannelData cd;
    cd.p = Vector(0.75, 0.5, 0);
    EXPECT_EQ(shader->Sample(&cd), Vector(0, 0, 0));
    EXPECT_EQ(doc->GetFirstShader(), shader);
}

TEST_F(SeparationSlotTest, StaysEmptyWithoutAUsableShader) {
    BaseObject* object = BaseObject::Alloc(Onull);
    doc->InsertObject(object, nullptr, nullptr);
    BaseShader* elsewhere = BaseShader::Alloc(Xcolor); // in no document
    BaseShader* gone = BaseShader::Alloc(Xcolor);
    doc->InsertShader(gone);
    BaseContainer goneLink;
    goneLink.SetLink(OVRINTAG_SEPARATION_MAP_SHADER, gone);
    BaseShader::Free(gone);

    struct Case {
        const char* what;
        std::function<void(BaseContainer&)> link;
    } cases[] = {
        {"no link", [](BaseContainer& t) { t.RemoveData(OVRINTAG_SEPARATION_MAP_SHADER); }},
        {"empty link",
         [](BaseContainer& t) { t.SetLink(OVRINTAG_SEPARATION_MAP_SHADER, nullptr); }},
        {"deleted shader",
         [&](BaseContainer& t) {
             t.SetData(OVRINTAG_SEPARATION_MAP_SHADER,
                       *goneLink.GetDataPointer(OVRINTAG_SEPARATION_MAP_SHADER));
         }},
        {"not a shader",
         [&](BaseContainer& t) { t.SetLink(OVRINTAG_SEPARATION_MAP_SHADER, object); }},
        {"shader of no document",
         [&](BaseContainer& t) { t.SetLink(OVRINTAG_SEPARATION_MAP_SHADER, elsewhere); }},
        {"unreadable image file",
         [&](BaseContainer& t) {
             t.SetLink(OVRINTAG_SEPARATION_MAP_SHADER, shader);
             shader->GetDataInstance()->SetFilename(BITMAPSHADER_FILENAME,
                                                    Filename("/nonexistent/map.png"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.link(tag);
        InitShader(&tag, doc);
        EXPECT_EQ(GetSeparationShader(), nullptr);
        EXPECT_EQ(SampleSeparationMap(&tag, readsBlack, nullptr), 1.0);
        FreeShader();
    }
    InitShader(nullptr, doc); // no tag at all
    EXPECT_EQ(GetSeparationShader(), nullptr);
    FreeShader();
    EXPECT_EQ(doc->GetFirstShader(), shader); // a shader that failed is not freed
    BaseShader::Free(elsewhere);
}

// Calling InitShader again while holding the slot swaps the shader without waiting on itself;
// one FreeShader then gives the slot up for other threads.
TEST_F(SeparationSlotTest, HolderMayInitAgain) {
    InitShader(&tag, doc);
    InitShader(&tag, doc);
    EXPECT_EQ(GetSeparationShader(), shader);
    FreeShader();
    std::promise<BaseShader*> got;
    std::thread other([&] {
        InitShader(&tag, doc);
        got.set_value(GetSeparationShader());
        FreeShader();
    });
    auto result = got.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_EQ(result.get(), shader);
    other.join();
}

// The viewport (init, sample through the slot, free) and the render pipeline (init, clone,
// free, then render threads casting stereo rays through the prepared clone) run at the same
// time on the same tag and shader. Each sees its own results; the thread sanitizer build shows
// that they never touch the shader's render data at once.
TEST_F(SeparationSlotTest, ViewportAndRenderPipelineAtOnce) {
    constexpr int viewportDraws = 24, renders = 6, renderThreads = 2;
    std::atomic<int> viewportChecks{0}, rayChecks{0}, renderFailures{0};

    std::thread viewport([&] {
        for (int i = 0; i < viewportDraws; ++i) {
            InitShader(&tag, doc);
            if (SampleSeparationMap(&tag, readsBlack, nullptr) == 0.0 &&
                SampleSeparationMap(&tag, readsWhite, nullptr) == 1.0)
                ++viewportChecks;
            FreeShader();
        }
    });

    std::thread pipeline([&] {
        CameraObject camera;
        for (int r = 0; r < renders; ++r) {
            InitShader(&tag, doc);
            BaseShader* source = GetSeparationShader();
            BaseShader* clone =
                source ? static_cast<BaseShader*>(source->GetClone(COPYFLAGS_NONE, nullptr))
                       : nullptr;
            FreeShader();
            if (!clone || clone->InitRender(InitRenderStruct(doc)) != INITRENDERRESULT::OK) {
                ++renderFailures;
                BaseShader::Free(clone);
                continue;
            }
            // Every other render runs without its copy, as after a failed clone: the rays then
            // keep the full separation and never reach the viewport's slot.
            const Bool withMap = r % 2 == 0;
            Ovrin360CamVP vp;
            vp.isPanorama = 1;
            vp.fieldOfView = PI2;
            vp.SetPanoramaRanges(PI2, -PI05, PI05);
            vp.SetRenderArea(WholeImageArea(9, 5));
            vp.camera = &camera;
            vp.tagData = &tag;
            vp.lensActive = 1;
            vp.stereoActive = true;
            vp.stereoAxis = 1;
            vp.eyeSeparation = 6.5;
            vp.currentEye.channel = 1;
            vp.currentEye.info.m = MatrixMove(Vector64(3.25, 0, 0));
            vp.currentEye.info.strName = String("1");
            vp.separationShader = withMap ? clone : nullptr;
            std::vector<std::thread> threads;
            for (int t = 0; t < renderThreads; ++t) {
                threads.emplace_back([&] {
                    for (int pass = 0; pass < 20; ++pass) {
                        Ray back, forward; // columns 0 and 4 of 9: u = 0 and u = 0.5
                        vp.CreateRay(&back, 0, 2);
                        vp.CreateRay(&forward, 4, 2);
                        const Float backOffset = withMap ? 0.0 : 3.25;
                        if (std::abs(back.p.GetLength() - backOffset) < 1e-12 &&
                            std::abs(forward.p.GetLength() - 3.25) < 1e-12 &&
                            SampleSeparationMap(&tag, readsBlack, nullptr) == 1.0)
                            ++rayChecks;
                    }
                });
            }
            for (std::thread& t : threads)
                t.join();
            vp.separationShader = nullptr; // this test frees its clone itself
            clone->FreeRender();
            BaseShader::Free(clone);
        }
    });

    viewport.join();
    pipeline.join();
    EXPECT_EQ(renderFailures.load(), 0);
    EXPECT_EQ(viewportChecks.load(), viewportDraws);
    EXPECT_EQ(rayChecks.load(), renders * renderThreads * 20);
}

} // namespace
