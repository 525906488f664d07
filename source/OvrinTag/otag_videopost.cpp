// Finding (and adding) the render effect in the document's active render settings.
#include "OvrinTag.h"

#include "c4d_basedocument.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "ovrin/ovrin_plugin_ids.h"

BaseVideoPost* FindOvrinVideoPost(BaseDocument* doc, Bool create) {
    if (!doc)
        doc = GetActiveDocument();
    if (!doc)
        return nullptr;
    RenderData* rd = doc->GetActiveRenderData();
    if (!rd)
        return nullptr;
    for (BaseVideoPost* vp = rd->GetFirstVideoPost(); vp; vp = vp->GetNext()) {
        if (vp->GetType() == ID_OVRIN360CAMVP)
            return vp;
    }
    if (!create)
        return nullptr;
    BaseVideoPost* vp = BaseVideoPost::Alloc(ID_OVRIN360CAMVP);
    if (vp)
        rd->InsertVideoPostLast(vp);
    return vp;
}

Bool IsOvrinVideoPostOn(const BaseVideoPost* vp) {
    return vp && !vp->GetBit(BIT_VPDISABLED);
}

BaseVideoPost* OvrinTag::GetOvrinVideoPost(BaseDocument* doc, Bool create) {
    if (!doc && Get())
        doc = Get()->GetDocument();
    return FindOvrinVideoPost(doc, create);
}
