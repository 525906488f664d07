// The host's text string: UTF-8 bytes, positions and lengths counted in bytes.
#pragma once

#include "ge_types.h"

#include <string>
#include <string_view>

class String {
public:
    String() = default;
    String(const char* text) : text_(text ? text : "") {}
    String(std::string text) : text_(std::move(text)) {}
    String(std::string_view text) : text_(text) {}

    Int32 GetLength() const { return static_cast<Int32>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    // Character at pos, or 0 outside the string.
    Char operator[](Int32 pos) const {
        return pos >= 0 && pos < GetLength() ? text_[static_cast<size_t>(pos)] : Char(0);
    }

    // First occurrence of what at or after start; false (pos untouched) when there is none.
    Bool FindFirst(const String& what, Int32* pos, Int32 start = 0) const;
    // Up to count characters from start, clipped to the string.
    String SubStr(Int32 start, Int32 count) const;

    const std::string& GetStdString() const { return text_; }
    const char* GetCString() const { return text_.c_str(); }

    String operator+(const String& o) const { return String(text_ + o.text_); }
    String& operator+=(const String& o) {
        text_ += o.text_;
        return *this;
    }
    bool operator==(const String&) const = default;

private:
    std::string text_;
};
