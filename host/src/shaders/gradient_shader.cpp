#include "gradient_shader.h"

#include "c4d_shader_kinds.h"

#include <cmath>

namespace host {

GradientShader::GradientShader() : BaseShader(Xgradient) {
    BaseContainer* data = GetDataInstance();
    data->SetVector(GRADIENTSHADER_COLOR_START, Vector(0, 0, 0));
    data->SetVector(GRADIENTSHADER_COLOR_END, Vector(1, 1, 1));
    data->SetInt32(GRADIENTSHADER_DIRECTION, GRADIENTSHADER_DIRECTION_U);
}

INITRENDERRESULT GradientShader::InitRender(const InitRenderStruct& irs) {
    (void)irs;
    const BaseContainer* data = GetDataInstance();
    start_ = data->GetVector(GRADIENTSHADER_COLOR_START);
    end_ = data->GetVector(GRADIENTSHADER_COLOR_END);
    alongV_ = data->GetInt32(GRADIENTSHADER_DIRECTION) == GRADIENTSHADER_DIRECTION_V;
    prepared_ = true;
    return INITRENDERRESULT::OK;
}

Vector GradientShader::Sample(ChannelData* cd) const {
    if (!prepared_ || !cd)
        return {0, 0, 0};
    Float t = alongV_ ? cd->p.y : cd->p.x;
    if (!(t > 0.0)) // also catches NaN
        t = 0.0;
    else if (t > 1.0)
        t = 1.0;
    return start_ + (end_ - start_) * t;
}

} // namespace host
