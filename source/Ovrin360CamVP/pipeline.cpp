// The frame pipeline: the start-of-render check, the work of each Execute call point, and the
// per-pixel and per-line hooks.
#include "Ovrin360CamVP.h"

#include "C4DSyphonServer.h"
#include "Ovrin360CamVP/cubemap_grid.h"
#include "Ovrin360CamVP/ovp_ids.h"
#include "OvrinTag/otag_ids.h"
#include "c4d_basebitmap.h"
#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_renderdata.h"
#include "ovrin/ovrin_console.h"
#include "ovrin/ovrin_geometry.h"

namespace {

constexpr const char* syphonServerName = "Ovrin 360 Cam";

// a + b as fractions, without reducing.
BaseTime addTimes(const BaseTime& t, const BaseTime& o) {
    return BaseTime(t.GetNumerator() * o.GetDenominator() + t.GetDenominator() * o.GetNumerator(),
                    t.GetDenominator() * o.GetDenominator());
}

// The host is an interactive edition: it can show frames to other applications.
bool interactiveHost() {
    const Int32 edition = GeGetVersionType();
    return edition != 8 && edition != 9 && edition != 10 && (GeGetSystemInfo() & 2) == 0;
}

} // namespace

Ovrin360CamVP::Ovrin360CamVP() {
    logoBitmap = BaseBitmap::Alloc();
    maskBitmap = BaseBitmap::Alloc();
    for (BaseBitmap*& b : faceLabelBitmaps)
        b = BaseBitmap::Alloc();
}

Ovrin360CamVP::~Ovrin360CamVP() {
    ReleaseSeparationShader();
    BaseBitmap::Free(logoBitmap);
    BaseBitmap::Free(maskBitmap);
    for (BaseBitmap*& b : faceLabelBitmaps)
        BaseBitmap::Free(b);
}

Int32 Ovrin360CamVP::GetRenderInfo(BaseVideoPost*) {
    return lensActive
               ? VIDEOPOSTINFO_CUSTOMLENS | VIDEOPOSTINFO_EXECUTEPIXEL | VIDEOPOSTINFO_EXECUTELINE
               : 0;
}

Bool Ovrin360CamVP::RenderEngineCheck(BaseVideoPost*, Int32) {
    return true;
}

void Ovrin360CamVP::MakeCubemapGrid(Bool editorView) {
    const BaseContainer empty;
    const BaseContainer* vpData = Get() ? Get()->GetDataInstance() : &empty;
    BuildCubemapGrid(gridCells, gridColumns, gridRows, *vpData, FoundTagData(), editorView);
}

void Ovrin360CamVP::AllocateBuffers(BaseVideoPost* node, Render* render, BaseDocument* doc) {
    BaseDraw* bd = FindCamera(doc);
    const BaseContainer* vpData = node->GetDataInstance();
    linkSceneCamera = false;
    Bool active = true;

    if (CheckIsRunning(CHECKISRUNNING_EDITORRENDERING) && tagData) {
        // A view that looks through a scene camera follows the tag's switch for that view;
        // otherwise the tag's editor switch decides and the tagged camera is linked in.
        const BaseDraw* view = doc ? doc->GetActiveBaseDraw() : nullptr;
        if (view && view->HasCameraLink()) {
            active = tagData->GetBool(OVRINTAG_EDITOR_RENDER_VIEW);
        } else if (tagData->GetBool(OVRINTAG_EDITOR_RENDER)) {
            active = true;
            if (!bd || !bd->HasCameraLink())
                linkSceneCamera = true;
        } else {
            active = false;
        }
    }
    if (!camera) {
        OvrinPrintf("No Ovrin camera found! Create a camera on the Plugins Menu.");
        lensActive = 0;
        return;
    }
    if (!tag || !tagData) {
        OvrinPrintf("No Ovrin tag found! Add a Ovrin tag to the active camera.");
        lensActive = 0;
        return;
    }
    if (!tagData->GetBool(OVRINTAG_ENABLED)) {
        lensActive = 0;
        return;
    }
    lensActive = active ? 1 : 0;
    if (!active)
        return;

    RenderData* rd = doc->GetActiveRenderData();
    BaseContainer rdc = render->GetRenderData();
    Bool changed = false;

    const Int32 p = tagData->GetInt32(OVRINTAG_PROJECTION);
    isFulldome = p == OVRINTAG_PROJECTION_DOME;
    isPanorama = p == OVRINTAG_PROJECTION_PANORAMA;
    isCylindrical = p == OVRINTAG_PROJECTION_CYLINDRICAL;
    isCubemap = p == OVRINTAG_PROJECTION_CUBEMAP;

    passCount = StereoGetCameraCountRenderer(node, doc, rd);

    stereoActive = rdc.GetBool(RENDERDATA_STEREO);
    if (stereoActive) {
        rdc.SetBool(RENDERDATA_ALPHACHANNEL, false);
        OvrinPrintf("Alpha channel disabled for Stereoscopic render");
        changed = true;
    }
    if (passCount == 0) {
        lensActive = 0;
        if (changed)
            render->SetRenderData(rdc);
        return;
    }
    if (isCubemap && vpData->GetInt32(OVRINVP_CUBEMAP_LAYOUT) != OVRIN_CUBEMAP_SINGLE_FACE) {
        // The faces render as the host's multi-camera passes.
        rdc.SetBool(RENDERDATA_STEREO, true);
        rdc.SetBool(RENDERDATA_ALPHACHANNEL, false);
        changed = true;
    }
    if (changed)
        render->SetRenderData(rdc);
}

