#include "OvrinTag/otag_ids.h"
#include "ovp_ids.h"
#include "settings_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// The numeric defaults of a new render effect.
BaseContainer NewEffect() {
    BaseContainer bc;
    for (const ParamDefault& d : OVRINVP_DEFAULTS) {
        if (d.kind == ParamKind::Bool)
            bc.SetBool(d.id, d.number != 0);
        else if (d.kind == ParamKind::Int32)
            bc.SetInt32(d.id, Int32(d.number));
        else if (d.kind == ParamKind::Float)
            bc.SetFloat(d.id, d.number);
    }
    return bc;
}

struct EnableCase {
    const char* name;
    Int32 id;
    std::vector<std::pair<Int32, Int32>> settings; // written over the defaults
    std::optional<Int32> tagProjection;            // a tagged camera with this projection
    Bool enabled;
};

const std::vector<EnableCase> enableCases = {
    {"header", OVRINVP_HEADER, {}, {}, true},
    {"unruled id", 4711, {{OVRINVP_DOME_OVERLAYS, 0}}, {}, true},
    {"mask file, custom mask", OVRINVP_DOME_MASK_FILE, {{OVRINVP_DOME_MASK, 1}}, {}, true},
    {"mask file, circle", OVRINVP_DOME_MASK_FILE, {}, {}, false},
    {"mask file, none", OVRINVP_DOME_MASK_FILE, {{OVRINVP_DOME_MASK, 2}}, {}, false},
    {"info, overlays on", OVRINVP_OVERLAY_INFO, {}, {}, true},
    {"info, overlays off", OVRINVP_OVERLAY_INFO, {{OVRINVP_DOME_OVERLAYS, 0}}, {}, false},
    {"text size, overlays off", OVRINVP_TEXT_SIZE, {{OVRINVP_DOME_OVERLAYS, 0}}, {}, false},
    {"logo, overlays off", OVRINVP_LOGO, {{OVRINVP_DOME_OVERLAYS, 0}}, {}, false},
    {"text, text off", OVRINVP_TEXT, {}, {}, false},
    {"text, text on", OVRINVP_TEXT, {{OVRINVP_OVERLAY_TEXT, 1}}, {}, true},
    {"text, text on, overlays off",
     OVRINVP_TEXT,
     {{OVRINVP_OVERLAY_TEXT, 1}, {OVRINVP_DOME_OVERLAYS, 0}},
     {},
     false},
    {"logo file, custom logo", OVRINVP_LOGO_FILE, {{OVRINVP_LOGO, 1}}, {}, true},
    {"logo file, custom logo, overlays off",
     OVRINVP_LOGO_FILE,
     {{OVRINVP_LOGO, 1}, {OVRINVP_DOME_OVERLAYS, 0}},
     {},
     true},
    {"logo file, own logo", OVRINVP_LOGO_FILE, {}, {}, false},
    {"timecode offset, no time overlay", OVRINVP_TIMECODE_OFFSET, {}, {}, false},
    {"timecode offset, timecode",
     OVRINVP_TIMECODE_OFFSET,
     {{OVRINVP_OVERLAY_TIMECODE, 1}},
     {},
     true},
    {"timecode offset, frame number",
     OVRINVP_TIMECODE_OFFSET,
     {{OVRINVP_OVERLAY_FRAME, 1}},
     {},
     true},
    {"timecode offset, frame number, overlays off",
     OVRINVP_TIMECODE_OFFSET,
     {{OVRINVP_OVERLAY_FRAME, 1}, {OVRINVP_DOME_OVERLAYS, 0}},
     {},
     false},
    {"syphon mode, syphon off", OVRINVP_SYPHON_MODE, {}, {}, false},
    {"syphon mode, syphon on", OVRINVP_SYPHON_MODE, {{OVRINVP_SYPHON, 1}}, {}, true},
    {"eye shift, no tagged camera", OVRINVP_STEREO_SHIFT, {}, {}, true},
    {"eye shift, dome camera", OVRINVP_STEREO_SHIFT, {}, OVRINTAG_PROJECTION_DOME, false},
    {"eye shift, panorama camera", OVRINVP_STEREO_SHIFT, {}, OVRINTAG_PROJECTION_PANORAMA, true},
    {"swap, anaglyph", OVRINVP_STEREO_SWAP, {}, {}, true},
    {"swap, single channel", OVRINVP_STEREO_SWAP, {{OVRINVP_STEREO_OUTPUT, 3}}, {}, false},
    {"channel, single channel", OVRINVP_STEREO_CHANNEL, {{OVRINVP_STEREO_OUTPUT, 3}}, {}, true},
    {"channel, anaglyph", OVRINVP_STEREO_CHANNEL, {}, {}, false},
    {"anaglyph colours, anaglyph", OVRINVP_ANAGLYPH_COLORS, {}, {}, true},
    {"anaglyph colours, interlaced",
     OVRINVP_ANAGLYPH_COLORS,
     {{OVRINVP_STEREO_OUTPUT, 2}},
     {},
     false},
    {"method, red/blue", OVRINVP_ANAGLYPH_METHOD, {}, {}, true},
    {"method, red/green", OVRINVP_ANAGLYPH_METHOD, {{OVRINVP_ANAGLYPH_COLORS, 1}}, {}, false},
    {"gamma, optimized anaglyph", OVRINVP_ANAGLYPH_GAMMA, {}, {}, true},
    {"gamma, colour method", OVRINVP_ANAGLYPH_GAMMA, {{OVRINVP_ANAGLYPH_METHOD, 1}}, {}, false},
    {"gamma, side by side", OVRINVP_ANAGLYPH_GAMMA, {{OVRINVP_STEREO_OUTPUT, 1}}, {}, false},
    {"gamma, red/green still optimized",
     OVRINVP_ANAGLYPH_GAMMA,
     {{OVRINVP_ANAGLYPH_COLORS, 1}},
     {},
     true},
    {"arrangement, side by side",
     OVRINVP_STEREO_ARRANGEMENT,
     {{OVRINVP_STEREO_OUTPUT, 1}},
     {},
     true},
    {"arrangement, interlaced", OVRINVP_STEREO_ARRANGEMENT, {{OVRINVP_STEREO_OUTPUT, 2}}, {}, true},
    {"arrangement, anaglyph", OVRINVP_STEREO_ARRANGEMENT, {}, {}, false},
    {"left flip x, side by side", OVRINVP_LEFT_FLIP_X, {{OVRINVP_STEREO_OUTPUT, 1}}, {}, true},
    {"right flip y, interlaced", OVRINVP_RIGHT_FLIP_Y, {{OVRINVP_STEREO_OUTPUT, 2}}, {}, false},
    {"pattern, interlaced", OVRINVP_INTERLACE_PATTERN, {{OVRINVP_STEREO_OUTPUT, 2}}, {}, true},
    {"pattern, side by side", OVRINVP_INTERLACE_PATTERN, {{OVRINVP_STEREO_OUTPUT, 1}}, {}, false},
    {"single face, single-face layout",
     OVRINVP_CUBEMAP_SINGLE_FACE,
     {{OVRINVP_CUBEMAP_LAYOUT, 6}},
     {},
     true},
    {"single face, cross", OVRINVP_CUBEMAP_SINGLE_FACE, {}, {}, false},
    {"face 1, strip", OVRINVP_CUBEMAP_FACE_1, {{OVRINVP_CUBEMAP_LAYOUT, 2}}, {}, true},
    {"face 6, 2 x 3 grid", OVRINVP_CUBEMAP_FACE_6, {{OVRINVP_CUBEMAP_LAYOUT, 5}}, {}, true},
    {"face 3, vertical cross", OVRINVP_CUBEMAP_FACE_3, {{OVRINVP_CUBEMAP_LAYOUT, 1}}, {}, false},
    {"face 4, single face", OVRINVP_CUBEMAP_FACE_4, {{OVRINVP_CUBEMAP_LAYOUT, 6}}, {}, false},
    {"cross position, horizontal cross", OVRINVP_CUBEMAP_CROSS_POSITION, {}, {}, true},
    {"cross position, vertical cross",
     OVRINVP_CUBEMAP_CROSS_POSITION,
     {{OVRINVP_CUBEMAP_LAYOUT, 1}},
     {},
     true},
    {"cross position, strip",
     OVRINVP_CUBEMAP_CROSS_POSITION,
     {{OVRINVP_CUBEMAP_LAYOUT, 2}},
     {},
     false},
};

