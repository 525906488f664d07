// Plug-in resources: the string table and the description resources in the plug-in's "res"
// folder. The plug-in initialises its resource object once, at the host's system start.
#pragma once

#include "c4d_filename.h"
#include "c4d_string.h"

class GeResource {
public:
    // Loads the resource folder of the plug-in (GeGetPluginResourcePath()).
    Bool Init();
    // Loads the resource folder path. False when it is missing or one of its files is
    // malformed; then nothing of it is loaded and the host console names the file.
    Bool Init(const Filename& path);
    Bool IsLoaded() const { return loaded_; }

private:
    Bool loaded_ = false;
};

// The plug-in's resource object.
extern GeResource g_resource;

// String table entry id; empty when the loaded tables have no such entry.
String GeLoadString(Int32 id);
