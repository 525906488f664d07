#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "c4d_resource.h"
#include "c4d_tagdata.h"
#include "c4d_videopostdata.h"
#include "host_descriptions.h"
#include "resources.h"
#include "scene/scene_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string fixtures = OVRIN_HOST_FIXTURES;
constexpr Int32 effectId = 1033675;
constexpr Int32 tagId = 1035138;
constexpr Int32 shaderId = 1990501;

// Stand-ins for the plug-in's objects: the effect writes one default, the tag writes two and,
// as the real tag does, adds the effect to the active document's render settings when missing.
class FixtureEffect : public VideoPostData {
public:
    static NodeData* Alloc() { return new FixtureEffect(); }
    Bool Init(GeListNode* node) override {
        static_cast<BaseList2D*>(node)->GetDataInstance()->SetInt32(1048, 0);
        return true;
    }
};

class FixtureTag : public TagData {
public:
    static NodeData* Alloc() { return new FixtureTag(); }
    Bool Init(GeListNode* node) override {
        BaseContainer* bc = static_cast<BaseList2D*>(node)->GetDataInstance();
        bc->SetBool(1000, true);
        bc->SetFloat(1008, PI);
        BaseDocument* doc = GetActiveDocument();
        RenderData* rd = doc ? doc->GetActiveRenderData() : nullptr;
        if (!rd)
            return false;
        for (BaseVideoPost* vp = rd->GetFirstVideoPost(); vp; vp = vp->GetNext()) {
            if (vp->GetType() == effectId)
                return true;
        }
        BaseVideoPost* vp = BaseVideoPost::Alloc(effectId);
        if (!vp)
            return false;
        rd->InsertVideoPostLast(vp);
        return true;
    }
};

class FixtureShader : public BaseList2D {
public:
    FixtureShader() : BaseList2D(shaderId) {}
    static BaseList2D* Alloc() { return new FixtureShader(); }
};

class SceneFiles : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(RegisterVideoPostPlugin(effectId, "Ovrin 360 Cam", 32, FixtureEffect::Alloc,
                                            "Ovrin360Cam", 0, 0));
        ASSERT_TRUE(RegisterTagPlugin(tagId, "Ovrin Tag", TAG_VISIBLE | TAG_EXPRESSION,
                                      FixtureTag::Alloc, "OvrinTag", nullptr, 0));
        ASSERT_TRUE(host::AddShaderKind({shaderId, "fixture", FixtureShader::Alloc}));
        // Two tag types sharing one description name: the name alone cannot pick one.
        ASSERT_TRUE(RegisterTagPlugin(1990502, "Twin", 0, FixtureTag::Alloc, "Twin", nullptr, 0));
        ASSERT_TRUE(RegisterTagPlugin(1990503, "Twin", 0, FixtureTag::Alloc, "Twin", nullptr, 0));
    }
    void SetUp() override {
        host::ClearResources();
        ASSERT_TRUE(g_resource.Init(Filename(String(fixtures + "/res"))));
    }
    void TearDown() override { host::ClearResources(); }

    static BaseDocument* Load(const std::string& path) {
        std::string error;
        BaseDocument* doc = host::LoadSceneFile(path, error);
        EXPECT_NE(doc, nullptr) << error;
        return doc;
    }
    static std::string Text(const BaseDocument* doc) {
        std::string text, error;
        EXPECT_TRUE(host::WriteScene(doc, text, error)) << error;
        return text;
    }
};

