// The node classes every scene element derives from:
//   C4DAtom     a typed thing that answers parameters and messages,
//   GeListNode  a place in a list and a tree (owned by the list it is in),
//   BaseList2D  a named node with a live parameter container, bits, dirty counters and the
//               plug-in's NodeData whose hooks run inside GetParameter, SetParameter, Message,
//               GetDescription and GetEnabling.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_descid.h"

#include <memory>

class AliasTrans;
class BaseBitmap;
class BaseDocument;
class BaseList2D;
class Description;
class GeListHead;
class GeListNode;
class NodeData;

namespace host {
struct NodeAccess; // host-internal: attaches NodeData, keeps and restores undo state
// Deletes node (taking it out of its list first). A node that an undo step recorded for
// deletion is only taken out of its list: the undo step owns it.
void FreeNode(BaseList2D* node);
} // namespace host

// ---- Messages -----------------------------------------------------------------------------
enum : Int32 {
    MSG_UPDATE = 5,                        // the node changed; the host recomputes what it caches
    MSG_DESCRIPTION_COMMAND = 18,          // a button was pressed; data: DescriptionCommand*
    MSG_DESCRIPTION_POSTSETPARAMETER = 19, // a value was set; data: DescriptionPostSetValue*
    MSG_DESCRIPTION_GETBITMAP = 27, // the image of a bitmap button; data: DescriptionGetBitmap*
    MSG_MULTI_RENDERNOTIFICATION =
        1001071,                 // a render starts or ends; data: RenderNotificationData*
    MSG_DOCUMENTINFO = 1001078,  // the document did something; data: DocumentInfoData*
    MSG_GETCUSTOMICON = 1001090, // the node may supply its icon; data: GetCustomIconData*
};

enum : Int32 {
    MSG_DOCUMENTINFO_TYPE_UNDO = 1013, // an undo step was undone
};

struct DescriptionCommand {
    DescID id;
};

struct DescriptionPostSetValue {
    const DescID* descid = nullptr;
    Bool userInteraction = false; // the set came with DESCFLAGS_SET_USERINTERACTION
};

// The receiver allocates bmp; the host owns and frees it afterwards.
struct DescriptionGetBitmap {
    DescID id;
    BaseBitmap* bmp = nullptr;
};

struct RenderNotificationData {
    BaseDocument* doc = nullptr;
    Bool start = false;    // true at the start of the render, false at its end
    Bool external = false; // the render goes to a file or the picture viewer, not a view
};

struct DocumentInfoData {
    Int32 type = 0; // MSG_DOCUMENTINFO_TYPE_*
    BaseDocument* doc = nullptr;
};

struct IconData {
    BaseBitmap* bmp = nullptr; // not owned
    Int32 x = 0, y = 0, w = 0, h = 0;
};

struct GetCustomIconData {
    IconData* dat = nullptr;
    Bool filled = false;
};

// ---- Bits, dirty flags, copy flags ----------------------------------------------------------
enum : Int32 {
    BIT_ACTIVE = 2,     // selected
    BIT_VPDISABLED = 4, // a video post that is switched off
};

enum DIRTYFLAGS : Int32 {
    DIRTYFLAGS_NONE = 0,
    DIRTYFLAGS_DATA = 1,         // a parameter changed
    DIRTYFLAGS_MATRIX = 2,       // an object's transform changed
    DIRTYFLAGS_CHILDREN = 4,     // the node's children or branches changed
    DIRTYFLAGS_DESCRIPTION = 64, // the attribute view must be rebuilt
};
OVRIN_HOST_FLAG_OPERATORS(DIRTYFLAGS)

enum COPYFLAGS : Int32 {
    COPYFLAGS_NONE = 0,
    COPYFLAGS_NO_HIERARCHY = 4, // an object without its children
    COPYFLAGS_NO_BRANCHES = 8,  // an object without its tags
};
OVRIN_HOST_FLAG_OPERATORS(COPYFLAGS)

