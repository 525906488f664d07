#include "c4d_basedocument.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"

#include <gtest/gtest.h>

namespace {

void expectNear(const Vector& a, const Vector& b, Float tol = 1e-12) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

TEST(HPB, PitchUpLooksAlongPlusYAndHeadingTurnsAboutY) {
    struct Case {
        const char* name;
        Vector hpb;
        Vector view; // where +Z goes
        Vector up;   // where +Y goes
    } cases[] = {
        {"none", {0, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {"pitch up", {0, PI05, 0}, {0, 1, 0}, {0, 0, -1}},
        {"pitch down", {0, -PI05, 0}, {0, -1, 0}, {0, 0, 1}},
        {"heading quarter", {PI05, 0, 0}, {-1, 0, 0}, {0, 1, 0}},
        {"heading half", {PI, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {"bank quarter", {0, 0, PI05}, {0, 0, 1}, {1, 0, 0}},
        // Heading after pitch: the pitched view turns about world Y.
        {"heading and pitch",
         {PI05, PI05 / 2, 0},
         {-std::sqrt(0.5), std::sqrt(0.5), 0},
         {std::sqrt(0.5), std::sqrt(0.5), 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Matrix m = HPBToMatrix(c.hpb);
        expectNear(m.TransformVector({0, 0, 1}), c.view);
        expectNear(m.TransformVector({0, 1, 0}), c.up);
        EXPECT_EQ(m, MatrixRotY(c.hpb.x) * MatrixRotX(c.hpb.y) * MatrixRotZ(c.hpb.z));
    }
}

TEST(HPB, MatrixToHPBRecoversTheAnglesAndHandlesStraightUp) {
    const Vector angles[] = {{0.3, -0.4, 0.5}, {-2.0, 1.2, -0.1}, {3.0, 0.0, 2.5}, {0, 0, 0}};
    for (const Vector& a : angles) {
        SCOPED_TRACE(testing::Message() << a.x << "," << a.y << "," << a.z);
        expectNear(MatrixToHPB(HPBToMatrix(a)), a);
    }
    // Looking straight up the bank and heading are one turn; the matrix must survive.
    const Matrix up = HPBToMatrix({0.7, PI05, 0.2});
    const Matrix back = HPBToMatrix(MatrixToHPB(up));
    expectNear(back.axisX, up.axisX, 1e-9);
    expectNear(back.axisY, up.axisY, 1e-9);
    expectNear(back.axisZ, up.axisZ, 1e-9);
}

TEST(ObjectTree, GlobalMatrixComposesTheParentsAndFollowsEveryChange) {
    BaseDocument* doc = BaseDocument::Alloc();
    BaseObject* parent = BaseObject::Alloc(Onull);
    BaseObject* child = BaseObject::Alloc(Ocamera);
    doc->InsertObject(parent, nullptr, nullptr);
    doc->InsertObject(child, parent, nullptr);
    parent->SetRelPos({0, 100, 0});
    parent->SetRelRot({PI05, 0, 0}); // +Z → −X
    child->SetRelPos({0, 0, 10});
    child->SetRelRot({0, PI05, 0}); // looks up in the parent's frame
    expectNear(child->GetMg().offset, {-10, 100, 0});
    expectNear(child->GetMg().TransformVector({0, 0, 1}), {0, 1, 0});
    expectNear(child->GetUpMg().offset, {0, 100, 0});

    // Moving the parent moves the cached child matrix with it.
    parent->SetRelPos({5, 0, 0});
    expectNear(child->GetMg().offset, {-5, 0, 0});

    // SetMg places the child in world space whatever its parent does.
    const Matrix target = MatrixMove({1, 2, 3}) * HPBToMatrix({0.2, -0.3, 0.4});
    child->SetMg(target);
    expectNear(child->GetMg().offset, target.offset);
    expectNear(child->GetMg().axisZ, target.axisZ);
    expectNear(child->GetRelPos(), (MatrixInverse(parent->GetMg()) * target).offset);

    // Out of the tree the local matrix is the global one; back under the parent it composes.
    child->Remove();
    EXPECT_EQ(child->GetMg(), child->GetMl());
    child->InsertUnder(parent);
    expectNear(child->GetMg().offset, target.offset);
    BaseDocument::Free(doc);
}

TEST(ObjectTree, InsertionPlacesObjectsAndTagsInOrder) {
    BaseDocument* doc = BaseDocument::Alloc();
    BaseObject* a = BaseObject::Alloc(Onull);
    BaseObject* b = BaseObject::Alloc(Onull);
    BaseObject* c = BaseObject::Alloc(Ocamera);
    BaseObject* d = BaseObject::Alloc(Ocamera);
    a->SetName("a");
    b->SetName("b");
    c->SetName("c");
    d->SetName("d");
    doc->InsertObject(a, nullptr, nullptr);
    doc->InsertObject(b, nullptr, nullptr); // first: b, a
    doc->InsertObject(c, a, nullptr);       // a's first child
    doc->InsertObject(d, nullptr, c);       // after c, under a
    EXPECT_EQ(doc->GetFirstObject(), b);
    EXPECT_EQ(b->GetNext(), a);
    EXPECT_EQ(a->GetPred(), b);
    EXPECT_EQ(a->GetDown(), c);
    EXPECT_EQ(c->GetNext(), d);
    EXPECT_EQ(d->GetUp(), a);
    EXPECT_EQ(b->GetUp(), nullptr);
    EXPECT_EQ(d->GetDocument(), doc);
    EXPECT_EQ(doc->SearchObject("d"), d);
    EXPECT_EQ(doc->SearchObject("e"), nullptr);
    EXPECT_TRUE(c->IsInstanceOf(Obase));
    EXPECT_TRUE(c->IsInstanceOf(Ocamera));
    EXPECT_FALSE(a->IsInstanceOf(Ocamera));

    BaseTag* t1 = BaseTag::Alloc(Tprotection);
    BaseTag* t2 = BaseTag::Alloc(Tprotection);
    c->InsertTag(t1);
    c->InsertTag(t2);                          // first again: t2, t1
    BaseTag* t3 = c->MakeTag(Tprotection, t1); // after t1
    ASSERT_NE(t3, nullptr);
    EXPECT_EQ(c->GetFirstTag(), t2);
    EXPECT_EQ(t2->GetNext(), t1);
    EXPECT_EQ(t1->GetNext(), t3);
    EXPECT_EQ(c->GetTag(Tprotection, 2), t3);
    EXPECT_EQ(c->GetTag(Tprotection, 3), nullptr);
    EXPECT_EQ(t1->GetObject(), c);
    EXPECT_EQ(t1->GetUp(), nullptr); // tags are branches, not children
    EXPECT_EQ(t1->GetDocument(), doc);
    EXPECT_EQ(c->GetDown(), nullptr);

    // Deleting a tag takes it off the object; deleting an object takes its children along.
    BaseTag::Free(t1);
    EXPECT_EQ(t2->GetNext(), t3);
    BaseObject::Free(a);
    EXPECT_EQ(doc->GetFirstObject(), b);
    EXPECT_EQ(b->GetNext(), nullptr);
    BaseDocument::Free(doc);
}

TEST(ObjectTree, CloneCopiesParametersTransformTagsAndChildren) {
    BaseObject* cam = BaseObject::Alloc(Ocamera);
    cam->SetRelPos({1, 2, 3});
    cam->SetRelRot({0, PI05, 0});
    cam->SetRenderMode(MODE_OFF);
    cam->GetDataInstance()->SetFloat(CAMERA_FOCUS, 8.0);
    cam->MakeTag(Tprotection);
    BaseObject* child = BaseObject::Alloc(Onull);
    child->InsertUnder(cam);
    auto* copy = static_cast<BaseObject*>(cam->GetClone(COPYFLAGS_NONE, nullptr));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetType(), Ocamera);
    EXPECT_EQ(static_cast<CameraObject*>(copy)->GetFocus(), 8.0);
    EXPECT_EQ(copy->GetMg(), cam->GetMg());
    EXPECT_EQ(copy->GetRenderMode(), MODE_OFF);
    ASSERT_NE(copy->GetFirstTag(), nullptr);
    EXPECT_EQ(copy->GetFirstTag()->GetType(), Tprotection);
    ASSERT_NE(copy->GetDown(), nullptr);
    EXPECT_EQ(copy->GetDown()->GetUp(), copy);
    auto* bare = static_cast<BaseObject*>(
        cam->GetClone(COPYFLAGS_NO_HIERARCHY | COPYFLAGS_NO_BRANCHES, nullptr));
    EXPECT_EQ(bare->GetDown(), nullptr);
    EXPECT_EQ(bare->GetFirstTag(), nullptr);
    BaseObject::Free(bare);
    BaseObject::Free(copy);
    BaseObject::Free(cam);
}

TEST(CameraObject, HostDefaultsAndFocus) {
    CameraObject* cam = CameraObject::Alloc();
    ASSERT_NE(cam, nullptr);
    const BaseContainer* bc = cam->GetDataInstance();
    EXPECT_EQ(cam->GetFocus(), 36.0);
    EXPECT_EQ(bc->GetInt32(CAMERA_STEREO_MODE), 0);
    EXPECT_EQ(bc->GetFloat(CAMERA_STEREO_EYE_SEPARATION), 6.5);
    EXPECT_EQ(bc->GetInt32(CAMERA_STEREO_CONVERGENCE_MODE), 0);
    EXPECT_EQ(bc->GetFloat(CAMERA_STEREO_ZERO_PARALLAX), 1000.0);
    EXPECT_TRUE(bc->GetBool(CAMERA_DRAW_VIEW_CONE));
    cam->SetFocus(8.0);
    EXPECT_EQ(bc->GetFloat(CAMERA_FOCUS), 8.0);
    // The numbers the plug-in writes.
    EXPECT_EQ(Int32(CAMERA_STEREO_MODE), 4200);
    EXPECT_EQ(Int32(CAMERA_STEREO_EYE_SEPARATION), 4201);
    EXPECT_EQ(Int32(CAMERA_STEREO_CONVERGENCE_MODE), 4202);
    EXPECT_EQ(Int32(CAMERA_STEREO_ZERO_PARALLAX), 4205);
    EXPECT_EQ(Int32(CAMERA_DRAW_VIEW_CONE), 1007);
    BaseObject* op = cam;
    BaseObject::Free(op);
}

} // namespace
