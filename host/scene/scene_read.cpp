// Reading scene files: JSON → a new document, checked as it goes; the first problem ends the
// read with one error line and the half-built document is deleted.
#include "scene_file.h"

#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "host_descriptions.h"
#include "json_file.h"
#include "plugin_registry.h"
#include "scene_params.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace host {
namespace {

using nlohmann::json;

struct Problem {
    std::string place;
    std::string what;
};

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string indexed(const std::string& place, const char* list, size_t i) {
    return (place.empty() ? "" : place + ".") + list + "[" + std::to_string(i) + "]";
}

void onlyKeys(const json& obj, const std::string& place, std::initializer_list<const char*> keys) {
    for (const auto& [key, value] : obj.items()) {
        (void)value;
        if (std::none_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; }))
            throw Problem{place, "unknown key " + quoted(key)};
    }
}

const json& objectAt(const json& v, const std::string& place, const char* what) {
    if (!v.is_object())
        throw Problem{place, std::string(what) + " must be an object, not " + JsonKind(v)};
    return v;
}

const json& listAt(const json& obj, const char* key, const std::string& place) {
    const json& v = obj.at(key);
    if (!v.is_array())
        throw Problem{place, quoted(key) + " must be a list, not " + JsonKind(v)};
    return v;
}

std::string stringAt(const json& obj, const char* key, const std::string& place) {
    const json& v = obj.at(key);
    if (!v.is_string())
        throw Problem{place, quoted(key) + " must be a string, not " + JsonKind(v)};
    return v.get<std::string>();
}

Float numberAt(const json& obj, const char* key, const std::string& place) {
    const json& v = obj.at(key);
    if (!v.is_number())
        throw Problem{place, quoted(key) + " must be a number, not " + JsonKind(v)};
    return v.get<Float>();
}

bool boolAt(const json& obj, const char* key, const std::string& place) {
    const json& v = obj.at(key);
    if (!v.is_boolean())
        throw Problem{place, quoted(key) + " must be true or false, not " + JsonKind(v)};
    return v.get<bool>();
}

Vector vectorAt(const json& obj, const char* key, const std::string& place) {
    const json& v = obj.at(key);
    if (!v.is_array() || v.size() != 3 ||
        !std::all_of(v.begin(), v.end(), [](const json& c) { return c.is_number(); }))
        throw Problem{place, quoted(key) + " must be a vector [x, y, z], not " + JsonKind(v)};
    return {v[0].get<Float>(), v[1].get<Float>(), v[2].get<Float>()};
}

Int32 modeAt(const json& obj, const char* key, const std::string& place) {
    const std::string m = stringAt(obj, key, place);
    if (m == "on")
        return MODE_ON;
    if (m == "off")
        return MODE_OFF;
    if (m == "default")
        return MODE_UNDEF;
    throw Problem{place, quoted(key) + " must be \"on\", \"off\" or \"default\", not " + quoted(m)};
}

// A type given as a number or a name; find answers the type id of a name, or 0.
template <typename Find>
Int32 typeAt(const json& obj, const std::string& place, const char* what, Find find) {
    if (!obj.contains("type"))
        throw Problem{place, "missing \"type\""};
    const json& v = obj.at("type");
    if (v.is_number_integer()) {
        const Int64 n = v.get<Int64>();
        if (n > 0 && n <= INT32_MAX && find(Int32(n), std::string()) != 0)
            return Int32(n);
        throw Problem{place, std::string("unknown ") + what + " type " + std::to_string(n)};
    }
    if (!v.is_string())
        throw Problem{place, "\"type\" must be a name or a number, not " + JsonKind(v)};
    const std::string name = v.get<std::string>();
    const Int32 type = find(0, name);
    if (type == 0)
        throw Problem{place, std::string("unknown ") + what + " type " + quoted(name)};
    return type;
}

// A registered plug-in of kind by id or by its description name (which must then name one).
Int32 findPlugin(PluginKind kind, Int32 id, const std::string& name, const std::string& place) {
    Int32 found = 0;
    for (const PluginEntry* e : ListPlugins()) {
        if (e->kind != kind)
            continue;
        if (id != 0 ? e->id == id : e->description.GetStdString() == name) {
            if (found != 0)
                throw Problem{place, "type " + quoted(name) +
                                         " names several plug-ins; give the plug-in's number"};
            found = e->id;
        }
    }
    return found;
}

struct PendingLink {
    BaseList2D* node;
    Int32 id;
    std::string key;
    std::string target;
    std::string place;
};