// ---- C4DAtom ------------------------------------------------------------------------------
class C4DAtom {
public:
    virtual ~C4DAtom() = default;
    C4DAtom(const C4DAtom&) = delete;
    C4DAtom& operator=(const C4DAtom&) = delete;

    Int32 GetType() const { return type_; }
    // True for the node's own type and for the base type of its kind (Obase, Tbase, ...).
    virtual Bool IsInstanceOf(Int32 type) const { return type == type_; }

    virtual Bool GetParameter(const DescID& id, GeData& value, DESCFLAGS_GET flags) = 0;
    virtual Bool SetParameter(const DescID& id, const GeData& value, DESCFLAGS_SET flags) = 0;
    virtual Bool Message(Int32 type, void* data = nullptr) = 0;
    virtual Bool GetDescription(Description* description, DESCFLAGS_DESC flags) = 0;
    virtual Bool GetEnabling(const DescID& id, const GeData& value, DESCFLAGS_ENABLE flags,
                             const BaseContainer* itemdesc) = 0;

    // A new node of the same type with the same parameters, name and bits (and, for objects,
    // their transform, tags and children unless flags leave them out); null when it cannot be
    // made. The copy lies in no document. trn may be null.
    C4DAtom* GetClone(COPYFLAGS flags, AliasTrans* trn) const;

protected:
    explicit C4DAtom(Int32 type) : type_(type) {}
    // The copy GetClone returns; kinds that can be copied override it.
    virtual C4DAtom* CloneAtom(COPYFLAGS flags) const {
        (void)flags;
        return nullptr;
    }

private:
    Int32 type_;
};

// ---- GeListNode ---------------------------------------------------------------------------
// A node belongs to at most one list; that list owns it. Inserting a node that is already in a
// list moves it. Deleting a node removes it from its list and deletes its children.
class GeListNode : public C4DAtom {
public:
    ~GeListNode() override;

    GeListNode* GetNext() const { return next_; }
    GeListNode* GetPred() const { return pred_; }
    // The parent in a tree (objects), null at the top of a list and for branch lists (tags).
    GeListNode* GetUp() const;
    GeListNode* GetDown() const;
    GeListNode* GetDownLast() const;
    GeListHead* GetListHead() const { return head_; }
    // The document the node lies in, through its lists and parents; null outside one.
    BaseDocument* GetDocument() const;

    void InsertBefore(GeListNode* next);
    void InsertAfter(GeListNode* pred);
    void InsertUnder(GeListNode* parent);     // as the parent's first child
    void InsertUnderLast(GeListNode* parent); // as its last child
    // Takes the node out of its list; the caller owns it afterwards.
    void Remove();

protected:
    explicit GeListNode(Int32 type);
    // Called on a node after it was inserted or removed (its parent may have changed).
    virtual void HierarchyChanged() {}
    // The node's one list of branches (an object's tags, render data's video posts), or null.
    virtual GeListHead* GetBranchHead() { return nullptr; }
    GeListHead& Children() { return *children_; }

private:
    friend class GeListHead;
    friend struct host::NodeAccess;
    GeListHead* head_ = nullptr; // the list this node is in
    GeListNode* next_ = nullptr;
    GeListNode* pred_ = nullptr;
    std::unique_ptr<GeListHead> children_;
};

// An owning list of nodes: the top level of a document's objects, an object's children or
// tags, a render data's video posts. Deleting it deletes its nodes.
class GeListHead {
public:
    // owner: the node whose children (children = true) or branch (false) this is; doc: the
    // document for a top-level list.
    GeListHead(GeListNode* owner, BaseDocument* doc, Bool children)
        : owner_(owner), doc_(doc), children_(children) {}
    ~GeListHead() { FlushAll(); }
    GeListHead(const GeListHead&) = delete;
    GeListHead& operator=(const GeListHead&) = delete;

