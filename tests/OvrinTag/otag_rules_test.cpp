#include "OvrinTag/otag_ids.h"
#include "OvrinTag/otag_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// The numeric defaults of a new tag.
BaseContainer NewTag() {
    BaseContainer bc;
    for (const ParamDefault& d : OVRINTAG_DEFAULTS) {
        if (d.kind == ParamKind::Bool)
            bc.SetBool(d.id, d.number != 0);
        else if (d.kind == ParamKind::Int32)
            bc.SetInt32(d.id, Int32(d.number));
        else if (d.kind == ParamKind::Float)
            bc.SetFloat(d.id, d.number);
    }
    return bc;
}

struct RuleSetup {
    BaseContainer tag = NewTag();
    TagRuleContext context{true, false, false};
    GeData value;
};

struct EnableCase {
    const char* name;
    Int32 id;
    std::function<void(RuleSetup&)> setup;
    Bool enabled;
};

void Projection(RuleSetup& s, Int32 p) {
    s.tag.SetInt32(OVRINTAG_PROJECTION, p);
}

const std::vector<EnableCase> enableCases = {
    // Master condition: the render effect on and the tag enabled.
    {"effect off greys the enable switch", OVRINTAG_ENABLED,
     [](RuleSetup& s) { s.context.effectOn = false; }, false},
    {"effect off greys the projection", OVRINTAG_PROJECTION,
     [](RuleSetup& s) { s.context.effectOn = false; }, false},
    {"effect off greys host parameters", 900, [](RuleSetup& s) { s.context.effectOn = false; },
     false},
    {"tag off keeps the enable switch", OVRINTAG_ENABLED,
     [](RuleSetup& s) { s.tag.SetBool(OVRINTAG_ENABLED, false); }, true},
    {"tag off greys the projection", OVRINTAG_PROJECTION,
     [](RuleSetup& s) { s.tag.SetBool(OVRINTAG_ENABLED, false); }, false},
    {"tag off greys host parameters", 900,
     [](RuleSetup& s) { s.tag.SetBool(OVRINTAG_ENABLED, false); }, false},
    {"tag off greys the stereo switch", OVRINTAG_STEREO,
     [](RuleSetup& s) { s.tag.SetBool(OVRINTAG_ENABLED, false); }, false},
    {"host parameters follow the master condition", 900, [](RuleSetup&) {}, true},
    {"projection", OVRINTAG_PROJECTION, [](RuleSetup&) {}, true},
    {"stereo switch without stereo", OVRINTAG_STEREO, [](RuleSetup&) {}, true},
    {"preset", OVRINTAG_PRESET, [](RuleSetup&) {}, true},
    {"editor cube face", OVRINTAG_EDITOR_CUBE_FACE, [](RuleSetup&) {}, true},
    {"aspect label", OVRINTAG_ASPECT_LABEL, [](RuleSetup&) {}, true},
    // Never editable.
    {"vertical coverage", OVRINTAG_PANORAMA_VFOV,
     [](RuleSetup& s) { s.tag.SetBool(OVRINTAG_PANORAMA_PARTIAL, true); }, false},
    // By projection.
    {"dome fov, dome", OVRINTAG_DOME_FOV, [](RuleSetup& s) { Projection(s, 1); }, true},
    {"dome fov, panorama", OVRINTAG_DOME_FOV, [](RuleSetup& s) { Projection(s, 0); }, false},
    {"dome render settings, cubemap", OVRINTAG_DOME_RENDER_SETTINGS,
     [](RuleSetup& s) { Projection(s, 3); }, false},
    {"partial, panorama", OVRINTAG_PANORAMA_PARTIAL, [](RuleSetup& s) { Projection(s, 0); }, true},
    {"partial, cubemap", OVRINTAG_PANORAMA_PARTIAL, [](RuleSetup& s) { Projection(s, 3); }, false},
    {"hfov, partial panorama", OVRINTAG_PANORAMA_HFOV,
     [](RuleSetup& s) { s.tag.SetBool(OVRINTAG_PANORAMA_PARTIAL, true); }, true},
    {"hfov, full panorama", OVRINTAG_PANORAMA_HFOV, [](RuleSetup&) {}, false},
    {"lat max, partial dome", OVRINTAG_PANORAMA_LAT_MAX,
     [](RuleSetup& s) {
         Projection(s, 1);
         s.tag.SetBool(OVRINTAG_PANORAMA_PARTIAL, true);
     },
     false},
    {"cylinder height, cylinder", OVRINTAG_CYLINDER_HEIGHT, [](RuleSetup& s) { Projection(s, 2); },
     true},
    {"cylinder orientation, dome", OVRINTAG_CYLINDER_ORIENTATION,
     [](RuleSetup& s) { Projection(s, 1); }, false},
    {"cubemap render settings, cubemap", OVRINTAG_CUBEMAP_RENDER_SETTINGS,
     [](RuleSetup& s) { Projection(s, 3); }, true},
    {"cubemap render settings, cylinder", OVRINTAG_CUBEMAP_RENDER_SETTINGS,
     [](RuleSetup& s) { Projection(s, 2); }, false},
    // Stereo condition.
    {"eye separation, stereo", OVRINTAG_STEREO_EYE_SEPARATION,
     [](RuleSetup& s) { s.context.stereoOn = true; }, true},
    {"eye separation, mono", OVRINTAG_STEREO_EYE_SEPARATION, [](RuleSetup&) {}, false},
    {"dome axis, stereo panorama", OVRINTAG_DOME_AXIS,
     [](RuleSetup& s) { s.context.stereoOn = true; }, true},
    {"dome axis, mono dome", OVRINTAG_DOME_AXIS, [](RuleSetup& s) { Projection(s, 1); }, false},
    {"stereo render settings, mono", OVRINTAG_STEREO_RENDER_SETTINGS, [](RuleSetup&) {}, false},
    {"convergence, converging", OVRINTAG_STEREO_CONVERGENCE,
     [](RuleSetup& s) { s.context.stereoOn = true; }, true},
    {"convergence, parallel", OVRINTAG_STEREO_CONVERGENCE,
     [](RuleSetup& s) {
         s.context.stereoOn = true;
         s.tag.SetInt32(OVRINTAG_STEREO_CONVERGENCE_MODE, 0);
     },
     false},
    {"convergence, mono", OVRINTAG_STEREO_CONVERGENCE, [](RuleSetup&) {}, false},
    {"preview pad, preview on", OVRINTAG_STEREO_PREVIEW_PAD,
     [](RuleSetup& s) { s.context.stereoOn = true; }, true},
    {"preview latitude, preview off", OVRINTAG_STEREO_PREVIEW_LATITUDE,
     [](RuleSetup& s) {
         s.context.stereoOn = true;
         s.tag.SetBool(OVRINTAG_STEREO_PREVIEW, false);
     },
     false},
    {"separation shader, map on", OVRINTAG_SEPARATION_MAP_SHADER,
     [](RuleSetup& s) {
         s.context.stereoOn = true;
         s.tag.SetBool(OVRINTAG_SEPARATION_MAP, true);
     },
     true},
    {"separation strength, map off", OVRINTAG_SEPARATION_MAP_STRENGTH,
     [](RuleSetup& s) { s.context.stereoOn = true; }, false},
    {"separation preview, map on but mono", OVRINTAG_SEPARATION_MAP_PREVIEW,
     [](RuleSetup& s) { s.tag.SetBool(OVRINTAG_SEPARATION_MAP, true); }, false},
    // Derived values.
    {"aspect while positive", OVRINTAG_ASPECT, [](RuleSetup& s) { s.value = GeData(1.5); }, true},
    {"aspect at zero", OVRINTAG_ASPECT, [](RuleSetup& s) { s.value = GeData(0.0); }, false},
    {"stereo aspect while positive", OVRINTAG_STEREO_ASPECT,
     [](RuleSetup& s) { s.value = GeData(3.0); }, true},
    {"fit height with an aspect", OVRINTAG_FIT_HEIGHT,
     [](RuleSetup& s) { s.tag.SetFloat(OVRINTAG_ASPECT, 2.0); }, true},
    {"fit width without an aspect", OVRINTAG_FIT_WIDTH, [](RuleSetup&) {}, false},
    // Syphon proxies.
    {"syphon switch", OVRINTAG_SYPHON, [](RuleSetup&) {}, true},
    {"syphon mode, publishing", OVRINTAG_SYPHON_MODE,
     [](RuleSetup& s) { s.context.effectSyphon = true; }, true},
    {"syphon mode, not publishing", OVRINTAG_SYPHON_MODE, [](RuleSetup&) {}, false},
    {"syphon mode, publishing but tag off", OVRINTAG_SYPHON_MODE,
     [](RuleSetup& s) {
         s.context.effectSyphon = true;
         s.tag.SetBool(OVRINTAG_ENABLED, false);
     },
     false},
};

