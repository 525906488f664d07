// Scene files: a document as JSON (docs/scene-format.md). Reading is all or nothing: any error
// gives one line naming the file, the place and the key, and no document.
#pragma once

#include <string>

class BaseDocument;

namespace host {

// Reads the scene file at path into a new document (owned by the caller); null with error set
// on failure. While it loads, the new document is the active one, so tags that look for their
// render settings on creation find the file's.
BaseDocument* LoadSceneFile(const std::string& path, std::string& error);
// The same from text; file names the text in errors and baseDir resolves relative file names.
BaseDocument* ReadScene(const std::string& text, const std::string& file,
                        const std::string& baseDir, std::string& error);

// Writes doc to path: a temporary file, renamed over path when complete, so the file appears
// whole or not at all. False with error set on failure.
bool SaveSceneFile(const BaseDocument* doc, const std::string& path, std::string& error);
// The scene as JSON text; false with error set when a value cannot be written.
bool WriteScene(const BaseDocument* doc, std::string& text, std::string& error);

} // namespace host
