// The render's cameras: how many passes (eyes × cube faces) and where each eye sits.
#include "Ovrin360CamVP.h"

#include "Ovrin360CamVP/ovp_ids.h"
#include "OvrinTag/otag_ids.h"
#include "c4d_renderdata.h"

#include <string>

Int32 Ovrin360CamVP::StereoGetCameraCountEditor(BaseVideoPost*, BaseDocument*, BaseDraw*) {
    return 0; // the editor views never show stereo cameras
}

Int32 Ovrin360CamVP::StereoGetCameraCountRenderer(BaseVideoPost* node, BaseDocument* doc,
                                                  RenderData* rd) {
    faceCount = 1;
    eyeCount = 0;
    FindCamera(doc);
    if (!camera || !tagData)
        return 0;
    if (viewportRender)
        return 1;
    const BaseContainer* vpData = node ? node->GetDataInstance() : Get()->GetDataInstance();
    if (tagData->GetInt32(OVRINTAG_PROJECTION) == OVRINTAG_PROJECTION_CUBEMAP &&
        vpData->GetInt32(OVRINVP_CUBEMAP_LAYOUT) != OVRIN_CUBEMAP_SINGLE_FACE)
        faceCount = 6;
    eyeCount = 1;
    const BaseContainer renderSettings = rd ? *rd->GetDataInstance() : BaseContainer();
    if (renderSettings.GetBool(RENDERDATA_STEREO) &&
        vpData->GetInt32(OVRINVP_STEREO_OUTPUT) != OVRINVP_STEREO_OUTPUT_SINGLE_CHANNEL)
        eyeCount = 2;
    return eyeCount * faceCount;
}

Bool Ovrin360CamVP::StereoGetCameraInfo(BaseVideoPost*, BaseDocument*, BaseDraw*, RenderData*,
                                        Int32 index, StereoCameraInfo& info) {
    if (!camera || static_cast<UInt32>(index) > 2 || !tagData)
        return false;
    // The eye sits on the camera's own x axis, half the interocular distance to each side.
    const Float shift =
        tagData->GetFloat(OVRINTAG_STEREO_EYE_SEPARATION) * (index == 0 ? -0.5 : 0.5);
    info.m = camera->GetMg() * MatrixMove(Vector(shift, 0, 0));
    info.strName = String(std::to_string(index));
    info.offX = 0;
    info.offY = 0;
    return true;
}
