// ovrin360: the command-line host. Loads the plug-in module, opens a scene (or the built-in
// demo) and renders, reprojects, prints camera rays and lists plug-ins.
#include "cli_error.h"
#include "commands.h"

#include <CLI/CLI.hpp>

#include <cstdio>

int main(int argc, char** argv) {
    CLI::App cli{"ovrin360: renders scenes through immersive lenses (dome, fisheye, panorama, "
                 "cylinder, cubemap), mono or stereo."};
    cli.require_subcommand(1);
    app::Commands commands(cli);
    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return cli.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return cli.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "ovrin360: %s\n", e.what());
        return app::exitBadInput;
    }
    if (const auto failure = commands.Run()) {
        std::fprintf(stderr, "ovrin360: %s\n", failure->message.c_str());
        return failure->exitCode;
    }
    return app::exitOk;
}