TEST_F(SceneFiles, LoadsObjectsTagsRenderSettingsShadersAndTime) {
    BaseDocument* doc = Load(fixtures + "/scene.json");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetDocumentName().GetString(), String("Dome fixture"));
    EXPECT_EQ(doc->GetFps(), 25);
    EXPECT_EQ(doc->GetMaxTime().Get(), 2.0);
    EXPECT_EQ(doc->GetTime().Get(), 0.4);
    EXPECT_EQ(doc->GetDataInstance()->GetFilename(DOCUMENT_ENVIRONMENT_IMAGE).GetString(),
              String(fixtures + "/pixels.ppm"));
    EXPECT_EQ(doc->GetDataInstance()->GetVector(DOCUMENT_AMBIENT), Vector(0.1, 0.1, 0.1));

    BaseObject* rig = doc->GetFirstObject();
    ASSERT_NE(rig, nullptr);
    BaseObject* cam = rig->GetDown();
    ASSERT_NE(cam, nullptr);
    EXPECT_EQ(cam->GetType(), Ocamera);
    EXPECT_EQ(cam->GetName(), String("Dome camera"));
    EXPECT_EQ(static_cast<CameraObject*>(cam)->GetFocus(), 8.0);
    EXPECT_EQ(cam->GetDataInstance()->GetFloat(CAMERA_STEREO_EYE_SEPARATION), 6.5);
    // The rig turns the camera's up-looking view: it still looks up, from height 100.
    EXPECT_NEAR(cam->GetMg().TransformVector({0, 0, 1}).y, 1.0, 1e-12);
    EXPECT_NEAR(cam->GetMg().offset.y, 100.0, 1e-12);
    BaseObject* ball = rig->GetNext();
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->GetRenderMode(), MODE_OFF);
    EXPECT_EQ(ball->GetDataInstance()->GetFloat(PRIM_SPHERE_RADIUS), 50.0);
    EXPECT_EQ(doc->GetRenderBaseDraw()->GetSceneCamera(doc), cam);

    BaseTag* tag = cam->GetFirstTag();
    ASSERT_NE(tag, nullptr);
    ASSERT_EQ(tag->GetType(), tagId);
    const BaseContainer* tc = tag->GetDataInstance();
    EXPECT_EQ(tc->GetInt32(1006), 1);       // by its choice's symbol
    EXPECT_EQ(tc->GetFloat(1008), PI);      // by symbol
    EXPECT_EQ(tc->GetInt32(1052), 1036701); // by number, typed by its value
    EXPECT_TRUE(tc->GetBool(1000));         // Init's default, not in the file
    EXPECT_EQ(tc->GetVector(1053), Vector(0.5, 0.5, 1));
    ASSERT_NE(doc->GetFirstShaderNode(), nullptr);
    EXPECT_EQ(tc->GetLink(1037, doc), doc->GetFirstShaderNode());
    EXPECT_EQ(doc->GetFirstShaderNode()->GetDataInstance()->GetFloat(1), 0.5);
    EXPECT_EQ(tag->GetNext()->GetType(), Tprotection);

    RenderData* rd = doc->GetActiveRenderData();
    ASSERT_NE(rd, nullptr);
    EXPECT_EQ(rd->GetName(), String("Final"));
    EXPECT_EQ(doc->GetFirstRenderData()->GetName(), String("Preview"));
    EXPECT_EQ(rd->GetDataInstance()->GetFloat(RENDERDATA_WIDTH), 4096.0);
    EXPECT_EQ(rd->GetDataInstance()->GetData(RENDERDATA_WIDTH).GetType(), DA_REAL);
    EXPECT_TRUE(rd->GetDataInstance()->GetBool(RENDERDATA_STEREO));
    EXPECT_EQ(rd->GetDataInstance()->GetFloat(RENDERDATA_FRAMERATE), 30.0); // default kept
    BaseVideoPost* vp = rd->GetFirstVideoPost();
    ASSERT_NE(vp, nullptr);
    EXPECT_EQ(vp->GetNext(), nullptr); // the tag found the file's effect and added none
    const BaseContainer* vc = vp->GetDataInstance();
    EXPECT_EQ(vc->GetInt32(1048), 6);
    EXPECT_EQ(vc->GetString(1017), String("TITLE\nDirected by"));
    EXPECT_EQ(vc->GetTime(1098), BaseTime(50, 25));
    EXPECT_EQ(vc->GetFilename(1012).GetString(), String(fixtures + "/pixels.ppm"));
    EXPECT_EQ(vc->GetInt32(1099), 7);
    EXPECT_FALSE(vp->GetBit(BIT_VPDISABLED));
    BaseDocument::Free(doc);
}