class Reader {
public:
    Reader(std::string baseDir) : baseDir_(std::move(baseDir)) {}

    BaseDocument* Read(const json& root) {
        objectAt(root, "", "a scene");
        onlyKeys(root, "",
                 {"format", "version", "name", "time", "environment", "ambient", "shaders",
                  "render", "objects", "renderCamera"});
        if (root.contains("format") && stringAt(root, "format", "") != "ovrin360-scene")
            throw Problem{"", "\"format\" must be \"ovrin360-scene\""};
        if (root.contains("version") &&
            (!root["version"].is_number_integer() || root["version"].get<Int64>() != 1))
            throw Problem{"", "\"version\" must be 1"};
        doc_.reset(BaseDocument::Alloc());
        // Tags made while loading look for their render settings in this document.
        struct ActiveDoc {
            BaseDocument* previous = GetActiveDocument();
            ~ActiveDoc() { SetActiveDocument(previous); }
        } restore;
        SetActiveDocument(doc_.get());

        if (root.contains("name"))
            doc_->SetDocumentName(Filename(String(stringAt(root, "name", ""))));
        if (root.contains("time"))
            ReadTime(root["time"]);
        if (root.contains("environment"))
            ReadEnvironment(root["environment"]);
        if (root.contains("ambient"))
            doc_->GetDataInstance()->SetVector(DOCUMENT_AMBIENT, vectorAt(root, "ambient", ""));
        if (root.contains("shaders")) {
            const json& list = listAt(root, "shaders", "");
            for (size_t i = 0; i < list.size(); ++i)
                ReadShader(list[i], indexed("", "shaders", i));
        }
        if (root.contains("render")) {
            const json& list = listAt(root, "render", "");
            while (RenderData* rd = doc_->GetFirstRenderData())
                RenderData::Free(rd);
            for (size_t i = 0; i < list.size(); ++i)
                ReadRenderData(list[i], indexed("", "render", i));
        }
        if (root.contains("objects")) {
            const json& list = listAt(root, "objects", "");
            BaseObject* pred = nullptr;
            for (size_t i = 0; i < list.size(); ++i) {
                BaseObject* op = ReadObject(list[i], indexed("", "objects", i));
                doc_->InsertObject(op, nullptr, pred);
                pred = op;
            }
        }
        if (root.contains("renderCamera")) {
            const std::string path = stringAt(root, "renderCamera", "");
            auto* cam = dynamic_cast<BaseObject*>(Find(path));
            if (!cam)
                throw Problem{"",
                              "\"renderCamera\" names " + quoted(path) + ", which is no object"};
            doc_->GetRenderBaseDraw()->SetSceneCamera(cam);
        }
        for (const PendingLink& l : links_) {
            BaseList2D* target = Find(l.target);
            if (!target)
                throw Problem{l.place, "parameter " + quoted(l.key) + " links to " +
                                           quoted(l.target) + ", which does not exist"};
            l.node->GetDataInstance()->SetLink(l.id, target);
        }
        return doc_.release();
    }

private:
    BaseList2D* Find(const std::string& path) const {
        const auto it = nodes_.find(path);
        return it != nodes_.end() ? it->second : nullptr;
    }

    void ReadTime(const json& t) {
        objectAt(t, "time", "\"time\"");
        onlyKeys(t, "time", {"fps", "min", "max", "current"});
        Int32 fps = doc_->GetFps();
        if (t.contains("fps")) {
            if (!t["fps"].is_number_integer() || t["fps"].get<Int64>() <= 0 ||
                t["fps"].get<Int64>() > 10000)
                throw Problem{"time", "\"fps\" must be a whole number of frames per second"};
            fps = Int32(t["fps"].get<Int64>());
        }
        doc_->SetFps(fps);
        const Float minFrame = t.contains("min") ? numberAt(t, "min", "time") : 0.0;
        const Float maxFrame =
            t.contains("max") ? numberAt(t, "max", "time") : doc_->GetMaxTime().Get() * fps;
        if (maxFrame < minFrame)
            throw Problem{"time", "\"max\" lies before \"min\""};
        const Float current = t.contains("current") ? numberAt(t, "current", "time") : minFrame;
        doc_->SetMinTime(BaseTime(minFrame, Float(fps)));
        doc_->SetMaxTime(BaseTime(maxFrame, Float(fps)));
        doc_->SetTime(BaseTime(current, Float(fps)));
    }

