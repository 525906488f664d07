// Writing scene files: a document → JSON in the layout the reader takes, every parameter of
// every node under its symbol where its description has one.
#include "scene_file.h"

#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "host_descriptions.h"
#include "plugin_registry.h"
#include "scene_params.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace host {
namespace {

using nlohmann::ordered_json;

struct Problem {
    std::string place;
    std::string what;
};

std::string indexed(const std::string& place, const char* list, size_t i) {
    return (place.empty() ? "" : place + ".") + list + "[" + std::to_string(i) + "]";
}

ordered_json vec(const Vector& v) {
    return ordered_json::array({v.x, v.y, v.z});
}

const char* modeName(Int32 mode) {
    return mode == MODE_ON ? "on" : mode == MODE_OFF ? "off" : "default";
}

// The name a registered plug-in type is written under: its description's name, or its number.
ordered_json pluginType(Int32 type) {
    const PluginEntry* e = FindPlugin(type);
    if (e && !e->description.IsEmpty())
        return e->description.GetStdString();
    return type;
}

class Writer {
public:
    explicit Writer(const BaseDocument* doc) : doc_(doc) { NamePaths(); }

    ordered_json Write() {
        ordered_json root;
        root["format"] = "ovrin360-scene";
        root["version"] = 1;
        root["name"] = doc_->GetDocumentName().GetString().GetStdString();
        const Float fps = doc_->GetFps();
        root["time"] = {{"fps", doc_->GetFps()},
                        {"min", doc_->GetMinTime().Get() * fps},
                        {"max", doc_->GetMaxTime().Get() * fps},
                        {"current", doc_->GetTime().Get() * fps}};
        const BaseContainer& bc = *doc_->GetDataInstance();
        const Filename image = bc.GetFilename(DOCUMENT_ENVIRONMENT_IMAGE);
        if (image.Content())
            root["environment"] = {{"image", image.GetString().GetStdString()}};
        else
            root["environment"] = {
                {"sky", {{"grid", bc.GetFloat(DOCUMENT_ENVIRONMENT_GRID, 100.0)}}}};
        root["ambient"] = vec(bc.GetVector(DOCUMENT_AMBIENT));

        ordered_json shaders = ordered_json::array();
        size_t i = 0;
        for (const BaseList2D* s = doc_->GetFirstShaderNode(); s;
             s = static_cast<const BaseList2D*>(s->GetNext()), ++i)
            shaders.push_back(Shader(s, indexed("", "shaders", i)));
        root["shaders"] = std::move(shaders);

        ordered_json render = ordered_json::array();
        i = 0;
        for (const RenderData* rd = doc_->GetFirstRenderData(); rd; rd = rd->GetNext(), ++i)
            render.push_back(Render(rd, indexed("", "render", i)));
        root["render"] = std::move(render);

        ordered_json objects = ordered_json::array();
        i = 0;
        for (const BaseObject* op = doc_->GetFirstObject(); op; op = op->GetNext(), ++i)
            objects.push_back(Object(op, indexed("", "objects", i)));
        root["objects"] = std::move(objects);

        if (const BaseObject* cam = doc_->GetRenderBaseDraw()->GetSceneCamera(doc_))
            root["renderCamera"] = PathOf(cam);
        return root;
    }

private:
    void NamePaths() {
        size_t i = 0;
        for (const BaseList2D* s = doc_->GetFirstShaderNode(); s;
             s = static_cast<const BaseList2D*>(s->GetNext()))
            paths_[s] = indexed("", "shaders", i++);
        i = 0;
        for (const RenderData* rd = doc_->GetFirstRenderData(); rd; rd = rd->GetNext()) {
            const std::string place = indexed("", "render", i++);
            paths_[rd] = place;
            size_t j = 0;
            for (const BaseVideoPost* vp = rd->GetFirstVideoPost(); vp; vp = vp->GetNext())
                paths_[vp] = indexed(place, "videoPosts", j++);
        }
        i = 0;
        for (const BaseObject* op = doc_->GetFirstObject(); op; op = op->GetNext())
            NameObject(op, indexed("", "objects", i++));
    }

    void NameObject(const BaseObject* op, const std::string& place) {
        paths_[op] = place;
        size_t i = 0;
        for (const BaseTag* t = op->GetFirstTag(); t; t = t->GetNext())
            paths_[t] = indexed(place, "tags", i++);
        i = 0;
        for (const BaseObject* c = op->GetDown(); c; c = c->GetNext())
            NameObject(c, indexed(place, "children", i++));
    }

    std::string PathOf(const BaseList2D* node) const {
        const auto it = paths_.find(node);
        return it != paths_.end() ? it->second : std::string();
    }

    static void Name(ordered_json& out, const BaseList2D* node) {
        if (!node->GetName().IsEmpty())
            out["name"] = node->GetName().GetStdString();
    }

