// The subcommands of ovrin360: their options and what each runs.
#pragma once

#include "cli_error.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace app {

struct CommonOptions {
    std::string edition = "r18";
    int threads = 0;
    std::vector<std::string> sets;
};

std::optional<CliError> RaysCommand(const std::string& scene, const std::string& preset,
                                    const std::string& size, const std::vector<std::string>& pixels,
                                    int pass, const CommonOptions& common);

class Commands {
public:
    explicit Commands(CLI::App& cli);
    // Runs the chosen subcommand; the failure, if any.
    std::optional<CliError> Run();

private:
    std::optional<CliError> RunRender();
    std::optional<CliError> RunReproject();
    std::optional<CliError> RunCreate();
    std::optional<CliError> RunRays();
    std::optional<CliError> RunPlugins();

    CLI::App* render_ = nullptr;
    CLI::App* reproject_ = nullptr;
    CLI::App* create_ = nullptr;
    CLI::App* rays_ = nullptr;
    CLI::App* plugins_ = nullptr;

    CommonOptions common_;
    std::string scene_, output_, frames_, preset_, size_, image_;
    int frame_ = 0;
    bool frameGiven_ = false;
    int samples_ = 1;
    int pass_ = -1;
    std::vector<std::string> pixels_;
};

} // namespace app
