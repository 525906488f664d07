// Plug-in start, messages and end.
#include "c4d_plugin.h"

Bool PluginStart() {
    return true;
}

void PluginEnd() {}

Bool PluginMessage(Int32 id, void* data) {
    switch (id) {
    case C4DPL_INIT_SYS:
        return true;
    case C4DPL_INIT_PRIORITY:
        if (!data)
            return false;
        *static_cast<Int32*>(data) = -1000000; // load after the host's own plug-ins
        return true;
    default:
        return false;
    }
}
