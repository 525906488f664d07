// Finding the render's camera: the render view's linked camera, or the first tagged camera.
#include "Ovrin360CamVP.h"

#include "OvrinTag/otag_ids.h"
#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "ovrin/ovrin_plugin_ids.h"

namespace {

bool hasEnabledTag(const BaseObject* op) {
    const BaseTag* t = op->GetTag(ID_OVRINTAG);
    return t && t->GetDataInstance()->GetBool(OVRINTAG_ENABLED);
}

} // namespace

BaseDraw* Ovrin360CamVP::FindCamera(BaseDocument* doc) {
    camera = nullptr;
    tag = nullptr;
    tagData = nullptr;
    foundCamera_.SetLink(nullptr);
    foundTag_.SetLink(nullptr);
    if (!doc && Get())
        doc = Get()->GetDocument();
    if (!doc)
        doc = GetActiveDocument();
    if (!doc)
        return nullptr;

    BaseDraw* bd = doc->GetRenderBaseDraw();
    // A linked camera is the camera even without a tag; the render check then reports it.
    if (bd)
        camera = bd->GetSceneCamera(doc);
    if (!camera)
        camera = FindFirstOvrinTagCamera(doc->GetFirstObject(), 0);
    if (camera)
        tag = camera->GetTag(ID_OVRINTAG);
    if (tag)
        tagData = tag->GetDataInstance();
    foundCamera_.SetLink(camera);
    foundTag_.SetLink(tag);
    return bd;
}

BaseContainer* Ovrin360CamVP::FoundTagData() {
    // The document may have lost the camera or the tag since the search.
    const Bool cameraGone = camera && foundCamera_.ForceGetLink() != camera;
    const Bool tagGone = tag && foundTag_.ForceGetLink() != tag;
    if (cameraGone || tagGone) {
        camera = nullptr;
        tag = nullptr;
        tagData = nullptr;
    }
    return tagData;
}

BaseObject* Ovrin360CamVP::FindFirstOvrinTagCamera(BaseObject* op, Int32 depth) {
    for (; op; op = op->GetNext()) {
        if (op->GetType() == Ocamera && hasEnabledTag(op) && op->GetRenderMode() != MODE_OFF)
            return op;
        if (BaseObject* hit = FindFirstOvrinTagCamera(op->GetDown(), depth + 1))
            return hit;
    }
    return nullptr;
}
