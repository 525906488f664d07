#include "c4d_basecontainer.h"

#include <algorithm>

namespace {
constexpr auto byId = [](const std::pair<Int32, GeData>& e, Int32 id) { return e.first < id; };
}

const GeData* BaseContainer::GetDataPointer(Int32 id) const {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id, byId);
    return it != entries_.end() && it->first == id ? &it->second : nullptr;
}

GeData BaseContainer::GetData(Int32 id) const {
    const GeData* d = GetDataPointer(id);
    return d ? *d : GeData();
}

void BaseContainer::SetData(Int32 id, const GeData& value) {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id, byId);
    if (it != entries_.end() && it->first == id)
        it->second = value;
    else
        entries_.insert(it, {id, value});
}

Bool BaseContainer::RemoveData(Int32 id) {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id, byId);
    if (it == entries_.end() || it->first != id)
        return false;
    entries_.erase(it);
    return true;
}

Int32 BaseContainer::GetIndexId(Int32 index) const {
    return index >= 0 && index < GetCount() ? entries_[size_t(index)].first : -1;
}

const GeData* BaseContainer::GetIndexData(Int32 index) const {
    return index >= 0 && index < GetCount() ? &entries_[size_t(index)].second : nullptr;
}

void BaseContainer::MergeContainer(const BaseContainer& src) {
    if (&src == this)
        return;
    for (const auto& [id, value] : src.entries_)
        SetData(id, value);
}

BaseList2D* BaseContainer::GetLink(Int32 id, const BaseDocument* doc, Int32 instanceOf) const {
    const GeData* d = GetDataPointer(id);
    return d ? d->GetLink(doc, instanceOf) : nullptr;
}

const BaseLink* BaseContainer::GetBaseLink(Int32 id) const {
    const GeData* d = GetDataPointer(id);
    return d ? d->GetBaseLink() : nullptr;
}

CustomDataType* BaseContainer::GetCustomDataType(Int32 id, Int32 type) const {
    const GeData* d = GetDataPointer(id);
    return d ? d->GetCustomDataType(type) : nullptr;
}