RENDERRESULT Ovrin360CamVP::Execute(BaseVideoPost* node, VideoPostStruct* vps) {
    if (!lensActive)
        return RENDERRESULT_OK;
    BaseDocument* doc = vps->doc;
    BaseDraw* bd = doc ? doc->GetRenderBaseDraw() : nullptr;
    RenderData* rd = doc ? doc->GetActiveRenderData() : nullptr;
    const BaseContainer rdc = vps->render ? vps->render->GetRenderData()
                                          : (rd ? *rd->GetDataInstance() : BaseContainer());

    switch (vps->vp) {
    case VIDEOPOSTCALL_FRAMESEQUENCE:
        if (vps->open)
            OpenSequence(node, vps, bd, rd, rdc);
        else
            CloseSequence(bd);
        break;
    case VIDEOPOSTCALL_RENDER:
        if (vps->open)
            OpenPass(vps);
        break;
    case VIDEOPOSTCALL_FRAME:
        if (!vps->open && syphonEnabled && vps->render)
            C4DSyphonServer::Instance()->publishBuffer(vps->render->GetBuffer(VPBUFFER_RGBA, 0));
        break;
    default:
        break;
    }
    return RENDERRESULT_OK;
}

void Ovrin360CamVP::OpenSequence(BaseVideoPost* node, VideoPostStruct* vps, BaseDraw* bd,
                                 RenderData* rd, const BaseContainer& rdc) {
    BaseDocument* doc = vps->doc;
    const BaseContainer& vpData = *node->GetDataInstance();
    if (linkSceneCamera && bd)
        bd->SetSceneCamera(camera, false);

    // Lens state from the tag.
    partialPanorama = tagData->GetBool(OVRINTAG_PANORAMA_PARTIAL);
    cylinderVertical =
        tagData->GetInt32(OVRINTAG_CYLINDER_ORIENTATION) == OVRINTAG_CYLINDER_VERTICAL;
    cylinderHeight = tagData->GetFloat(OVRINTAG_CYLINDER_HEIGHT);
    if (isFulldome)
        fieldOfView = tagData->GetFloat(OVRINTAG_DOME_FOV);
    else if (isPanorama)
        fieldOfView = tagData->GetFloat(OVRINTAG_PANORAMA_HFOV);
    else if (isCylindrical)
        fieldOfView = tagData->GetFloat(OVRINTAG_CYLINDER_FOV);
    SetPanoramaRanges(fieldOfView, tagData->GetFloat(OVRINTAG_PANORAMA_LAT_MIN),
                      tagData->GetFloat(OVRINTAG_PANORAMA_LAT_MAX));

    // The render effect's own settings.
    domeMaskMode = vpData.GetInt32(OVRINVP_DOME_MASK);
    overlayEnabled = vpData.GetBool(OVRINVP_DOME_OVERLAYS) && isFulldome;
    if (overlayEnabled) {
        showInfo = vpData.GetBool(OVRINVP_OVERLAY_INFO);
        showFrameNumber = vpData.GetBool(OVRINVP_OVERLAY_FRAME);
        showTimecode = vpData.GetBool(OVRINVP_OVERLAY_TIMECODE);
        showText = vpData.GetBool(OVRINVP_OVERLAY_TEXT);
        logoMode = vpData.GetInt32(OVRINVP_LOGO);
    } else {
        showInfo = showFrameNumber = showTimecode = showText = 0;
        logoMode = OVRINVP_LOGO_NONE;
    }
    timecodeOffset = vpData.GetTime(OVRINVP_TIMECODE_OFFSET);
    overlayText = vpData.GetString(OVRINVP_TEXT);
    textSize = vpData.GetFloat(OVRINVP_TEXT_SIZE);
    syphonEnabled = vpData.GetBool(OVRINVP_SYPHON) && interactiveHost();
    syphonMode = vpData.GetInt32(OVRINVP_SYPHON_MODE);

    documentName = doc ? doc->GetDocumentName() : Filename();
    frameRate = rdc.GetFloat(RENDERDATA_FRAMERATE);
    documentMinTime = doc ? doc->GetMinTime() : BaseTime();
    documentMaxTime = doc ? doc->GetMaxTime() : BaseTime();

    // Stereo: editor-view renders are always mono.
    if (viewportRender) {
        stereoActive = false;
    } else if (stereoActive) {
        const Int32 output = vpData.GetInt32(OVRINVP_STEREO_OUTPUT);
        stereoAnaglyph = output == OVRINVP_STEREO_OUTPUT_ANAGLYPH;
        stereoSideBySide = output == OVRINVP_STEREO_OUTPUT_SIDE_BY_SIDE;
        stereoInterlaced = output == OVRINVP_STEREO_OUTPUT_INTERLACED;
        const Int32 arrangement = vpData.GetInt32(OVRINVP_STEREO_ARRANGEMENT);
        splitWidth = stereoSideBySide && arrangement == OVRINVP_STEREO_ARRANGEMENT_WIDTH;
        splitHeight = stereoSideBySide && arrangement == OVRINVP_STEREO_ARRANGEMENT_HEIGHT;
        swapEyes = vpData.GetBool(OVRINVP_STEREO_SWAP);
        eyeShiftPixels = vpData.GetInt32(OVRINVP_STEREO_SHIFT);
        anaglyphColors = vpData.GetInt32(OVRINVP_ANAGLYPH_COLORS);
        anaglyphMethod = vpData.GetInt32(OVRINVP_ANAGLYPH_METHOD);
        anaglyphGamma = vpData.GetFloat(OVRINVP_ANAGLYPH_GAMMA);
        interlacePattern = vpData.GetInt32(OVRINVP_INTERLACE_PATTERN);
        eyeSeparation = tagData->GetFloat(OVRINTAG_STEREO_EYE_SEPARATION);
        convergenceDistance = tagData->GetInt32(OVRINTAG_STEREO_CONVERGENCE_MODE) != 0
                                  ? tagData->GetFloat(OVRINTAG_STEREO_CONVERGENCE)
                                  : 0.0;
        PrepareSeparationShader(vpData, doc);
    }

    // Overlay images start empty for every sequence.
    logoBitmap->FlushAll();
    maskBitmap->FlushAll();

    // Areas of the image, the eyes and the faces.
    renderSize = Vector(rdc.GetFloat(RENDERDATA_WIDTH), rdc.GetFloat(RENDERDATA_HEIGHT), 0);
    renderArea = WholeImageArea(renderSize.x, renderSize.y);
    if (viewportRender)
        FitEditorView(renderArea, tagData->GetFloat(OVRINTAG_ASPECT), isCubemap != 0);
    frameArea = renderArea;
    passIndex = -1;

    EyeLayout layout;
    layout.stereo = stereoActive;
    layout.eyeCount = eyeCount;
    layout.swapEyes = swapEyes;
    layout.singleChannel = vpData.GetInt32(OVRINVP_STEREO_CHANNEL);
    layout.splitWidth = splitWidth;
    layout.splitHeight = splitHeight;
    layout.sideBySide = stereoSideBySide;
    layout.leftFlipX = vpData.GetBool(OVRINVP_LEFT_FLIP_X);
    layout.leftFlipY = vpData.GetBool(OVRINVP_LEFT_FLIP_Y);
    layout.rightFlipX = vpData.GetBool(OVRINVP_RIGHT_FLIP_X);
    layout.rightFlipY = vpData.GetBool(OVRINVP_RIGHT_FLIP_Y);
    DeriveEyeViews(eyes, renderArea, layout);
    if (stereoActive) {
        for (Int32 i = 0; i < eyeCount && i < 2; ++i)
            StereoGetCameraInfo(node, doc, bd, rd, eyes[i].channel, eyes[i].info);
    }

    if (isCubemap)
        MakeCubemapGrid(viewportRender != 0);
    DeriveFaceViews(faces, eyes[0], isCubemap != 0, gridCells, gridColumns, gridRows);

    C4DSyphonServer* syphon = C4DSyphonServer::Instance();
    if (syphonEnabled) {
        syphon->start(syphonServerName, false);
        syphon->setSize(renderSize, false);
        const Area& announced = viewportRender ? frameArea : renderArea;
        syphon->setArea(announced.start, announced.size);
    } else {
        syphon->shutdown();
    }
}

