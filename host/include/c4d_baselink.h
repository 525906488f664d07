// BaseLink: a reference to a node that never dangles. A node and all links to it share one
// small target record; the node's destructor clears it, so a link to a deleted node resolves to
// null instead of to freed memory.
#pragma once

#include "ge_types.h"

#include <memory>

class BaseDocument;
class BaseList2D;
class C4DAtom;

namespace host {
// Shared between a node and every link to it. Host-internal.
struct LinkTarget {
    BaseList2D* node = nullptr;
};
} // namespace host

class BaseLink {
public:
    BaseLink() = default;
    explicit BaseLink(const C4DAtom* node) { SetLink(node); }

    static BaseLink* Alloc() { return new BaseLink(); }
    static void Free(BaseLink*& link) {
        delete link;
        link = nullptr;
    }

    // Links to node (a BaseList2D), or to nothing for null or any other atom.
    void SetLink(const C4DAtom* node);
    // The target when it still exists and, for a non-null doc, lies in that document; when
    // instanceOf is not 0 the target must also be an instance of that type. Null otherwise.
    BaseList2D* GetLink(const BaseDocument* doc, Int32 instanceOf = 0) const;
    // The target while it exists, wherever it is.
    BaseList2D* ForceGetLink() const { return target_ ? target_->node : nullptr; }

    // Two links are equal when they name the same target (or both name none).
    bool operator==(const BaseLink& o) const { return ForceGetLink() == o.ForceGetLink(); }

private:
    std::shared_ptr<const host::LinkTarget> target_;
};
