// The tag's settings: defaults, attribute view, proxies and mirrors.
#include "OvrinTag.h"

#include "Ovrin360CamVP/ovp_ids.h"
#include "c4d_basedocument.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_customdata.h"
#include "c4d_description.h"
#include "c4d_renderdata.h"
#include "otag_ids.h"
#include "otag_rules.h"
#include "ovrin/ovrin_plugin_ids.h"

namespace {

BaseList2D* AsNode(GeListNode* node) {
    return static_cast<BaseList2D*>(node);
}

// The active render settings of the document the tag lies in.
RenderData* TagRenderData(GeListNode* node) {
    BaseDocument* doc = node ? node->GetDocument() : nullptr;
    return doc ? doc->GetActiveRenderData() : nullptr;
}

Bool StereoSwitch(GeListNode* node) {
    const RenderData* rd = TagRenderData(node);
    return rd && rd->GetDataInstance()->GetBool(RENDERDATA_STEREO);
}

// Its attribute view shows what the tag just changed.
void MarkDescriptionDirty(BaseVideoPost* vp) {
    if (vp)
        vp->SetDirty(DIRTYFLAGS_DESCRIPTION);
}

// The camera the tag sits on; null on anything else.
BaseObject* TagCamera(GeListNode* node) {
    BaseObject* op = static_cast<BaseTag*>(node)->GetObject();
    return op && op->IsInstanceOf(Ocamera) ? op : nullptr;
}

void SetHidden(Description* description, Int32 id, Bool hidden) {
    if (BaseContainer* bc = description->GetParameterI(DescID(id)))
        bc->SetBool(DESC_HIDE, hidden);
}

void SetShortName(Description* description, Int32 id, const String& name) {
    if (BaseContainer* bc = description->GetParameterI(DescID(id)))
        bc->SetString(DESC_SHORT_NAME, name);
}

} // namespace

OvrinTag::OvrinTag()
    : iconOff(BaseBitmap::Alloc()),
      iconOn(BaseBitmap::Alloc()), sideBitmaps{BaseBitmap::Alloc(), BaseBitmap::Alloc(),
                                               BaseBitmap::Alloc(), BaseBitmap::Alloc(),
                                               BaseBitmap::Alloc(), BaseBitmap::Alloc()} {}

OvrinTag::~OvrinTag() {
    BaseBitmap::Free(iconOff);
    BaseBitmap::Free(iconOn);
    for (BaseBitmap*& bmp : sideBitmaps)
        BaseBitmap::Free(bmp);
}

Bool OvrinTag::Init(GeListNode* node) {
    BaseList2D* tag = AsNode(node);
    WriteDefaults(*tag->GetDataInstance(), OVRINTAG_DEFAULTS);

    if (!GetOvrinVideoPost(nullptr, true))
        return false;

    LoadBitmaps();

    // The tag follows the view's camera: evaluate it again when that camera changes.
    GeData priority;
    if (tag->GetParameter(DescID(EXPRESSION_PRIORITY), priority, DESCFLAGS_GET_NONE)) {
        if (auto* pd =
                static_cast<PriorityData*>(priority.GetCustomDataType(CUSTOMDATATYPE_PRIORITY)))
            pd->SetPriorityValue(PRIORITYVALUE_CAMERADEPENDENT, GeData(true));
        tag->SetParameter(DescID(EXPRESSION_PRIORITY), priority, DESCFLAGS_SET_NONE);
    }
    return true;
}

void OvrinTag::Free(GeListNode* node) {
    (void)node;
}

Bool OvrinTag::GetDDescription(GeListNode* node, Description* description, DESCFLAGS_DESC& flags) {
    if (!description || !description->LoadDescription(ID_OVRINTAG))
        return false;
    const BaseContainer& data = *AsNode(node)->GetDataInstance();
    const Bool effectOn = IsOvrinVideoPostOn(GetOvrinVideoPost(nullptr, true));
    for (const TagHiding& h : TagHiddenEntries(data, effectOn))
        SetHidden(description, h.id, h.hidden);

    // The static texts show the aspect labels.
    SetShortName(description, OVRINTAG_ASPECT_TEXT, data.GetString(OVRINTAG_ASPECT_LABEL));
    SetShortName(description, OVRINTAG_STEREO_ASPECT_TEXT,
                 data.GetString(OVRINTAG_STEREO_ASPECT_LABEL));
    flags |= DESCFLAGS_DESC_LOADED;
    return true;
}

