#include "presets.h"

#include "Ovrin360CamVP/ovp_ids.h"
#include "OvrinTag/otag_ids.h"
#include "c4d_basedocument.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "ge_types.h"
#include "ovrin/ovrin_plugin_ids.h"

#include <cmath>

namespace app {

namespace {

enum class Kind { Fulldome, Fisheye, LittlePlanet, Panorama, Cylindrical, Cubemap };

struct PresetSetup {
    Kind kind;
    Int32 presetId;
    Int32 projection;
    Int32 domeAxis; // −1: as the tag's Init left it
    Int32 stereoAxis;
};

// Tag values and camera changes of each preset.
constexpr PresetSetup setups[] = {
    {Kind::Fulldome, ID_OVRINCREATE_FULLDOME, OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_UP, 2},
    {Kind::Fisheye, ID_OVRINCREATE_FISHEYE, OVRINTAG_PROJECTION_DOME, OVRINTAG_DOME_AXIS_FORWARD,
     3},
    {Kind::LittlePlanet, ID_OVRINCREATE_LITTLEPLANET, OVRINTAG_PROJECTION_DOME,
     OVRINTAG_DOME_AXIS_FORWARD, 3},
    {Kind::Panorama, ID_OVRINCREATE_PANORAMA, OVRINTAG_PROJECTION_PANORAMA, -1, 2},
    {Kind::Cylindrical, ID_OVRINCREATE_CYLINDRICAL, OVRINTAG_PROJECTION_CYLINDRICAL, -1, 2},
    {Kind::Cubemap, ID_OVRINCREATE_CUBEMAP, OVRINTAG_PROJECTION_CUBEMAP, -1, 2},
};

} // namespace

const std::vector<Preset>& Presets() {
    static const std::vector<Preset> presets = {
        {"fulldome", 1024, 1024}, {"fisheye", 1024, 1024},    {"little-planet", 1024, 1024},
        {"panorama", 2048, 1024}, {"cylindrical", 2048, 512}, {"cubemap", 1536, 1152},
    };
    return presets;
}

const Preset* FindPreset(const std::string& name) {
    for (const Preset& p : Presets())
        if (name == p.name)
            return &p;
    return nullptr;
}

std::string PresetNames() {
    std::string names;
    for (const Preset& p : Presets())
        names += (names.empty() ? "" : ", ") + std::string(p.name);
    return names;
}

bool ApplyPreset(BaseDocument* doc, BaseObject* camera, const Preset& preset, CliError& error) {
    (void)doc;
    const PresetSetup& setup = setups[&preset - Presets().data()];
    BaseTag* tag = camera->MakeTag(ID_OVRINTAG);
    if (!tag) {
        error = {"the plug-in's camera tag is not available", exitRenderFailed};
        return false;
    }
    tag->SetParameter(DescID(OVRINTAG_PRESET), GeData(setup.presetId), DESCFLAGS_SET_NONE);
    BaseContainer& bc = *tag->GetDataInstance();
    if (setup.kind == Kind::LittlePlanet)
        bc.SetFloat(OVRINTAG_DOME_FOV, Float(Float32(7.0 * PI / 4.0))); // 315°
    bc.SetInt32(OVRINTAG_PROJECTION, setup.projection);
    if (setup.domeAxis >= 0)
        bc.SetInt32(OVRINTAG_DOME_AXIS, setup.domeAxis);
    bc.SetInt32(OVRINTAG_STEREO_AXIS, setup.stereoAxis);
    if (setup.kind == Kind::Fulldome || setup.kind == Kind::Fisheye ||
        setup.kind == Kind::LittlePlanet)
        bc.SetVector(OVRINTAG_STEREO_PREVIEW_PAD, Vector(0.5, 0.5, 1.0));
    if (setup.kind == Kind::Fulldome)
        bc.SetBool(OVRINTAG_PROTECT_CAMERA, true);

    auto* cam = static_cast<CameraObject*>(camera);
    switch (setup.kind) {
    case Kind::Fulldome:
        cam->SetRelRot(Vector(0, PI05, 0)); // the dome master looks at the zenith
        cam->SetFocus(8);
        break;
    case Kind::Fisheye:
        cam->SetFocus(8);
        break;
    case Kind::LittlePlanet:
        if (cam->GetRelPos() == Vector(0, 0, 0))
            cam->SetRelPos(Vector(0, 200, 0));
        cam->SetRelRot(Vector(0, -PI05, 0));
        cam->SetFocus(8);
        break;
    case Kind::Cubemap:
        cam->SetFocus(18);
        break;
    default:
        break;
    }
    return true;
}

} // namespace app
