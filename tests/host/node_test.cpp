#include "c4d_basebitmap.h"
#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_description.h"
#include "c4d_renderdata.h"
#include "c4d_tagdata.h"
#include "plugin_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr Int32 recorderTag = 1990001;
constexpr Int32 failingTag = 1990002;

std::vector<std::string> g_calls;

// A tag that records every hook the host runs, with what the container held at that moment.
class RecorderTag : public TagData {
public:
    static NodeData* Alloc() { return new RecorderTag(); }
    Bool Init(GeListNode* node) override {
        g_calls.push_back("Init");
        static_cast<BaseList2D*>(node)->GetDataInstance()->SetInt32(1000, 1);
        return true;
    }
    void Free(GeListNode*) override { g_calls.push_back("Free"); }
    Bool GetDParameter(GeListNode* node, const DescID& id, GeData& value,
                       DESCFLAGS_GET& flags) override {
        g_calls.push_back("GetDParameter " + std::to_string(id[0].id));
        if (id[0].id == 1077) { // computed: never read from the container
            value = GeData(Int32(5));
            flags |= DESCFLAGS_GET_PARAM_GET;
        }
        return id[0].id == 1099 ? false : NodeData::GetDParameter(node, id, value, flags);
    }
    Bool SetDParameter(GeListNode* node, const DescID& id, const GeData& value,
                       DESCFLAGS_SET& flags) override {
        const BaseContainer* bc = static_cast<BaseList2D*>(node)->GetDataInstance();
        g_calls.push_back("SetDParameter " + std::to_string(id[0].id) + " stored " +
                          std::to_string(bc->GetInt32(id[0].id, -1)));
        if (id[0].id == 1078) // redirected: the hook keeps it elsewhere
            flags |= DESCFLAGS_SET_PARAM_SET;
        return id[0].id == 1099 ? false : NodeData::SetDParameter(node, id, value, flags);
    }
    Bool Message(GeListNode* node, Int32 type, void* data) override {
        std::string line = "Message " + std::to_string(type);
        if (type == MSG_DESCRIPTION_POSTSETPARAMETER) {
            const auto* post = static_cast<DescriptionPostSetValue*>(data);
            const Int32 id = (*post->descid)[0].id;
            line +=
                " id " + std::to_string(id) + " stored " +
                std::to_string(static_cast<BaseList2D*>(node)->GetDataInstance()->GetInt32(id, -1));
        }
        g_calls.push_back(line);
        return true;
    }
    Bool GetDDescription(GeListNode*, Description*, DESCFLAGS_DESC& flags) override {
        g_calls.push_back("GetDDescription");
        flags |= DESCFLAGS_DESC_LOADED;
        return true;
    }
    Bool GetDEnabling(GeListNode*, const DescID& id, const GeData&, DESCFLAGS_ENABLE,
                      const BaseContainer*) override {
        g_calls.push_back("GetDEnabling " + std::to_string(id[0].id));
        return id[0].id != 1013;
    }
};

class FailingTag : public TagData {
public:
    static NodeData* Alloc() { return new FailingTag(); }
    Bool Init(GeListNode*) override {
        g_calls.push_back("Init fails");
        return false;
    }
};

class NodeHooks : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(RegisterTagPlugin(recorderTag, "Recorder", TAG_EXPRESSION | TAG_VISIBLE,
                                      RecorderTag::Alloc, "Recorder", nullptr, 0));
        ASSERT_TRUE(RegisterTagPlugin(failingTag, "Failing", 0, FailingTag::Alloc, "", nullptr, 0));
    }
    void SetUp() override { g_calls.clear(); }
};

