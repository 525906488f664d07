// One undo group of a document: the records AddUndo made between StartUndo and EndUndo.
// Records name their nodes by link, so a node deleted since is skipped rather than touched.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_basedocument.h"
#include "node_access.h"

#include <vector>

namespace host {

struct UndoRecord {
    UNDOTYPE type = UNDOTYPE_NONE;
    BaseLink node;
    NodeState state;            // CHANGE, CHANGE_SMALL
    BaseList2D* held = nullptr; // DELETE: the removed node, owned by the record once detached
    BaseLink owner;             // DELETE: the node whose list it was in (none: the document)
    ListKind kind = ListKind::DocObjects;
    BaseLink pred; // DELETE: its predecessor then
};

class UndoStep {
public:
    explicit UndoStep(BaseDocument* doc) : doc_(doc) {}
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

    Bool Add(UNDOTYPE type, BaseList2D* node);
    // Reverts the records, last first.
    void Revert();
    Bool IsEmpty() const { return records_.empty(); }

private:
    void RevertOne(UndoRecord& r);
    BaseDocument* doc_;
    std::vector<UndoRecord> records_;
};

} // namespace host