    void ReadEnvironment(const json& e) {
        objectAt(e, "environment", "\"environment\"");
        onlyKeys(e, "environment", {"image", "sky"});
        if (e.contains("image") == e.contains("sky"))
            throw Problem{"environment", "give either \"image\" or \"sky\""};
        BaseContainer& bc = *doc_->GetDataInstance();
        if (e.contains("image")) {
            const std::string image = stringAt(e, "image", "environment");
            if (image.empty())
                throw Problem{"environment", "\"image\" is empty"};
            std::filesystem::path p(image);
            if (p.is_relative() && !baseDir_.empty())
                p = (std::filesystem::path(baseDir_) / p).lexically_normal();
            bc.SetFilename(DOCUMENT_ENVIRONMENT_IMAGE, Filename(String(p.string())));
            return;
        }
        const json& sky = objectAt(e["sky"], "environment.sky", "\"sky\"");
        onlyKeys(sky, "environment.sky", {"grid"});
        bc.RemoveData(DOCUMENT_ENVIRONMENT_IMAGE);
        if (sky.contains("grid")) {
            const Float grid = numberAt(sky, "grid", "environment.sky");
            if (!(grid > 0))
                throw Problem{"environment.sky", "\"grid\" must be positive"};
            bc.SetFloat(DOCUMENT_ENVIRONMENT_GRID, grid);
        }
    }

    void ReadParameters(const json& node, BaseList2D* target, const std::string& place) {
        if (!node.contains("parameters"))
            return;
        const json& params = objectAt(node["parameters"], place, "\"parameters\"");
        const Description* d = SceneDescription(target);
        for (const auto& [key, value] : params.items()) {
            ParamRef p;
            std::string error;
            if (!ResolveParameter(d, key, p, error))
                throw Problem{place, error};
            GeData v;
            std::string linkPath;
            if (!ParameterFromJson(value, p, baseDir_, v, &linkPath, error))
                throw Problem{place, error};
            target->GetDataInstance()->SetData(p.id, v);
            if (!linkPath.empty())
                links_.push_back({target, p.id, key, linkPath, place});
        }
    }

    void Named(const json& node, BaseList2D* target, const std::string& place) {
        if (node.contains("name"))
            target->SetName(String(stringAt(node, "name", place)));
    }

    void ReadShader(const json& s, const std::string& place) {
        objectAt(s, place, "a shader");
        onlyKeys(s, place, {"type", "name", "parameters"});
        const Int32 type = typeAt(s, place, "shader", [](Int32 id, const std::string& name) {
            const ShaderKind* k = id != 0 ? FindShaderKind(id) : FindShaderKind(name);
            return k ? k->type : 0;
        });
        BaseList2D* shader = FindShaderKind(type)->alloc();
        if (!shader)
            throw Problem{place, "cannot make a shader of type " + std::to_string(type)};
        doc_->InsertShader(shader, doc_->GetFirstShaderNode() ? LastShader() : nullptr);
        nodes_[place] = shader;
        Named(s, shader, place);
        ReadParameters(s, shader, place);
    }

    BaseList2D* LastShader() const {
        BaseList2D* s = doc_->GetFirstShaderNode();
        while (s && s->GetNext())
            s = static_cast<BaseList2D*>(s->GetNext());
        return s;
    }

