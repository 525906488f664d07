// Xbitmap: an image file, loaded when the shader is prepared and sampled bilinearly.
#pragma once

#include "c4d_shader.h"
#include "image_file.h"

namespace host {

class BitmapShader final : public BaseShader {
public:
    BitmapShader();

    // Loads BITMAPSHADER_FILENAME; ASSETMISSING when it is empty or cannot be read.
    INITRENDERRESULT InitRender(const InitRenderStruct& irs) override;
    void FreeRender() override;
    // Bilinear between texel centres ((i + 0.5)/width, (j + 0.5)/height), v = 0 the top row.
    Vector Sample(ChannelData* cd) const override;

private:
    ImagePixels image_; // empty while unprepared
};

} // namespace host
