#include "c4d_render.h"

#include "render_state.h"

Bool CheckIsRunning(CHECKISRUNNING type) {
    return host::RenderState::Running(type);
}

Int32 GeGetVersionType() {
    return 0; // the full, interactive application
}

Int32 GeGetSystemInfo() {
    return 0; // a user interface is present
}