    GeListNode* GetFirst() const { return first_; }
    GeListNode* GetLast() const;
    GeListNode* GetOwner() const { return owner_; }
    BaseDocument* GetDocument() const;
    void InsertFirst(GeListNode* node);
    void InsertLast(GeListNode* node);
    // Deletes every node of the list.
    void FlushAll();

private:
    friend class GeListNode;
    void Link(GeListNode* node, GeListNode* pred); // after pred, or first for null
    GeListNode* first_ = nullptr;
    GeListNode* owner_;
    BaseDocument* doc_;
    Bool children_;
};

// ---- BaseList2D ---------------------------------------------------------------------------
class BaseList2D : public GeListNode {
public:
    ~BaseList2D() override;

    const String& GetName() const { return name_; }
    void SetName(const String& name) { name_ = name; }

    // The live parameter container: valid and the same object as long as the node lives.
    BaseContainer* GetDataInstance() { return &data_; }
    const BaseContainer* GetDataInstance() const { return &data_; }
    BaseContainer GetData() const { return data_; }
    // add: merge bc into the container; otherwise replace the container by bc.
    Bool SetData(const BaseContainer& bc, Bool add = true);

    Int32 GetAllBits() const { return bits_; }
    void SetAllBits(Int32 bits) { bits_ = bits; }
    Bool GetBit(Int32 mask) const { return (bits_ & mask) != 0; }
    void SetBit(Int32 mask) { bits_ |= mask; }
    void DelBit(Int32 mask) { bits_ &= ~mask; }

    // Counts changes per flag. GetDirty answers the sum of the counters of the flags asked,
    // so a caller sees a change as a different number.
    void SetDirty(DIRTYFLAGS flags);
    UInt32 GetDirty(DIRTYFLAGS flags) const;

    // The plug-in's data of this node, null for nodes without one.
    NodeData* GetNodeData() const { return nodeData_.get(); }
    template <typename T> T* GetNodeData() const { return static_cast<T*>(nodeData_.get()); }

    // Parameters. Get: the hook GetDParameter runs first; unless it set
    // DESCFLAGS_GET_PARAM_GET the value is read from the container (nil for a missing id,
    // which reads as 0, false or empty). Set: the hook SetDParameter runs first; unless it set
    // DESCFLAGS_SET_PARAM_SET the value is stored in the container (a level VECTOR_X..Z below
    // a vector sets one component); then the node is marked DIRTYFLAGS_DATA and receives
    // MSG_DESCRIPTION_POSTSETPARAMETER. A hook answering false ends the call with false.
    Bool GetParameter(const DescID& id, GeData& value, DESCFLAGS_GET flags) override;
    Bool SetParameter(const DescID& id, const GeData& value, DESCFLAGS_SET flags) override;
    // The host's own handling of the message first (MSG_UPDATE marks the node changed), then
    // the hook's; the hook's answer is the result (true without a hook).
    Bool Message(Int32 type, void* data = nullptr) override;
    // The hook GetDDescription runs first; unless it set DESCFLAGS_DESC_LOADED the host loads
    // the description resource registered for the node's type.
    Bool GetDescription(Description* description, DESCFLAGS_DESC flags) override;
    // The hook's answer; true without a hook.
    Bool GetEnabling(const DescID& id, const GeData& value, DESCFLAGS_ENABLE flags,
                     const BaseContainer* itemdesc) override;

protected:
    explicit BaseList2D(Int32 type);
    // Copies parameters, name and bits into dst (a node of the same type).
    void CopyBaseTo(BaseList2D* dst) const;

private:
    friend struct host::NodeAccess;
    friend class BaseLink;
    String name_;
    BaseContainer data_;
    Int32 bits_ = 0;
    UInt32 dirty_[8] = {};
    Bool undoHeld_ = false; // removed under an undo record, which owns it once detached
    std::unique_ptr<NodeData> nodeData_;
    std::shared_ptr<host::LinkTarget> linkTarget_;
};
