// BaseContainer: parameter values keyed by Int32 id. Reads take a default for a missing id;
// lookups are a binary search over ids kept sorted, so per-ray reads stay cheap.
#pragma once

#include "c4d_gedata.h"

#include <utility>
#include <vector>

class BaseContainer {
public:
    BaseContainer() = default;
    explicit BaseContainer(Int32 id) : id_(id) {}

    Int32 GetId() const { return id_; }
    void SetId(Int32 id) { id_ = id; }

    // The stored value, or null when id is missing.
    const GeData* GetDataPointer(Int32 id) const;
    void SetData(Int32 id, const GeData& value);
    Bool RemoveData(Int32 id);
    void FlushAll() { entries_.clear(); }
    Int32 GetCount() const { return static_cast<Int32>(entries_.size()); }

    Int32 GetInt32(Int32 id, Int32 def = 0) const { return Read(id, def, &GeData::GetInt32); }
    Bool GetBool(Int32 id, Bool def = false) const { return Read(id, def, &GeData::GetBool); }
    Float GetFloat(Int32 id, Float def = 0.0) const { return Read(id, def, &GeData::GetFloat); }
    Vector GetVector(Int32 id, const Vector& def = {}) const {
        return Read(id, def, &GeData::GetVector);
    }
    Matrix GetMatrix(Int32 id, const Matrix& def = {}) const {
        return Read(id, def, &GeData::GetMatrix);
    }
    String GetString(Int32 id, const String& def = {}) const {
        return Read(id, def, &GeData::GetString);
    }

    void SetInt32(Int32 id, Int32 v) { SetData(id, GeData(v)); }
    void SetBool(Int32 id, Bool v) { SetData(id, GeData(v)); }
    void SetFloat(Int32 id, Float v) { SetData(id, GeData(v)); }
    void SetVector(Int32 id, const Vector& v) { SetData(id, GeData(v)); }
    void SetMatrix(Int32 id, const Matrix& v) { SetData(id, GeData(v)); }
    void SetString(Int32 id, const String& v) { SetData(id, GeData(v)); }

    bool operator==(const BaseContainer&) const = default;

private:
    template <typename T, typename Getter> T Read(Int32 id, const T& def, Getter get) const {
        const GeData* d = GetDataPointer(id);
        return d ? (d->*get)() : def;
    }

    Int32 id_ = 0;
    std::vector<std::pair<Int32, GeData>> entries_; // sorted by id
};
