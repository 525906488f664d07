#include "c4d_baselist.h"

#include "c4d_description.h"
#include "c4d_nodedata.h"
#include "node_access.h"

#include <bit>

// ---- C4DAtom ------------------------------------------------------------------------------

C4DAtom* C4DAtom::GetClone(COPYFLAGS flags, AliasTrans* trn) const {
    (void)trn;
    return CloneAtom(flags);
}

// ---- GeListHead ---------------------------------------------------------------------------

GeListNode* GeListHead::GetLast() const {
    GeListNode* n = first_;
    while (n && n->next_)
        n = n->next_;
    return n;
}

BaseDocument* GeListHead::GetDocument() const {
    return doc_ ? doc_ : owner_ ? owner_->GetDocument() : nullptr;
}

void GeListHead::InsertFirst(GeListNode* node) {
    if (!node)
        return;
    node->Remove();
    Link(node, nullptr);
}

void GeListHead::InsertLast(GeListNode* node) {
    if (!node)
        return;
    node->Remove();
    Link(node, GetLast());
}

void GeListHead::FlushAll() {
    while (first_)
        delete first_; // its destructor unlinks it
}

void GeListHead::Link(GeListNode* node, GeListNode* pred) {
    node->head_ = this;
    node->pred_ = pred;
    node->next_ = pred ? pred->next_ : first_;
    if (node->next_)
        node->next_->pred_ = node;
    if (pred)
        pred->next_ = node;
    else
        first_ = node;
    node->HierarchyChanged();
}

// ---- GeListNode ---------------------------------------------------------------------------

GeListNode::GeListNode(Int32 type)
    : C4DAtom(type), children_(std::make_unique<GeListHead>(this, nullptr, true)) {}

GeListNode::~GeListNode() {
    children_.reset(); // children go first: they may still ask for their parent
    Remove();
}

GeListNode* GeListNode::GetUp() const {
    return head_ && head_->children_ ? head_->owner_ : nullptr;
}

GeListNode* GeListNode::GetDown() const {
    return children_ ? children_->GetFirst() : nullptr;
}

GeListNode* GeListNode::GetDownLast() const {
    return children_ ? children_->GetLast() : nullptr;
}

BaseDocument* GeListNode::GetDocument() const {
    return head_ ? head_->GetDocument() : nullptr;
}

void GeListNode::InsertBefore(GeListNode* next) {
    if (!next || next == this || !next->head_)
        return;
    Remove();
    next->head_->Link(this, next->pred_);
}

void GeListNode::InsertAfter(GeListNode* pred) {
    if (!pred || pred == this || !pred->head_)
        return;
    Remove();
    pred->head_->Link(this, pred);
}

void GeListNode::InsertUnder(GeListNode* parent) {
    if (!parent || parent == this)
        return;
    parent->children_->InsertFirst(this);
}

void GeListNode::InsertUnderLast(GeListNode* parent) {
    if (!parent || parent == this)
        return;
    parent->children_->InsertLast(this);
}

void GeListNode::Remove() {
    if (!head_)
        return;
    if (pred_)
        pred_->next_ = next_;
    else
        head_->first_ = next_;
    if (next_)
        next_->pred_ = pred_;
    head_ = nullptr;
    pred_ = next_ = nullptr;
    HierarchyChanged();
}

// ---- BaseList2D ---------------------------------------------------------------------------

BaseList2D::BaseList2D(Int32 type)
    : GeListNode(type), linkTarget_(std::make_shared<host::LinkTarget>()) {
    linkTarget_->node = this;
}

BaseList2D::~BaseList2D() {
    linkTarget_->node = nullptr; // every link to this node resolves to null from here on
    if (nodeData_)
        nodeData_->Free(this);
    nodeData_.reset();
}

Bool BaseList2D::SetData(const BaseContainer& bc, Bool add) {
    if (add)
        data_.MergeContainer(bc);
    else
        data_ = bc;
    SetDirty(DIRTYFLAGS_DATA);
    return true;
}

void BaseList2D::SetDirty(DIRTYFLAGS flags) {
    for (int bit = 0; bit < 8; ++bit) {
        if (Int32(flags) & (1 << bit))
            ++dirty_[bit];
    }
}

