#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "c4d_tagdata.h"
#include "c4d_videopostdata.h"
#include "plugin_registry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Everything undo must restore, as text: the object tree with names, types, transforms,
// render modes, bits and parameter containers, and each object's tags with theirs.
void describeContainer(std::ostringstream& out, const BaseContainer& bc) {
    for (Int32 i = 0; i < bc.GetCount(); ++i) {
        const GeData* d = bc.GetIndexData(i);
        out << " " << bc.GetIndexId(i) << "=" << d->GetType() << ":" << d->GetFloat() << "/"
            << d->GetString().GetStdString();
        const Vector v = d->GetVector();
        out << "(" << v.x << "," << v.y << "," << v.z << ")";
    }
}

void describeObjects(std::ostringstream& out, const BaseObject* op, int depth) {
    for (; op; op = op->GetNext()) {
        const Vector p = op->GetRelPos(), r = op->GetRelRot();
        out << std::string(size_t(depth) * 2, ' ') << op->GetType() << " "
            << op->GetName().GetStdString() << " pos " << p.x << "," << p.y << "," << p.z << " rot "
            << r.x << "," << r.y << "," << r.z << " mode " << op->GetRenderMode() << " bits "
            << op->GetAllBits() << " {";
        describeContainer(out, *op->GetDataInstance());
        out << " }\n";
        for (const BaseTag* t = op->GetFirstTag(); t; t = t->GetNext()) {
            out << std::string(size_t(depth) * 2 + 1, ' ') << "tag " << t->GetType() << " bits "
                << t->GetAllBits() << " {";
            describeContainer(out, *t->GetDataInstance());
            out << " }\n";
        }
        describeObjects(out, op->GetDown(), depth + 1);
    }
}

std::string describe(const BaseDocument* doc) {
    std::ostringstream out;
    describeObjects(out, doc->GetFirstObject(), 0);
    return out.str();
}

int g_undoMessages = 0;

class UndoListener : public TagData {
public:
    static NodeData* Alloc() { return new UndoListener(); }
    Bool Message(GeListNode*, Int32 type, void* data) override {
        if (type == MSG_DOCUMENTINFO &&
            static_cast<DocumentInfoData*>(data)->type == MSG_DOCUMENTINFO_TYPE_UNDO)
            ++g_undoMessages;
        return true;
    }
};
constexpr Int32 listenerTag = 1990301;

class Undo : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(RegisterTagPlugin(listenerTag, "Listener", TAG_VISIBLE, UndoListener::Alloc, "",
                                      nullptr, 0));
    }
    void SetUp() override {
        doc = BaseDocument::Alloc();
        group = BaseObject::Alloc(Onull);
        group->SetName("Group");
        cam = BaseObject::Alloc(Ocamera);
        cam->SetName("Camera");
        cam->SetRelPos({0, 10, 0});
        doc->InsertObject(group, nullptr, nullptr);
        doc->InsertObject(cam, group, nullptr);
        listener = cam->MakeTag(listenerTag);
        ASSERT_NE(listener, nullptr);
        listener->GetDataInstance()->SetFloat(1008, 3.0);
        protection = cam->MakeTag(Tprotection, listener);
        before = describe(doc);
    }
    void TearDown() override { BaseDocument::Free(doc); }

    BaseDocument* doc = nullptr;
    BaseObject* group = nullptr;
    BaseObject* cam = nullptr;
    BaseTag* listener = nullptr;
    BaseTag* protection = nullptr;
    std::string before;
};

TEST_F(Undo, OneStepRevertsNewNodesAndChangesExactly) {
    g_undoMessages = 0;
    ASSERT_TRUE(doc->StartUndo());
    BaseObject* newCam = BaseObject::Alloc(Ocamera);
    doc->InsertObject(newCam, nullptr, nullptr);
    EXPECT_TRUE(doc->AddUndo(UNDOTYPE_NEW, newCam));
    BaseTag* newTag = BaseTag::Alloc(Tprotection);
    cam->InsertTag(newTag);
    EXPECT_TRUE(doc->AddUndo(UNDOTYPE_NEW, newTag));
    doc->SetActiveTag(newTag);
    EXPECT_TRUE(doc->AddUndo(UNDOTYPE_CHANGE, cam));
    cam->SetRelPos({0, 200, 0});
    cam->SetRelRot({0, -PI05, 0});
    static_cast<CameraObject*>(cam)->SetFocus(8.0);
    cam->SetRenderMode(MODE_OFF);
    EXPECT_TRUE(doc->AddUndo(UNDOTYPE_CHANGE_SMALL, listener));
    listener->GetDataInstance()->SetFloat(1008, 5.5);
    listener->GetDataInstance()->SetInt32(1006, 3);
    ASSERT_TRUE(doc->EndUndo());
    EXPECT_NE(describe(doc), before);
    const Matrix moved = cam->GetMg();

    ASSERT_TRUE(doc->DoUndo());
    EXPECT_EQ(describe(doc), before);
    EXPECT_EQ(doc->GetFirstObject(), group);
    EXPECT_EQ(doc->GetActiveTag(), nullptr); // the new tag is gone
    EXPECT_EQ(cam->GetMg().offset, Vector(0, 10, 0));
    EXPECT_NE(cam->GetMg(), moved);
    EXPECT_EQ(g_undoMessages, 1);
    EXPECT_FALSE(doc->DoUndo()); // nothing left
}

