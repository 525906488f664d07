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

    // The stored value, or null when id is missing. Valid until the container changes.
    const GeData* GetDataPointer(Int32 id) const;
    // The stored value, or nil when id is missing.
    GeData GetData(Int32 id) const;
    void SetData(Int32 id, const GeData& value);
    Bool RemoveData(Int32 id);
    void FlushAll() { entries_.clear(); }
    Int32 GetCount() const { return static_cast<Int32>(entries_.size()); }
    // The index-th entry in id order; -1 / null past the end.
    Int32 GetIndexId(Int32 index) const;
    const GeData* GetIndexData(Int32 index) const;

    // Copies every value of src into this, replacing values under the same ids and keeping the
    // others ("adding to it").
    void MergeContainer(const BaseContainer& src);
    // Replaces dst's contents and id with this one's.
    void CopyTo(BaseContainer* dst) const {
        if (dst)
            *dst = *this;
    }

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
    Filename GetFilename(Int32 id, const Filename& def = {}) const {
        return Read(id, def, &GeData::GetFilename);
    }
    BaseTime GetTime(Int32 id, const BaseTime& def = {}) const {
        return Read(id, def, &GeData::GetTime);
    }
    // The link under id resolved in doc (see BaseLink::GetLink): null when id holds no link or
    // its target is gone, outside doc or not an instance of instanceOf.
    BaseList2D* GetLink(Int32 id, const BaseDocument* doc, Int32 instanceOf = 0) const;
    const BaseLink* GetBaseLink(Int32 id) const;
    // The custom data under id when it is of custom type type, else null.
    CustomDataType* GetCustomDataType(Int32 id, Int32 type) const;

    void SetInt32(Int32 id, Int32 v) { SetData(id, GeData(v)); }
    void SetBool(Int32 id, Bool v) { SetData(id, GeData(v)); }
    void SetFloat(Int32 id, Float v) { SetData(id, GeData(v)); }
    void SetVector(Int32 id, const Vector& v) { SetData(id, GeData(v)); }
    void SetMatrix(Int32 id, const Matrix& v) { SetData(id, GeData(v)); }
    void SetString(Int32 id, const String& v) { SetData(id, GeData(v)); }
    void SetFilename(Int32 id, const Filename& v) { SetData(id, GeData(v)); }
    void SetTime(Int32 id, const BaseTime& v) { SetData(id, GeData(v)); }
    // Stores a link to node; a null node stores an empty link.
    void SetLink(Int32 id, const C4DAtom* node) { SetData(id, GeData(BaseLink(node))); }

    bool operator==(const BaseContainer&) const = default;

private:
    template <typename T, typename Getter> T Read(Int32 id, const T& def, Getter get) const {
        const GeData* d = GetDataPointer(id);
        return d ? (d->*get)() : def;
    }

    Int32 id_ = 0;
    std::vector<std::pair<Int32, GeData>> entries_; // sorted by id
};
