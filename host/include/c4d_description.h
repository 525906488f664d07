// Description: the attribute view of a node as a list of entries, each a parameter id with its
// data type, symbolic name and a container of properties (name, hidden, unfolded, limits).
// Loaded from a description resource by name; hooks edit the entries before the host shows
// them.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_descid.h"

#include <vector>

class AtomArray;

// Data types of description entries. Value types share their DA_ codes.
enum : Int32 {
    DTYPE_NONE = 0,
    DTYPE_GROUP = 1,
    DTYPE_STATICTEXT = 2,
    DTYPE_SEPARATOR = 3,
    DTYPE_BUTTON = 8,
    DTYPE_LONG = 15,
    DTYPE_REAL = 19,
    DTYPE_TIME = 22,
    DTYPE_VECTOR = 23,
    DTYPE_MATRIX = 25,
    DTYPE_STRING = 130,
    DTYPE_FILENAME = 131,
    DTYPE_BASELISTLINK = 133,
    DTYPE_BOOL = 400006001,
    // custom data types use their own ids, e.g. CUSTOMDATATYPE_BITMAPBUTTON
};

// Properties in an entry's container.
enum : Int32 {
    DESC_NAME = 1,        // String: the label
    DESC_SHORT_NAME = 2,  // String: the label where space is short (a static text shows it)
    DESC_MIN = 3,         // Float
    DESC_MAX = 4,         // Float
    DESC_STEP = 5,        // Float
    DESC_UNIT = 6,        // Int32: DESC_UNIT_*
    DESC_PARENTGROUP = 7, // Int32: id of the enclosing group, 0 at the top
    DESC_CUSTOMGUI = 8,   // Int32: the plug-in id of the widget that edits the value
    DESC_READONLY = 9,    // Bool: shown but not editable
    DESC_HIDE = 15,       // Bool: the entry is not shown
    DESC_DEFAULT = 16,    // Int32: a group is unfolded (-1 true, 0 false)
};

enum : Int32 {
    DESC_UNIT_FLOAT = 0,
    DESC_UNIT_DEGREE = 1, // stored in radians, shown in degrees
    DESC_UNIT_PERCENT = 2,
    DESC_UNIT_METER = 3,
};

class Description {
public:
    struct Cycle {
        Int32 value = 0;
        String label;
        String symbol; // e.g. "OVRINTAG_PROJECTION_DOME"
    };
    struct Entry {
        DescID id;
        Int32 dtype = DTYPE_NONE;
        String symbol;            // e.g. "OVRINTAG_DOME_FOV"
        BaseContainer properties; // DESC_*
        std::vector<Cycle> cycle; // the choices of an Int32 cycle, empty otherwise
    };

    // Replaces the contents by the description resource registered for a node type (a plug-in
    // id). False when the type has none or its resource cannot be read.
    Bool LoadDescription(Int32 type);
    // Replaces the contents by the description resource of that name ("OvrinTag").
    Bool LoadDescription(const String& name);

    // The properties of the entry whose first level is id's, for editing; null when there is
    // none. ar is not used.
    BaseContainer* GetParameterI(const DescID& id, AtomArray* ar = nullptr);
    const BaseContainer* GetParameter(const DescID& id) const;

    const String& GetName() const { return name_; }
    Int32 GetCount() const { return static_cast<Int32>(entries_.size()); }
    const Entry& GetEntry(Int32 index) const { return entries_[size_t(index)]; }
    const Entry* FindEntry(Int32 id) const;
    const Entry* FindSymbol(const String& symbol) const;

    // For the resource loader and tests: the contents as given.
    void Set(String name, std::vector<Entry> entries) {
        name_ = std::move(name);
        entries_ = std::move(entries);
    }

private:
    String name_;
    std::vector<Entry> entries_;
};
