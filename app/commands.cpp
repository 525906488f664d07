#include "commands.h"

#include "c4d_basedocument.h"
#include "c4d_renderdata.h"
#include "document_render.h"
#include "plugin_registry.h"
#include "plugin_session.h"
#include "presets.h"
#include "progress.h"
#include "scene/scene_file.h"
#include "scene_setup.h"

#include <cstdio>
#include <filesystem>

namespace app {

namespace {

void addCommon(CLI::App* cmd, CommonOptions& common, bool threads) {
    cmd->add_option("--edition", common.edition, "Plug-in edition: r18 or r20")
        ->check(CLI::IsMember({"r18", "r20"}));
    if (threads)
        cmd->add_option("--threads", common.threads, "Render threads (default: one per core)")
            ->check(CLI::NonNegativeNumber);
    cmd->add_option("--set", common.sets,
                    "Override a parameter: tag.KEY=VALUE, vp.KEY=VALUE or render.KEY=VALUE");
}

std::optional<CliError> failure(std::string message, int code = exitBadInput) {
    return CliError{std::move(message), code};
}

// Parses "A-B" into a frame range.
bool parseFrames(const std::string& text, int& first, int& last) {
    const size_t dash = text.find('-', 1);
    try {
        if (dash == std::string::npos)
            return false;
        size_t used = 0;
        first = std::stoi(text.substr(0, dash), &used);
        if (used != dash)
            return false;
        last = std::stoi(text.substr(dash + 1), &used);
        return used == text.size() - dash - 1 && last >= first;
    } catch (const std::exception&) {
        return false;
    }
}

// Checks that OUT's folder exists before any rendering work.
std::optional<CliError> checkOutput(const std::string& output) {
    if (output.empty())
        return std::nullopt;
    const std::filesystem::path folder = std::filesystem::path(output).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder))
        return failure("cannot write \"" + output + "\": the folder \"" + folder.string() +
                       "\" does not exist");
    return std::nullopt;
}

std::optional<CliError> renderDocument(BaseDocument* doc, host::RenderJob job,
                                       const std::string& label) {
    Progress progress(label);
    job.progress = [&progress](double f) { progress.Update(f); };
    host::RenderOutcome outcome;
    std::string error;
    const bool ok = host::RenderDocument(doc, job, outcome, error);
    progress.Done();
    if (!ok)
        return failure(error);
    for (const std::string& file : outcome.files)
        std::fprintf(stderr, "wrote %s\n", file.c_str());
    return std::nullopt;
}

} // namespace

Commands::Commands(CLI::App& cli) {
    render_ = cli.add_subcommand("render", "Render a scene (default: the built-in demo)");
    render_->add_option("scene", scene_, "Scene file (JSON)");
    render_->add_option("-o,--output", output_, "Output image; '#' runs become the frame number")
        ->required();
    auto* frame = render_->add_option("--frame", frame_, "Render one frame");
    render_->add_option("--frames", frames_, "Render frames A-B")->excludes(frame);
    render_->add_option("--samples", samples_, "N × N samples per pixel")->check(CLI::Range(1, 64));
    addCommon(render_, common_, true);

    reproject_ = cli.add_subcommand("reproject", "Reproject an equirectangular image");
    reproject_->add_option("image", image_, "Equirectangular image")->required();
    reproject_->add_option("--preset", preset_, "Lens preset: " + PresetNames())->required();
    reproject_->add_option("-o,--output", output_, "Output image")->required();
    reproject_->add_option("--size", size_, "Output size WxH (default: the preset's)");
    reproject_->add_option("--samples", samples_, "N × N samples per pixel")
        ->check(CLI::Range(1, 64));
    addCommon(reproject_, common_, true);

    create_ = cli.add_subcommand("create", "Set a scene's camera up for a lens preset");
    create_->add_option("preset", preset_, "Lens preset: " + PresetNames())->required();
    create_->add_option("scene", scene_, "Scene file (JSON)")->required();
    create_->add_option("-o,--output", output_, "Where to save (default: over the scene)");
    addCommon(create_, common_, false);

    rays_ = cli.add_subcommand("rays", "Print the camera rays of pixels as JSON lines");
    rays_->add_option("scene", scene_, "Scene file (JSON)");
    rays_->add_option("--preset", preset_, "Lens preset instead of a scene: " + PresetNames());
    rays_->add_option("--size", size_, "Image size WxH with --preset");
    rays_->add_option("--pixel", pixels_, "Pixel position X,Y (sub-pixel allowed)")->required();
    rays_->add_option("--pass", pass_, "Only this pass");
    addCommon(rays_, common_, false);

    plugins_ = cli.add_subcommand("plugins", "List the plug-in objects the module registers");
    addCommon(plugins_, common_, false);
}

