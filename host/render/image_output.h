// Writing rendered frames to image files through OpenImageIO. A file appears whole or not at
// all: it is written to a temporary beside it and renamed. Host-internal.
#pragma once

#include "image_file.h"

#include "ge_types.h"

#include <string>

namespace host {

// path with every run of '#' in its file name replaced by frame, zero-padded to the run's
// length (longer numbers keep all their digits; a negative frame keeps its sign in front).
// '#' in folder names stays.
std::string ExpandFrameNumber(const std::string& path, Int32 frame);

struct ImageWriteOptions {
    int bitsPerChannel = 8; // .png and .tif: 8 or 16; .exr is always float, .jpg always 8
};

// Writes image (float RGBA, colour associated with alpha) to path; the extension picks the
// format: .exr float RGBA, .png and .tif/.tiff 8 or 16 bit RGBA, .jpg/.jpeg 8 bit RGB (the
// colour as it stands, i.e. over black). Values are written without a colour transform; integer
// formats clamp to 0..1 and round; PNG, which stores colour divided by alpha, gets the division
// in float before rounding. On failure returns false with one sentence naming the file in
// error, and leaves no file behind.
bool WriteImageFile(const std::string& path, const ImagePixels& image,
                    const ImageWriteOptions& options, std::string& error);

} // namespace host
