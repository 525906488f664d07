#include "color_shader.h"

#include "c4d_shader_kinds.h"

namespace host {

ColorShader::ColorShader() : BaseShader(Xcolor) {
    GetDataInstance()->SetVector(COLORSHADER_COLOR, Vector(1, 1, 1));
}

INITRENDERRESULT ColorShader::InitRender(const InitRenderStruct& irs) {
    (void)irs;
    color_ = GetDataInstance()->GetVector(COLORSHADER_COLOR);
    prepared_ = true;
    return INITRENDERRESULT::OK;
}

Vector ColorShader::Sample(ChannelData* cd) const {
    (void)cd;
    return prepared_ ? color_ : Vector(0, 0, 0);
}

} // namespace host
