// Filename: a path on disk, kept as text. Joining puts exactly one '/' between the parts.
#pragma once

#include "c4d_string.h"

class Filename {
public:
    Filename() = default;
    Filename(const String& path) : path_(path) {}
    Filename(const char* path) : path_(path) {}

    const String& GetString() const { return path_; }
    void SetString(const String& path) { path_ = path; }
    // True when the name holds any text.
    Bool Content() const { return !path_.IsEmpty(); }

    // The last path element ("ovrintag.tif" of "res/ovrintag.tif").
    Filename GetFile() const;
    // Everything before the last path element ("res" of "res/ovrintag.tif"; empty for "a").
    Filename GetDirectory() const;
    // The extension without its dot, or empty.
    String GetSuffix() const;

    // this / other, with one '/' between them even when either side brings its own (the
    // plug-in joins "/Manual.pdf" to its folder); an empty side gives the other unchanged.
    Filename operator+(const Filename& other) const;
    Filename& operator+=(const Filename& other) { return *this = *this + other; }
    bool operator==(const Filename&) const = default;

private:
    String path_;
};