TEST(EffectRules, Enabling) {
    Int32 checked = 0;
    for (const EnableCase& c : enableCases) {
        BaseContainer settings = NewEffect();
        for (const auto& [id, v] : c.settings)
            settings.SetInt32(id, v);
        BaseContainer tag;
        if (c.tagProjection)
            tag.SetInt32(OVRINTAG_PROJECTION, *c.tagProjection);
        EXPECT_EQ(EffectParameterEnabled(c.id, settings, c.tagProjection ? &tag : nullptr),
                  c.enabled)
            << c.name;
        ++checked;
    }
    EXPECT_EQ(checked, Int32(enableCases.size()));
}

// The state of one entry, or nothing when the rules leave it as the resource has it.
std::optional<Bool> StateOf(const std::vector<EffectDescState>& states, Int32 id, DescSwitch what) {
    std::optional<Bool> found;
    for (const EffectDescState& s : states)
        if (s.id == id && s.what == what) {
            EXPECT_FALSE(found.has_value()) << "entry " << id << " set twice";
            found = s.on;
        }
    return found;
}

TEST(EffectRules, StereoOutputShowsItsOwnGroup) {
    const Int32 groups[4] = {OVRINVP_GROUP_ANAGLYPH, OVRINVP_GROUP_SIDE_BY_SIDE,
                             OVRINVP_GROUP_INTERLACED, OVRINVP_GROUP_SINGLE_CHANNEL};
    for (Int32 output = -1; output <= 4; ++output) {
        SCOPED_TRACE(testing::Message() << "output " << output);
        BaseContainer settings = NewEffect();
        settings.SetInt32(OVRINVP_STEREO_OUTPUT, output);
        const auto states = EffectDescriptionStates(settings, nullptr, false, 3);
        for (Int32 g = 0; g < 4; ++g)
            EXPECT_EQ(StateOf(states, groups[g], DescSwitch::Hide), g != output)
                << "group " << groups[g];
    }
}