    void ReadRenderData(const json& r, const std::string& place) {
        objectAt(r, place, "render settings");
        onlyKeys(r, place, {"name", "active", "parameters", "videoPosts"});
        RenderData* rd = RenderData::Alloc();
        doc_->InsertRenderDataLast(rd);
        nodes_[place] = rd;
        Named(r, rd, place);
        if (r.contains("active") && boolAt(r, "active", place))
            doc_->SetActiveRenderData(rd);
        ReadParameters(r, rd, place);
        if (!r.contains("videoPosts"))
            return;
        const json& list = listAt(r, "videoPosts", place);
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string at = indexed(place, "videoPosts", i);
            const json& v = objectAt(list[i], at, "a video post");
            onlyKeys(v, at, {"type", "name", "enabled", "parameters"});
            const Int32 type = typeAt(v, at, "video post", [&](Int32 id, const std::string& name) {
                return findPlugin(PluginKind::VideoPost, id, name, at);
            });
            BaseVideoPost* vp = BaseVideoPost::Alloc(type);
            if (!vp)
                throw Problem{at, "cannot make a video post of type " + std::to_string(type)};
            rd->InsertVideoPostLast(vp);
            nodes_[at] = vp;
            Named(v, vp, at);
            if (v.contains("enabled") && !boolAt(v, "enabled", at))
                vp->SetBit(BIT_VPDISABLED);
            ReadParameters(v, vp, at);
        }
    }

    BaseObject* ReadObject(const json& o, const std::string& place) {
        objectAt(o, place, "an object");
        onlyKeys(o, place,
                 {"type", "name", "position", "rotation", "scale", "renderMode", "editorMode",
                  "parameters", "tags", "children"});
        const Int32 type = typeAt(o, place, "object", [](Int32 id, const std::string& name) {
            for (const ObjectKind& k : ObjectKinds()) {
                if (id != 0 ? k.type == id : name == k.name)
                    return k.type;
            }
            return Int32(0);
        });
        // Owned here until it is inserted, so an error below frees it.
        std::unique_ptr<BaseObject> op(BaseObject::Alloc(type));
        nodes_[place] = op.get();
        Named(o, op.get(), place);
        if (o.contains("position"))
            op->SetRelPos(vectorAt(o, "position", place));
        if (o.contains("rotation"))
            op->SetRelRot(vectorAt(o, "rotation", place));
        if (o.contains("scale"))
            op->SetRelScale(vectorAt(o, "scale", place));
        if (o.contains("renderMode"))
            op->SetRenderMode(modeAt(o, "renderMode", place));
        if (o.contains("editorMode"))
            op->SetEditorMode(modeAt(o, "editorMode", place));
        ReadParameters(o, op.get(), place);
        if (o.contains("tags")) {
            const json& list = listAt(o, "tags", place);
            BaseTag* pred = nullptr;
            for (size_t i = 0; i < list.size(); ++i) {
                BaseTag* tag = ReadTag(list[i], indexed(place, "tags", i));
                op->InsertTag(tag, pred);
                pred = tag;
            }
        }
        if (o.contains("children")) {
            const json& list = listAt(o, "children", place);
            for (size_t i = 0; i < list.size(); ++i)
                ReadObject(list[i], indexed(place, "children", i))->InsertUnderLast(op.get());
        }
        return op.release();
    }

    BaseTag* ReadTag(const json& t, const std::string& place) {
        objectAt(t, place, "a tag");
        onlyKeys(t, place, {"type", "name", "parameters"});
        const Int32 type = typeAt(t, place, "tag", [&](Int32 id, const std::string& name) {
            if (id == Tprotection || (id == 0 && name == "protection"))
                return Int32(Tprotection);
            return findPlugin(PluginKind::Tag, id, name, place);
        });
        std::unique_ptr<BaseTag> tag(BaseTag::Alloc(type));
        if (!tag)
            throw Problem{place, "cannot make a tag of type " + std::to_string(type) +
                                     " (its initialisation failed)"};
        nodes_[place] = tag.get();
        Named(t, tag.get(), place);
        ReadParameters(t, tag.get(), place);
        return tag.release();
    }

    std::string baseDir_;
    std::unique_ptr<BaseDocument> doc_;
    std::map<std::string, BaseList2D*> nodes_; // by path, for links and the render camera
    std::vector<PendingLink> links_;
};

std::string withPlace(const std::string& file, const Problem& p) {
    return file + ": " + (p.place.empty() ? "" : p.place + ": ") + p.what;
}

} // namespace

BaseDocument* ReadScene(const std::string& text, const std::string& file,
                        const std::string& baseDir, std::string& error) {
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        const std::string what = e.what();
        const size_t at = what.find(" at line ");
        error = file + ": " + (at != std::string::npos ? what.substr(at + 4) : what);
        return nullptr;
    }
    try {
        return Reader(baseDir).Read(root);
    } catch (const Problem& p) {
        error = withPlace(file, p);
        return nullptr;
    }
}

BaseDocument* LoadSceneFile(const std::string& path, std::string& error) {
    json root;
    if (!ReadJsonFile(path, root, error))
        return nullptr;
    const std::string baseDir = std::filesystem::path(path).parent_path().string();
    try {
        BaseDocument* doc = Reader(baseDir).Read(root);
        doc->SetDocumentPath(Filename(String(baseDir)));
        if (!root.contains("name"))
            doc->SetDocumentName(Filename(String(std::filesystem::path(path).filename().string())));
        return doc;
    } catch (const Problem& p) {
        error = withPlace(path, p);
        return nullptr;
    }
}

} // namespace host
