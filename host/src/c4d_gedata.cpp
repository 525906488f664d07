#include "c4d_gedata.h"

#include "ge_math.h"

namespace {

template <typename... F> struct Overload : F... { using F::operator()...; };
template <typename... F> Overload(F...) -> Overload<F...>;

template <typename T, typename V> T getOr(const V& value) {
    const T* v = std::get_if<T>(&value);
    return v ? *v : T();
}

} // namespace

bool host::CustomValue::operator==(const CustomValue& o) const {
    if (type_ != o.type_)
        return false;
    if (!data_ || !o.data_)
        return !data_ && !o.data_;
    return data_->IsEqual(*o.data_);
}

Int32 GeData::GetType() const {
    return std::visit(Overload{[](std::monostate) { return Int32(DA_NIL); },
                               [](Int32) { return Int32(DA_LONG); },
                               [](Float) { return Int32(DA_REAL); },
                               [](const Vector&) { return Int32(DA_VECTOR); },
                               [](const Matrix&) { return Int32(DA_MATRIX); },
                               [](const String&) { return Int32(DA_STRING); },
                               [](const Filename&) { return Int32(DA_FILENAME); },
                               [](const BaseTime&) { return Int32(DA_TIME); },
                               [](const BaseLink&) { return Int32(DA_ALIASLINK); },
                               [](const host::CustomValue& c) { return c.GetType(); }},
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
    return getOr<Vector>(value_);
}

Matrix GeData::GetMatrix() const {
    return getOr<Matrix>(value_);
}

String GeData::GetString() const {
    return getOr<String>(value_);
}

Filename GeData::GetFilename() const {
    return getOr<Filename>(value_);
}

BaseTime GeData::GetTime() const {
    return getOr<BaseTime>(value_);
}

BaseList2D* GeData::GetLink(const BaseDocument* doc, Int32 instanceOf) const {
    const BaseLink* link = GetBaseLink();
    return link ? link->GetLink(doc, instanceOf) : nullptr;
}

CustomDataType* GeData::GetCustomDataType(Int32 type) const {
    const host::CustomValue* c = std::get_if<host::CustomValue>(&value_);
    return c && c->GetType() == type ? c->Get() : nullptr;
}
