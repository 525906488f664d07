// Render buffers and the renderer's record of a finished line.
#pragma once

#include "ge_types.h"

#include <cstddef>
#include <vector>

// Queries of VPBuffer::GetInfo.
enum class VPGETINFO : Int32 {
    XRESOLUTION = 0, // width in pixels
    YRESOLUTION = 1, // height in pixels
    BITDEPTH = 2,    // bits per channel as stored: 32 (float)
    CPP = 3,         // channels per pixel: 3 (RGB) or 4 (RGBA)
};

// One image of a render: width × height pixels of 32-bit float channels, row 0 at the top.
class VPBuffer {
public:
    VPBuffer() = default;
    // A black image. A non-positive size gives an empty buffer; cpp other than 3 means RGBA.
    VPBuffer(Int32 width, Int32 height, Int32 cpp = 4);

    Int32 GetBw() const { return width_; }
    Int32 GetBh() const { return height_; }
    Int32 GetBt() const { return 32; }
    Int32 GetCpp() const { return cpp_; }
    // The value of one query; 0 for an unknown one.
    Int32 GetInfo(VPGETINFO type) const;

    // Copies cnt pixels of row y, from column x on, into data: bitdepth 32 gives Float32
    // channels, 8 gives UChar channels (rounded to nearest, or with ordered dithering, which
    // keeps a run's mean). False, and data untouched, when the run leaves the image, data is
    // null or the depth is neither.
    Bool GetLine(Int32 x, Int32 y, Int32 cnt, void* data, Int32 bitdepth, Bool dithering) const;
    // The reverse: stores cnt pixels from data (8-bit channels are scaled by 1/255; dithering
    // only matters for reads). False, and nothing stored, on the same conditions.
    Bool SetLine(Int32 x, Int32 y, Int32 cnt, const void* data, Int32 bitdepth, Bool dithering);

private:
    Bool IsRun(Int32 x, Int32 y, Int32 cnt, const void* data, Int32 bitdepth) const;
    Float32* Pixel(Int32 x, Int32 y) {
        return pixels_.data() + (static_cast<std::size_t>(y) * width_ + x) * cpp_;
    }
    const Float32* Pixel(Int32 x, Int32 y) const {
        return pixels_.data() + (static_cast<std::size_t>(y) * width_ + x) * cpp_;
    }

    Int32 width_ = 0;
    Int32 height_ = 0;
    Int32 cpp_ = 4;
    std::vector<Float32> pixels_;
};

// A line the renderer has finished, as a render effect's line hook receives it.
struct PixelPost {
    // Colour of columns xmin … xmax, comp floats per pixel; with aa, four samples per pixel,
    // each comp floats, one after another.
    Float32* col = nullptr;
    Int32 comp = 4;         // 3 (RGB) or 4 (RGBA)
    Int32 xmin = 0;         // first column
    Int32 xmax = 0;         // last column, inclusive
    Int32 line = 0;         // row, 0 at the top
    Bool validLine = false; // the line is complete
    Bool aa = false;        // anti-aliased: four samples per pixel
};
