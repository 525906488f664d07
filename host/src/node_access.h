// Host-internal access to nodes: attaching a plug-in's NodeData, and the state that undo keeps
// and restores.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_baselist.h"
#include "c4d_nodedata.h"

class BaseDocument;

namespace host {

// Which list of its owner a node lies in.
enum class ListKind { DocObjects, DocShaders, DocRenderData, Children, Branch };

// What UNDOTYPE_CHANGE keeps of a node.
struct NodeState {
    String name;
    BaseContainer data;
    Int32 bits = 0;
    Bool isObject = false;
    Vector pos, rot, scale;
    Int32 renderMode = 0, editorMode = 0;
};

struct NodeAccess {
    // Gives node its data (owned by the node from then on) and points the data at the node.
    static void Attach(BaseList2D* node, NodeData* data) {
        node->nodeData_.reset(data);
        if (data)
            data->node_ = node;
    }
    // Runs the data's Init; true for a node without data.
    static Bool RunInit(BaseList2D* node) {
        return node->nodeData_ ? node->nodeData_->Init(node) : true;
    }
    static void SetUndoHeld(BaseList2D* node, Bool held) { node->undoHeld_ = held; }
    static Bool IsUndoHeld(const BaseList2D* node) { return node->undoHeld_; }

    static NodeState Capture(const BaseList2D* node);
    static void Restore(BaseList2D* node, const NodeState& state, Bool containerOnly);
    // The list of kind of owner (Children, Branch) or of doc (Doc*); null when there is none.
    static GeListHead* ListOf(BaseDocument* doc, BaseList2D* owner, ListKind kind);
    // Which of doc's lists head is (DocObjects when it is none of them).
    static ListKind DocListKind(const BaseDocument* doc, const GeListHead* head);
};

} // namespace host