TEST_F(NodeHooks, RegistryRecordsTheRegistrationAndRefusesATakenId) {
    const host::PluginEntry* e = host::FindPlugin(recorderTag, host::PluginKind::Tag);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->name, String("Recorder"));
    EXPECT_EQ(e->info, TAG_EXPRESSION | TAG_VISIBLE);
    EXPECT_EQ(e->description, String("Recorder"));
    EXPECT_EQ(e->alloc, &RecorderTag::Alloc);
    EXPECT_FALSE(RegisterTagPlugin(recorderTag, "Again", 0, RecorderTag::Alloc, "", nullptr, 0));
    EXPECT_EQ(e->icon, nullptr);

    // The registration keeps its own copy of the icon: the caller may free or change its own.
    BaseBitmap* icon = BaseBitmap::Alloc();
    ASSERT_EQ(icon->Init(32, 32), IMAGERESULT_OK);
    icon->Clear(255, 0, 0);
    ASSERT_TRUE(RegisterTagPlugin(1990004, "Iconic", 0, RecorderTag::Alloc, "", icon, 0));
    icon->Clear(0, 0, 255);
    BaseBitmap::Free(icon);
    const host::PluginEntry* iconic = host::FindPlugin(1990004);
    ASSERT_NE(iconic->icon, nullptr);
    UInt16 r = 0, g = 0, b = 0;
    iconic->icon->GetPixel(31, 31, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(b, 0);
    EXPECT_FALSE(RegisterTagPlugin(1990003, "No allocator", 0, nullptr, "", nullptr, 0));
    EXPECT_EQ(host::FindPlugin(1990003), nullptr);
}

TEST_F(NodeHooks, AllocRunsAllocAndInitAndDiscardsATagWhoseInitFails) {
    BaseTag* tag = BaseTag::Alloc(recorderTag);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->GetType(), recorderTag);
    EXPECT_TRUE(tag->IsInstanceOf(Tbase));
    ASSERT_NE(tag->GetTagData(), nullptr);
    EXPECT_EQ(tag->GetNodeData()->Get(), tag);
    EXPECT_EQ(tag->GetDataInstance()->GetInt32(1000), 1);
    // An expression tag carries its priority before Init runs.
    EXPECT_NE(
        tag->GetDataInstance()->GetCustomDataType(EXPRESSION_PRIORITY, CUSTOMDATATYPE_PRIORITY),
        nullptr);
    BaseTag::Free(tag);
    EXPECT_EQ(tag, nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"Init", "Free"}));

    g_calls.clear();
    EXPECT_EQ(BaseTag::Alloc(failingTag), nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"Init fails"}));
    EXPECT_EQ(BaseTag::Alloc(1990999), nullptr); // never registered
    BaseTag* protection = BaseTag::Alloc(Tprotection);
    ASSERT_NE(protection, nullptr);
    EXPECT_EQ(protection->GetNodeData(), nullptr);
    BaseTag::Free(protection);
}

TEST_F(NodeHooks, SetParameterRunsTheHookThenStoresThenSendsPostSet) {
    BaseTag* tag = BaseTag::Alloc(recorderTag);
    ASSERT_NE(tag, nullptr);
    g_calls.clear();
    const UInt32 dirty = tag->GetDirty(DIRTYFLAGS_DATA);
    EXPECT_TRUE(tag->SetParameter(DescID(1000), GeData(Int32(3)), DESCFLAGS_SET_NONE));
    EXPECT_EQ(tag->GetDataInstance()->GetInt32(1000), 3);
    EXPECT_GT(tag->GetDirty(DIRTYFLAGS_DATA), dirty);
    // A redirected parameter is not stored, but still announced.
    EXPECT_TRUE(tag->SetParameter(DescID(1078), GeData(Int32(4)), DESCFLAGS_SET_NONE));
    EXPECT_EQ(tag->GetDataInstance()->GetDataPointer(1078), nullptr);
    // A hook that fails ends the call: nothing stored, nothing announced.
    EXPECT_FALSE(tag->SetParameter(DescID(1099), GeData(Int32(9)), DESCFLAGS_SET_NONE));
    EXPECT_EQ(tag->GetDataInstance()->GetDataPointer(1099), nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{
                           "SetDParameter 1000 stored 1", "Message 19 id 1000 stored 3",
                           "SetDParameter 1078 stored -1", "Message 19 id 1078 stored -1",
                           "SetDParameter 1099 stored -1"}));
    BaseTag::Free(tag);
}

