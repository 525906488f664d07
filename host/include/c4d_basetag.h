// Tags: nodes attached to an object, in order. A tag of a registered plug-in type carries the
// plug-in's TagData.
#pragma once

#include "c4d_baselist.h"

class BaseObject;
class TagData;

enum : Int32 {
    Tbase = 5612,       // every tag is an instance of this
    Tprotection = 5629, // locks its object's transform in the editor
};

// Tag parameter: when an expression tag is evaluated (PriorityData, CUSTOMDATATYPE_PRIORITY).
// The host writes it into every expression tag before the tag's Init runs.
inline constexpr Int32 EXPRESSION_PRIORITY = 1000998;

class BaseTag : public BaseList2D {
public:
    ~BaseTag() override = default;

    // A new tag of type: a registered plug-in tag (its Alloc and Init run; a tag whose Init
    // fails is deleted and null returned) or a host tag such as Tprotection. Null for an
    // unknown type.
    static BaseTag* Alloc(Int32 type);
    // Deletes the tag, taking it off its object first.
    static void Free(BaseTag*& tag) {
        host::FreeNode(tag);
        tag = nullptr;
    }

    Bool IsInstanceOf(Int32 type) const override {
        return type == Tbase || BaseList2D::IsInstanceOf(type);
    }

    BaseTag* GetNext() const { return static_cast<BaseTag*>(GeListNode::GetNext()); }
    BaseTag* GetPred() const { return static_cast<BaseTag*>(GeListNode::GetPred()); }
    // The object carrying the tag, or null.
    BaseObject* GetObject() const;

    TagData* GetTagData() const;

protected:
    explicit BaseTag(Int32 type) : BaseList2D(type) {}
    C4DAtom* CloneAtom(COPYFLAGS flags) const override;

private:
    friend struct host::NodeAccess;
};