TEST(EffectRules, GroupsUnfoldOnlyWithATaggedCamera) {
    struct Case {
        std::optional<Int32> projection;
        Bool stereo;
        std::optional<Bool> fulldome, cubemap, stereoGroup;
    };
    const Case cases[] = {
        {{}, true, {}, {}, {}},
        {OVRINTAG_PROJECTION_DOME, false, true, false, false},
        {OVRINTAG_PROJECTION_CUBEMAP, true, false, true, true},
        {OVRINTAG_PROJECTION_PANORAMA, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "projection " << c.projection.value_or(-1) << " stereo " << c.stereo);
        BaseContainer tag;
        if (c.projection)
            tag.SetInt32(OVRINTAG_PROJECTION, *c.projection);
        const auto states =
            EffectDescriptionStates(NewEffect(), c.projection ? &tag : nullptr, c.stereo, 3);
        EXPECT_EQ(StateOf(states, OVRINVP_GROUP_FULLDOME, DescSwitch::Unfold), c.fulldome);
        EXPECT_EQ(StateOf(states, OVRINVP_GROUP_CUBEMAP, DescSwitch::Unfold), c.cubemap);
        EXPECT_EQ(StateOf(states, OVRINVP_GROUP_STEREO, DescSwitch::Unfold), c.stereoGroup);
    }
}

TEST(EffectRules, CubemapSettingsByLayout) {
    struct Case {
        Int32 layout;
        Bool singleFaceHidden, crossPositionHidden, facesHidden;
    };
    const Case cases[] = {
        {0, true, false, true}, {1, true, false, true}, {2, true, true, false},
        {3, true, true, false}, {4, true, true, false}, {5, true, true, false},
        {6, false, true, true}, {7, true, true, true},  {-1, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout);
        BaseContainer settings = NewEffect();
        settings.SetInt32(OVRINVP_CUBEMAP_LAYOUT, c.layout);
        const auto states = EffectDescriptionStates(settings, nullptr, false, 1);
        EXPECT_EQ(StateOf(states, OVRINVP_CUBEMAP_SINGLE_FACE, DescSwitch::Hide),
                  c.singleFaceHidden);
        EXPECT_EQ(StateOf(states, OVRINVP_CUBEMAP_CROSS_POSITION, DescSwitch::Hide),
                  c.crossPositionHidden);
        EXPECT_EQ(StateOf(states, OVRINVP_GROUP_CUBEMAP_FACES, DescSwitch::Hide), c.facesHidden);
    }
}

TEST(EffectRules, PreviewShowsTheGridsRows) {
    for (Float rows : {0.0, 1.0, 3.0, 6.0}) {
        SCOPED_TRACE(testing::Message() << "rows " << rows);
        const auto states = EffectDescriptionStates(NewEffect(), nullptr, false, rows);
        Int32 shown = 0;
        for (Int32 k = 0; k < OVRINVP_CUBEMAP_PREVIEW_COUNT; ++k) {
            const auto hidden = StateOf(states, OVRINVP_CUBEMAP_PREVIEW_0 + k, DescSwitch::Hide);
            ASSERT_TRUE(hidden.has_value()) << "element " << k;
            EXPECT_EQ(*hidden, k / 6 >= rows) << "element " << k;
            shown += !*hidden;
        }
        EXPECT_EQ(shown, Int32(rows) * 6);
    }
}

} // namespace
