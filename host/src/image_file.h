// Reading image files into float RGBA pixels, for every part of the host that loads pictures
// (bitmaps, shaders, environments). Host-internal: the plug-in never sees it.
#pragma once

#include <string>
#include <vector>

namespace host {

struct ImagePixels {
    int width = 0;
    int height = 0;
    std::vector<float> rgba; // width · height · 4, rows top to bottom

    const float* Pixel(int x, int y) const {
        return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
    }
};

// Reads the first subimage of path. Grey images fill R, G and B; a missing alpha reads as 1.
// On failure returns false and sets error to one sentence naming the file.
bool ReadImageFile(const std::string& path, ImagePixels& out, std::string& error);

} // namespace host
