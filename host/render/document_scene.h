// Turns a document's objects into the plain description the tracer reads: shapes with their
// colours and global matrices, the first light, the ambient light and the environment.
#pragma once

#include "render_scene.h"

#include <string>

class BaseDocument;

namespace host {

// False, with one sentence naming the file, when the environment image cannot be read.
bool DocumentToRenderScene(const BaseDocument& doc, RenderScene& scene, std::string& error);

} // namespace host
