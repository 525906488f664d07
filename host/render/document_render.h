// The host's renderer: renders a document's active render settings frame by frame through the
// render-effect protocol (AllocateBuffers, the Execute call points, per-ray, per-pixel and
// per-line hooks, multi-camera passes and their merge) and writes each finished frame.
#pragma once

#include "image_file.h"
#include "image_output.h"

#include <functional>
#include <string>
#include <vector>

class BaseDocument;

namespace host {

struct RenderJob {
    int firstFrame = 0;
    int lastFrame = 0;
    int threads = 0;        // 0: one per core
    int samplesPerAxis = 1; // N × N stratified samples per pixel
    std::string output;     // file name with '#' runs for the frame number; empty: keep in memory
    ImageWriteOptions write;
    // Progress of the whole job, 0..1; called from the render threads (one at a time is not
    // guaranteed), so it must be thread-safe and quick.
    std::function<void(double)> progress;
};

struct RenderOutcome {
    std::vector<std::string> files; // written, in frame order
    ImagePixels lastFrame;          // the last frame's pixels, float RGBA
    int passes = 0;                 // passes per frame
};

// False with one sentence in error when the render cannot start (no render settings, no camera,
// an impossible size, an unreadable environment) or a frame cannot be written; frames written
// before a failure stay, the failed one leaves no file.
bool RenderDocument(BaseDocument* doc, const RenderJob& job, RenderOutcome& outcome,
                    std::string& error);

} // namespace host