TEST(TagRules, Enabling) {
    Int32 checked = 0;
    for (const EnableCase& c : enableCases) {
        RuleSetup s;
        c.setup(s);
        EXPECT_EQ(TagParameterEnabled(c.id, s.value, s.tag, s.context), c.enabled) << c.name;
        ++checked;
    }
    EXPECT_EQ(checked, Int32(enableCases.size()));
}

TEST(TagRules, Hiding) {
    struct Case {
        Int32 projection;
        Bool preview;
        Bool effectOn;
        // notice, dome, panorama, cylinder, cubemap groups, dome axis, preview pad
        std::array<Bool, 7> hidden;
    };
    const Case cases[] = {
        {0, true, true, {true, true, false, true, true, true, false}},
        {1, true, true, {true, false, true, true, true, false, false}},
        {2, false, true, {true, true, true, false, true, true, true}},
        {3, true, false, {false, true, true, true, false, true, false}},
        {7, false, false, {false, true, true, true, true, true, true}},
    };
    const Int32 ids[7] = {OVRINTAG_VP_NOTICE,         OVRINTAG_DOME_GROUP,
                          OVRINTAG_PANORAMA_GROUP,    OVRINTAG_CYLINDER_GROUP,
                          OVRINTAG_CUBEMAP_GROUP,     OVRINTAG_DOME_AXIS,
                          OVRINTAG_STEREO_PREVIEW_PAD};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "projection " << c.projection << " preview " << c.preview
                                        << " effect " << c.effectOn);
        BaseContainer tag = NewTag();
        tag.SetInt32(OVRINTAG_PROJECTION, c.projection);
        tag.SetBool(OVRINTAG_STEREO_PREVIEW, c.preview);
        const auto entries = TagHiddenEntries(tag, c.effectOn);
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].id, ids[i]);
            EXPECT_EQ(entries[i].hidden, c.hidden[i]) << "entry " << ids[i];
        }
    }
}

} // namespace
