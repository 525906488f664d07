#include "c4d_basetag.h"

#include "c4d_baseobject.h"
#include "c4d_tagdata.h"
#include "node_alloc.h"

BaseTag* BaseTag::Alloc(Int32 type) {
    if (const host::PluginEntry* e = host::FindPlugin(type, host::PluginKind::Tag)) {
        BaseTag* tag = new BaseTag(type);
        if (e->info & TAG_EXPRESSION) {
            PriorityData priority;
            tag->GetDataInstance()->SetData(EXPRESSION_PRIORITY,
                                            GeData(CUSTOMDATATYPE_PRIORITY, priority));
        }
        return host::AttachAndInit(tag, *e);
    }
    if (type == Tprotection)
        return new BaseTag(type);
    return nullptr;
}

BaseObject* BaseTag::GetObject() const {
    const GeListHead* head = GetListHead();
    return head ? dynamic_cast<BaseObject*>(head->GetOwner()) : nullptr;
}

TagData* BaseTag::GetTagData() const {
    return dynamic_cast<TagData*>(GetNodeData());
}

C4DAtom* BaseTag::CloneAtom(COPYFLAGS flags) const {
    (void)flags;
    BaseTag* copy = Alloc(GetType());
    if (copy)
        CopyBaseTo(copy);
    return copy;
}
