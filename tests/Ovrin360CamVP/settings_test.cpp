#include "OvrinTag/otag_ids.h"
#include "OvrinTag/ovrin_fixture.h"
#include "c4d_customdata.h"
#include "c4d_description.h"
#include "ovp_ids.h"

#include <gtest/gtest.h>

#include <string>
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
        {"vertical strip", OVRIN_CUBEMAP_STRIP_VERTICAL, {2, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0, 0,
                                                          4, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0,
                                                          6, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0}},
        {"single face", OVRIN_CUBEMAP_SINGLE_FACE, {6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    // A face setting outside the cube's faces shows the empty cell's image.
    Set(node, OVRINVP_CUBEMAP_FACE_2, GeData(Int32(9)));
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

namespace {

#define ENTRY(id, dtype)                                                                           \
    { id, #id, dtype }
struct DescEntry {
    Int32 id;
    const char* symbol;
    Int32 dtype;
};

// Every identifier of the render effect, with the type its description entry must have.
const DescEntry effectEntries[] = {
    ENTRY(OVRINVP_HEADER, CUSTOMDATATYPE_BITMAPBUTTON),
    ENTRY(OVRINVP_DOME_MASK, DTYPE_LONG),
    ENTRY(OVRINVP_DOME_MASK_FILE, DTYPE_FILENAME),
    ENTRY(OVRINVP_OVERLAY_INFO, DTYPE_BOOL),
    ENTRY(OVRINVP_OVERLAY_TIMECODE, DTYPE_BOOL),
    ENTRY(OVRINVP_OVERLAY_FRAME, DTYPE_BOOL),
    ENTRY(OVRINVP_OVERLAY_TEXT, DTYPE_BOOL),
    ENTRY(OVRINVP_TEXT, DTYPE_STRING),
    ENTRY(OVRINVP_TEXT_SIZE, DTYPE_REAL),
    ENTRY(OVRINVP_LOGO, DTYPE_LONG),
    ENTRY(OVRINVP_LOGO_FILE, DTYPE_FILENAME),
    ENTRY(OVRINVP_SYPHON, DTYPE_BOOL),
    ENTRY(OVRINVP_SYPHON_MODE, DTYPE_LONG),
    ENTRY(OVRINVP_GROUP_FULLDOME, DTYPE_GROUP),
    ENTRY(OVRINVP_DOME_OVERLAYS, DTYPE_BOOL),
    ENTRY(OVRINVP_GROUP_STEREO, DTYPE_GROUP),
    ENTRY(OVRINVP_STEREO_OUTPUT, DTYPE_LONG),
    ENTRY(OVRINVP_STEREO_SHIFT, DTYPE_LONG),
    ENTRY(OVRINVP_STEREO_SWAP, DTYPE_BOOL),
    ENTRY(OVRINVP_GROUP_SINGLE_CHANNEL, DTYPE_GROUP),
    ENTRY(OVRINVP_STEREO_CHANNEL, DTYPE_LONG),
    ENTRY(OVRINVP_GROUP_ANAGLYPH, DTYPE_GROUP),
    ENTRY(OVRINVP_ANAGLYPH_COLORS, DTYPE_LONG),
    ENTRY(OVRINVP_ANAGLYPH_METHOD, DTYPE_LONG),
    ENTRY(OVRINVP_ANAGLYPH_GAMMA, DTYPE_REAL),
    ENTRY(OVRINVP_GROUP_SIDE_BY_SIDE, DTYPE_GROUP),
    ENTRY(OVRINVP_STEREO_ARRANGEMENT, DTYPE_LONG),
    ENTRY(OVRINVP_LEFT_FLIP_X, DTYPE_BOOL),
    ENTRY(OVRINVP_LEFT_FLIP_Y, DTYPE_BOOL),
    ENTRY(OVRINVP_RIGHT_FLIP_X, DTYPE_BOOL),
    ENTRY(OVRINVP_RIGHT_FLIP_Y, DTYPE_BOOL),
    ENTRY(OVRINVP_GROUP_INTERLACED, DTYPE_GROUP),
    ENTRY(OVRINVP_INTERLACE_PATTERN, DTYPE_LONG),
    ENTRY(OVRINVP_GROUP_CUBEMAP, DTYPE_GROUP),
    ENTRY(OVRINVP_CUBEMAP_LAYOUT, DTYPE_LONG),
    ENTRY(OVRINVP_CUBEMAP_SINGLE_FACE, DTYPE_LONG),
    ENTRY(OVRINVP_GROUP_CUBEMAP_FACES, DTYPE_GROUP),
    ENTRY(OVRINVP_CUBEMAP_FACE_1, DTYPE_LONG),
    ENTRY(OVRINVP_CUBEMAP_FACE_2, DTYPE_LONG),
    ENTRY(OVRINVP_CUBEMAP_FACE_3, DTYPE_LONG),
    ENTRY(OVRINVP_CUBEMAP_FACE_4, DTYPE_LONG),
    ENTRY(OVRINVP_CUBEMAP_FACE_5, DTYPE_LONG),
    ENTRY(OVRINVP_CUBEMAP_FACE_6, DTYPE_LONG),
    ENTRY(OVRINVP_CUBEMAP_CROSS_POSITION, DTYPE_LONG),
    ENTRY(OVRINVP_WEBSITE, DTYPE_BUTTON),
    ENTRY(OVRINVP_VERSION, DTYPE_STRING),
    ENTRY(OVRINVP_TIMECODE_OFFSET, DTYPE_TIME),
};
#undef ENTRY

TEST_F(EffectSettings, DescriptionNamesEveryParameter) {
    Description d;
    ASSERT_TRUE(d.LoadDescription(ID_OVRIN360CAMVP));
    Int32 checked = 0;
    for (const DescEntry& e : effectEntries) {
        const Description::Entry* found = d.FindEntry(e.id);
        ASSERT_NE(found, nullptr) << e.symbol;
        EXPECT_EQ(found->symbol, String(e.symbol));
        EXPECT_EQ(found->dtype, e.dtype) << e.symbol;
        ++checked;
    }
    for (Int32 k = 0; k < OVRINVP_CUBEMAP_PREVIEW_COUNT; ++k) {
        const Description::Entry* found = d.FindEntry(OVRINVP_CUBEMAP_PREVIEW_0 + k);
        ASSERT_NE(found, nullptr) << "preview " << k;
        EXPECT_EQ(found->symbol, String("OVRINVP_CUBEMAP_PREVIEW_" + std::to_string(k)));
        EXPECT_EQ(found->dtype, CUSTOMDATATYPE_BITMAPBUTTON);
        ++checked;
    }
    EXPECT_EQ(checked, 47 + 36);
    EXPECT_TRUE(d.GetParameter(DescID(OVRINVP_VERSION))->GetBool(DESC_READONLY));
}

// The hidden and unfolded states the attribute view gets.
struct ViewState {
    Description d;
    Bool Hidden(Int32 id) const {
        const BaseContainer* bc = d.GetParameter(DescID(id));
        EXPECT_NE(bc, nullptr) << id;
        return bc && bc->GetBool(DESC_HIDE);
    }
    Int32 Unfolded(Int32 id) const { return d.GetParameter(DescID(id))->GetInt32(DESC_DEFAULT); }
};

TEST_F(EffectSettings, DescriptionFollowsStereoOutputLayoutAndTaggedCamera) {
    struct Case {
        const char* name;
        Int32 output, layout, projection;
        Bool stereo;
        // anaglyph, side by side, interlaced, single channel groups hidden
        Bool anaglyphHidden, sideHidden, interlacedHidden, singleHidden;
        Bool singleFaceHidden, crossHidden, facesHidden;
        Int32 rowsShown;
        Int32 fulldomeOpen, cubemapOpen, stereoOpen;
    };
    const Case cases[] = {
        {"anaglyph, cross, dome mono", 0, 0, 1, false, false, true, true, true, true, false, true,
         3, -1, 0, 0},
        {"side by side, vertical strip, cubemap stereo", 1, 4, 3, true, true, false, true, true,
         true, true, false, 6, 0, -1, -1},
        {"interlaced, single face, panorama", 2, 6, 0, true, true, true, false, true, false, true,
         true, 1, 0, 0, -1},
        {"single channel, 2 x 3 grid", 3, 5, 2, false, true, true, true, false, true, true, false,
         3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tag->GetDataInstance()->SetInt32(OVRINTAG_PROJECTION, c.projection);
        rd->GetDataInstance()->SetBool(RENDERDATA_STEREO, c.stereo);
        Set(node, OVRINVP_STEREO_OUTPUT, GeData(c.output));
        Set(node, OVRINVP_CUBEMAP_LAYOUT, GeData(c.layout));
        ViewState v;
        ASSERT_TRUE(node->GetDescription(&v.d, DESCFLAGS_DESC_NONE));
        EXPECT_EQ(v.Hidden(OVRINVP_GROUP_ANAGLYPH), c.anaglyphHidden);
        EXPECT_EQ(v.Hidden(OVRINVP_GROUP_SIDE_BY_SIDE), c.sideHidden);
        EXPECT_EQ(v.Hidden(OVRINVP_GROUP_INTERLACED), c.interlacedHidden);
        EXPECT_EQ(v.Hidden(OVRINVP_GROUP_SINGLE_CHANNEL), c.singleHidden);
        EXPECT_EQ(v.Hidden(OVRINVP_CUBEMAP_SINGLE_FACE), c.singleFaceHidden);
        EXPECT_EQ(v.Hidden(OVRINVP_CUBEMAP_CROSS_POSITION), c.crossHidden);
        EXPECT_EQ(v.Hidden(OVRINVP_GROUP_CUBEMAP_FACES), c.facesHidden);
        for (Int32 k = 0; k < 36; ++k)
            EXPECT_EQ(v.Hidden(OVRINVP_CUBEMAP_PREVIEW_0 + k), k / 6 >= c.rowsShown)
                << "preview " << k;
        EXPECT_EQ(v.Unfolded(OVRINVP_GROUP_FULLDOME), c.fulldomeOpen);
        EXPECT_EQ(v.Unfolded(OVRINVP_GROUP_CUBEMAP), c.cubemapOpen);
        EXPECT_EQ(v.Unfolded(OVRINVP_GROUP_STEREO), c.stereoOpen);
    }
}

TEST_F(EffectSettings, WithoutATaggedCameraTheGroupsStayAsTheResourceHasThem) {
    Description resource;
    ASSERT_TRUE(resource.LoadDescription(ID_OVRIN360CAMVP));
    BaseTag::Free(tag);
    rd->GetDataInstance()->SetBool(RENDERDATA_STEREO, true);
    ViewState v;
    ASSERT_TRUE(node->GetDescription(&v.d, DESCFLAGS_DESC_NONE));
    for (Int32 group : {OVRINVP_GROUP_FULLDOME, OVRINVP_GROUP_CUBEMAP, OVRINVP_GROUP_STEREO})
        EXPECT_EQ(v.Unfolded(group), resource.GetParameter(DescID(group))->GetInt32(DESC_DEFAULT))
            << group;
}

TEST_F(EffectSettings, FaceLabelsAndHeaderComeFromTheResourceFolder) {
    for (Int32 i = 0; i < 7; ++i) {
        EXPECT_EQ(vp->faceLabelBitmaps[i]->GetBw(), 40) << "label " << i;
        EXPECT_EQ(vp->faceLabelBitmaps[i]->GetBh(), 40) << "label " << i;
    }
    EXPECT_FALSE(*vp->faceLabelBitmaps[0] == *vp->faceLabelBitmaps[1]);
    BaseBitmap* header = ButtonImage(OVRINVP_HEADER);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetBw(), 400);
    EXPECT_EQ(header->GetBh(), 64);
    BaseBitmap::Free(header);

    // The first preview cell of the default cross is empty; the second shows the up face.
    BaseBitmap* up = ButtonImage(OVRINVP_CUBEMAP_PREVIEW_0 + 1);
    EXPECT_TRUE(*up == *vp->faceLabelBitmaps[OVRIN_FACE_UP]);
    BaseBitmap::Free(up);
}

TEST_F(EffectSettings, WebSiteOpensFromAHeaderClickAndTheButtonOnly) {
    host::ResetEvents();
    Set(node, OVRINVP_HEADER, GeData(Int32(1))); // a script, not a click
    EXPECT_TRUE(host::RecordedEvents().openedUrls.empty());
    Set(node, OVRINVP_HEADER, GeData(Int32(1)), DESCFLAGS_SET_USERINTERACTION);
    DescriptionCommand other{DescID(OVRINVP_VERSION)};
    EXPECT_TRUE(node->Message(MSG_DESCRIPTION_COMMAND, &other));
    DescriptionCommand website{DescID(OVRINVP_WEBSITE)};
    EXPECT_TRUE(node->Message(MSG_DESCRIPTION_COMMAND, &website));
    EXPECT_EQ(host::RecordedEvents().openedUrls,
              (std::vector<String>{OVRIN_WEBSITE, OVRIN_WEBSITE}));
}

TEST_F(EffectSettings, SyphonEditsAskTheHostToUpdate) {
    host::ResetEvents();
    Set(node, OVRINVP_SYPHON, GeData(true));
    EXPECT_EQ(host::RecordedEvents().eventAdds, 1);
    BaseTag::Free(tag);
    Set(node, OVRINVP_SYPHON_MODE, GeData(Int32(1)));
    EXPECT_EQ(host::RecordedEvents().eventAdds, 1);
}

} // namespace
