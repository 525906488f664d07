#include "settings_rules.h"

#include "OvrinTag/otag_ids.h"
#include "ovp_ids.h"

Bool EffectParameterEnabled(Int32 id, const BaseContainer& settings, const BaseContainer* tag) {
    const Int32 output = settings.GetInt32(OVRINVP_STEREO_OUTPUT);
    const Bool overlays = settings.GetBool(OVRINVP_DOME_OVERLAYS);
    const Int32 layout = settings.GetInt32(OVRINVP_CUBEMAP_LAYOUT);

    switch (id) {
    case OVRINVP_DOME_MASK_FILE:
        return settings.GetInt32(OVRINVP_DOME_MASK) == OVRINVP_DOME_MASK_CUSTOM;
    case OVRINVP_OVERLAY_INFO:
    case OVRINVP_OVERLAY_TIMECODE:
    case OVRINVP_OVERLAY_FRAME:
    case OVRINVP_OVERLAY_TEXT:
    case OVRINVP_TEXT_SIZE:
    case OVRINVP_LOGO:
        return overlays;
    case OVRINVP_TEXT:
        return overlays && settings.GetBool(OVRINVP_OVERLAY_TEXT);
    case OVRINVP_LOGO_FILE:
        return settings.GetInt32(OVRINVP_LOGO) == OVRINVP_LOGO_CUSTOM;
    case OVRINVP_TIMECODE_OFFSET:
        return overlays && (settings.GetBool(OVRINVP_OVERLAY_TIMECODE) ||
                            settings.GetBool(OVRINVP_OVERLAY_FRAME));
    case OVRINVP_SYPHON_MODE:
        return settings.GetBool(OVRINVP_SYPHON);
    case OVRINVP_STEREO_SHIFT: // a dome's eyes are not shifted
        return !(tag && tag->GetInt32(OVRINTAG_PROJECTION) == OVRINTAG_PROJECTION_DOME);
    case OVRINVP_STEREO_SWAP:
        return output != OVRINVP_STEREO_OUTPUT_SINGLE_CHANNEL;
    case OVRINVP_STEREO_CHANNEL:
        return output == OVRINVP_STEREO_OUTPUT_SINGLE_CHANNEL;
    case OVRINVP_ANAGLYPH_COLORS:
        return output == OVRINVP_STEREO_OUTPUT_ANAGLYPH;
    case OVRINVP_ANAGLYPH_METHOD:
        return output == OVRINVP_STEREO_OUTPUT_ANAGLYPH &&
               settings.GetInt32(OVRINVP_ANAGLYPH_COLORS) == OVRINVP_ANAGLYPH_COLORS_RED_BLUE;
    case OVRINVP_ANAGLYPH_GAMMA:
        return output == OVRINVP_STEREO_OUTPUT_ANAGLYPH &&
               settings.GetInt32(OVRINVP_ANAGLYPH_METHOD) == OVRINVP_ANAGLYPH_METHOD_OPTIMIZED;
    case OVRINVP_STEREO_ARRANGEMENT:
        return output == OVRINVP_STEREO_OUTPUT_SIDE_BY_SIDE ||
               output == OVRINVP_STEREO_OUTPUT_INTERLACED;
    case OVRINVP_LEFT_FLIP_X:
    case OVRINVP_LEFT_FLIP_Y:
    case OVRINVP_RIGHT_FLIP_X:
    case OVRINVP_RIGHT_FLIP_Y:
        return output == OVRINVP_STEREO_OUTPUT_SIDE_BY_SIDE;
    case OVRINVP_INTERLACE_PATTERN:
        return output == OVRINVP_STEREO_OUTPUT_INTERLACED;
    case OVRINVP_CUBEMAP_SINGLE_FACE:
        return layout == OVRIN_CUBEMAP_SINGLE_FACE;
    case OVRINVP_CUBEMAP_FACE_1:
    case OVRINVP_CUBEMAP_FACE_2:
    case OVRINVP_CUBEMAP_FACE_3:
    case OVRINVP_CUBEMAP_FACE_4:
    case OVRINVP_CUBEMAP_FACE_5:
    case OVRINVP_CUBEMAP_FACE_6:
        return layout >= OVRIN_CUBEMAP_STRIP_HORIZONTAL && layout <= OVRIN_CUBEMAP_GRID_VERTICAL;
    case OVRINVP_CUBEMAP_CROSS_POSITION:
        return layout == OVRIN_CUBEMAP_CROSS_HORIZONTAL || layout == OVRIN_CUBEMAP_CROSS_VERTICAL;
    default:
        return true;
    }
}

std::vector<EffectDescState> EffectDescriptionStates(const BaseContainer& settings,
                                                     const BaseContainer* tag, Bool stereoOn,
                                                     Float gridRows) {
    const Int32 output = settings.GetInt32(OVRINVP_STEREO_OUTPUT);
    const Int32 layout = settings.GetInt32(OVRINVP_CUBEMAP_LAYOUT);
    std::vector<EffectDescState> states = {
        {OVRINVP_GROUP_SINGLE_CHANNEL, DescSwitch::Hide,
         output != OVRINVP_STEREO_OUTPUT_SINGLE_CHANNEL},
        {OVRINVP_GROUP_ANAGLYPH, DescSwitch::Hide, output != OVRINVP_STEREO_OUTPUT_ANAGLYPH},
        {OVRINVP_GROUP_SIDE_BY_SIDE, DescSwitch::Hide,
         output != OVRINVP_STEREO_OUTPUT_SIDE_BY_SIDE},
        {OVRINVP_GROUP_INTERLACED, DescSwitch::Hide, output != OVRINVP_STEREO_OUTPUT_INTERLACED},
    };
    if (tag) {
        const Int32 projection = tag->GetInt32(OVRINTAG_PROJECTION);
        states.push_back(
            {OVRINVP_GROUP_FULLDOME, DescSwitch::Unfold, projection == OVRINTAG_PROJECTION_DOME});
        states.push_back(
            {OVRINVP_GROUP_CUBEMAP, DescSwitch::Unfold, projection == OVRINTAG_PROJECTION_CUBEMAP});
        states.push_back({OVRINVP_GROUP_STEREO, DescSwitch::Unfold, stereoOn});
    }
    states.push_back(
        {OVRINVP_CUBEMAP_SINGLE_FACE, DescSwitch::Hide, layout != OVRIN_CUBEMAP_SINGLE_FACE});
    states.push_back(
        {OVRINVP_CUBEMAP_CROSS_POSITION, DescSwitch::Hide, layout > OVRIN_CUBEMAP_CROSS_VERTICAL});
    states.push_back(
        {OVRINVP_GROUP_CUBEMAP_FACES, DescSwitch::Hide,
         layout < OVRIN_CUBEMAP_STRIP_HORIZONTAL || layout > OVRIN_CUBEMAP_GRID_VERTICAL});
    for (Int32 k = 0; k < OVRINVP_CUBEMAP_PREVIEW_COUNT; ++k)
        states.push_back({OVRINVP_CUBEMAP_PREVIEW_0 + k, DescSwitch::Hide, k / 6 >= gridRows});
    return states;
}
