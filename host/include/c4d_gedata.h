// GeData: one typed parameter value. Each value kind is one alternative of the variant and one
// DA_ code; custom data types report their own type id.
#pragma once

#include "c4d_baselink.h"
#include "c4d_basetime.h"
#include "c4d_customdata.h"
#include "c4d_filename.h"
#include "c4d_string.h"
#include "ge_matrix.h"

#include <memory>
#include <variant>

enum DA : Int32 {
    DA_NIL = 0,
    DA_LONG = 15,
    DA_REAL = 19,
    DA_TIME = 22,
    DA_VECTOR = 23,
    DA_MATRIX = 25,
    DA_STRING = 130,
    DA_FILENAME = 131,
    DA_ALIASLINK = 133,
};

namespace host {
// A custom value with its type id; copying the GeData copies the value.
class CustomValue {
public:
    CustomValue(Int32 type, std::unique_ptr<CustomDataType> data)
        : type_(type), data_(std::move(data)) {}
    CustomValue(const CustomValue& o)
        : type_(o.type_), data_(o.data_ ? o.data_->Clone() : nullptr) {}
    CustomValue& operator=(const CustomValue& o) {
        if (this != &o) {
            type_ = o.type_;
            data_ = o.data_ ? o.data_->Clone() : nullptr;
        }
        return *this;
    }
    CustomValue(CustomValue&&) noexcept = default;
    CustomValue& operator=(CustomValue&&) noexcept = default;

    Int32 GetType() const { return type_; }
    CustomDataType* Get() const { return data_.get(); }
    bool operator==(const CustomValue& o) const;

private:
    Int32 type_;
    std::unique_ptr<CustomDataType> data_;
};
} // namespace host

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
    GeData(const Filename& v) : value_(v) {}
    GeData(const BaseTime& v) : value_(v) {}
    GeData(const BaseLink& v) : value_(v) {}
    // A copy of data, stored under the custom type id type.
    GeData(Int32 type, const CustomDataType& data)
        : value_(host::CustomValue(type, data.Clone())) {}
    // No silent pointer-to-Bool conversion: links go through BaseLink or SetBaseList2D.
    template <typename T> GeData(T*) = delete;

    // A DA_ code, or the custom type id of custom data.
    Int32 GetType() const;
    bool IsNil() const { return std::holds_alternative<std::monostate>(value_); }
    void SetNil() { value_ = std::monostate(); }

    // Typed reads. Numbers convert between Int32 and Float (a Float read as Int32 truncates,
    // clamped to the Int32 range, NaN reads 0); any other mismatch reads as the zero value.
    Int32 GetInt32() const;
    Bool GetBool() const { return GetInt32() != 0; }
    Float GetFloat() const;
    Vector GetVector() const;
    Matrix GetMatrix() const;
    String GetString() const;
    Filename GetFilename() const;
    BaseTime GetTime() const;
    // The link held, or null when this holds no link.
    const BaseLink* GetBaseLink() const { return std::get_if<BaseLink>(&value_); }
    // The link's target resolved in doc (see BaseLink::GetLink); null without a link.
    BaseList2D* GetLink(const BaseDocument* doc, Int32 instanceOf = 0) const;
    // This value's own custom data when it is of custom type type, else null. The pointer
    // stays valid until this GeData changes; edits through it change this value.
    CustomDataType* GetCustomDataType(Int32 type) const;

    void SetBaseList2D(const C4DAtom* node) { value_ = BaseLink(node); }

    bool operator==(const GeData&) const = default;

private:
    std::variant<std::monostate, Int32, Float, Vector, Matrix, String, Filename, BaseTime, BaseLink,
                 host::CustomValue>
        value_;
};
