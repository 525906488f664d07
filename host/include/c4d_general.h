// General host services: the plug-in's folders, opening web pages, and asking the host to
// update and redraw after a change.
#pragma once

#include "c4d_filename.h"
#include "c4d_string.h"

class BaseDraw;

// The folder the running plug-in module was loaded from (empty before one is loaded).
Filename GeGetPluginPath();
// Its resource folder: GeGetPluginPath() + "res".
Filename GeGetPluginResourcePath();

// Opens a web page or local document in the system's viewer. True when it was handed over.
Bool GeOpenHTML(const String& url);

enum EVENT : Int32 {
    EVENT_NONE = 0,
};

// Tells the host that the document changed; it updates its views after the current command.
void EventAdd(EVENT flags = EVENT_NONE);

// Redraws the views now; bd null means every view.
Bool DrawViews(Int32 flags, BaseDraw* bd = nullptr);

// Runs a host command, as if the user picked it.
void CallCommand(Int32 id, Int32 subid = 0);
