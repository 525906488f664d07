// The library's one exported entry, dispatching the host's calls to the plug-in's functions.
#include "c4d_plugin.h"

#include <cstdint>

C4D_MAIN_EXPORT Int32 c4d_main(Int32 action, void* p1, void* p2, void* p3) {
    (void)p3;
    switch (action) {
    case C4DPL_INIT_PRIORITY:
    case C4DPL_INIT_SYS:
        return PluginMessage(action, p1) ? 1 : 0;
    case C4DPL_INIT:
        return PluginStart() ? 1 : 0;
    case C4DPL_END:
        PluginEnd();
        return 1;
    case C4DPL_MESSAGE:
        return PluginMessage(static_cast<Int32>(reinterpret_cast<std::intptr_t>(p1)), p2) ? 1 : 0;
    default:
        return 0;
    }
}