TEST_F(NodeHooks, GetParameterAsksTheHookFirstAndReadsTheContainerOtherwise) {
    BaseTag* tag = BaseTag::Alloc(recorderTag);
    ASSERT_NE(tag, nullptr);
    tag->GetDataInstance()->SetInt32(1077, 40);
    tag->GetDataInstance()->SetVector(1053, {0.25, 0.75, 1});
    g_calls.clear();
    GeData v;
    EXPECT_TRUE(tag->GetParameter(DescID(1077), v, DESCFLAGS_GET_NONE));
    EXPECT_EQ(v.GetInt32(), 5);
    EXPECT_TRUE(tag->GetParameter(DescID(1000), v, DESCFLAGS_GET_NONE));
    EXPECT_EQ(v.GetInt32(), 1);
    EXPECT_TRUE(tag->GetParameter(DescID(1006), v, DESCFLAGS_GET_NONE)); // never written
    EXPECT_TRUE(v.IsNil());
    EXPECT_EQ(v.GetInt32(), 0);
    EXPECT_FALSE(tag->GetParameter(DescID(1099), v, DESCFLAGS_GET_NONE));
    // A second level names one component of a vector.
    EXPECT_TRUE(
        tag->GetParameter(DescID(DescLevel(1053), DescLevel(VECTOR_Y)), v, DESCFLAGS_GET_NONE));
    EXPECT_EQ(v.GetFloat(), 0.75);
    EXPECT_TRUE(tag->SetParameter(DescID(DescLevel(1053), DescLevel(VECTOR_X)), GeData(-1.0),
                                  DESCFLAGS_SET_NONE));
    EXPECT_EQ(tag->GetDataInstance()->GetVector(1053), Vector(-1, 0.75, 1));
    EXPECT_EQ(g_calls[0], "GetDParameter 1077");
    EXPECT_EQ(g_calls[1], "GetDParameter 1000");
    BaseTag::Free(tag);
}

TEST_F(NodeHooks, DescriptionEnablingAndMessagesReachTheHook) {
    BaseTag* tag = BaseTag::Alloc(recorderTag);
    ASSERT_NE(tag, nullptr);
    g_calls.clear();
    Description desc;
    EXPECT_TRUE(tag->GetDescription(&desc, DESCFLAGS_DESC_NONE));
    EXPECT_FALSE(tag->GetEnabling(DescID(1013), GeData(), DESCFLAGS_ENABLE_NONE, nullptr));
    EXPECT_TRUE(tag->GetEnabling(DescID(1012), GeData(), DESCFLAGS_ENABLE_NONE, nullptr));
    EXPECT_TRUE(tag->Message(MSG_UPDATE));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"GetDDescription", "GetDEnabling 1013",
                                                 "GetDEnabling 1012", "Message 5"}));
    BaseTag::Free(tag);
}

TEST(DirtyFlags, CountPerFlagAndSumWhatIsAsked) {
    CameraObject cam;
    const UInt32 desc = cam.GetDirty(DIRTYFLAGS_DESCRIPTION);
    const UInt32 data = cam.GetDirty(DIRTYFLAGS_DATA);
    cam.SetDirty(DIRTYFLAGS_DESCRIPTION);
    EXPECT_EQ(cam.GetDirty(DIRTYFLAGS_DESCRIPTION), desc + 1);
    EXPECT_EQ(cam.GetDirty(DIRTYFLAGS_DATA), data);
    cam.SetDirty(DIRTYFLAGS_DESCRIPTION | DIRTYFLAGS_DATA);
    EXPECT_EQ(cam.GetDirty(DIRTYFLAGS_DESCRIPTION), desc + 2);
    EXPECT_EQ(cam.GetDirty(DIRTYFLAGS_DATA), data + 1);
    EXPECT_EQ(cam.GetDirty(DIRTYFLAGS_DESCRIPTION | DIRTYFLAGS_DATA), desc + 2 + data + 1);
    EXPECT_EQ(Int32(DIRTYFLAGS_DESCRIPTION), 64);
}

