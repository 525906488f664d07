// Allocation of nodes of registered plug-in types: the node, then the plug-in's data from the
// registration's allocator, then its Init. Host-internal.
#pragma once

#include "node_access.h"
#include "plugin_registry.h"

namespace host {

// Attaches a new NodeData from entry to node and runs Init. Deletes node and returns null
// when the allocator gives nothing or Init fails.
template <typename N> N* AttachAndInit(N* node, const PluginEntry& entry) {
    NodeData* data = entry.alloc ? entry.alloc() : nullptr;
    if (!data) {
        delete node;
        return nullptr;
    }
    NodeAccess::Attach(node, data);
    if (!NodeAccess::RunInit(node)) {
        delete node;
        return nullptr;
    }
    return node;
}

} // namespace host
