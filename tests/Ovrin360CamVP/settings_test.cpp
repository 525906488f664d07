#include "OvrinTag/otag_ids.h"
#include "OvrinTag/ovrin_fixture.h"
#include "c4d_customdata.h"
#include "ovp_ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class EffectSettings : public OvrinDocument {
protected:
    void SetUp() override {
        OvrinDocument::SetUp();
        cam = AddCamera();
        tag = AddTag(cam);
        ASSERT_NE(tag, nullptr);
        node = Effect();
        ASSERT_NE(node, nullptr);
        vp = EffectData();
    }

    // The image the host gets for a bitmap button; the caller owns it.
    BaseBitmap* ButtonImage(Int32 id) {
        DescriptionGetBitmap request;
        request.id = DescID(id);
        EXPECT_TRUE(node->Message(MSG_DESCRIPTION_GETBITMAP, &request));
        return request.bmp;
    }

    BaseObject* cam = nullptr;
    BaseTag* tag = nullptr;
    BaseVideoPost* node = nullptr;
    Ovrin360CamVP* vp = nullptr;
};

TEST_F(EffectSettings, NewEffectHoldsTheDefaultsAndReadsUnwrittenOnesAsZero) {
    Int32 checked = 0;
    for (const ParamDefault& row : OVRINVP_DEFAULTS) {
        EXPECT_EQ(Get(node, row.id), DefaultValue(row)) << "parameter " << row.id;
        ++checked;
    }
    EXPECT_EQ(checked, 25);
    EXPECT_EQ(Get(node, OVRINVP_TEXT).GetString(),
              String("TITLE\nDirected by\nProduced by\nMusic by\nLicence"));
    EXPECT_EQ(Get(node, OVRINVP_ANAGLYPH_METHOD).GetInt32(), 3);
    EXPECT_EQ(Get(node, OVRINVP_CUBEMAP_SINGLE_FACE).GetInt32(), 5);
    EXPECT_EQ(Get(node, OVRINVP_CUBEMAP_CROSS_POSITION).GetInt32(), 1);
    EXPECT_TRUE(Get(node, OVRINVP_DOME_OVERLAYS).GetBool());
    const Int32 faces[6] = {1, 0, 3, 2, 5, 4};
    for (Int32 i = 0; i < 6; ++i)
        EXPECT_EQ(Get(node, OVRINVP_CUBEMAP_FACE_1 + i).GetInt32(), faces[i]);

    const std::vector<Int32> unwritten = {
        OVRINVP_STEREO_OUTPUT,     OVRINVP_STEREO_SHIFT,       OVRINVP_STEREO_SWAP,
        OVRINVP_STEREO_CHANNEL,    OVRINVP_STEREO_ARRANGEMENT, OVRINVP_LEFT_FLIP_X,
        OVRINVP_LEFT_FLIP_Y,       OVRINVP_RIGHT_FLIP_X,       OVRINVP_RIGHT_FLIP_Y,
        OVRINVP_INTERLACE_PATTERN, OVRINVP_TIMECODE_OFFSET};
    for (Int32 id : unwritten) {
        EXPECT_EQ(node->GetDataInstance()->GetDataPointer(id), nullptr) << "parameter " << id;
        EXPECT_EQ(Get(node, id).GetInt32(), 0) << "parameter " << id;
    }
    EXPECT_EQ(Get(node, OVRINVP_TIMECODE_OFFSET).GetTime(), BaseTime(0, 1));

    // The grid is built with the effect: the default horizontal cross.
    EXPECT_EQ(vp->gridColumns, 4);
    EXPECT_EQ(vp->gridRows, 3);
}

TEST_F(EffectSettings, VersionLineIsComputed) {
    EXPECT_EQ(Get(node, OVRINVP_VERSION).GetString(), String("Version 2.1 build 003"));
    Set(node, OVRINVP_VERSION, GeData("Version 9"));
    EXPECT_EQ(Get(node, OVRINVP_VERSION).GetString(), String("Version 2.1 build 003"));
}

