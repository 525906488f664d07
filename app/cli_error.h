// A user-facing failure of the command: one sentence that names the file, key or value.
#pragma once

#include <string>

namespace app {

// Exit codes of ovrin360.
inline constexpr int exitOk = 0;
inline constexpr int exitRenderFailed = 1; // the input was fine, the work failed
inline constexpr int exitBadInput = 2;     // unreadable scene, unknown key, bad value, ...

struct CliError {
    std::string message;
    int exitCode = exitBadInput;
};

} // namespace app
