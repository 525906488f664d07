// BaseBitmap: a picture in memory, width × height pixels of red, green, blue and alpha kept as
// floats in 0..1 (rows top to bottom). The bit depth it was made with is remembered and
// reported; the colour values themselves keep full precision.
#pragma once

#include "c4d_filename.h"
#include "ge_types.h"

#include <vector>

enum IMAGERESULT : Int32 {
    IMAGERESULT_OK = 1,
    IMAGERESULT_NOTEXISTING = -1, // no such file
    IMAGERESULT_WRONGTYPE = -2,   // not an image the host can read
    IMAGERESULT_OUTOFMEMORY = -3, // an impossible size
    IMAGERESULT_PARAM_ERROR = -4, // a bad argument
};

class BaseBitmap {
public:
    BaseBitmap() = default;
    static BaseBitmap* Alloc() { return new BaseBitmap(); }
    static void Free(BaseBitmap*& bmp) {
        delete bmp;
        bmp = nullptr;
    }

    // A black, opaque picture of w × h with depth bits per pixel (24 or 32: 32 has alpha).
    IMAGERESULT Init(Int32 w, Int32 h, Int32 depth = 24);
    // Reads an image file; frame is accepted for the interface (-1: the first frame). On failure
    // the bitmap is left empty.
    IMAGERESULT Init(const Filename& name, Int32 frame = -1);
    // Back to an empty 0 × 0 picture.
    void FlushAll();

    Int32 GetBw() const { return w_; }
    Int32 GetBh() const { return h_; }
    Int32 GetBt() const { return depth_; }
    Bool IsEmpty() const { return w_ <= 0 || h_ <= 0; }
    // True when the picture has an alpha channel (32 bits, or an image file with alpha).
    Bool HasAlpha() const { return hasAlpha_; }
    void SetHasAlpha(Bool alpha) { hasAlpha_ = alpha; }

    // 8-bit reads and writes of one pixel; outside the picture a read gives 0 and a write does
    // nothing.
    void GetPixel(Int32 x, Int32 y, UInt16* r, UInt16* g, UInt16* b) const;
    void SetPixel(Int32 x, Int32 y, Int32 r, Int32 g, Int32 b);
    // Alpha in 0..255 (255 without an alpha channel).
    Int32 GetAlphaPixel(Int32 x, Int32 y) const;
    void SetAlphaPixel(Int32 x, Int32 y, Int32 a);

    // Drawing with a pen colour (8-bit components).
    void SetPen(Int32 r, Int32 g, Int32 b);
    void Line(Int32 x1, Int32 y1, Int32 x2, Int32 y2);
    void Clear(Int32 r, Int32 g, Int32 b);

    // Float access for the host: 4 floats (r, g, b, a) per pixel; null when empty.
    const float* GetRGBA(Int32 x, Int32 y) const;
    float* GetRGBA(Int32 x, Int32 y);

    // Makes dst an exact copy; false for a null dst.
    Bool CopyTo(BaseBitmap* dst) const;
    BaseBitmap* GetClone() const;

    bool operator==(const BaseBitmap&) const = default;

private:
    Int32 w_ = 0;
    Int32 h_ = 0;
    Int32 depth_ = 0;
    Bool hasAlpha_ = false;
    float pen_[3] = {0, 0, 0};
    std::vector<float> rgba_;
};
