// GeData: one typed parameter value. The list of value kinds grows with the host; each kind is
// one alternative of the variant and one DA_ code.
#pragma once

#include "c4d_string.h"
#include "ge_matrix.h"

#include <variant>

enum DA : Int32 {
    DA_NIL = 0,
    DA_LONG = 15,
    DA_REAL = 19,
    DA_VECTOR = 23,
    DA_MATRIX = 25,
    DA_STRING = 130,
};

class GeData {
public:
    GeData() = default;
    GeData(Int32 v) : value_(v) {}
    GeData(Bool v) : value_(Int32(v ? 1 : 0)) {} // the host keeps switches as Int32
    GeData(Float v) : value_(v) {}
    GeData(const Vector& v) : value_(v) {}
    GeData(const Matrix& v) : value_(v) {}
    GeData(const String& v) : value_(v) {}
    GeData(const char* v) : value_(String(v)) {}

    Int32 GetType() const;
    bool IsNil() const { return std::holds_alternative<std::monostate>(value_); }

    // Typed reads. Numbers convert between Int32 and Float (a Float read as Int32 truncates,
    // clamped to the Int32 range, NaN reads 0); any other mismatch reads as the zero value.
    Int32 GetInt32() const;
    Bool GetBool() const { return GetInt32() != 0; }
    Float GetFloat() const;
    Vector GetVector() const;
    Matrix GetMatrix() const;
    String GetString() const;

    bool operator==(const GeData&) const = default;

private:
    std::variant<std::monostate, Int32, Float, Vector, Matrix, String> value_;
};