// Compares two documents node by node: containers equal, links naming the same place.
void expectSameNodes(const BaseList2D* a, const BaseList2D* b, const BaseDocument* da,
                     const BaseDocument* db, int& compared) {
    ASSERT_EQ(a == nullptr, b == nullptr);
    if (!a)
        return;
    SCOPED_TRACE(a->GetName().GetStdString());
    EXPECT_EQ(a->GetType(), b->GetType());
    EXPECT_EQ(a->GetName(), b->GetName());
    const BaseContainer &ca = *a->GetDataInstance(), &cb = *b->GetDataInstance();
    ASSERT_EQ(ca.GetCount(), cb.GetCount());
    for (Int32 i = 0; i < ca.GetCount(); ++i) {
        SCOPED_TRACE(ca.GetIndexId(i));
        EXPECT_EQ(ca.GetIndexId(i), cb.GetIndexId(i));
        const GeData &va = *ca.GetIndexData(i), &vb = *cb.GetIndexData(i);
        if (va.GetType() == DA_ALIASLINK) {
            const BaseList2D* ta = va.GetLink(da);
            const BaseList2D* tb = vb.GetLink(db);
            ASSERT_EQ(ta == nullptr, tb == nullptr);
            if (ta) {
                EXPECT_EQ(ta->GetName(), tb->GetName());
            }
        } else {
            EXPECT_EQ(va, vb);
        }
        ++compared;
    }
}

void expectSameObjects(const BaseObject* a, const BaseObject* b, const BaseDocument* da,
                       const BaseDocument* db, int& compared) {
    for (; a || b; a = a->GetNext(), b = b->GetNext()) {
        ASSERT_TRUE(a && b);
        expectSameNodes(a, b, da, db, compared);
        EXPECT_EQ(a->GetMl(), b->GetMl());
        EXPECT_EQ(a->GetRenderMode(), b->GetRenderMode());
        const BaseTag *ta = a->GetFirstTag(), *tb = b->GetFirstTag();
        for (; ta || tb; ta = ta->GetNext(), tb = tb->GetNext()) {
            ASSERT_TRUE(ta && tb);
            expectSameNodes(ta, tb, da, db, compared);
        }
        expectSameObjects(a->GetDown(), b->GetDown(), da, db, compared);
    }
}

TEST_F(SceneFiles, LoadSaveLoadGivesEqualContainers) {
    BaseDocument* first = Load(fixtures + "/scene.json");
    ASSERT_NE(first, nullptr);
    const fs::path saved = fs::path(testing::TempDir()) / "ovrin_roundtrip.json";
    std::string error;
    ASSERT_TRUE(host::SaveSceneFile(first, saved.string(), error)) << error;
    if (std::getenv("OVRIN_SHOW_SCENE"))
        std::cout << Text(first);
    BaseDocument* second = Load(saved.string());
    ASSERT_NE(second, nullptr);

    int compared = 0;
    expectSameObjects(first->GetFirstObject(), second->GetFirstObject(), first, second, compared);
    const RenderData *ra = first->GetFirstRenderData(), *rb = second->GetFirstRenderData();
    for (; ra || rb; ra = ra->GetNext(), rb = rb->GetNext()) {
        ASSERT_TRUE(ra && rb);
        expectSameNodes(ra, rb, first, second, compared);
        expectSameNodes(ra->GetFirstVideoPost(), rb->GetFirstVideoPost(), first, second, compared);
    }
    expectSameNodes(first->GetFirstShaderNode(), second->GetFirstShaderNode(), first, second,
                    compared);
    expectSameNodes(first, second, first, second, compared);
    EXPECT_GT(compared, 30);
    EXPECT_EQ(second->GetActiveRenderData()->GetName(), String("Final"));
    EXPECT_EQ(second->GetRenderBaseDraw()->GetSceneCamera(second)->GetName(),
              String("Dome camera"));
    EXPECT_EQ(second->GetMaxTime(), first->GetMaxTime());
    // Writing is deterministic: the second document writes the same text.
    EXPECT_EQ(Text(second), Text(first));
    fs::remove(saved);
    BaseDocument::Free(first);
    BaseDocument::Free(second);
}

