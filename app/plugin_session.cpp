#include "plugin_session.h"

#include <cstdlib>
#include <filesystem>

namespace app {

namespace fs = std::filesystem;

std::optional<Edition> ParseEdition(const std::string& text) {
    if (text == "r18")
        return Edition::R18;
    if (text == "r20")
        return Edition::R20;
    return std::nullopt;
}

namespace {

std::string pluginFolder() {
    if (const char* env = std::getenv("OVRIN360_PLUGINS"); env && *env)
        return env;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path().parent_path() / "plugins" / "Ovrin360Cam").string();
}

} // namespace

std::unique_ptr<PluginSession> PluginSession::Open(Edition edition, CliError& error) {
    auto session = std::unique_ptr<PluginSession>(new PluginSession());
    session->folder_ = pluginFolder();
    const std::string file = edition == Edition::R18 ? "Ovrin360Cam.so" : "ovrin360camr20.so";
    const std::string path = (fs::path(session->folder_) / file).string();
    std::string why;
    session->module_ = host::PluginModule::Open(path, why);
    if (!session->module_ || !session->module_->Start(why)) {
        error = {why, exitRenderFailed};
        return nullptr;
    }
    return session;
}

} // namespace app
