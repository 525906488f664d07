#include "OvrinTag/otag_ids.h"
#include "OvrinTag/ovrin_fixture.h"
#include "c4d_customdata.h"
#include "ovp_ids.h"

#include <gtest/gtest.h>

namespace {

constexpr Int32 otherEffect = 1990200;

class OtherEffect : public VideoPostData {
public:
    static NodeData* Alloc() { return new OtherEffect(); }
};

class TagSettings : public OvrinDocument {
protected:
    void SetUp() override {
        OvrinDocument::SetUp();
        static const bool other =
            RegisterVideoPostPlugin(otherEffect, "Other", 0, OtherEffect::Alloc, "", 0, 0);
        ASSERT_TRUE(other);
    }
};

Int32 VideoPostCount(const RenderData* rd) {
    Int32 n = 0;
    for (BaseVideoPost* vp = rd->GetFirstVideoPost(); vp; vp = vp->GetNext())
        ++n;
    return n;
}

TEST_F(TagSettings, NewTagHoldsTheDefaultsAndReadsUnwrittenOnesAsZero) {
    BaseObject* cam = AddCamera();
    BaseTag* tag = AddTag(cam);
    ASSERT_NE(tag, nullptr);

    Int32 checked = 0;
    for (const ParamDefault& row : OVRINTAG_DEFAULTS) {
        EXPECT_EQ(Get(tag, row.id), DefaultValue(row)) << "parameter " << row.id;
        ++checked;
    }
    EXPECT_EQ(checked, 28);
    // A few exact values, so a wrong table cannot pass.
    EXPECT_EQ(Get(tag, OVRINTAG_DOME_FOV).GetFloat(), PI);
    EXPECT_EQ(Get(tag, OVRINTAG_PANORAMA_LAT_MIN).GetFloat(), -PI05);
    EXPECT_EQ(Get(tag, OVRINTAG_STEREO_EYE_SEPARATION).GetFloat(), 6.5);
    EXPECT_EQ(Get(tag, OVRINTAG_STEREO_PREVIEW_PAD).GetVector(), Vector(0.5, 0.5, 0));
    EXPECT_EQ(Get(tag, OVRINTAG_EDITOR_CUBE_FACE).GetInt32(), 5);
    EXPECT_EQ(Get(tag, OVRINTAG_STEREO_AXIS).GetInt32(), 2);
    EXPECT_NE(Get(tag, OVRINTAG_SEPARATION_MAP_SHADER).GetBaseLink(), nullptr);

    for (Int32 id : {OVRINTAG_PROJECTION, OVRINTAG_PROTECT_CAMERA, OVRINTAG_PANORAMA_VFOV,
                     OVRINTAG_ASPECT, OVRINTAG_STEREO_ASPECT, OVRINTAG_PRESET}) {
        EXPECT_FALSE(tag->GetDataInstance()->GetDataPointer(id)) << "parameter " << id;
        EXPECT_EQ(Get(tag, id).GetInt32(), 0) << "parameter " << id;
        EXPECT_EQ(Get(tag, id).GetFloat(), 0.0) << "parameter " << id;
    }
    EXPECT_EQ(Get(tag, OVRINTAG_ASPECT_LABEL).GetString(), String());
}

TEST_F(TagSettings, ExpressionIsEvaluatedAgainWhenTheViewsCameraChanges) {
    BaseTag* tag = AddTag(AddCamera());
    ASSERT_NE(tag, nullptr);
    GeData v = Get(tag, EXPRESSION_PRIORITY);
    auto* pd = static_cast<PriorityData*>(v.GetCustomDataType(CUSTOMDATATYPE_PRIORITY));
    ASSERT_NE(pd, nullptr);
    EXPECT_TRUE(pd->GetPriorityValue(PRIORITYVALUE_CAMERADEPENDENT).GetBool());
}

TEST_F(TagSettings, NewTagAppendsTheMissingRenderEffectLastAndOnlyOnce) {
    rd->InsertVideoPostLast(BaseVideoPost::Alloc(otherEffect));
    rd->InsertVideoPostLast(BaseVideoPost::Alloc(otherEffect));
    ASSERT_EQ(Effect(), nullptr);

    BaseObject* cam = AddCamera();
    ASSERT_NE(AddTag(cam), nullptr);
    EXPECT_EQ(VideoPostCount(rd), 3);
    BaseVideoPost* last = rd->GetFirstVideoPost()->GetNext()->GetNext();
    EXPECT_EQ(last->GetType(), ID_OVRIN360CAMVP);
    EXPECT_EQ(Effect(), last);

    ASSERT_NE(AddTag(AddCamera()), nullptr);
    EXPECT_EQ(VideoPostCount(rd), 3);
}

TEST_F(TagSettings, WithoutADocumentNoTagIsMade) {
    SetActiveDocument(nullptr);
    BaseTag* tag = BaseTag::Alloc(ID_OVRINTAG);
    EXPECT_EQ(tag, nullptr);
    BaseTag::Free(tag);
}

TEST_F(TagSettings, StereoSwitchLivesInTheRenderSettings) {
    BaseTag* tag = AddTag(AddCamera());
    BaseVideoPost* vp = Effect();
    ASSERT_NE(vp, nullptr);
    const UInt32 vpDirty = vp->GetDirty(DIRTYFLAGS_DESCRIPTION);

    Set(tag, OVRINTAG_STEREO, GeData(true));
    EXPECT_TRUE(rd->GetDataInstance()->GetBool(RENDERDATA_STEREO));
    EXPECT_FALSE(tag->GetDataInstance()->GetBool(OVRINTAG_STEREO)); // not stored in the tag
    EXPECT_EQ(vp->GetDirty(DIRTYFLAGS_DESCRIPTION), vpDirty + 1);
    // Other render settings are kept.
    EXPECT_EQ(rd->GetDataInstance()->GetFloat(RENDERDATA_WIDTH), 800.0);

    // Read back from the render settings, whatever the tag holds.
    rd->GetDataInstance()->SetBool(RENDERDATA_STEREO, false);
    EXPECT_EQ(Get(tag, OVRINTAG_STEREO).GetInt32(), 0);
    rd->GetDataInstance()->SetBool(RENDERDATA_STEREO, true);
    EXPECT_EQ(Get(tag, OVRINTAG_STEREO).GetInt32(), 1);
}

TEST_F(TagSettings, SyphonSettingsLiveInTheRenderEffect) {
    BaseTag* tag = AddTag(AddCamera());
    BaseVideoPost* vp = Effect();
    ASSERT_NE(vp, nullptr);
    const UInt32 vpDirty = vp->GetDirty(DIRTYFLAGS_DESCRIPTION);

    Set(tag, OVRINTAG_SYPHON, GeData(Int32(7)));
    Set(tag, OVRINTAG_SYPHON_MODE, GeData(Int32(3)));
    EXPECT_EQ(vp->GetDataInstance()->GetInt32(OVRINVP_SYPHON), 1);
    EXPECT_EQ(vp->GetDataInstance()->GetInt32(OVRINVP_SYPHON_MODE), 3);
    EXPECT_EQ(vp->GetDirty(DIRTYFLAGS_DESCRIPTION), vpDirty + 2);
    EXPECT_EQ(tag->GetDataInstance()->GetInt32(OVRINTAG_SYPHON), 0);
    EXPECT_EQ(tag->GetDataInstance()->GetInt32(OVRINTAG_SYPHON_MODE), 0);

    vp->GetDataInstance()->SetBool(OVRINVP_SYPHON, false);
    vp->GetDataInstance()->SetInt32(OVRINVP_SYPHON_MODE, 1);
    EXPECT_EQ(Get(tag, OVRINTAG_SYPHON).GetInt32(), 0);
    EXPECT_EQ(Get(tag, OVRINTAG_SYPHON_MODE).GetInt32(), 1);
}

TEST_F(TagSettings, StereoSettingsAreMirroredIntoTheCamera) {
    BaseObject* cam = AddCamera();
    BaseTag* tag = AddTag(cam);
    const BaseContainer& camData = *cam->GetDataInstance();

    UInt32 dirty = cam->GetDirty(DIRTYFLAGS_DATA);
    Set(tag, OVRINTAG_STEREO_EYE_SEPARATION, GeData(8.0));
    EXPECT_EQ(camData.GetFloat(CAMERA_STEREO_EYE_SEPARATION), 8.0);
    EXPECT_EQ(cam->GetDirty(DIRTYFLAGS_DATA), dirty + 1);
    Set(tag, OVRINTAG_STEREO_EYE_SEPARATION, GeData(8.0)); // the same value: camera untouched
    EXPECT_EQ(cam->GetDirty(DIRTYFLAGS_DATA), dirty + 1);
    EXPECT_EQ(tag->GetDataInstance()->GetFloat(OVRINTAG_STEREO_EYE_SEPARATION), 8.0);

    dirty = cam->GetDirty(DIRTYFLAGS_DATA);
    Set(tag, OVRINTAG_STEREO_CONVERGENCE, GeData(250.0));
    Set(tag, OVRINTAG_STEREO_CONVERGENCE, GeData(250.0));
    EXPECT_EQ(camData.GetFloat(CAMERA_STEREO_ZERO_PARALLAX), 250.0);
    EXPECT_EQ(cam->GetDirty(DIRTYFLAGS_DATA), dirty + 1);
    EXPECT_EQ(tag->GetDataInstance()->GetFloat(OVRINTAG_STEREO_CONVERGENCE), 250.0);

    Set(tag, OVRINTAG_STEREO_CONVERGENCE_MODE, GeData(Int32(3)));
    EXPECT_EQ(camData.GetDataPointer(CAMERA_STEREO_CONVERGENCE_MODE)->GetType(), DA_LONG);
    EXPECT_EQ(camData.GetInt32(CAMERA_STEREO_CONVERGENCE_MODE), 1);
    EXPECT_EQ(tag->GetDataInstance()->GetInt32(OVRINTAG_STEREO_CONVERGENCE_MODE), 3);
    Set(tag, OVRINTAG_STEREO_CONVERGENCE_MODE, GeData(Int32(0)));
    EXPECT_EQ(camData.GetInt32(CAMERA_STEREO_CONVERGENCE_MODE), 0);
}

TEST_F(TagSettings, ATagOnAnotherObjectMirrorsNothing) {
    BaseObject* null = AddNull();
    BaseTag* tag = AddTag(null);
    Set(tag, OVRINTAG_STEREO_EYE_SEPARATION, GeData(8.0));
    Set(tag, OVRINTAG_STEREO_CONVERGENCE_MODE, GeData(Int32(1)));
    EXPECT_EQ(null->GetDataInstance()->GetDataPointer(CAMERA_STEREO_EYE_SEPARATION), nullptr);
    EXPECT_EQ(null->GetDataInstance()->GetDataPointer(CAMERA_STEREO_CONVERGENCE_MODE), nullptr);
}

TEST_F(TagSettings, ProjectionChangeRebuildsTheRenderEffectsView) {
    BaseTag* tag = AddTag(AddCamera());
    BaseVideoPost* vp = Effect();
    const UInt32 vpDirty = vp->GetDirty(DIRTYFLAGS_DESCRIPTION);
    Set(tag, OVRINTAG_PROJECTION, GeData(Int32(OVRINTAG_PROJECTION_CUBEMAP)));
    EXPECT_EQ(vp->GetDirty(DIRTYFLAGS_DESCRIPTION), vpDirty + 1);
    EXPECT_EQ(tag->GetDataInstance()->GetInt32(OVRINTAG_PROJECTION), 3);
}

TEST_F(TagSettings, SeparationPreviewIsABitmapButton) {
    BaseTag* tag = AddTag(AddCamera());
    const GeData v = Get(tag, OVRINTAG_SEPARATION_MAP_PREVIEW);
    auto* button =
        static_cast<BitmapButtonStruct*>(v.GetCustomDataType(CUSTOMDATATYPE_BITMAPBUTTON));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->op, tag);
    EXPECT_EQ(button->id, DescID(OVRINTAG_SEPARATION_MAP_PREVIEW));
    EXPECT_EQ(button->dirty, 0);
}

