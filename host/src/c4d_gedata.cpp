#include "c4d_gedata.h"

#include "ge_math.h"

namespace {

template <typename... F> struct Overload : F... { using F::operator()...; };
template <typename... F> Overload(F...) -> Overload<F...>;

} // namespace

Int32 GeData::GetType() const {
    return std::visit(Overload{[](std::monostate) { return Int32(DA_NIL); },
                               [](Int32) { return Int32(DA_LONG); },
                               [](Float) { return Int32(DA_REAL); },
                               [](const Vector&) { return Int32(DA_VECTOR); },
                               [](const Matrix&) { return Int32(DA_MATRIX); },
                               [](const String&) { return Int32(DA_STRING); }},
                      value_);
}

Int32 GeData::GetInt32() const {
    if (const Int32* v = std::get_if<Int32>(&value_))
        return *v;
    if (const Float* v = std::get_if<Float>(&value_))
        return SAFEINT32(*v);
    return 0;
}

Float GeData::GetFloat() const {
    if (const Float* v = std::get_if<Float>(&value_))
        return *v;
    if (const Int32* v = std::get_if<Int32>(&value_))
        return *v;
    return 0.0;
}

Vector GeData::GetVector() const {
    const Vector* v = std::get_if<Vector>(&value_);
    return v ? *v : Vector();
}

Matrix GeData::GetMatrix() const {
    const Matrix* v = std::get_if<Matrix>(&value_);
    return v ? *v : Matrix();
}

String GeData::GetString() const {
    const String* v = std::get_if<String>(&value_);
    return v ? *v : String();
}
