// Xcolor: one colour everywhere.
#pragma once

#include "c4d_shader.h"

namespace host {

class ColorShader final : public BaseShader {
public:
    ColorShader();

    INITRENDERRESULT InitRender(const InitRenderStruct& irs) override;
    void FreeRender() override { prepared_ = false; }
    Vector Sample(ChannelData* cd) const override;

private:
    Vector color_;
    bool prepared_ = false;
};

} // namespace host
