// The render copy of the tag's separation map: cloned from the prepared shared shader at the
// sequence start, so the render threads sample a shader of their own while the viewport may
// use the shared slot.
#include "Ovrin360CamVP.h"

#include "OvrinTag/otag_ids.h"
#include "c4d_shader.h"
#include "ovrin/ovrin_console.h"
#include "ovrin/ovrin_stereo_map.h"

void Ovrin360CamVP::PrepareSeparationShader(const BaseContainer&, BaseDocument* doc) {
    ReleaseSeparationShader();
    if (!tagData || !tagData->GetBool(OVRINTAG_SEPARATION_MAP))
        return;
    InitShader(tagData, doc);
    BaseShader* shared = GetSeparationShader();
    BaseShader* clone =
        shared ? static_cast<BaseShader*>(shared->GetClone(COPYFLAGS_NONE, nullptr)) : nullptr;
    FreeShader();
    if (!clone)
        return;
    if (clone->InitRender(InitRenderStruct(doc)) != INITRENDERRESULT::OK) {
        OvrinPrintf("Shader clone error");
        BaseShader::Free(clone);
        return;
    }
    separationShader = clone;
}

void Ovrin360CamVP::ReleaseSeparationShader() {
    if (!separationShader)
        return;
    separationShader->FreeRender();
    BaseShader::Free(separationShader);
    separationShader = nullptr;
}
