// Parameters in scene files and on the command line: keys name a parameter by its symbol in the
// node's description or by number; values are JSON, typed by the description where it has the
// parameter and by their own form otherwise. Host-internal.
#pragma once

#include "c4d_description.h"
#include "c4d_gedata.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>

class BaseList2D;

namespace host {

struct ParamRef {
    Int32 id = 0;
    Int32 dtype = DTYPE_NONE;                  // DTYPE_NONE: not described, typed by the value
    const Description::Entry* entry = nullptr; // null when not described
    std::string key;                           // as the file or user wrote it
};

// The description scene files use for a node: its resource or the host's own; null for none.
const Description* SceneDescription(const BaseList2D* node);

// Finds key (a symbol of d, or a whole number) in d, which may be null. False with error
// 'unknown parameter "KEY"' for a symbol d does not have.
bool ResolveParameter(const Description* d, const std::string& key, ParamRef& out,
                      std::string& error);

// Converts v for p. A link value is not converted: linkPath receives its target's path (empty
// for an empty link) and out holds an empty link. Relative file names are resolved against
// baseDir. False with error 'parameter "KEY" must be ..., not ...'.
bool ParameterFromJson(const nlohmann::json& v, const ParamRef& p, const std::string& baseDir,
                       GeData& out, std::string* linkPath, std::string& error);

// Converts a stored value for writing. pathOf names a link's target (empty when the target is
// not part of what is written: the link is written empty). False with error for a value that
// has no written form.
bool ParameterToJson(const GeData& v, const ParamRef& p,
                     const std::function<std::string(const BaseList2D*)>& pathOf,
                     nlohmann::ordered_json& out, std::string& error);

// The key a parameter is written under: its symbol when described with one, else its number.
ParamRef ParameterForWriting(const Description* d, Int32 id);

} // namespace host
