#include "json_file.h"

#include <fstream>
#include <sstream>

namespace host {

bool ReadJsonFile(const std::string& path, nlohmann::json& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read the file";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        out = nlohmann::json::parse(text.str());
    } catch (const nlohmann::json::parse_error& e) {
        // The library's message reads "[json.exception.parse_error.101] parse error at line 3,
        // column 5: syntax error ..."; keep what follows "at ".
        std::string what = e.what();
        const size_t at = what.find(" at line ");
        error = path + ": " + (at != std::string::npos ? what.substr(at + 4) : what);
        return false;
    }
    return true;
}

std::string JsonKind(const nlohmann::json& v) {
    switch (v.type()) {
    case nlohmann::json::value_t::null:
        return "null";
    case nlohmann::json::value_t::boolean:
        return "a true/false value";
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned:
        return "a whole number";
    case nlohmann::json::value_t::number_float:
        return "a number";
    case nlohmann::json::value_t::string:
        return "a string";
    case nlohmann::json::value_t::array:
        return "a list";
    case nlohmann::json::value_t::object:
        return "an object";
    default:
        return "an unreadable value";
    }
}

} // namespace host