void Ovrin360CamVP::OpenPass(VideoPostStruct* vps) {
    overlayTime = addTimes(vps->time, timecodeOffset);
    passIndex = passCount > 0 ? (passIndex + 1) % passCount : 0;
    const Int32 face = faceCount > 0 ? passIndex % faceCount : 0;
    const Int32 eye = faceCount > 0 ? passIndex / faceCount : 0;
    currentFace = faces[face];
    currentEye = eyes[eye < 2 ? eye : 1];
    SetRenderArea(PassArea(currentFace, currentEye, frameArea, viewportRender != 0));
    overscanPixels = 10;
    if (isFulldome) {
        const DomeCorner corner = DeriveDomeCorner(renderArea);
        domeDiameter = corner.domeDiameter;
        cornerSize = corner.cornerSize;
        logoCorner = corner.logoCorner;
    }
}

void Ovrin360CamVP::CloseSequence(BaseDraw* bd) {
    if (bd && linkSceneCamera)
        bd->SetSceneCamera(nullptr, false);
    ReleaseSeparationShader();
    if (isCubemap && viewportRender)
        MakeCubemapGrid(false);
}

void Ovrin360CamVP::ExecutePixel(BaseVideoPost*, PixelPost* pp, Int32 x, Int32, Int32) {
    if (!lensActive || !pp || !pp->col)
        return;
    const Area& eye = currentEye.area;
    const Float u = (x - eye.start.x) / (eye.width - 1);
    const Float v = (pp->line - eye.start.y) / (eye.height - 1);
    const bool outsideView = viewportRender && (u < 0 || u > 1 || v < 0 || v > 1);
    const bool outsideDome =
        isFulldome && domeMaskMode == OVRINVP_DOME_MASK_CIRCLE && domeMasked(Vector64(u, v, 0));
    if (!outsideView && !outsideDome)
        return;
    Float32* c = pp->col + static_cast<std::ptrdiff_t>(x - pp->xmin) * pp->comp;
    c[0] = c[1] = c[2] = 0.0f;
    if (pp->comp >= 4)
        c[3] = 1.0f;
}

void Ovrin360CamVP::ExecuteLine(BaseVideoPost*, PixelPost* pp) {
    if (!syphonEnabled || syphonMode != OVRINVP_SYPHON_MODE_LINES || !pp || !pp->validLine)
        return;
    std::lock_guard<std::mutex> hold(syphonLock);
    C4DSyphonServer::Instance()->publishLine(pp);
}
