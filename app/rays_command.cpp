// ovrin360 rays: the camera ray of each given pixel, one JSON object per line.
#include "commands.h"

#include "document_render.h"
#include "plugin_session.h"
#include "presets.h"
#include "scene_setup.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace app {

namespace {

bool parsePixel(const std::string& text, double& x, double& y) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    try {
        size_t used = 0;
        x = std::stod(text.substr(0, comma), &used);
        if (used != comma)
            return false;
        y = std::stod(text.substr(comma + 1), &used);
        return used == text.size() - comma - 1;
    } catch (const std::exception&) {
        return false;
    }
}

nlohmann::ordered_json vectorJson(const Vector64& v) {
    return nlohmann::ordered_json::array({v.x, v.y, v.z});
}

} // namespace

std::optional<CliError> RaysCommand(const std::string& scene, const std::string& presetName,
                                    const std::string& size, const std::vector<std::string>& pixels,
                                    int pass, const CommonOptions& common) {
    std::vector<std::pair<double, double>> positions;
    for (const std::string& p : pixels) {
        double x = 0, y = 0;
        if (!parsePixel(p, x, y))
            return CliError{"--pixel \"" + p + "\" is not X,Y"};
        positions.emplace_back(x, y);
    }
    if (scene.empty() == presetName.empty())
        return CliError{"give either a scene or --preset NAME --size WxH"};
    CliError error;
    auto session = PluginSession::Open(*ParseEdition(common.edition), error);
    if (!session)
        return error;
    DocumentPtr doc;
    if (!presetName.empty()) {
        const Preset* preset = FindPreset(presetName);
        if (!preset)
            return CliError{"unknown preset \"" + presetName + "\" (" + PresetNames() + ")"};
        int width = preset->width, height = preset->height;
        if (!size.empty() && !ParseSize(size, width, height))
            return CliError{"--size \"" + size + "\" is not WxH with positive sizes"};
        doc = ReprojectDocument("", *preset, width, height, error);
    } else {
        doc = LoadScene(scene, error);
    }
    if (!doc || !ApplyOverrides(doc.get(), common.sets, error))
        return error;
    std::vector<host::CastRay> rays;
    std::string why;
    if (!host::CastDocumentRays(doc.get(), positions, pass, rays, why))
        return CliError{why};
    for (const host::CastRay& r : rays) {
        const nlohmann::ordered_json line = {{"pass", r.pass},
                                             {"x", r.x},
                                             {"y", r.y},
                                             {"origin", vectorJson(r.origin)},
                                             {"direction", vectorJson(r.direction)}};
        std::printf("%s\n", line.dump().c_str());
    }
    return std::nullopt;
}

} // namespace app
