// The host's record of registered plug-ins. Register* functions add to it; allocating a node of
// a registered type looks its entry up. Host-internal (the application lists it, tests query it).
#pragma once

#include "c4d_basebitmap.h"
#include "c4d_nodedata.h"
#include "c4d_string.h"

#include <memory>
#include <vector>

namespace host {

enum class PluginKind { Tag, VideoPost, Command, CustomGui, Library };

struct PluginEntry {
    Int32 id = 0;
    PluginKind kind = PluginKind::Tag;
    String name;
    Int32 info = 0; // the registration flags, as given
    DataAllocator* alloc = nullptr;
    String description;               // the description resource's name
    std::unique_ptr<BaseBitmap> icon; // the registration's own copy, or null
    Int32 disklevel = 0;
    Int32 priority = 0;
    void* object = nullptr; // an object handed over at registration (commands), not owned here
};

// Adds entry; false when its id is not positive or already registered.
Bool AddPlugin(PluginEntry entry);
// The entry registered under id, optionally only of one kind; null when there is none.
const PluginEntry* FindPlugin(Int32 id);
const PluginEntry* FindPlugin(Int32 id, PluginKind kind);
// Every entry in the order of registration.
std::vector<const PluginEntry*> ListPlugins();
// Forgets every registration (tests; the host itself never unregisters).
void ClearPlugins();

} // namespace host
