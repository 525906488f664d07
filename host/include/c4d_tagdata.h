// TagData: the plug-in's side of a tag. Evaluated as an expression (Execute) when the tag is
// registered with TAG_EXPRESSION, drawn in the viewport (Draw) when registered TAG_VISIBLE.
#pragma once

#include "c4d_nodedata.h"

class BaseDocument;
class BaseDraw;
class BaseDrawHelp;
class BaseObject;
class BaseTag;
class BaseThread;

enum EXECUTIONFLAGS : Int32 {
    EXECUTIONFLAGS_NONE = 0,
    EXECUTIONFLAGS_RENDER = 8, // the document is evaluated for a render
};
OVRIN_HOST_FLAG_OPERATORS(EXECUTIONFLAGS)

enum EXECUTIONRESULT : Int32 {
    EXECUTIONRESULT_OK = 0,
    EXECUTIONRESULT_USERBREAK = 1,
    EXECUTIONRESULT_OUTOFMEMORY = 2,
};

// Registration flags of a tag.
enum : Int32 {
    TAG_VISIBLE = 1,    // shown in the object manager and drawn
    TAG_EXPRESSION = 8, // evaluated with the document
};

class TagData : public NodeData {
public:
    // op: the object carrying the tag.
    virtual EXECUTIONRESULT Execute(BaseTag* tag, BaseDocument* doc, BaseObject* op, BaseThread* bt,
                                    Int32 priority, EXECUTIONFLAGS flags) {
        (void)tag;
        (void)doc;
        (void)op;
        (void)bt;
        (void)priority;
        (void)flags;
        return EXECUTIONRESULT_OK;
    }
    virtual Bool Draw(BaseTag* tag, BaseObject* op, BaseDraw* bd, BaseDrawHelp* bh) {
        (void)tag;
        (void)op;
        (void)bd;
        (void)bh;
        return true;
    }
};

// Registers a tag type. g allocates the TagData of each new tag; description names the
// description resource; the host keeps its own copy of icon (null allowed). False when the id
// is taken or g is null.
Bool RegisterTagPlugin(Int32 id, const String& str, Int32 info, DataAllocator* g,
                       const String& description, BaseBitmap* icon, Int32 disklevel);
