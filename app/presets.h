// The six camera presets: the tag settings and camera changes that turn a camera into a ready
// fulldome, fisheye, little-planet, panorama, cylindrical or cubemap camera.
#pragma once

#include "cli_error.h"

#include <optional>
#include <string>
#include <vector>

class BaseDocument;
class BaseObject;

namespace app {

struct Preset {
    const char* name;  // as the command line spells it
    int width, height; // default output size
};

// Every preset, in the order the command line lists them.
const std::vector<Preset>& Presets();
const Preset* FindPreset(const std::string& name);
// "fulldome, fisheye, ..." for error messages.
std::string PresetNames();

// Puts an Ovrin tag set up for preset on camera (a camera object in doc) and adjusts the camera
// as the preset does. False with error when the tag cannot be made.
bool ApplyPreset(BaseDocument* doc, BaseObject* camera, const Preset& preset, CliError& error);

} // namespace app