TEST(Links, ResolveInTheirDocumentAndGoNullWhenTheTargetIsDeleted) {
    BaseDocument* doc = BaseDocument::Alloc();
    BaseObject* cam = BaseObject::Alloc(Ocamera);
    doc->InsertObject(cam, nullptr, nullptr);
    BaseTag* tag = BaseTag::Alloc(Tprotection);
    cam->InsertTag(tag);

    BaseContainer bc;
    bc.SetLink(1, cam);
    bc.SetLink(2, tag);
    const BaseContainer copy = bc;
    EXPECT_EQ(bc.GetLink(1, doc), cam);
    EXPECT_EQ(bc.GetLink(2, doc, Tprotection), tag);
    EXPECT_EQ(bc.GetLink(2, doc, Ocamera), nullptr); // not an instance of that type
    EXPECT_EQ(bc.GetLink(3, doc), nullptr);

    BaseDocument* other = BaseDocument::Alloc();
    EXPECT_EQ(bc.GetLink(1, other), nullptr); // lives in another document
    EXPECT_EQ(bc.GetLink(1, nullptr), cam);

    BaseTag::Free(tag); // between two resolutions
    EXPECT_EQ(bc.GetLink(2, doc), nullptr);
    EXPECT_EQ(copy.GetLink(2, nullptr), nullptr);
    EXPECT_EQ(cam->GetFirstTag(), nullptr);

    BaseObject::Free(cam);
    EXPECT_EQ(bc.GetLink(1, nullptr), nullptr);
    EXPECT_EQ(doc->GetFirstObject(), nullptr);
    BaseDocument::Free(other);
    BaseDocument::Free(doc);
}

TEST(Links, DeletingADocumentReleasesEveryLinkIntoIt) {
    BaseDocument* doc = BaseDocument::Alloc();
    BaseObject* parent = BaseObject::Alloc(Onull);
    BaseObject* child = BaseObject::Alloc(Ocamera);
    doc->InsertObject(parent, nullptr, nullptr);
    doc->InsertObject(child, parent, nullptr);
    BaseLink toChild(child), toRender(doc->GetActiveRenderData());
    doc->GetRenderBaseDraw()->SetSceneCamera(child);
    EXPECT_EQ(doc->GetRenderBaseDraw()->GetSceneCamera(doc), child);
    EXPECT_NE(toRender.GetLink(doc), nullptr);
    BaseDocument::Free(doc);
    EXPECT_EQ(toChild.ForceGetLink(), nullptr);
    EXPECT_EQ(toRender.ForceGetLink(), nullptr);
}

TEST(Links, RenderViewForgetsADeletedCamera) {
    BaseDocument* doc = BaseDocument::Alloc();
    BaseObject* cam = BaseObject::Alloc(Ocamera);
    doc->InsertObject(cam, nullptr, nullptr);
    BaseDraw* bd = doc->GetRenderBaseDraw();
    bd->SetSceneCamera(cam);
    EXPECT_TRUE(bd->HasCameraLink());
    doc->SetActiveObject(cam);
    EXPECT_EQ(doc->GetActiveObject(), cam);
    BaseObject::Free(cam);
    EXPECT_EQ(bd->GetSceneCamera(doc), nullptr);
    EXPECT_FALSE(bd->HasCameraLink());
    EXPECT_EQ(doc->GetActiveObject(), nullptr);
    BaseDocument::Free(doc);
}

} // namespace