UInt32 BaseList2D::GetDirty(DIRTYFLAGS flags) const {
    UInt32 sum = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (Int32(flags) & (1 << bit))
            sum += dirty_[bit];
    }
    return sum;
}

namespace {

// The vector component a second id level names: 0, 1, 2, or -1 for none.
int vectorComponent(const DescID& id) {
    if (id.GetDepth() < 2)
        return -1;
    const Int32 sub = id[1].id;
    return sub >= VECTOR_X && sub <= VECTOR_Z ? int(sub - VECTOR_X) : -1;
}

Float& component(Vector& v, int c) {
    return c == 0 ? v.x : c == 1 ? v.y : v.z;
}

} // namespace

Bool BaseList2D::GetParameter(const DescID& id, GeData& value, DESCFLAGS_GET flags) {
    if (nodeData_ && !nodeData_->GetDParameter(this, id, value, flags))
        return false;
    if (flags & DESCFLAGS_GET_PARAM_GET)
        return true;
    const GeData* stored = data_.GetDataPointer(id[0].id);
    const int c = vectorComponent(id);
    if (c >= 0 && stored && stored->GetType() == DA_VECTOR) {
        Vector v = stored->GetVector();
        value = GeData(component(v, c));
    } else {
        value = stored ? *stored : GeData();
    }
    return true;
}

Bool BaseList2D::SetParameter(const DescID& id, const GeData& value, DESCFLAGS_SET flags) {
    if (nodeData_ && !nodeData_->SetDParameter(this, id, value, flags))
        return false;
    if (!(flags & DESCFLAGS_SET_PARAM_SET)) {
        const int c = vectorComponent(id);
        if (c >= 0) {
            Vector v = data_.GetVector(id[0].id);
            component(v, c) = value.GetFloat();
            data_.SetVector(id[0].id, v);
        } else {
            data_.SetData(id[0].id, value);
        }
    }
    SetDirty(DIRTYFLAGS_DATA);
    DescriptionPostSetValue post;
    post.descid = &id;
    post.userInteraction = (flags & DESCFLAGS_SET_USERINTERACTION) != 0;
    Message(MSG_DESCRIPTION_POSTSETPARAMETER, &post);
    return true;
}

Bool BaseList2D::Message(Int32 type, void* data) {
    if (type == MSG_UPDATE)
        SetDirty(DIRTYFLAGS_DATA);
    return nodeData_ ? nodeData_->Message(this, type, data) : true;
}

Bool BaseList2D::GetDescription(Description* description, DESCFLAGS_DESC flags) {
    if (!description)
        return false;
    if (nodeData_ && !nodeData_->GetDDescription(this, description, flags))
        return false;
    if (flags & DESCFLAGS_DESC_LOADED)
        return true;
    return description->LoadDescription(GetType());
}

Bool BaseList2D::GetEnabling(const DescID& id, const GeData& value, DESCFLAGS_ENABLE flags,
                             const BaseContainer* itemdesc) {
    return nodeData_ ? nodeData_->GetDEnabling(this, id, value, flags, itemdesc) : true;
}

void BaseList2D::CopyBaseTo(BaseList2D* dst) const {
    dst->name_ = name_;
    dst->data_ = data_;
    dst->bits_ = bits_;
}

// ---- BaseLink -----------------------------------------------------------------------------

void BaseLink::SetLink(const C4DAtom* node) {
    const auto* target = dynamic_cast<const BaseList2D*>(node);
    target_ = target ? target->linkTarget_ : nullptr;
}

BaseList2D* BaseLink::GetLink(const BaseDocument* doc, Int32 instanceOf) const {
    BaseList2D* node = ForceGetLink();
    if (!node)
        return nullptr;
    if (doc && node->GetDocument() != doc)
        return nullptr;
    if (instanceOf != 0 && !node->IsInstanceOf(instanceOf))
        return nullptr;
    return node;
}

// ---- Freeing ------------------------------------------------------------------------------

void host::FreeNode(BaseList2D* node) {
    if (!node)
        return;
    if (NodeAccess::IsUndoHeld(node))
        node->Remove();
    else
        delete node;
}
