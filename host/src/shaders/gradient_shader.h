// Xgradient: a linear blend between two colours along u or v.
#pragma once

#include "c4d_shader.h"

namespace host {

class GradientShader final : public BaseShader {
public:
    GradientShader();

    INITRENDERRESULT InitRender(const InitRenderStruct& irs) override;
    void FreeRender() override { prepared_ = false; }
    // start at 0, end at 1, constant beyond; a non-finite position reads as 0.
    Vector Sample(ChannelData* cd) const override;

private:
    Vector start_, end_;
    bool alongV_ = false;
    bool prepared_ = false;
};

} // namespace host
