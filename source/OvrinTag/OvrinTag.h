// The camera tag: turns a host camera into an immersive camera and carries its settings.
#pragma once

#include "c4d_basebitmap.h"
#include "c4d_tagdata.h"
#include "ovrin/ovrin_dome_polygon.h"

class BaseDocument;
class BaseVideoPost;

class OvrinTag : public TagData {
public:
    OvrinTag();
    ~OvrinTag() override;
    OvrinTag(const OvrinTag&) = delete;
    OvrinTag& operator=(const OvrinTag&) = delete;

    static NodeData* Alloc() { return new OvrinTag(); }

    // ---- Settings ------------------------------------------------------------------------
    // Defaults, the render effect added to the render settings when missing (false when there
    // is none to add it to: the host then discards the tag), icons and side images, and the
    // camera dependence of the expression's evaluation.
    Bool Init(GeListNode* node) override;
    void Free(GeListNode* node) override;
    Bool GetDDescription(GeListNode* node, Description* description,
                         DESCFLAGS_DESC& flags) override;
    Bool GetDEnabling(GeListNode* node, const DescID& id, const GeData& value,
                      DESCFLAGS_ENABLE flags, const BaseContainer* itemdesc) override;
    // The stereo switch and the Syphon settings are read from where they live (the render
    // settings, the render effect); the separation map's preview is a bitmap button.
    Bool GetDParameter(GeListNode* node, const DescID& id, GeData& value,
                       DESCFLAGS_GET& flags) override;
    // Writes the proxies through to the render settings and the render effect, and mirrors
    // the stereo settings into the camera carrying the tag.
    Bool SetDParameter(GeListNode* node, const DescID& id, const GeData& value,
                       DESCFLAGS_SET& flags) override;

    // The render effect of the active render settings of doc (null: the tag's document, else
    // the active document); appended as the last video post when create is set and it is
    // missing. Null without a document or render settings, or when it cannot be made.
    BaseVideoPost* GetOvrinVideoPost(BaseDocument* doc, Bool create);

    // ---- Members -------------------------------------------------------------------------
    // Loads the icons and side images from the plug-in's resource folder; a missing or
    // unreadable file is logged and leaves its bitmap empty.
    void LoadBitmaps();

    BaseBitmap* iconOff = nullptr;   // shown while the tag is inactive
    BaseBitmap* iconOn = nullptr;    // shown while the tag is active
    BaseBitmap* sideBitmaps[6] = {}; // front, back, left, right, up, down
    OvrinDomePolygon preview;        // the viewport preview's cached surface
};

// The render effect of doc's active render settings (null doc: the active document), created
// and appended last when create is set and it is missing.
BaseVideoPost* FindOvrinVideoPost(BaseDocument* doc, Bool create);

// The render effect exists and is not switched off.
Bool IsOvrinVideoPostOn(const BaseVideoPost* vp);
