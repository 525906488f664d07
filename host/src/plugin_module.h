// Loading a plug-in module at run time and driving its c4d_main, as the application does.
#pragma once

#include "ge_types.h"

#include <memory>
#include <string>

namespace host {

class PluginModule {
public:
    // Opens the library at path and finds its c4d_main; null with error set on failure.
    static std::unique_ptr<PluginModule> Open(const std::string& path, std::string& error);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // System initialisation, the priority query, then the start. False (with error) when the
    // module refuses to load.
    bool Start(std::string& error);
    void End();

    const std::string& Path() const { return path_; }
    Int32 Priority() const { return priority_; }
    Int32 Call(Int32 action, void* p1 = nullptr, void* p2 = nullptr, void* p3 = nullptr) const {
        return main_(action, p1, p2, p3);
    }

private:
    using MainFn = Int32 (*)(Int32, void*, void*, void*);
    PluginModule(void* handle, MainFn main, std::string path)
        : handle_(handle), main_(main), path_(std::move(path)) {}

    void* handle_;
    MainFn main_;
    std::string path_;
    Int32 priority_ = 0;
    bool started_ = false;
};

} // namespace host
