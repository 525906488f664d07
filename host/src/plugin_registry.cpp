#include "plugin_registry.h"

#include "c4d_tagdata.h"
#include "c4d_videopostdata.h"

namespace host {
namespace {

std::vector<PluginEntry>& entries() {
    static std::vector<PluginEntry> list;
    return list;
}

BaseBitmap* copyIcon(const BaseBitmap* icon) {
    return icon ? icon->GetClone() : nullptr;
}

} // namespace

Bool AddPlugin(PluginEntry entry) {
    if (entry.id <= 0 || FindPlugin(entry.id))
        return false;
    entries().push_back(std::move(entry));
    return true;
}

const PluginEntry* FindPlugin(Int32 id) {
    for (const PluginEntry& e : entries()) {
        if (e.id == id)
            return &e;
    }
    return nullptr;
}

const PluginEntry* FindPlugin(Int32 id, PluginKind kind) {
    const PluginEntry* e = FindPlugin(id);
    return e && e->kind == kind ? e : nullptr;
}

std::vector<const PluginEntry*> ListPlugins() {
    std::vector<const PluginEntry*> out;
    for (const PluginEntry& e : entries())
        out.push_back(&e);
    return out;
}

void ClearPlugins() {
    entries().clear();
}

} // namespace host

Bool RegisterTagPlugin(Int32 id, const String& str, Int32 info, DataAllocator* g,
                       const String& description, BaseBitmap* icon, Int32 disklevel) {
    if (!g)
        return false;
    host::PluginEntry e;
    e.id = id;
    e.kind = host::PluginKind::Tag;
    e.name = str;
    e.info = info;
    e.alloc = g;
    e.description = description;
    e.icon.reset(host::copyIcon(icon));
    e.disklevel = disklevel;
    return host::AddPlugin(std::move(e));
}

Bool RegisterVideoPostPlugin(Int32 id, const String& str, Int32 info, DataAllocator* g,
                             const String& description, Int32 disklevel, Int32 priority) {
    if (!g)
        return false;
    host::PluginEntry e;
    e.id = id;
    e.kind = host::PluginKind::VideoPost;
    e.name = str;
    e.info = info;
    e.alloc = g;
    e.description = description;
    e.disklevel = disklevel;
    e.priority = priority;
    return host::AddPlugin(std::move(e));
}
