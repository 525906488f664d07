#include "scene_setup.h"

#include "Ovrin360CamVP/ovp_ids.h"
#include "OvrinTag/otag_ids.h"
#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "ovrin/ovrin_plugin_ids.h"
#include "scene/scene_file.h"
#include "scene/scene_params.h"

#include <nlohmann/json.hpp>

#include <filesystem>

namespace app {

extern const char* const demoSceneJson;

void DocumentDeleter::operator()(BaseDocument* doc) const {
    BaseDocument::Free(doc);
}

DocumentPtr LoadScene(const std::string& path, CliError& error) {
    std::string why;
    BaseDocument* doc = path.empty() ? host::ReadScene(demoSceneJson, "demo scene", ".", why)
                                     : host::LoadSceneFile(path, why);
    if (!doc)
        error = {why};
    return DocumentPtr(doc);
}

namespace {

BaseObject* firstTaggedCamera(BaseObject* op) {
    for (; op; op = op->GetNext()) {
        if (op->GetType() == Ocamera && op->GetTag(ID_OVRINTAG))
            return op;
        if (BaseObject* hit = firstTaggedCamera(op->GetDown()))
            return hit;
    }
    return nullptr;
}

BaseObject* firstCamera(BaseObject* op) {
    for (; op; op = op->GetNext()) {
        if (op->GetType() == Ocamera)
            return op;
        if (BaseObject* hit = firstCamera(op->GetDown()))
            return hit;
    }
    return nullptr;
}

BaseVideoPost* ovrinVideoPost(RenderData* rd) {
    for (BaseVideoPost* vp = rd ? rd->GetFirstVideoPost() : nullptr; vp; vp = vp->GetNext())
        if (vp->GetType() == ID_OVRIN360CAMVP)
            return vp;
    return nullptr;
}

} // namespace

BaseObject* RenderCamera(BaseDocument* doc) {
    BaseDraw* bd = doc->GetRenderBaseDraw();
    BaseObject* cam = bd ? bd->GetSceneCamera(doc) : nullptr;
    return cam ? cam : firstTaggedCamera(doc->GetFirstObject());
}

bool ApplyOverrides(BaseDocument* doc, const std::vector<std::string>& sets, CliError& error) {
    for (const std::string& set : sets) {
        const size_t eq = set.find('='), dot = set.find('.');
        if (eq == std::string::npos || dot == std::string::npos || dot > eq) {
            error = {"--set \"" + set + "\" is not WHERE.KEY=VALUE (WHERE: tag, vp or render)"};
            return false;
        }
        const std::string where = set.substr(0, dot), key = set.substr(dot + 1, eq - dot - 1),
                          text = set.substr(eq + 1);
        BaseList2D* node = nullptr;
        if (where == "tag") {
            BaseObject* cam = RenderCamera(doc);
            node = cam ? cam->GetTag(ID_OVRINTAG) : nullptr;
        } else if (where == "vp") {
            node = ovrinVideoPost(doc->GetActiveRenderData());
        } else if (where == "render") {
            node = doc->GetActiveRenderData();
        } else {
            error = {"--set \"" + set + "\": unknown place \"" + where + "\" (tag, vp or render)"};
            return false;
        }
        if (!node) {
            error = {"--set \"" + set + "\": the scene has no " +
                     (where == "tag"  ? "Ovrin camera tag"
                      : where == "vp" ? "Ovrin render effect"
                                      : "render settings")};
            return false;
        }
        host::ParamRef ref;
        std::string why;
        if (!host::ResolveParameter(host::SceneDescription(node), key, ref, why)) {
            error = {"--set \"" + set + "\": " + why};
            return false;
        }
        nlohmann::json value = nlohmann::json::parse(text, nullptr, false);
        if (value.is_discarded())
            value = text; // a bare word: text, or the symbol of a choice
        GeData data;
        std::string linkPath;
        if (!host::ParameterFromJson(value, ref, std::filesystem::current_path().string(), data,
                                     &linkPath, why)) {
            error = {"--set \"" + set + "\": " + why};
            return false;
        }
        node->SetParameter(DescID(ref.id), data, DESCFLAGS_SET_NONE);
    }
    return true;
}

DocumentPtr ReprojectDocument(const std::string& image, const Preset& preset, int width, int height,
                              CliError& error) {
    DocumentPtr doc(BaseDocument::Alloc());
    BaseDocument* previous = GetActiveDocument();
    SetActiveDocument(doc.get()); // a new tag adds the render effect to this document
    BaseContainer& bc = *doc->GetDataInstance();
    if (!image.empty())
        bc.SetFilename(DOCUMENT_ENVIRONMENT_IMAGE, Filename(String(image)));
    RenderData* rd = doc->GetActiveRenderData();
    rd->GetDataInstance()->SetFloat(RENDERDATA_WIDTH, width);
    rd->GetDataInstance()->SetFloat(RENDERDATA_HEIGHT, height);
    CameraObject* camera = CameraObject::Alloc();
    doc->InsertObject(camera, nullptr, nullptr);
    const bool ok = ApplyPreset(doc.get(), camera, preset, error);
    // The preset's little planet lifts the camera above the ground; an environment has none.
    camera->SetRelPos(Vector(0, 0, 0));
    SetActiveDocument(previous);
    if (!ok)
        return nullptr;
    return doc;
}

bool CreatePresetCamera(BaseDocument* doc, const Preset& preset, CliError& error) {
    BaseObject* camera = doc->GetActiveObject();
    if (!camera || camera->GetType() != Ocamera)
        camera = RenderCamera(doc);
    if (!camera)
        camera = firstCamera(doc->GetFirstObject());
    if (!camera) {
        camera = CameraObject::Alloc();
        doc->InsertObject(camera, nullptr, nullptr);
    }
    while (BaseTag* old = camera->GetTag(ID_OVRINTAG)) {
        old->Remove();
        BaseTag::Free(old);
    }
    camera->SetRelRot(Vector(0, 0, 0));
    BaseDocument* previous = GetActiveDocument();
    SetActiveDocument(doc);
    const bool ok = ApplyPreset(doc, camera, preset, error);
    SetActiveDocument(previous);
    return ok;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    try {
        size_t used = 0;
        width = std::stoi(text.substr(0, x), &used);
        if (used != x)
            return false;
        height = std::stoi(text.substr(x + 1), &used);
        if (used != text.size() - x - 1)
            return false;
    } catch (const std::exception&) {
        return false;
    }
    return width > 0 && height > 0;
}

} // namespace app
