// The client side of Syphon: finds running servers by name and receives their frames.
#pragma once

#include "foundation.h"
#include "opengl.h"
#include "opengl_context.h"
#include "syphon_server.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SyphonServerDescription {
    std::string name;
    std::optional<SyphonServerOptions> options; // none when created without options
    CGLContextObj context = nullptr;
    long frameCount = 0; // frames published so far
    // The last frame's announcement.
    GLuint texture = 0;
    GLenum target = 0;
    NSRect region;
    NSSize dimensions;
    bool flipped = false;
};

// A received frame: the announcement and a copy of the texture's texels, row 0 first (the
// bottom row of an image stored the OpenGL way).
struct SyphonFrame {
    NSRect region;
    NSSize dimensions;
    bool flipped = false;
    int width = 0, height = 0;
    int channels = 0; // 3 or 4; 0 when the announced texture does not exist
    std::vector<std::uint8_t> pixels;

    const std::uint8_t* texel(int x, int y) const {
        return pixels.data() + (static_cast<std::size_t>(y) * width + x) * channels;
    }
};

class SyphonDirectory {
public:
    // Names of the running servers, oldest first.
    static std::vector<std::string> serverNames();
    // The first running server named name.
    static std::optional<SyphonServerDescription> find(std::string_view name);
    // The texture last published by the server named name, read under its context's lock (do not
    // hold that lock when calling). None when there is no such server or it published nothing.
    static std::optional<SyphonFrame> receiveFrame(std::string_view name);
};
