#include "c4d_description.h"

#include "host_descriptions.h"
#include "plugin_registry.h"
#include "resources.h"

Bool Description::LoadDescription(Int32 type) {
    if (const host::PluginEntry* e = host::FindPlugin(type))
        return !e->description.IsEmpty() && LoadDescription(e->description);
    if (const Description* d = host::FindHostDescription(type)) {
        *this = *d;
        return true;
    }
    return false;
}

Bool Description::LoadDescription(const String& name) {
    const Description* loaded = host::FindDescriptionResource(name);
    if (!loaded)
        return false;
    *this = *loaded;
    return true;
}

BaseContainer* Description::GetParameterI(const DescID& id, AtomArray* ar) {
    (void)ar;
    for (Entry& e : entries_) {
        if (e.id[0].id == id[0].id)
            return &e.properties;
    }
    return nullptr;
}

const BaseContainer* Description::GetParameter(const DescID& id) const {
    const Entry* e = FindEntry(id[0].id);
    return e ? &e->properties : nullptr;
}

const Description::Entry* Description::FindEntry(Int32 id) const {
    for (const Entry& e : entries_) {
        if (e.id[0].id == id)
            return &e;
    }
    return nullptr;
}

const Description::Entry* Description::FindSymbol(const String& symbol) const {
    for (const Entry& e : entries_) {
        if (e.symbol == symbol)
            return &e;
    }
    return nullptr;
}
