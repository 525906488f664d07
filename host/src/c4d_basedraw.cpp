#include "c4d_basedraw.h"

#include "c4d_baseobject.h"

BaseDraw::BaseDraw() : BaseList2D(Dbasedraw), editorCamera_(new CameraObject()) {
    SetName("Editor");
}

BaseDraw::~BaseDraw() {
    delete editorCamera_;
}

BaseObject* BaseDraw::GetSceneCamera(const BaseDocument* doc) const {
    return static_cast<BaseObject*>(sceneCamera_.GetLink(doc, Obase));
}

void BaseDraw::SetSceneCamera(BaseObject* op, Bool animate) {
    (void)animate;
    sceneCamera_.SetLink(op);
    SetDirty(DIRTYFLAGS_DATA);
}

Bool BaseDraw::HasCameraLink() const {
    return sceneCamera_.ForceGetLink() != nullptr;
}

C4DAtom* BaseDraw::CloneAtom(COPYFLAGS flags) const {
    (void)flags;
    auto* copy = new BaseDraw();
    CopyBaseTo(copy);
    copy->sceneCamera_ = sceneCamera_;
    copy->editorCamera_->SetMl(editorCamera_->GetMl());
    return copy;
}
