// Reading a JSON file with errors that name the file and the line. Host-internal.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace host {

// Parses the file at path into out. On failure returns false and sets error to one line:
// "path: cannot read the file" or "path: line L, column C: what is wrong".
bool ReadJsonFile(const std::string& path, nlohmann::json& out, std::string& error);

// The JSON type of v in words ("a number", "a string", ...), for error messages.
std::string JsonKind(const nlohmann::json& v);

} // namespace host