TEST_F(EffectSettings, HeaderAndPreviewAreBitmapButtons) {
    for (Int32 id : {OVRINVP_HEADER, OVRINVP_CUBEMAP_PREVIEW_0, OVRINVP_CUBEMAP_PREVIEW_35}) {
        const GeData v = Get(node, id);
        auto* button =
            static_cast<BitmapButtonStruct*>(v.GetCustomDataType(CUSTOMDATATYPE_BITMAPBUTTON));
        ASSERT_NE(button, nullptr) << "parameter " << id;
        EXPECT_EQ(button->op, node);
        EXPECT_EQ(button->id, DescID(id));
    }
    EXPECT_EQ(Get(node, OVRINVP_WEBSITE).GetCustomDataType(CUSTOMDATATYPE_BITMAPBUTTON), nullptr);
}

TEST_F(EffectSettings, PreviewShowsTheLayoutsFaceLabels) {
    // Tell the labels apart by width: face f is f + 1 pixels wide, the empty cell 7.
    for (Int32 i = 0; i < 7; ++i)
        ASSERT_EQ(vp->faceLabelBitmaps[i]->Init(i + 1, 1), IMAGERESULT_OK);

    struct Case {
        const char* name;
        Int32 layout;
        // Expected widths of the 36 buttons, row by row; 0 is an empty bitmap.
        std::vector<Int32> widths;
    };
    const std::vector<Case> cases = {
        {"horizontal cross", OVRIN_CUBEMAP_CROSS_HORIZONTAL, {7, 4, 7, 7, 0, 0, //
                                                              1, 6, 2, 5, 0, 0, //
                                                              7, 3, 7, 7, 0, 0, //
                                                              0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                              0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"vertical strip", OVRIN_CUBEMAP_STRIP_VERTICAL, {2, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
                                                          4, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0,
                                                          6, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0}},
        {"single face", OVRIN_CUBEMAP_SINGLE_FACE, {6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Set(node, OVRINVP_CUBEMAP_LAYOUT, GeData(c.layout));
        ASSERT_EQ(c.widths.size(), 36u);
        for (Int32 k = 0; k < 36; ++k) {
            BaseBitmap* bmp = ButtonImage(OVRINVP_CUBEMAP_PREVIEW_0 + k);
            ASSERT_NE(bmp, nullptr) << "button " << k;
            EXPECT_EQ(bmp->GetBw(), c.widths[size_t(k)]) << "button " << k;
            BaseBitmap::Free(bmp);
        }
    }
}

TEST_F(EffectSettings, LayoutEditsRebuildTheGridBeforeTheTagIsTold) {
    const UInt32 vpDirty = node->GetDirty(DIRTYFLAGS_DESCRIPTION);
    const UInt32 tagDirty = tag->GetDirty(DIRTYFLAGS_DESCRIPTION);
    Set(node, OVRINVP_CUBEMAP_LAYOUT, GeData(Int32(OVRIN_CUBEMAP_STRIP_VERTICAL)));
    EXPECT_EQ(vp->gridColumns, 1);
    EXPECT_EQ(vp->gridRows, 6);
    EXPECT_EQ(node->GetDirty(DIRTYFLAGS_DESCRIPTION), vpDirty + 1);
    EXPECT_EQ(tag->GetDirty(DIRTYFLAGS_DESCRIPTION), tagDirty + 1);

    // Face and cross-position edits rebuild the grid; the tag is not concerned.
    Set(node, OVRINVP_CUBEMAP_FACE_1, GeData(Int32(OVRIN_FACE_DOWN)));
    EXPECT_EQ(vp->gridCells[0][0].channel, OVRIN_FACE_DOWN);
    Set(node, OVRINVP_CUBEMAP_LAYOUT, GeData(Int32(OVRIN_CUBEMAP_CROSS_HORIZONTAL)));
    Set(node, OVRINVP_CUBEMAP_CROSS_POSITION, GeData(Int32(0)));
    EXPECT_EQ(vp->gridCells[0][1].channel, OVRIN_FACE_FRONT);
    Set(node, OVRINVP_CUBEMAP_SINGLE_FACE, GeData(Int32(OVRIN_FACE_UP)));
    Set(node, OVRINVP_CUBEMAP_LAYOUT, GeData(Int32(OVRIN_CUBEMAP_SINGLE_FACE)));
    EXPECT_EQ(vp->gridCells[0][0].channel, OVRIN_FACE_UP);
    EXPECT_EQ(node->GetDirty(DIRTYFLAGS_DESCRIPTION), vpDirty + 6);
    EXPECT_EQ(tag->GetDirty(DIRTYFLAGS_DESCRIPTION), tagDirty + 3);
}

TEST_F(EffectSettings, StereoOutputEditsTellTheTag) {
    const UInt32 tagDirty = tag->GetDirty(DIRTYFLAGS_DESCRIPTION);
    const UInt32 vpDirty = node->GetDirty(DIRTYFLAGS_DESCRIPTION);
    Set(node, OVRINVP_STEREO_OUTPUT, GeData(Int32(1)));
    Set(node, OVRINVP_STEREO_ARRANGEMENT, GeData(Int32(1)));
    Set(node, OVRINVP_STEREO_SWAP, GeData(true)); // no effect on the output size
    EXPECT_EQ(tag->GetDirty(DIRTYFLAGS_DESCRIPTION), tagDirty + 2);
    EXPECT_EQ(node->GetDirty(DIRTYFLAGS_DESCRIPTION), vpDirty);
}

TEST_F(EffectSettings, SyphonEditsUpdateTheTag) {
    const UInt32 tagData = tag->GetDirty(DIRTYFLAGS_DATA);
    Set(node, OVRINVP_SYPHON, GeData(true));
    Set(node, OVRINVP_SYPHON_MODE, GeData(Int32(1)));
    EXPECT_EQ(tag->GetDirty(DIRTYFLAGS_DATA), tagData + 2);
}

TEST_F(EffectSettings, EditsWithoutATaggedCameraNotifyNobody) {
    BaseTag::Free(tag);
    Set(node, OVRINVP_SYPHON, GeData(true));
    Set(node, OVRINVP_STEREO_OUTPUT, GeData(Int32(2)));
    Set(node, OVRINVP_CUBEMAP_LAYOUT, GeData(Int32(OVRIN_CUBEMAP_GRID_VERTICAL)));
    EXPECT_EQ(vp->gridRows, 3);
    EXPECT_EQ(vp->tag, nullptr);
    EXPECT_TRUE(node->Message(MSG_DESCRIPTION_POSTSETPARAMETER, nullptr));
    DescriptionPostSetValue noId;
    EXPECT_TRUE(node->Message(MSG_DESCRIPTION_POSTSETPARAMETER, &noId));
}

TEST_F(EffectSettings, RenderNotificationMarksEditorViewRenders) {
    struct Case {
        Bool start, external;
        Int32 viewportRender;
    };
    const Case cases[] = {{true, false, 1}, {true, true, 0}, {false, false, 0}, {true, false, 1}};
    for (const Case& c : cases) {
        RenderNotificationData note;
        note.doc = doc;
        note.start = c.start;
        note.external = c.external;
        EXPECT_TRUE(node->Message(MSG_MULTI_RENDERNOTIFICATION, &note));
        EXPECT_EQ(vp->viewportRender, c.viewportRender)
            << "start " << c.start << " external " << c.external;
    }
    EXPECT_TRUE(node->Message(MSG_MULTI_RENDERNOTIFICATION, nullptr));
    EXPECT_EQ(vp->viewportRender, 0);
}

TEST_F(EffectSettings, EnablingFollowsTheSettings) {
    auto enabled = [&](Int32 id) {
        return node->GetEnabling(DescID(id), GeData(), DESCFLAGS_ENABLE_NONE, nullptr);
    };
    EXPECT_FALSE(enabled(OVRINVP_TEXT));
    Set(node, OVRINVP_OVERLAY_TEXT, GeData(true));
    EXPECT_TRUE(enabled(OVRINVP_TEXT));
    Set(node, OVRINVP_DOME_OVERLAYS, GeData(false));
    EXPECT_FALSE(enabled(OVRINVP_TEXT));
    EXPECT_TRUE(enabled(OVRINVP_HEADER));
}

} // namespace
