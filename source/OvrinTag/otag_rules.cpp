#include "otag_rules.h"

#include "otag_ids.h"

Bool TagParameterEnabled(Int32 id, const GeData& value, const BaseContainer& tag,
                         const TagRuleContext& context) {
    if (id == OVRINTAG_ENABLED)
        return context.effectOn;
    if (id == OVRINTAG_PANORAMA_VFOV)
        return false; // derived, never edited

    const Bool master = context.effectOn && tag.GetBool(OVRINTAG_ENABLED);
    if (!master)
        return false;
    const Int32 projection = tag.GetInt32(OVRINTAG_PROJECTION);
    const Bool stereo = context.stereoOn;

    switch (id) {
    case OVRINTAG_DOME_FOV:
    case OVRINTAG_DOME_RENDER_SETTINGS:
        return projection == OVRINTAG_PROJECTION_DOME;
    case OVRINTAG_PANORAMA_PARTIAL:
        return projection == OVRINTAG_PROJECTION_PANORAMA;
    case OVRINTAG_PANORAMA_HFOV:
    case OVRINTAG_PANORAMA_LAT_MIN:
    case OVRINTAG_PANORAMA_LAT_MAX:
        return projection == OVRINTAG_PROJECTION_PANORAMA && tag.GetBool(OVRINTAG_PANORAMA_PARTIAL);
    case OVRINTAG_CYLINDER_ORIENTATION:
    case OVRINTAG_CYLINDER_FOV:
    case OVRINTAG_CYLINDER_HEIGHT:
    case OVRINTAG_CYLINDER_RADIUS:
        return projection == OVRINTAG_PROJECTION_CYLINDRICAL;
    case OVRINTAG_CUBEMAP_RENDER_SETTINGS:
        return projection == OVRINTAG_PROJECTION_CUBEMAP;
    case OVRINTAG_STEREO_EYE_SEPARATION:
    case OVRINTAG_STEREO_CONVERGENCE_MODE:
    case OVRINTAG_DOME_AXIS:
    case OVRINTAG_STEREO_AXIS:
    case OVRINTAG_STEREO_PREVIEW:
    case OVRINTAG_SEPARATION_MAP:
    case OVRINTAG_STEREO_RENDER_SETTINGS:
        return stereo;
    case OVRINTAG_STEREO_CONVERGENCE:
        return stereo && tag.GetInt32(OVRINTAG_STEREO_CONVERGENCE_MODE) != 0;
    case OVRINTAG_STEREO_PREVIEW_LATITUDE:
    case OVRINTAG_STEREO_PREVIEW_LONGITUDE:
    case OVRINTAG_STEREO_PREVIEW_PAD:
        return stereo && tag.GetBool(OVRINTAG_STEREO_PREVIEW);
    case OVRINTAG_SEPARATION_MAP_STRENGTH:
    case OVRINTAG_SEPARATION_MAP_PREVIEW:
    case OVRINTAG_SEPARATION_MAP_SHADER:
        return stereo && tag.GetBool(OVRINTAG_SEPARATION_MAP);
    case OVRINTAG_ASPECT:
    case OVRINTAG_STEREO_ASPECT:
        return value.GetFloat() > 0;
    case OVRINTAG_FIT_HEIGHT:
    case OVRINTAG_FIT_WIDTH:
        return tag.GetFloat(OVRINTAG_ASPECT) > 0;
    case OVRINTAG_SYPHON_MODE:
        return context.effectSyphon;
    default:
        return true;
    }
}

std::array<TagHiding, 7> TagHiddenEntries(const BaseContainer& tag, Bool effectOn) {
    const Int32 projection = tag.GetInt32(OVRINTAG_PROJECTION);
    return {{
        {OVRINTAG_VP_NOTICE, effectOn},
        {OVRINTAG_DOME_GROUP, projection != OVRINTAG_PROJECTION_DOME},
        {OVRINTAG_PANORAMA_GROUP, projection != OVRINTAG_PROJECTION_PANORAMA},
        {OVRINTAG_CYLINDER_GROUP, projection != OVRINTAG_PROJECTION_CYLINDRICAL},
        {OVRINTAG_CUBEMAP_GROUP, projection != OVRINTAG_PROJECTION_CUBEMAP},
        {OVRINTAG_DOME_AXIS, projection != OVRINTAG_PROJECTION_DOME},
        {OVRINTAG_STEREO_PREVIEW_PAD, !tag.GetBool(OVRINTAG_STEREO_PREVIEW)},
    }};
}
