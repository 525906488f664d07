#include "undo.h"

#include "c4d_baseobject.h"
#include "c4d_renderdata.h"
#include "node_access.h"

namespace host {

NodeState NodeAccess::Capture(const BaseList2D* node) {
    NodeState s;
    s.name = node->name_;
    s.data = node->data_;
    s.bits = node->bits_;
    if (const auto* op = dynamic_cast<const BaseObject*>(node)) {
        s.isObject = true;
        s.pos = op->pos_;
        s.rot = op->rot_;
        s.scale = op->scale_;
        s.renderMode = op->renderMode_;
        s.editorMode = op->editorMode_;
    }
    return s;
}

void NodeAccess::Restore(BaseList2D* node, const NodeState& s, Bool containerOnly) {
    node->data_ = s.data;
    node->SetDirty(DIRTYFLAGS_DATA);
    if (containerOnly)
        return;
    node->name_ = s.name;
    node->bits_ = s.bits;
    if (auto* op = dynamic_cast<BaseObject*>(node); op && s.isObject) {
        op->renderMode_ = s.renderMode;
        op->editorMode_ = s.editorMode;
        op->pos_ = s.pos;
        op->rot_ = s.rot;
        op->scale_ = s.scale;
        op->UpdateLocalMatrix();
    }
}

ListKind NodeAccess::DocListKind(const BaseDocument* doc, const GeListHead* head) {
    if (doc && head == &doc->shaders_)
        return ListKind::DocShaders;
    if (doc && head == &doc->renderData_)
        return ListKind::DocRenderData;
    return ListKind::DocObjects;
}

GeListHead* NodeAccess::ListOf(BaseDocument* doc, BaseList2D* owner, ListKind kind) {
    switch (kind) {
    case ListKind::DocObjects:
        return doc ? &doc->objects_ : nullptr;
    case ListKind::DocShaders:
        return doc ? &doc->shaders_ : nullptr;
    case ListKind::DocRenderData:
        return doc ? &doc->renderData_ : nullptr;
    case ListKind::Children:
        return owner ? owner->children_.get() : nullptr;
    case ListKind::Branch:
        return owner ? owner->GetBranchHead() : nullptr;
    }
    return nullptr;
}

UndoStep::~UndoStep() {
    // A node removed under a DELETE record and never put back belongs to the record; one that
    // was never removed goes back to being freed as usual.
    for (UndoRecord& r : records_) {
        if (!r.held || r.node.ForceGetLink() != r.held)
            continue;
        if (r.held->GetListHead())
            NodeAccess::SetUndoHeld(r.held, false);
        else
            delete r.held;
    }
}

Bool UndoStep::Add(UNDOTYPE type, BaseList2D* node) {
    if (!node)
        return false;
    UndoRecord r;
    r.type = type;
    r.node.SetLink(node);
    switch (type) {
    case UNDOTYPE_CHANGE:
    case UNDOTYPE_CHANGE_SMALL:
        r.state = NodeAccess::Capture(node);
        break;
    case UNDOTYPE_NEW:
        break;
    case UNDOTYPE_DELETE: {
        GeListHead* head = node->GetListHead();
        if (!head)
            return false;
        r.held = node;
        r.pred.SetLink(node->GetPred());
        GeListNode* owner = head->GetOwner();
        r.owner.SetLink(owner);
        if (!owner)
            r.kind = NodeAccess::DocListKind(doc_, head);
        else
            r.kind = NodeAccess::ListOf(doc_, static_cast<BaseList2D*>(owner),
                                        ListKind::Children) == head
                         ? ListKind::Children
                         : ListKind::Branch;
        NodeAccess::SetUndoHeld(node, true);
        break;
    }
    default:
        return false;
    }
    records_.push_back(std::move(r));
    return true;
}

void UndoStep::Revert() {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it)
        RevertOne(*it);
    records_.clear();
}

void UndoStep::RevertOne(UndoRecord& r) {
    BaseList2D* node = r.node.ForceGetLink();
    if (!node)
        return; // deleted since: nothing left to revert
    switch (r.type) {
    case UNDOTYPE_CHANGE:
    case UNDOTYPE_CHANGE_SMALL:
        NodeAccess::Restore(node, r.state, r.type == UNDOTYPE_CHANGE_SMALL);
        break;
    case UNDOTYPE_NEW:
        delete node;
        break;
    case UNDOTYPE_DELETE: {
        NodeAccess::SetUndoHeld(node, false);
        r.held = nullptr;
        GeListNode* pred = r.pred.ForceGetLink();
        GeListHead* head = NodeAccess::ListOf(doc_, r.owner.ForceGetLink(), r.kind);
        if (pred && head && pred->GetListHead() == head)
            node->InsertAfter(pred);
        else if (head)
            head->InsertFirst(node);
        else
            delete node; // its place is gone with its owner
        break;
    }
    default:
        break;
    }
}

} // namespace host