TEST_F(Undo, DeletedTagsAndObjectsComeBackInTheirPlaces) {
    BaseLink toProtection(protection), toCam(cam);
    ASSERT_TRUE(doc->StartUndo());
    EXPECT_TRUE(doc->AddUndo(UNDOTYPE_DELETE, protection));
    BaseTag::Free(protection); // held by the undo step: only taken off the camera
    EXPECT_EQ(protection, nullptr);
    EXPECT_TRUE(doc->AddUndo(UNDOTYPE_DELETE, group));
    group->Remove();
    ASSERT_TRUE(doc->EndUndo());
    EXPECT_EQ(doc->GetFirstObject(), nullptr);
    EXPECT_EQ(toCam.GetLink(doc), nullptr); // out of the document meanwhile
    EXPECT_EQ(toProtection.GetLink(doc), nullptr);

    ASSERT_TRUE(doc->DoUndo());
    EXPECT_EQ(describe(doc), before);
    EXPECT_EQ(toCam.GetLink(doc), cam); // the same nodes, so links resolve again
    ASSERT_NE(toProtection.GetLink(doc), nullptr);
    EXPECT_EQ(listener->GetNext(), toProtection.GetLink(doc));
}

TEST_F(Undo, GroupsNestAndRecordsOutsideAGroupAreRefused) {
    EXPECT_FALSE(doc->AddUndo(UNDOTYPE_CHANGE, cam));
    EXPECT_FALSE(doc->EndUndo());
    doc->StartUndo();
    doc->StartUndo();
    doc->AddUndo(UNDOTYPE_CHANGE, cam);
    cam->SetRelPos({1, 1, 1});
    doc->EndUndo();
    doc->AddUndo(UNDOTYPE_CHANGE, group);
    group->SetName("Renamed");
    doc->EndUndo();
    EXPECT_EQ(doc->GetUndoCount(), 1);
    EXPECT_FALSE(doc->AddUndo(UNDOTYPE_CHANGE, nullptr));
    doc->StartUndo(); // an empty group leaves no step
    doc->EndUndo();
    EXPECT_EQ(doc->GetUndoCount(), 1);
    ASSERT_TRUE(doc->DoUndo());
    EXPECT_EQ(describe(doc), before);
}

TEST_F(Undo, ARecordOfANodeDeletedSinceIsSkipped) {
    doc->StartUndo();
    doc->AddUndo(UNDOTYPE_CHANGE, protection);
    doc->AddUndo(UNDOTYPE_NEW, listener);
    doc->EndUndo();
    BaseTag::Free(protection); // gone without undo
    BaseTag::Free(listener);
    EXPECT_TRUE(doc->DoUndo());
    EXPECT_EQ(cam->GetFirstTag(), nullptr);
}