std::optional<CliError> Commands::Run() {
    if (render_->parsed())
        return RunRender();
    if (reproject_->parsed())
        return RunReproject();
    if (create_->parsed())
        return RunCreate();
    if (rays_->parsed())
        return RunRays();
    return RunPlugins();
}

namespace {

std::unique_ptr<PluginSession> openSession(const CommonOptions& common, CliError& error) {
    return PluginSession::Open(*ParseEdition(common.edition), error);
}

} // namespace

std::optional<CliError> Commands::RunRender() {
    host::RenderJob job;
    if (!frames_.empty() && !parseFrames(frames_, job.firstFrame, job.lastFrame))
        return failure("--frames \"" + frames_ + "\" is not a range A-B with A <= B");
    if (render_->count("--frame"))
        job.firstFrame = job.lastFrame = frame_;
    if (auto bad = checkOutput(output_))
        return bad;
    CliError error;
    auto session = openSession(common_, error);
    if (!session)
        return error;
    DocumentPtr doc = LoadScene(scene_, error);
    if (!doc || !ApplyOverrides(doc.get(), common_.sets, error))
        return error;
    if (frames_.empty() && !render_->count("--frame")) {
        job.firstFrame = job.lastFrame =
            int(doc->GetTime().Get() * doc->GetFps() + 0.5); // the document's current frame
    }
    job.threads = common_.threads;
    job.samplesPerAxis = samples_;
    job.output = output_;
    return renderDocument(doc.get(), job, "render");
}

std::optional<CliError> Commands::RunReproject() {
    const Preset* preset = FindPreset(preset_);
    if (!preset)
        return failure("unknown preset \"" + preset_ + "\" (" + PresetNames() + ")");
    int width = preset->width, height = preset->height;
    if (!size_.empty() && !ParseSize(size_, width, height))
        return failure("--size \"" + size_ + "\" is not WxH with positive sizes");
    if (!std::filesystem::is_regular_file(image_))
        return failure("cannot read image \"" + image_ + "\": no such file");
    if (auto bad = checkOutput(output_))
        return bad;
    CliError error;
    auto session = openSession(common_, error);
    if (!session)
        return error;
    DocumentPtr doc = ReprojectDocument(image_, *preset, width, height, error);
    if (!doc || !ApplyOverrides(doc.get(), common_.sets, error))
        return error;
    host::RenderJob job;
    job.threads = common_.threads;
    job.samplesPerAxis = samples_;
    job.output = output_;
    return renderDocument(doc.get(), job, "reproject");
}

std::optional<CliError> Commands::RunCreate() {
    const Preset* preset = FindPreset(preset_);
    if (!preset)
        return failure("unknown preset \"" + preset_ + "\" (" + PresetNames() + ")");
    CliError error;
    auto session = openSession(common_, error);
    if (!session)
        return error;
    DocumentPtr doc = LoadScene(scene_, error);
    if (!doc)
        return error;
    if (!CreatePresetCamera(doc.get(), *preset, error) ||
        !ApplyOverrides(doc.get(), common_.sets, error))
        return error;
    const std::string out = output_.empty() ? scene_ : output_;
    std::string why;
    if (!host::SaveSceneFile(doc.get(), out, why))
        return failure(why);
    std::fprintf(stderr, "wrote %s\n", out.c_str());
    return std::nullopt;
}

std::optional<CliError> Commands::RunRays() {
    return RaysCommand(scene_, preset_, size_, pixels_, pass_, common_);
}

std::optional<CliError> Commands::RunPlugins() {
    CliError error;
    auto session = openSession(common_, error);
    if (!session)
        return error;
    static const char* const kinds[] = {"tag", "video post", "command", "custom gui", "library"};
    std::printf("%s\n", session->Module().Path().c_str());
    for (const host::PluginEntry* e : host::ListPlugins())
        std::printf("%8d  %-10s  %s\n", e->id, kinds[int(e->kind)], e->name.GetCString());
    return std::nullopt;
}

} // namespace app
