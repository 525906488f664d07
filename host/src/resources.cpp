#include "resources.h"

#include "json_file.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

namespace host {
namespace {

using nlohmann::json;

struct Loaded {
    std::map<Int32, String> strings;
    std::map<std::string, Description> descriptions;
    std::string lastError;
};

Loaded& loaded() {
    static Loaded l;
    return l;
}

struct TypeName {
    const char* name;
    Int32 dtype;
};

constexpr TypeName typeNames[] = {
    {"group", DTYPE_GROUP},
    {"separator", DTYPE_SEPARATOR},
    {"text", DTYPE_STATICTEXT},
    {"button", DTYPE_BUTTON},
    {"bitmapbutton", CUSTOMDATATYPE_BITMAPBUTTON},
    {"bool", DTYPE_BOOL},
    {"int", DTYPE_LONG},
    {"float", DTYPE_REAL},
    {"vector", DTYPE_VECTOR},
    {"matrix", DTYPE_MATRIX},
    {"string", DTYPE_STRING},
    {"filename", DTYPE_FILENAME},
    {"time", DTYPE_TIME},
    {"link", DTYPE_BASELISTLINK},
    {"priority", CUSTOMDATATYPE_PRIORITY},
};

struct UnitName {
    const char* name;
    Int32 unit;
};

constexpr UnitName unitNames[] = {{"float", DESC_UNIT_FLOAT},
                                  {"degree", DESC_UNIT_DEGREE},
                                  {"percent", DESC_UNIT_PERCENT},
                                  {"meter", DESC_UNIT_METER}};

const char* const entryKeys[] = {"id",     "symbol", "type", "name",     "shortName",
                                 "hidden", "open",   "min",  "max",      "step",
                                 "unit",   "cycle",  "gui",  "readOnly", "entries"};

// Thrown inside the parser only; turned into the error line at its edge.
struct Problem {
    std::string place;
    std::string what;
};

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

const json& member(const json& obj, const char* key, const std::string& place) {
    if (!obj.contains(key))
        throw Problem{place, std::string("missing \"") + key + "\""};
    return obj.at(key);
}

Int32 asInt32(const json& v, const std::string& place, const char* key) {
    if (!v.is_number_integer() || v.get<Int64>() < INT32_MIN || v.get<Int64>() > INT32_MAX)
        throw Problem{place,
                      std::string("\"") + key + "\" must be a whole number, not " + JsonKind(v)};
    return static_cast<Int32>(v.get<Int64>());
}

String asString(const json& v, const std::string& place, const char* key) {
    if (!v.is_string())
        throw Problem{place, std::string("\"") + key + "\" must be a string, not " + JsonKind(v)};
    return String(v.get<std::string>());
}

Float asNumber(const json& v, const std::string& place, const char* key) {
    if (!v.is_number())
        throw Problem{place, std::string("\"") + key + "\" must be a number, not " + JsonKind(v)};
    return v.get<Float>();
}

Bool asBool(const json& v, const std::string& place, const char* key) {
    if (!v.is_boolean())
        throw Problem{place,
                      std::string("\"") + key + "\" must be true or false, not " + JsonKind(v)};
    return v.get<bool>();
}

struct DescriptionParser {
    std::vector<Description::Entry> entries;
    std::set<Int32> ids;
    std::set<std::string> symbols;

    void ParseList(const json& list, const std::string& place, Int32 parent) {
        if (!list.is_array())
            throw Problem{place, "\"entries\" must be a list, not " + JsonKind(list)};
        for (size_t i = 0; i < list.size(); ++i)
            ParseEntry(list[i], place + "entries[" + std::to_string(i) + "]", parent);
    }

