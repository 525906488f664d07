#include "OvrinTag/otag_ids.h"
#include "OvrinTag/ovrin_fixture.h"
#include "c4d_basedraw.h"
#include "ovp_ids.h"

#include <gtest/gtest.h>

namespace {

class CameraSearch : public OvrinDocument {
protected:
    // A camera with an OvrinTag switched on or off.
    BaseObject* TaggedCamera(Bool enabled, BaseObject* parent = nullptr,
                             BaseObject* pred = nullptr) {
        BaseObject* op = AddCamera(parent, pred);
        BaseTag* t = AddTag(op);
        EXPECT_NE(t, nullptr);
        t->GetDataInstance()->SetBool(OVRINTAG_ENABLED, enabled);
        return op;
    }
    BaseObject* Search() const {
        return Ovrin360CamVP::FindFirstOvrinTagCamera(doc->GetFirstObject(), 0);
    }
};

TEST_F(CameraSearch, PreOrderSkipsDisabledTagsAndRenderOffCamerasButSearchesTheirChildren) {
    // a (tag off)
    //   a1 (no tag)
    //   a2 (tag on, render mode off)
    //     a2x (tag on)
    // nul (not a camera, tag on)
    // b (tag on)
    BaseObject* a = TaggedCamera(false);
    BaseObject* a1 = AddCamera(a);
    BaseObject* a2 = TaggedCamera(true, nullptr, a1);
    a2->SetRenderMode(MODE_OFF);
    BaseObject* a2x = TaggedCamera(true, a2);
    BaseObject* nul = AddNull(nullptr, a);
    AddTag(nul);
    BaseObject* b = TaggedCamera(true, nullptr, nul);
    ASSERT_EQ(a2->GetUp(), a);
    ASSERT_EQ(b->GetPred(), nul);

    EXPECT_EQ(Search(), a2x);
    // Starting later in the list sees only that object and its followers.
    EXPECT_EQ(Ovrin360CamVP::FindFirstOvrinTagCamera(nul, 0), b);
    EXPECT_EQ(Ovrin360CamVP::FindFirstOvrinTagCamera(a1, 0), a2x);

    a2x->SetRenderMode(MODE_OFF);
    EXPECT_EQ(Search(), b);
    a->GetTag(ID_OVRINTAG)->GetDataInstance()->SetBool(OVRINTAG_ENABLED, true);
    EXPECT_EQ(Search(), a); // parents before children
    a->SetRenderMode(MODE_ON);
    EXPECT_EQ(Search(), a);
    a->SetRenderMode(MODE_OFF);
    EXPECT_EQ(Search(), b);
    b->SetRenderMode(MODE_OFF);
    EXPECT_EQ(Search(), nullptr);
}

TEST_F(CameraSearch, TheFirstOvrinTagOfACameraDecides) {
    BaseObject* cam = TaggedCamera(false);
    BaseTag* second = cam->MakeTag(ID_OVRINTAG, cam->GetTag(ID_OVRINTAG));
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(cam->GetTag(ID_OVRINTAG, 1), second);
    EXPECT_EQ(Search(), nullptr);
}

TEST_F(CameraSearch, LinkedCameraWinsEvenWithoutATag) {
    BaseObject* tagged = TaggedCamera(true);
    BaseObject* plain = AddCamera(nullptr, tagged);
    Ovrin360CamVP* vp = EffectData();
    ASSERT_NE(vp, nullptr);

    BaseDraw* bd = vp->FindCamera(doc);
    EXPECT_EQ(bd, doc->GetRenderBaseDraw());
    EXPECT_EQ(vp->camera, tagged);
    EXPECT_EQ(vp->tag, tagged->GetTag(ID_OVRINTAG));
    EXPECT_EQ(vp->tagData, tagged->GetTag(ID_OVRINTAG)->GetDataInstance());

    doc->GetRenderBaseDraw()->SetSceneCamera(plain);
    vp->FindCamera(nullptr); // the effect's own document
    EXPECT_EQ(vp->camera, plain);
    EXPECT_EQ(vp->tag, nullptr);
    EXPECT_EQ(vp->tagData, nullptr);
}

TEST_F(CameraSearch, NoDocumentFindsNothing) {
    TaggedCamera(true);
    Ovrin360CamVP* vp = EffectData();
    vp->FindCamera(doc);
    ASSERT_NE(vp->tag, nullptr);

    // A free-standing render effect with no active document has nowhere to look.
    BaseVideoPost* lone = BaseVideoPost::Alloc(ID_OVRIN360CAMVP);
    ASSERT_NE(lone, nullptr);
    SetActiveDocument(nullptr);
    Ovrin360CamVP* loneData = lone->GetNodeData<Ovrin360CamVP>();
    EXPECT_EQ(loneData->FindCamera(nullptr), nullptr);
    EXPECT_EQ(loneData->camera, nullptr);
    EXPECT_EQ(loneData->tag, nullptr);
    EXPECT_EQ(loneData->tagData, nullptr);
    BaseVideoPost::Free(lone);
}

// The eye shift is greyed for a dome camera: the rule reads the tag the last search found.
Bool EyeShiftEnabled(BaseVideoPost* vp) {
    return vp->GetEnabling(DescID(OVRINVP_STEREO_SHIFT), GeData(), DESCFLAGS_ENABLE_NONE, nullptr);
}

TEST_F(CameraSearch, AFoundTagIsForgottenOnceItIsDeleted) {
    BaseObject* cam = TaggedCamera(true);
    BaseTag* t = cam->GetTag(ID_OVRINTAG);
    t->GetDataInstance()->SetInt32(OVRINTAG_PROJECTION, OVRINTAG_PROJECTION_DOME);
    BaseVideoPost* node = Effect();
    Ovrin360CamVP* vp = EffectData();

    vp->FindCamera(doc);
    EXPECT_FALSE(EyeShiftEnabled(node));
    BaseTag::Free(t);
    EXPECT_TRUE(EyeShiftEnabled(node)); // no tag any more, and its memory is not read
    EXPECT_EQ(vp->FoundTagData(), nullptr);
    EXPECT_EQ(vp->tag, nullptr);
    EXPECT_EQ(vp->camera, nullptr);
}

TEST_F(CameraSearch, AFoundCameraIsForgottenOnceItIsDeleted) {
    BaseObject* cam = TaggedCamera(true);
    cam->GetTag(ID_OVRINTAG)
        ->GetDataInstance()
        ->SetInt32(OVRINTAG_PROJECTION, OVRINTAG_PROJECTION_DOME);
    BaseVideoPost* node = Effect();
    Ovrin360CamVP* vp = EffectData();

    vp->FindCamera(doc);
    EXPECT_FALSE(EyeShiftEnabled(node));
    BaseObject::Free(cam);
    EXPECT_TRUE(EyeShiftEnabled(node));
    EXPECT_EQ(vp->camera, nullptr);
    EXPECT_EQ(vp->tagData, nullptr);
}

TEST_F(CameraSearch, EditorViewGridAfterTheTagIsDeletedUsesTheEffectsOwnFace) {
    BaseObject* cam = TaggedCamera(true);
    BaseTag* t = cam->GetTag(ID_OVRINTAG);
    t->GetDataInstance()->SetInt32(OVRINTAG_EDITOR_CUBE_FACE, 2);
    Ovrin360CamVP* vp = EffectData();
    Effect()->GetDataInstance()->SetInt32(OVRINVP_CUBEMAP_SINGLE_FACE, 4);

    vp->FindCamera(doc);
    vp->MakeCubemapGrid(true);
    EXPECT_EQ(vp->gridCells[0][0].channel, 2);
    BaseTag::Free(t);
    vp->MakeCubemapGrid(true); // straight after the deletion, nothing in between
    EXPECT_EQ(vp->gridCells[0][0].channel, 4);
}

} // namespace