TEST_F(SceneFiles, TagsOfAFileWithoutTheEffectAddItAndUnknownNumbersKeepTheirKind) {
    const char* text = R"({"objects": [{"type": "camera", "tags": [{"type": 1035138}],
        "parameters": {"7001": true, "7002": 2.0, "7003": {"file": "a.png"},
                       "7004": {"seconds": 1.5}, "7005": [1, 2, 3], "7006": "x [a  b]\n[1,  2]",
                       "7007": {"offset": [1, 2, 3], "x": [1, 0, 0], "y": [0, 1, 0], "z": [0, 0, 1]}}}]})";
    std::string error;
    BaseDocument* doc = host::ReadScene(text, "scene.json", "/scenes", error);
    ASSERT_NE(doc, nullptr) << error;
    BaseVideoPost* vp = doc->GetActiveRenderData()->GetFirstVideoPost();
    ASSERT_NE(vp, nullptr);
    EXPECT_EQ(vp->GetType(), effectId);
    const BaseContainer* bc = doc->GetFirstObject()->GetDataInstance();
    EXPECT_EQ(bc->GetData(7001), GeData(true));
    EXPECT_EQ(bc->GetData(7002).GetType(), DA_REAL);
    EXPECT_EQ(bc->GetFilename(7003).GetString(), String("/scenes/a.png"));
    EXPECT_EQ(bc->GetTime(7004).Get(), 1.5);
    EXPECT_EQ(bc->GetVector(7005), Vector(1, 2, 3));
    EXPECT_EQ(bc->GetString(7006), String("x [a  b]\n[1,  2]")); // lists in text stay as they are
    EXPECT_EQ(bc->GetMatrix(7007).offset, Vector(1, 2, 3));
    // The kinds survive writing and reading again.
    const std::string saved = Text(doc);
    BaseDocument* again = host::ReadScene(saved, "saved.json", "", error);
    ASSERT_NE(again, nullptr) << error;
    EXPECT_EQ(*again->GetFirstObject()->GetDataInstance(), *bc);
    BaseDocument::Free(again);
    BaseDocument::Free(doc);
}