    void Parameters(ordered_json& out, const BaseList2D* node, const std::string& place) {
        const BaseContainer& bc = *node->GetDataInstance();
        const Description* d = SceneDescription(node);
        ordered_json params = ordered_json::object();
        for (Int32 i = 0; i < bc.GetCount(); ++i) {
            const ParamRef p = ParameterForWriting(d, bc.GetIndexId(i));
            ordered_json v;
            std::string error;
            if (!ParameterToJson(
                    *bc.GetIndexData(i), p, [this](const BaseList2D* n) { return PathOf(n); }, v,
                    error))
                throw Problem{place, error};
            params[p.key] = std::move(v);
        }
        if (!params.empty())
            out["parameters"] = std::move(params);
    }

    ordered_json Shader(const BaseList2D* s, const std::string& place) {
        const ShaderKind* kind = FindShaderKind(s->GetType());
        ordered_json out;
        out["type"] = kind ? ordered_json(kind->name) : ordered_json(s->GetType());
        Name(out, s);
        Parameters(out, s, place);
        return out;
    }

    ordered_json Render(const RenderData* rd, const std::string& place) {
        ordered_json out;
        Name(out, rd);
        if (rd == doc_->GetActiveRenderData())
            out["active"] = true;
        Parameters(out, rd, place);
        ordered_json vps = ordered_json::array();
        size_t i = 0;
        for (const BaseVideoPost* vp = rd->GetFirstVideoPost(); vp; vp = vp->GetNext(), ++i) {
            ordered_json v;
            v["type"] = pluginType(vp->GetType());
            Name(v, vp);
            v["enabled"] = !vp->GetBit(BIT_VPDISABLED);
            Parameters(v, vp, indexed(place, "videoPosts", i));
            vps.push_back(std::move(v));
        }
        if (!vps.empty())
            out["videoPosts"] = std::move(vps);
        return out;
    }

    ordered_json Object(const BaseObject* op, const std::string& place) {
        ordered_json out;
        out["type"] = op->GetType();
        for (const ObjectKind& k : ObjectKinds()) {
            if (k.type == op->GetType())
                out["type"] = k.name;
        }
        Name(out, op);
        out["position"] = vec(op->GetRelPos());
        out["rotation"] = vec(op->GetRelRot());
        if (op->GetRelScale() != Vector(1, 1, 1))
            out["scale"] = vec(op->GetRelScale());
        if (op->GetRenderMode() != MODE_UNDEF)
            out["renderMode"] = modeName(op->GetRenderMode());
        if (op->GetEditorMode() != MODE_UNDEF)
            out["editorMode"] = modeName(op->GetEditorMode());
        Parameters(out, op, place);
        ordered_json tags = ordered_json::array();
        size_t i = 0;
        for (const BaseTag* t = op->GetFirstTag(); t; t = t->GetNext(), ++i) {
            ordered_json tag;
            tag["type"] =
                t->GetType() == Tprotection ? ordered_json("protection") : pluginType(t->GetType());
            Name(tag, t);
            Parameters(tag, t, indexed(place, "tags", i));
            tags.push_back(std::move(tag));
        }
        if (!tags.empty())
            out["tags"] = std::move(tags);
        ordered_json children = ordered_json::array();
        i = 0;
        for (const BaseObject* c = op->GetDown(); c; c = c->GetNext(), ++i)
            children.push_back(Object(c, indexed(place, "children", i)));
        if (!children.empty())
            out["children"] = std::move(children);
        return out;
    }

    const BaseDocument* doc_;
    std::map<const BaseList2D*, std::string> paths_;
};

// Puts every list of plain values (numbers, switches, null) on one line: "[0.0, 1.0, 0.0]"
// reads better than a value per line. Outside strings every space and newline is layout.
std::string CompactLists(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < text.size())
                out += text[++i];
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        if (c == '[') {
            const size_t end = text.find_first_of("[]{}\"", i + 1);
            if (end != std::string::npos && text[end] == ']') {
                std::string inner;
                bool gap = false;
                for (size_t k = i + 1; k < end; ++k) {
                    if (text[k] == '\n' || text[k] == ' ') {
                        gap = true;
                        continue;
                    }
                    if (gap && !inner.empty())
                        inner += ' ';
                    gap = false;
                    inner += text[k];
                }
                out += "[" + inner + "]";
                i = end;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

bool WriteScene(const BaseDocument* doc, std::string& text, std::string& error) {
    if (!doc) {
        error = "no document to write";
        return false;
    }
    try {
        text = CompactLists(Writer(doc).Write().dump(2)) + "\n";
        return true;
    } catch (const Problem& p) {
        error = (p.place.empty() ? "" : p.place + ": ") + p.what;
        return false;
    }
}

bool SaveSceneFile(const BaseDocument* doc, const std::string& path, std::string& error) {
    std::string text;
    if (!WriteScene(doc, text, error)) {
        error = path + ": " + error;
        return false;
    }
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            error = path + ": cannot write the file";
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        error = path + ": cannot write the file (" + ec.message() + ")";
        return false;
    }
    return true;
}

} // namespace host