TEST(Document, RenderSettingsTimeAndSelection) {
    BaseDocument* doc = BaseDocument::Alloc();
    RenderData* first = doc->GetActiveRenderData();
    ASSERT_NE(first, nullptr); // a new document has render settings
    const BaseContainer* rdc = first->GetDataInstance();
    EXPECT_EQ(rdc->GetFloat(RENDERDATA_WIDTH), 800.0);
    EXPECT_EQ(rdc->GetFloat(RENDERDATA_HEIGHT), 600.0);
    EXPECT_EQ(rdc->GetFloat(RENDERDATA_FRAMERATE), 30.0);
    EXPECT_TRUE(rdc->GetBool(RENDERDATA_ALPHACHANNEL));
    EXPECT_FALSE(rdc->GetBool(RENDERDATA_STEREO));

    RenderData* second = RenderData::Alloc();
    doc->InsertRenderDataLast(second);
    EXPECT_EQ(doc->GetActiveRenderData(), first);
    doc->SetActiveRenderData(second);
    EXPECT_EQ(doc->GetActiveRenderData(), second);
    EXPECT_EQ(first->GetNext(), second);
    RenderData::Free(second); // the active one goes: the first takes over
    EXPECT_EQ(doc->GetActiveRenderData(), first);

    // Writing a changed copy back "adding to it" keeps the other settings.
    BaseContainer change = first->GetData();
    change.SetBool(RENDERDATA_STEREO, true);
    BaseContainer only;
    only.SetBool(RENDERDATA_STEREO, true);
    first->SetData(only);
    EXPECT_TRUE(first->GetDataInstance()->GetBool(RENDERDATA_STEREO));
    EXPECT_EQ(first->GetDataInstance()->GetFloat(RENDERDATA_WIDTH), 800.0);
    EXPECT_EQ(*first->GetDataInstance(), change);
    first->SetData(only, false);
    EXPECT_EQ(*first->GetDataInstance(), only);

    doc->SetMinTime(BaseTime(10, 25));
    doc->SetMaxTime(BaseTime(250, 25));
    doc->SetFps(25);
    doc->SetDocumentName(Filename("Dome.json"));
    EXPECT_EQ(doc->GetMaxTime().Get(), 10.0);
    EXPECT_EQ(doc->GetFps(), 25);
    EXPECT_EQ(doc->GetDocumentName().GetString(), String("Dome.json"));

    BaseObject* a = BaseObject::Alloc(Ocamera);
    BaseObject* b = BaseObject::Alloc(Ocamera);
    doc->InsertObject(a, nullptr, nullptr);
    doc->InsertObject(b, nullptr, nullptr);
    doc->SetActiveObject(a);
    doc->SetActiveObject(b); // a new selection clears the old one
    EXPECT_EQ(doc->GetActiveObject(), b);
    EXPECT_FALSE(a->GetBit(BIT_ACTIVE));
    EXPECT_TRUE(b->GetBit(BIT_ACTIVE));
    BaseTag* tag = b->MakeTag(Tprotection);
    tag->SetAllBits(tag->GetAllBits() | 1);
    doc->SetActiveTag(tag);
    EXPECT_EQ(doc->GetActiveTag(), tag);
    EXPECT_EQ(tag->GetAllBits(), 1 | BIT_ACTIVE);
    tag->Remove(); // out of the document: no longer its active tag
    EXPECT_EQ(doc->GetActiveTag(), nullptr);
    BaseTag::Free(tag);

    EXPECT_EQ(doc->GetRenderBaseDraw(), doc->GetActiveBaseDraw());
    EXPECT_NE(doc->GetRenderBaseDraw()->GetEditorCamera(), nullptr);
    BaseDocument::Free(doc);
}

int g_vpInits = 0;

class EmptyEffect : public VideoPostData {
public:
    static NodeData* Alloc() { return new EmptyEffect(); }
    Bool Init(GeListNode*) override {
        ++g_vpInits;
        return true;
    }
};

TEST(Document, VideoPostsOfRegisteredTypesJoinTheRenderSettingsInOrder) {
    ASSERT_TRUE(RegisterVideoPostPlugin(1990401, "Effect", 32, EmptyEffect::Alloc, "", 0, 0));
    const host::PluginEntry* e = host::FindPlugin(1990401, host::PluginKind::VideoPost);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->info, 32);
    BaseDocument* doc = BaseDocument::Alloc();
    RenderData* rd = doc->GetActiveRenderData();
    EXPECT_EQ(BaseVideoPost::Alloc(4242), nullptr);
    BaseVideoPost* a = BaseVideoPost::Alloc(1990401);
    BaseVideoPost* b = BaseVideoPost::Alloc(1990401);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(g_vpInits, 2);
    rd->InsertVideoPost(a);
    rd->InsertVideoPostLast(b);
    EXPECT_EQ(rd->GetFirstVideoPost(), a);
    EXPECT_EQ(a->GetNext(), b);
    EXPECT_EQ(b->GetRenderData(), rd);
    EXPECT_EQ(b->GetDocument(), doc);
    EXPECT_NE(b->GetVideoPostData(), nullptr);
    EXPECT_TRUE(b->IsInstanceOf(VPbase));
    b->SetBit(BIT_VPDISABLED);
    EXPECT_EQ(b->GetAllBits(), 4);
    BaseDocument::Free(doc);
}

} // namespace
