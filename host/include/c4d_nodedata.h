// NodeData: the plug-in's side of a node. The host allocates one per node of a registered type
// (through the registration's allocator), calls Init once, and runs the hooks from the node's
// GetParameter, SetParameter, Message, GetDescription and GetEnabling. The base versions do
// nothing and succeed, so an override can end with a call to them.
#pragma once

#include "c4d_baselist.h"

class NodeData {
public:
    virtual ~NodeData() = default;

    virtual Bool Init(GeListNode* node) {
        (void)node;
        return true;
    }
    // Before the node is deleted.
    virtual void Free(GeListNode* node) { (void)node; }
    virtual Bool Message(GeListNode* node, Int32 type, void* data) {
        (void)node;
        (void)type;
        (void)data;
        return true;
    }
    virtual Bool GetDDescription(GeListNode* node, Description* description,
                                 DESCFLAGS_DESC& flags) {
        (void)node;
        (void)description;
        (void)flags;
        return true;
    }
    virtual Bool GetDParameter(GeListNode* node, const DescID& id, GeData& value,
                               DESCFLAGS_GET& flags) {
        (void)node;
        (void)id;
        (void)value;
        (void)flags;
        return true;
    }
    virtual Bool SetDParameter(GeListNode* node, const DescID& id, const GeData& value,
                               DESCFLAGS_SET& flags) {
        (void)node;
        (void)id;
        (void)value;
        (void)flags;
        return true;
    }
    virtual Bool GetDEnabling(GeListNode* node, const DescID& id, const GeData& value,
                              DESCFLAGS_ENABLE flags, const BaseContainer* itemdesc) {
        (void)node;
        (void)id;
        (void)value;
        (void)flags;
        (void)itemdesc;
        return true;
    }

    // The node this data belongs to; null before the host attached it.
    BaseList2D* Get() const { return node_; }

private:
    friend struct host::NodeAccess;
    BaseList2D* node_ = nullptr;
};

// A registration's allocator: a new NodeData (or null when it cannot be made).
using DataAllocator = NodeData*();
