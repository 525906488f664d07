// The plug-in resources the host has loaded: string tables and description resources, read
// from resource folders (see docs/resources.md). Host-internal.
#pragma once

#include "c4d_description.h"

#include <map>
#include <string>

namespace host {

// Parses a string table file. On failure returns false and sets error to one line naming the
// file and the place.
bool ReadStringTable(const std::string& path, std::map<Int32, String>& out, std::string& error);
// Parses a description resource file; its name is the file's name without ".json".
bool ReadDescriptionFile(const std::string& path, Description& out, std::string& error);

// Loads a resource folder: its string table "strings.json" and every "description/*.json".
// Everything or nothing: a malformed file leaves what was loaded before untouched. Strings and
// descriptions of a later folder replace those of the same id or name.
bool LoadResourceFolder(const std::string& dir, std::string& error);

// The description resource of that name, or null.
const Description* FindDescriptionResource(const String& name);
// The string table entry id, or null.
const String* FindResourceString(Int32 id);
// The last error of a resource load, empty after a success.
const std::string& LastResourceError();
void SetLastResourceError(std::string error);
// Forgets every loaded resource (tests).
void ClearResources();

} // namespace host
