// The plug-in resources the host has loaded: string tables and description resources, read
// from the resource folders that GeResource::Init names. Host-internal.
#pragma once

#include "c4d_description.h"

namespace host {

// The description resource of that name from any loaded resource folder, or null.
const Description* FindDescriptionResource(const String& name);

} // namespace host
