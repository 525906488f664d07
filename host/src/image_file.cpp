#include "image_file.h"

#include <OpenImageIO/imageio.h>

namespace host {

bool ReadImageFile(const std::string& path, ImagePixels& out, std::string& error) {
    auto in = OIIO::ImageInput::open(path);
    if (!in) {
        error = "cannot read image \"" + path + "\": " + OIIO::geterror();
        return false;
    }
    const OIIO::ImageSpec& spec = in->spec();
    const int channels = spec.nchannels;
    if (spec.width <= 0 || spec.height <= 0 || channels <= 0) {
        error = "image \"" + path + "\" has no pixels";
        return false;
    }
    std::vector<float> raw(size_t(spec.width) * size_t(spec.height) * size_t(channels));
    if (!in->read_image(0, 0, 0, channels, OIIO::TypeDesc::FLOAT, raw.data())) {
        error = "cannot read image \"" + path + "\": " + in->geterror();
        return false;
    }
    out.width = spec.width;
    out.height = spec.height;
    out.rgba.assign(size_t(spec.width) * size_t(spec.height) * 4, 1.0f);
    const int alphaChannel =
        spec.alpha_channel >= 0 ? spec.alpha_channel : (channels == 4 ? 3 : -1);
    for (size_t i = 0, n = size_t(spec.width) * size_t(spec.height); i < n; ++i) {
        const float* src = &raw[i * size_t(channels)];
        float* dst = &out.rgba[i * 4];
        if (channels < 3) {
            dst[0] = dst[1] = dst[2] = src[0];
        } else {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
        if (alphaChannel >= 0)
            dst[3] = src[alphaChannel];
    }
    return true;
}

} // namespace host