TEST_F(SceneFiles, BadFilesGiveOneErrorNamingFilePlaceAndKeyAndNoDocument) {
    const std::string camTag =
        R"({"objects": [{"type": "camera", "tags": [{"type": "OvrinTag", "parameters": )";
    struct Case {
        std::string text;
        std::string error;
    } cases[] = {
        {camTag + R"({"OVRINTAG_DOME_FOVV": 1.0}}]}]})",
         "scene.json: objects[0].tags[0]: unknown parameter \"OVRINTAG_DOME_FOVV\""},
        {camTag + R"({"OVRINTAG_DOME_FOV": "wide"}}]}]})",
         "scene.json: objects[0].tags[0]: parameter \"OVRINTAG_DOME_FOV\" must be a number, not "
         "a string"},
        {camTag + R"({"OVRINTAG_PROJECTION": "OVRINTAG_PROJECTION_DOMEE"}}]}]})",
         "scene.json: objects[0].tags[0]: parameter \"OVRINTAG_PROJECTION\" has no choice "
         "\"OVRINTAG_PROJECTION_DOMEE\""},
        {camTag + R"({"OVRINTAG_ENABLED": 1}}]}]})",
         "scene.json: objects[0].tags[0]: parameter \"OVRINTAG_ENABLED\" must be true or false, "
         "not a whole number"},
        {camTag + R"({"OVRINTAG_DOME_GROUP": 1}}]}]})",
         "scene.json: objects[0].tags[0]: parameter \"OVRINTAG_DOME_GROUP\" holds no value (it "
         "is part of the layout or computed)"},
        {camTag + R"({"OVRINTAG_SEPARATION_MAP_SHADER": {"link": "shaders[4]"}}}]}]})",
         "scene.json: objects[0].tags[0]: parameter \"OVRINTAG_SEPARATION_MAP_SHADER\" links to "
         "\"shaders[4]\", which does not exist"},
        {camTag + R"({"1052": [1, 2]}}]}]})",
         "scene.json: objects[0].tags[0]: parameter \"1052\" has a value of no known kind (a "
         "list)"},
        {R"({"objects": [{"type": "null", "children": [{"type": "camera"}, {"type": "camera",
            "tags": [{"type": "OvrinTags"}]}]}]})",
         "scene.json: objects[0].children[1].tags[0]: unknown tag type \"OvrinTags\""},
        {R"({"objects": [{"type": "camera", "tags": [{"type": "Twin"}]}]})",
         "scene.json: objects[0].tags[0]: type \"Twin\" names several plug-ins; give the "
         "plug-in's number"},
        {R"({"objects": [{"type": "camera", "postion": [0, 0, 0]}]})",
         "scene.json: objects[0]: unknown key \"postion\""},
        {R"({"objects": [{"type": "cone"}]})",
         "scene.json: objects[0]: unknown object type \"cone\""},
        {R"({"objects": [{"name": "x"}]})", "scene.json: objects[0]: missing \"type\""},
        {R"({"objects": [{"type": "camera", "rotation": [0, 1]}]})",
         "scene.json: objects[0]: \"rotation\" must be a vector [x, y, z], not a list"},
        {R"({"render": [{"parameters": {"RENDERDATA_WIDTH": true}}]})",
         "scene.json: render[0]: parameter \"RENDERDATA_WIDTH\" must be a number, not a "
         "true/false value"},
        {R"({"render": [{"videoPosts": [{"type": "Ovrin360Cam", "enabeld": false}]}]})",
         "scene.json: render[0].videoPosts[0]: unknown key \"enabeld\""},
        {R"({"render": [{"videoPosts": [{"type": 1234}]}]})",
         "scene.json: render[0].videoPosts[0]: unknown video post type 1234"},
        {R"({"shaders": [{"type": "noise"}]})",
         "scene.json: shaders[0]: unknown shader type \"noise\""},
        {R"({"objets": []})", "scene.json: unknown key \"objets\""},
        {R"({"time": {"fps": 25, "min": 10, "max": 5}})",
         "scene.json: time: \"max\" lies before \"min\""},
        {R"({"environment": {"image": "a.exr", "sky": {}}})",
         "scene.json: environment: give either \"image\" or \"sky\""},
        {R"({"objects": [{"type": "camera", "tags": [{"type": "protection"}]}], "renderCamera": "objects[0].tags[0]"})",
         "scene.json: \"renderCamera\" names \"objects[0].tags[0]\", which is no object"},
        {R"([1, 2])", "scene.json: a scene must be an object, not a list"},
        {"{\"objects\": [\n  {\"type\": \"camera\",}\n]}",
         "scene.json: line 2, column 21: syntax error while parsing object key - unexpected '}'; "
         "expected string literal"},
    };
    BaseDocument* active = BaseDocument::Alloc();
    SetActiveDocument(active);
    int checked = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        BaseDocument* doc = host::ReadScene(c.text, "scene.json", "", error);
        EXPECT_EQ(doc, nullptr);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(GetActiveDocument(), active); // restored after the failed load
        BaseDocument::Free(doc);
        ++checked;
    }
    EXPECT_EQ(checked, 23);
    // Nothing of the failed loads reached the active document.
    EXPECT_EQ(active->GetActiveRenderData()->GetFirstVideoPost(), nullptr);
    EXPECT_EQ(active->GetFirstObject(), nullptr);
    BaseDocument::Free(active);
    EXPECT_EQ(GetActiveDocument(), nullptr);

    std::string error;
    EXPECT_EQ(host::LoadSceneFile(fixtures + "/no-such-scene.json", error), nullptr);
    EXPECT_EQ(error, fixtures + "/no-such-scene.json: cannot read the file");
}

TEST_F(SceneFiles, SavingIsWholeOrNothing) {
    const fs::path path = fs::path(testing::TempDir()) / "ovrin_save.json";
    std::ofstream(path) << "previous";
    BaseDocument* doc = BaseDocument::Alloc();
    BaseObject* cam = BaseObject::Alloc(Ocamera);
    doc->InsertObject(cam, nullptr, nullptr);
    cam->GetDataInstance()->SetFloat(CAMERA_FOCUS, std::nan(""));
    std::string error;
    EXPECT_FALSE(host::SaveSceneFile(doc, path.string(), error));
    EXPECT_EQ(error, path.string() + ": objects[0]: parameter \"CAMERA_FOCUS\" holds a number "
                                     "JSON cannot hold");
    std::ifstream in(path);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "previous"); // untouched
    cam->GetDataInstance()->SetFloat(CAMERA_FOCUS, 12.0);
    ASSERT_TRUE(host::SaveSceneFile(doc, path.string(), error)) << error;
    BaseDocument* back = Load(path.string());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(static_cast<CameraObject*>(back->GetFirstObject())->GetFocus(), 12.0);
    for (const auto& f : fs::directory_iterator(path.parent_path()))
        EXPECT_EQ(f.path().string().find("ovrin_save.json.tmp"), std::string::npos);
    fs::remove(path);
    BaseDocument::Free(back);
    BaseDocument::Free(doc);
}

} // namespace