    void ParseEntry(const json& e, const std::string& place, Int32 parent) {
        if (!e.is_object())
            throw Problem{place, "an entry must be an object, not " + JsonKind(e)};
        for (const auto& [key, value] : e.items()) {
            (void)value;
            if (std::none_of(std::begin(entryKeys), std::end(entryKeys),
                             [&](const char* k) { return key == k; }))
                throw Problem{place, "unknown key " + quoted(key)};
        }
        Description::Entry entry;
        const Int32 id = asInt32(member(e, "id", place), place, "id");
        if (!ids.insert(id).second)
            throw Problem{place, "id " + std::to_string(id) + " is used twice"};
        const std::string typeName =
            asString(member(e, "type", place), place, "type").GetStdString();
        const auto type = std::find_if(std::begin(typeNames), std::end(typeNames),
                                       [&](const TypeName& t) { return typeName == t.name; });
        if (type == std::end(typeNames))
            throw Problem{place, "unknown type " + quoted(typeName)};
        entry.dtype = type->dtype;
        entry.id = DescID(DescLevel(id, entry.dtype, 0));
        if (e.contains("symbol")) {
            entry.symbol = asString(e.at("symbol"), place, "symbol");
            if (entry.symbol.IsEmpty())
                throw Problem{place, "\"symbol\" is empty"};
            if (!symbols.insert(entry.symbol.GetStdString()).second)
                throw Problem{place,
                              "symbol " + quoted(entry.symbol.GetStdString()) + " is used twice"};
        }
        BaseContainer& p = entry.properties;
        p.SetInt32(DESC_PARENTGROUP, parent);
        if (e.contains("name"))
            p.SetString(DESC_NAME, asString(e.at("name"), place, "name"));
        if (e.contains("shortName"))
            p.SetString(DESC_SHORT_NAME, asString(e.at("shortName"), place, "shortName"));
        if (e.contains("hidden"))
            p.SetBool(DESC_HIDE, asBool(e.at("hidden"), place, "hidden"));
        if (e.contains("readOnly"))
            p.SetBool(DESC_READONLY, asBool(e.at("readOnly"), place, "readOnly"));
        if (e.contains("open")) {
            if (entry.dtype != DTYPE_GROUP)
                throw Problem{place, "only a group can be \"open\""};
            p.SetInt32(DESC_DEFAULT, asBool(e.at("open"), place, "open") ? -1 : 0);
        }
        if (e.contains("min"))
            p.SetFloat(DESC_MIN, asNumber(e.at("min"), place, "min"));
        if (e.contains("max"))
            p.SetFloat(DESC_MAX, asNumber(e.at("max"), place, "max"));
        if (e.contains("step"))
            p.SetFloat(DESC_STEP, asNumber(e.at("step"), place, "step"));
        if (e.contains("gui"))
            p.SetInt32(DESC_CUSTOMGUI, asInt32(e.at("gui"), place, "gui"));
        if (e.contains("unit")) {
            const std::string u = asString(e.at("unit"), place, "unit").GetStdString();
            const auto unit = std::find_if(std::begin(unitNames), std::end(unitNames),
                                           [&](const UnitName& n) { return u == n.name; });
            if (unit == std::end(unitNames))
                throw Problem{place, "unknown unit " + quoted(u)};
            p.SetInt32(DESC_UNIT, unit->unit);
        }
        if (e.contains("cycle")) {
            if (entry.dtype != DTYPE_LONG)
                throw Problem{place, "only an int can have a \"cycle\""};
            ParseCycle(e.at("cycle"), place + ".cycle", entry);
        }
        entries.push_back(std::move(entry));
        if (e.contains("entries")) {
            if (type->dtype != DTYPE_GROUP)
                throw Problem{place, "only a group can have \"entries\""};
            ParseList(e.at("entries"), place + ".", id);
        }
    }

