// Documents for the commands: a scene file or the built-in demo, the --set overrides, and a
// document built around an equirectangular image for reprojection.
#pragma once

#include "cli_error.h"
#include "presets.h"

#include <memory>
#include <string>
#include <vector>

class BaseDocument;
class BaseObject;

namespace app {

struct DocumentDeleter {
    void operator()(BaseDocument* doc) const;
};
using DocumentPtr = std::unique_ptr<BaseDocument, DocumentDeleter>;

// The scene file at path, or the built-in demo scene when path is empty.
DocumentPtr LoadScene(const std::string& path, CliError& error);

// Applies "where.KEY=VALUE" overrides: where is tag (the render camera's Ovrin tag), vp (the
// render effect in the active render settings) or render (the active render settings); KEY a
// parameter symbol or number; VALUE JSON (a bare word is taken as text or a choice symbol).
bool ApplyOverrides(BaseDocument* doc, const std::vector<std::string>& sets, CliError& error);

// A document that looks at the equirectangular image (an empty path: the procedural sky) from
// the centre through a camera set up by preset, rendering width × height.
DocumentPtr ReprojectDocument(const std::string& image, const Preset& preset, int width, int height,
                              CliError& error);

// Sets the scene's camera up for preset: the active camera, else the render camera, else the
// first camera, else a new one. Ovrin tags it carries are replaced, so the preset decides.
bool CreatePresetCamera(BaseDocument* doc, const Preset& preset, CliError& error);

// The camera the render effect renders through (render view link, else first tagged camera).
BaseObject* RenderCamera(BaseDocument* doc);

// Parses "WxH" into two positive sizes.
bool ParseSize(const std::string& text, int& width, int& height);

} // namespace app
