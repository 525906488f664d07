// The command's host session: finds the plug-in folder, loads one edition's module through
// c4d_main and keeps it loaded for the command's lifetime.
#pragma once

#include "cli_error.h"
#include "plugin_module.h"

#include <memory>
#include <optional>
#include <string>

namespace app {

enum class Edition { R18, R20 };

// Parses "r18" or "r20".
std::optional<Edition> ParseEdition(const std::string& text);

class PluginSession {
public:
    // Loads and starts the module of edition from the plug-in folder: $OVRIN360_PLUGINS when set,
    // else plugins/Ovrin360Cam beside the directory of the running executable.
    static std::unique_ptr<PluginSession> Open(Edition edition, CliError& error);

    const std::string& Folder() const { return folder_; }
    const host::PluginModule& Module() const { return *module_; }

private:
    std::string folder_;
    std::unique_ptr<host::PluginModule> module_;
};

} // namespace app