TEST_F(TagSettings, EnablingFollowsTheRenderEffectTheTagAndTheStereoSwitch) {
    BaseTag* tag = AddTag(AddCamera());
    BaseVideoPost* vp = Effect();
    auto enabled = [&](Int32 id) {
        return tag->GetEnabling(DescID(id), GeData(), DESCFLAGS_ENABLE_NONE, nullptr);
    };
    struct Case {
        const char* name;
        Bool effectOff, tagOff, stereo;
        Bool enabledSwitch, projection, eyeSeparation, hostParameter;
    };
    const Case cases[] = {
        {"all on, mono", false, false, false, true, true, false, true},
        {"all on, stereo", false, false, true, true, true, true, true},
        {"tag off", false, true, true, true, false, false, false},
        {"effect off", true, false, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.effectOff)
            vp->SetBit(BIT_VPDISABLED);
        else
            vp->DelBit(BIT_VPDISABLED);
        tag->GetDataInstance()->SetBool(OVRINTAG_ENABLED, !c.tagOff);
        rd->GetDataInstance()->SetBool(RENDERDATA_STEREO, c.stereo);
        EXPECT_EQ(enabled(OVRINTAG_ENABLED), c.enabledSwitch);
        EXPECT_EQ(enabled(OVRINTAG_PROJECTION), c.projection);
        EXPECT_EQ(enabled(OVRINTAG_STEREO_EYE_SEPARATION), c.eyeSeparation);
        EXPECT_EQ(enabled(EXPRESSION_PRIORITY), c.hostParameter);
        EXPECT_FALSE(enabled(OVRINTAG_PANORAMA_VFOV));
    }
}

TEST_F(TagSettings, SyphonModeIsEditableWhileTheRenderEffectPublishes) {
    BaseTag* tag = AddTag(AddCamera());
    auto enabled = [&] {
        return tag->GetEnabling(DescID(OVRINTAG_SYPHON_MODE), GeData(), DESCFLAGS_ENABLE_NONE,
                                nullptr);
    };
    EXPECT_FALSE(enabled());
    Effect()->GetDataInstance()->SetBool(OVRINVP_SYPHON, true);
    EXPECT_TRUE(enabled());
}

} // namespace
