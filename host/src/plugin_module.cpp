#include "plugin_module.h"

#include "c4d_plugin.h"
#include "host_events.h"

#include <dlfcn.h>

namespace host {

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = "cannot load plug-in \"" + path + "\": " + (why ? why : "unknown error");
        return nullptr;
    }
    auto main = reinterpret_cast<MainFn>(dlsym(handle, "c4d_main"));
    if (!main) {
        dlclose(handle);
        error = "plug-in \"" + path + "\" has no c4d_main entry";
        return nullptr;
    }
    return std::unique_ptr<PluginModule>(new PluginModule(handle, main, path));
}

PluginModule::~PluginModule() {
    End();
    // The module stays mapped: the host keeps the objects it registered until it exits.
}

bool PluginModule::Start(std::string& error) {
    // The module's folder is what GeGetPluginPath answers while it loads its resources.
    SetPluginPath(Filename(String(path_)).GetDirectory());
    if (!Call(C4DPL_INIT_SYS)) {
        error = "plug-in \"" + path_ + "\" could not initialise its resources";
        return false;
    }
    Call(C4DPL_INIT_PRIORITY, &priority_);
    if (!Call(C4DPL_INIT)) {
        error = "plug-in \"" + path_ + "\" failed to start";
        return false;
    }
    started_ = true;
    return true;
}

void PluginModule::End() {
    if (started_)
        Call(C4DPL_END);
    started_ = false;
}

} // namespace host
