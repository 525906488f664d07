#include "scene_params.h"

#include "c4d_baselist.h"
#include "host_descriptions.h"
#include "json_file.h"
#include "plugin_registry.h"
#include "resources.h"

#include <climits>
#include <cmath>
#include <filesystem>

namespace host {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

bool fail(std::string& error, const ParamRef& p, const std::string& what) {
    error = "parameter " + quoted(p.key) + " " + what;
    return false;
}

bool wrongKind(std::string& error, const ParamRef& p, const char* expected, const json& v) {
    return fail(error, p, std::string("must be ") + expected + ", not " + JsonKind(v));
}

bool isVector(const json& v) {
    return v.is_array() && v.size() == 3 && v[0].is_number() && v[1].is_number() &&
           v[2].is_number();
}

Vector toVector(const json& v) {
    return {v[0].get<Float>(), v[1].get<Float>(), v[2].get<Float>()};
}

template <typename J> J fromVector(const Vector& v) {
    return J::array({v.x, v.y, v.z});
}

bool finite(const Vector& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// An object whose keys are exactly those given.
bool hasKeys(const json& v, std::initializer_list<const char*> keys) {
    if (!v.is_object() || v.size() != keys.size())
        return false;
    for (const char* k : keys) {
        if (!v.contains(k))
            return false;
    }
    return true;
}

bool readTime(const json& v, const ParamRef& p, GeData& out, std::string& error) {
    if (hasKeys(v, {"seconds"}) && v["seconds"].is_number()) {
        out = GeData(BaseTime(v["seconds"].get<Float>()));
        return true;
    }
    if (hasKeys(v, {"num", "den"}) && v["num"].is_number() && v["den"].is_number()) {
        if (v["den"].get<Float>() == 0.0)
            return fail(error, p, "has a zero time denominator");
        out = GeData(BaseTime(v["num"].get<Float>(), v["den"].get<Float>()));
        return true;
    }
    return wrongKind(error, p, "a time {\"num\": n, \"den\": d} or {\"seconds\": s}", v);
}

bool readMatrix(const json& v, const ParamRef& p, GeData& out, std::string& error) {
    if (!hasKeys(v, {"offset", "x", "y", "z"}) || !isVector(v["offset"]) || !isVector(v["x"]) ||
        !isVector(v["y"]) || !isVector(v["z"]))
        return wrongKind(error, p,
                         "a matrix {\"offset\", \"x\", \"y\", \"z\"} of three numbers each", v);
    out =
        GeData(Matrix(toVector(v["offset"]), toVector(v["x"]), toVector(v["y"]), toVector(v["z"])));
    return true;
}

bool readPriority(const json& v, const ParamRef& p, GeData& out, std::string& error) {
    const char* form = "priority data {\"priority\": {\"mode\", \"value\", \"cameraDependent\"}}";
    if (!hasKeys(v, {"priority"}))
        return wrongKind(error, p, form, v);
    const json& d = v["priority"];
    if (!hasKeys(d, {"mode", "value", "cameraDependent"}) || !d["mode"].is_number_integer() ||
        !d["value"].is_number_integer() || !d["cameraDependent"].is_boolean())
        return fail(error, p, std::string("must be ") + form);
    PriorityData pd;
    pd.SetPriorityValue(PRIORITYVALUE_MODE, GeData(Int32(d["mode"].get<Int64>())));
    pd.SetPriorityValue(PRIORITYVALUE_PRIORITY, GeData(Int32(d["value"].get<Int64>())));
    pd.SetPriorityValue(PRIORITYVALUE_CAMERADEPENDENT, GeData(d["cameraDependent"].get<bool>()));
    out = GeData(CUSTOMDATATYPE_PRIORITY, pd);
    return true;
}

bool readLink(const json& v, const ParamRef& p, GeData& out, std::string* linkPath,
              std::string& error) {
    if (v.is_null()) {
        out = GeData(BaseLink());
        if (linkPath)
            linkPath->clear();
        return true;
    }
    if (!hasKeys(v, {"link"}) || !v["link"].is_string())
        return wrongKind(error, p, "a link {\"link\": \"shaders[0]\"} or null", v);
    out = GeData(BaseLink());
    if (linkPath)
        *linkPath = v["link"].get<std::string>();
    return true;
}

Filename resolve(const std::string& path, const std::string& baseDir) {
    if (path.empty() || baseDir.empty() || std::filesystem::path(path).is_absolute())
        return Filename(String(path));
    return Filename(String((std::filesystem::path(baseDir) / path).lexically_normal().string()));
}

bool readInt(const json& v, const ParamRef& p, GeData& out, std::string& error) {
    if (v.is_string() && p.entry && !p.entry->cycle.empty()) {
        const std::string s = v.get<std::string>();
        for (const Description::Cycle& c : p.entry->cycle) {
            if (c.symbol.GetStdString() == s) {
                out = GeData(c.value);
                return true;
            }
        }
        return fail(error, p, "has no choice " + quoted(s));
    }
    if (!v.is_number_integer())
        return wrongKind(error, p, "a whole number", v);
    const Int64 n = v.get<Int64>();
    if (n < INT32_MIN || n > INT32_MAX)
        return fail(error, p, "is out of the Int32 range");
    out = GeData(Int32(n));
    return true;
}

// Typed by the value's own form.
bool readUntyped(const json& v, const ParamRef& p, const std::string& baseDir, GeData& out,
                 std::string* linkPath, std::string& error) {
    if (v.is_boolean()) {
        out = GeData(v.get<bool>());
        return true;
    }
    if (v.is_number_integer())
        return readInt(v, p, out, error);
    if (v.is_number_float()) {
        out = GeData(v.get<Float>());
        return true;
    }
    if (v.is_string()) {
        out = GeData(String(v.get<std::string>()));
        return true;
    }
    if (isVector(v)) {
        out = GeData(toVector(v));
        return true;
    }
    if (v.is_null() || hasKeys(v, {"link"}))
        return readLink(v, p, out, linkPath, error);
    if (hasKeys(v, {"file"}) && v["file"].is_string()) {
        out = GeData(resolve(v["file"].get<std::string>(), baseDir));
        return true;
    }
    if (hasKeys(v, {"seconds"}) || hasKeys(v, {"num", "den"}))
        return readTime(v, p, out, error);
    if (v.is_object() && v.contains("offset"))
        return readMatrix(v, p, out, error);
    if (hasKeys(v, {"priority"}))
        return readPriority(v, p, out, error);
    return fail(error, p, "has a value of no known kind (" + JsonKind(v) + ")");
}

} // namespace

const Description* SceneDescription(const BaseList2D* node) {
    if (!node)
        return nullptr;
    if (const PluginEntry* e = FindPlugin(node->GetType()))
        return e->description.IsEmpty() ? nullptr : FindDescriptionResource(e->description);
    return FindHostDescription(node->GetType());
}

bool ResolveParameter(const Description* d, const std::string& key, ParamRef& out,
                      std::string& error) {
    out = ParamRef();
    out.key = key;
    size_t used = 0;
    long long n = 0;
    try {
        n = std::stoll(key, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == key.size() && used > 0 && (key[0] == '-' || std::isdigit(key[0]))) {
        if (n < INT32_MIN || n > INT32_MAX) {
            error = "parameter number " + quoted(key) + " is out of range";
            return false;
        }
        out.id = Int32(n);
        out.entry = d ? d->FindEntry(out.id) : nullptr;
    } else {
        out.entry = d ? d->FindSymbol(String(key)) : nullptr;
        if (!out.entry) {
            error = "unknown parameter " + quoted(key);
            return false;
        }
        out.id = out.entry->id[0].id;
    }
    out.dtype = out.entry ? out.entry->dtype : DTYPE_NONE;
    return true;
}

bool ParameterFromJson(const json& v, const ParamRef& p, const std::string& baseDir, GeData& out,
                       std::string* linkPath, std::string& error) {
    if (linkPath)
        linkPath->clear();
    switch (p.dtype) {
    case DTYPE_NONE:
        return readUntyped(v, p, baseDir, out, linkPath, error);
    case DTYPE_BOOL:
        if (!v.is_boolean())
            return wrongKind(error, p, "true or false", v);
        out = GeData(v.get<bool>());
        return true;
    case DTYPE_LONG:
        return readInt(v, p, out, error);
    case DTYPE_REAL:
        if (!v.is_number())
            return wrongKind(error, p, "a number", v);
        out = GeData(v.get<Float>());
        return true;
    case DTYPE_VECTOR:
        if (!isVector(v))
            return wrongKind(error, p, "a vector [x, y, z]", v);
        out = GeData(toVector(v));
        return true;
    case DTYPE_MATRIX:
        return readMatrix(v, p, out, error);
    case DTYPE_STRING:
        if (!v.is_string())
            return wrongKind(error, p, "a string", v);
        out = GeData(String(v.get<std::string>()));
        return true;
    case DTYPE_FILENAME:
        if (v.is_string()) {
            out = GeData(resolve(v.get<std::string>(), baseDir));
            return true;
        }
        if (hasKeys(v, {"file"}) && v["file"].is_string()) {
            out = GeData(resolve(v["file"].get<std::string>(), baseDir));
            return true;
        }
        return wrongKind(error, p, "a file name", v);
    case DTYPE_TIME:
        return readTime(v, p, out, error);
    case DTYPE_BASELISTLINK:
        return readLink(v, p, out, linkPath, error);
    case CUSTOMDATATYPE_PRIORITY:
        return readPriority(v, p, out, error);
    default:
        return fail(error, p, "holds no value (it is part of the layout or computed)");
    }
}

ParamRef ParameterForWriting(const Description* d, Int32 id) {
    ParamRef p;
    p.id = id;
    p.entry = d ? d->FindEntry(id) : nullptr;
    p.dtype = p.entry ? p.entry->dtype : DTYPE_NONE;
    p.key =
        p.entry && !p.entry->symbol.IsEmpty() ? p.entry->symbol.GetStdString() : std::to_string(id);
    return p;
}

bool ParameterToJson(const GeData& v, const ParamRef& p,
                     const std::function<std::string(const BaseList2D*)>& pathOf, ordered_json& out,
                     std::string& error) {
    switch (v.GetType()) {
    case DA_NIL:
        out = nullptr;
        return fail(error, p, "holds no value");
    case DA_LONG:
        if (p.dtype == DTYPE_BOOL) {
            out = v.GetBool();
            return true;
        }
        if (p.entry) {
            for (const Description::Cycle& c : p.entry->cycle) {
                if (c.value == v.GetInt32() && !c.symbol.IsEmpty()) {
                    out = c.symbol.GetStdString();
                    return true;
                }
            }
        }
        out = v.GetInt32();
        return true;
    case DA_REAL:
        if (!std::isfinite(v.GetFloat()))
            return fail(error, p, "holds a number JSON cannot hold");
        out = v.GetFloat();
        return true;
    case DA_VECTOR:
        if (!finite(v.GetVector()))
            return fail(error, p, "holds a number JSON cannot hold");
        out = fromVector<ordered_json>(v.GetVector());
        return true;
    case DA_MATRIX: {
        const Matrix m = v.GetMatrix();
        if (!finite(m.offset) || !finite(m.axisX) || !finite(m.axisY) || !finite(m.axisZ))
            return fail(error, p, "holds a number JSON cannot hold");
        out = {{"offset", fromVector<ordered_json>(m.offset)},
               {"x", fromVector<ordered_json>(m.axisX)},
               {"y", fromVector<ordered_json>(m.axisY)},
               {"z", fromVector<ordered_json>(m.axisZ)}};
        return true;
    }
    case DA_STRING:
        out = v.GetString().GetStdString();
        return true;
    case DA_FILENAME: {
        const std::string path = v.GetFilename().GetString().GetStdString();
        out = p.dtype == DTYPE_FILENAME ? ordered_json(path) : ordered_json{{"file", path}};
        return true;
    }
    case DA_TIME:
        out = {{"num", v.GetTime().GetNumerator()}, {"den", v.GetTime().GetDenominator()}};
        return true;
    case DA_ALIASLINK: {
        const BaseList2D* target = v.GetBaseLink()->ForceGetLink();
        const std::string path = target ? pathOf(target) : std::string();
        out = path.empty() ? ordered_json(nullptr) : ordered_json{{"link", path}};
        return true;
    }
    case CUSTOMDATATYPE_PRIORITY: {
        const auto* pd =
            static_cast<const PriorityData*>(v.GetCustomDataType(CUSTOMDATATYPE_PRIORITY));
        out = {
            {"priority",
             {{"mode", pd->GetPriorityValue(PRIORITYVALUE_MODE).GetInt32()},
              {"value", pd->GetPriorityValue(PRIORITYVALUE_PRIORITY).GetInt32()},
              {"cameraDependent", pd->GetPriorityValue(PRIORITYVALUE_CAMERADEPENDENT).GetBool()}}}};
        return true;
    }
    default:
        return fail(error, p,
                    "holds custom data of type " + std::to_string(v.GetType()) +
                        ", which scene files cannot hold");
    }
}

} // namespace host
