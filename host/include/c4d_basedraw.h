// BaseDraw: a view of the document. The render view may look through a linked scene camera;
// otherwise it uses its own editor camera.
#pragma once

#include "c4d_baselink.h"
#include "c4d_baselist.h"

class BaseObject;
class CameraObject;

inline constexpr Int32 Dbasedraw = 110305;

class BaseDraw : public BaseList2D {
public:
    BaseDraw();
    ~BaseDraw() override;

    // The linked scene camera when it still exists and lies in doc; null otherwise.
    BaseObject* GetSceneCamera(const BaseDocument* doc) const;
    // Links op (null: unlinks). animate is accepted for the interface and ignored.
    void SetSceneCamera(BaseObject* op, Bool animate = false);
    // True while the linked camera exists.
    Bool HasCameraLink() const;
    // The view's own camera, used when no scene camera is linked.
    CameraObject* GetEditorCamera() const { return editorCamera_; }

protected:
    C4DAtom* CloneAtom(COPYFLAGS flags) const override;

private:
    BaseLink sceneCamera_;
    CameraObject* editorCamera_;
};
