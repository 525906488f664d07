#include "c4d_filename.h"

namespace {

size_t lastSlash(const std::string& s) {
    return s.find_last_of('/');
}

} // namespace

Filename Filename::GetFile() const {
    const std::string& s = path_.GetStdString();
    const size_t at = lastSlash(s);
    return Filename(String(at == std::string::npos ? s : s.substr(at + 1)));
}

Filename Filename::GetDirectory() const {
    const std::string& s = path_.GetStdString();
    const size_t at = lastSlash(s);
    if (at == std::string::npos)
        return {};
    return Filename(String(at == 0 ? std::string("/") : s.substr(0, at)));
}

String Filename::GetSuffix() const {
    const std::string file = GetFile().GetString().GetStdString();
    const size_t dot = file.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? String() : String(file.substr(dot + 1));
}

Filename Filename::operator+(const Filename& other) const {
    const std::string& a = path_.GetStdString();
    const std::string& b = other.path_.GetStdString();
    if (a.empty())
        return other;
    if (b.empty())
        return *this;
    const std::string head = a.back() == '/' ? a.substr(0, a.size() - 1) : a;
    const std::string tail = b.front() == '/' ? b.substr(1) : b;
    return Filename(String(head + "/" + tail));
}