    static void ParseCycle(const json& list, const std::string& place, Description::Entry& entry) {
        if (!list.is_array())
            throw Problem{place, "a cycle must be a list, not " + JsonKind(list)};
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string at = place + "[" + std::to_string(i) + "]";
            const json& c = list[i];
            if (!c.is_object())
                throw Problem{at, "a choice must be an object, not " + JsonKind(c)};
            Description::Cycle choice;
            choice.value = asInt32(member(c, "value", at), at, "value");
            if (c.contains("name"))
                choice.label = asString(c.at("name"), at, "name");
            if (c.contains("symbol"))
                choice.symbol = asString(c.at("symbol"), at, "symbol");
            entry.cycle.push_back(std::move(choice));
        }
    }
};

std::string descriptionName(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

} // namespace

bool ReadStringTable(const std::string& path, std::map<Int32, String>& out, std::string& error) {
    json doc;
    if (!ReadJsonFile(path, doc, error))
        return false;
    try {
        if (!doc.is_object() || !doc.contains("strings"))
            throw Problem{"", "missing \"strings\""};
        const json& strings = doc.at("strings");
        if (!strings.is_object())
            throw Problem{"strings", "must be an object, not " + JsonKind(strings)};
        std::map<Int32, String> table;
        for (const auto& [key, value] : strings.items()) {
            const std::string place = "strings." + key;
            size_t used = 0;
            long id = 0;
            try {
                id = std::stol(key, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != key.size() || used == 0 || id < INT32_MIN || id > INT32_MAX)
                throw Problem{"strings", "key " + quoted(key) + " is not a string id number"};
            if (!value.is_string())
                throw Problem{place, "must be a string, not " + JsonKind(value)};
            table[Int32(id)] = String(value.get<std::string>());
        }
        out = std::move(table);
        return true;
    } catch (const Problem& p) {
        error = path + ": " + (p.place.empty() ? "" : p.place + ": ") + p.what;
        return false;
    }
}

bool ReadDescriptionFile(const std::string& path, Description& out, std::string& error) {
    json doc;
    if (!ReadJsonFile(path, doc, error))
        return false;
    const std::string name = descriptionName(path);
    try {
        if (!doc.is_object())
            throw Problem{"", "a description must be an object, not " + JsonKind(doc)};
        for (const auto& [key, value] : doc.items()) {
            (void)value;
            if (key != "description" && key != "entries")
                throw Problem{"", "unknown key " + quoted(key)};
        }
        if (doc.contains("description") &&
            asString(doc.at("description"), "", "description").GetStdString() != name)
            throw Problem{"", "\"description\" must be the file's name " + quoted(name)};
        DescriptionParser parser;
        parser.ParseList(member(doc, "entries", ""), "", 0);
        out.Set(String(name), std::move(parser.entries));
        return true;
    } catch (const Problem& p) {
        error = path + ": " + (p.place.empty() ? "" : p.place + ": ") + p.what;
        return false;
    }
}

bool LoadResourceFolder(const std::string& dir, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = dir + ": no such resource folder";
        SetLastResourceError(error);
        return false;
    }
    std::map<Int32, String> strings;
    const fs::path table = fs::path(dir) / "strings.json";
    if (fs::exists(table, ec) && !ReadStringTable(table.string(), strings, error)) {
        SetLastResourceError(error);
        return false;
    }
    std::vector<fs::path> files;
    const fs::path descDir = fs::path(dir) / "description";
    if (fs::is_directory(descDir, ec)) {
        for (const fs::directory_entry& f : fs::directory_iterator(descDir, ec)) {
            if (f.path().extension() == ".json")
                files.push_back(f.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::map<std::string, Description> descriptions;
    for (const fs::path& f : files) {
        Description d;
        if (!ReadDescriptionFile(f.string(), d, error)) {
            SetLastResourceError(error);
            return false;
        }
        descriptions[d.GetName().GetStdString()] = std::move(d);
    }
    for (auto& [id, text] : strings)
        loaded().strings[id] = std::move(text);
    for (auto& [name, d] : descriptions)
        loaded().descriptions[name] = std::move(d);
    SetLastResourceError({});
    return true;
}

const Description* FindDescriptionResource(const String& name) {
    const auto it = loaded().descriptions.find(name.GetStdString());
    return it != loaded().descriptions.end() ? &it->second : nullptr;
}

const String* FindResourceString(Int32 id) {
    const auto it = loaded().strings.find(id);
    return it != loaded().strings.end() ? &it->second : nullptr;
}

const std::string& LastResourceError() {
    return loaded().lastError;
}

void SetLastResourceError(std::string error) {
    loaded().lastError = std::move(error);
}

void ClearResources() {
    loaded() = Loaded();
}

} // namespace host
