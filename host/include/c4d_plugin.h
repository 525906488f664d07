// The module entry: the host loads a plug-in library and calls its exported c4d_main, which
// hands the calls on to the plug-in's PluginStart, PluginMessage and PluginEnd.
#pragma once

#include "ge_types.h"

// Actions of c4d_main, and the message ids PluginMessage receives.
enum : Int32 {
    C4DPL_INIT_PRIORITY = 0, // message: data is an Int32* to receive the load priority
    C4DPL_INIT_SYS = 1,      // message: initialise resources; false stops the load
    C4DPL_INIT = 2,          // action: start the plug-in (PluginStart)
    C4DPL_END = 3,           // action: the host shuts down (PluginEnd)
    C4DPL_MESSAGE = 4,       // action: p1 is the message id, p2 its data (PluginMessage)
};

// Implemented by the plug-in.
Bool PluginStart();
void PluginEnd();
Bool PluginMessage(Int32 id, void* data);

#define C4D_MAIN_EXPORT extern "C" __attribute__((visibility("default")))
C4D_MAIN_EXPORT Int32 c4d_main(Int32 action, void* p1, void* p2, void* p3);
