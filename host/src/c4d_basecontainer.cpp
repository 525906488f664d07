#include "c4d_basecontainer.h"

#include <algorithm>

namespace {
constexpr auto byId = [](const std::pair<Int32, GeData>& e, Int32 id) { return e.first < id; };
}

const GeData* BaseContainer::GetDataPointer(Int32 id) const {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id, byId);
    return it != entries_.end() && it->first == id ? &it->second : nullptr;
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