Bool OvrinTag::GetDEnabling(GeListNode* node, const DescID& id, const GeData& value,
                            DESCFLAGS_ENABLE flags, const BaseContainer* itemdesc) {
    (void)flags;
    (void)itemdesc;
    const BaseVideoPost* vp = GetOvrinVideoPost(nullptr, true);
    TagRuleContext context;
    context.effectOn = IsOvrinVideoPostOn(vp);
    context.stereoOn = StereoSwitch(node);
    context.effectSyphon = vp && vp->GetDataInstance()->GetBool(OVRINVP_SYPHON);
    return TagParameterEnabled(id[0].id, value, *AsNode(node)->GetDataInstance(), context);
}

Bool OvrinTag::GetDParameter(GeListNode* node, const DescID& id, GeData& value,
                             DESCFLAGS_GET& flags) {
    switch (id[0].id) {
    case OVRINTAG_STEREO:
        if (const RenderData* rd = TagRenderData(node)) {
            value = GeData(rd->GetDataInstance()->GetInt32(RENDERDATA_STEREO));
            flags |= DESCFLAGS_GET_PARAM_GET;
        }
        break;
    case OVRINTAG_SEPARATION_MAP_PREVIEW:
        value = GeData(CUSTOMDATATYPE_BITMAPBUTTON, BitmapButtonStruct(AsNode(node), id, 0));
        flags |= DESCFLAGS_GET_PARAM_GET;
        break;
    case OVRINTAG_SYPHON:
    case OVRINTAG_SYPHON_MODE:
        if (const BaseVideoPost* vp = GetOvrinVideoPost(nullptr, true)) {
            const Int32 vpId = id[0].id == OVRINTAG_SYPHON ? OVRINVP_SYPHON : OVRINVP_SYPHON_MODE;
            value = GeData(vp->GetDataInstance()->GetInt32(vpId));
            flags |= DESCFLAGS_GET_PARAM_GET;
        }
        break;
    default:
        break;
    }
    return TagData::GetDParameter(node, id, value, flags);
}

Bool OvrinTag::SetDParameter(GeListNode* node, const DescID& id, const GeData& value,
                             DESCFLAGS_SET& flags) {
    switch (id[0].id) {
    case OVRINTAG_PROJECTION: // the render effect's view depends on the projection
        MarkDescriptionDirty(GetOvrinVideoPost(nullptr, true));
        break;
    case OVRINTAG_STEREO:
        if (RenderData* rd = TagRenderData(node)) {
            BaseContainer bc = rd->GetData();
            bc.SetBool(RENDERDATA_STEREO, value.GetInt32() != 0);
            rd->SetData(bc, true);
            MarkDescriptionDirty(GetOvrinVideoPost(nullptr, true));
            flags |= DESCFLAGS_SET_PARAM_SET;
        }
        break;
    case OVRINTAG_STEREO_EYE_SEPARATION:
    case OVRINTAG_STEREO_CONVERGENCE:
        if (BaseObject* camera = TagCamera(node)) {
            const Int32 cameraId = id[0].id == OVRINTAG_STEREO_EYE_SEPARATION
                                       ? CAMERA_STEREO_EYE_SEPARATION
                                       : CAMERA_STEREO_ZERO_PARALLAX;
            const Float v = value.GetFloat();
            GeData current;
            camera->GetParameter(DescID(cameraId), current, DESCFLAGS_GET_NONE);
            if (current.GetFloat() != v)
                camera->SetParameter(DescID(cameraId), GeData(v), DESCFLAGS_SET_NONE);
        }
        break;
    case OVRINTAG_STEREO_CONVERGENCE_MODE:
        if (BaseObject* camera = TagCamera(node))
            camera->SetParameter(DescID(CAMERA_STEREO_CONVERGENCE_MODE),
                                 GeData(Int32(value.GetInt32() != 0 ? 1 : 0)), DESCFLAGS_SET_NONE);
        break;
    case OVRINTAG_SYPHON:
    case OVRINTAG_SYPHON_MODE:
        if (BaseVideoPost* vp = GetOvrinVideoPost(nullptr, true)) {
            BaseContainer* bc = vp->GetDataInstance();
            if (id[0].id == OVRINTAG_SYPHON)
                bc->SetBool(OVRINVP_SYPHON, value.GetInt32() != 0);
            else
                bc->SetInt32(OVRINVP_SYPHON_MODE, value.GetInt32());
            MarkDescriptionDirty(vp);
            flags |= DESCFLAGS_SET_PARAM_SET;
        }
        break;
    default:
        break;
    }
    return TagData::SetDParameter(node, id, value, flags);
}
