// Syphon servers: a named publisher of an OpenGL texture that other applications can receive.
// Running servers are listed in the process-wide directory of syphon_directory.h.
#pragma once

#include "foundation.h"
#include "opengl.h"
#include "opengl_context.h"

#include <map>
#include <memory>
#include <string>

// Server options by key; the stand-in knows only booleans.
using SyphonServerOptions = std::map<std::string, bool>;
inline constexpr char SyphonServerOptionIsPrivate[] = "SyphonServerOptionIsPrivate";

struct SyphonServerRecord;

class SyphonServer {
public:
    // A running server named name that publishes textures of context; options may be null (no
    // options). Null when context is null.
    static std::unique_ptr<SyphonServer> create(const std::string& name, CGLContextObj context,
                                                const SyphonServerOptions* options);
    ~SyphonServer(); // stops the server
    SyphonServer(const SyphonServer&) = delete;
    SyphonServer& operator=(const SyphonServer&) = delete;

    void setName(const std::string& name);
    std::string name() const;
    // Announces a new frame: texture of the server's context, its target, the part of it that
    // holds the image, its size in pixels, and whether its rows run top-down. Ignored once
    // stopped.
    void publishFrameTexture(GLuint texture, GLenum target, NSRect region, NSSize dimensions,
                             bool flipped);
    // Leaves the directory; clients no longer find the server.
    void stop();

private:
    explicit SyphonServer(std::shared_ptr<SyphonServerRecord> record);
    std::shared_ptr<SyphonServerRecord> record_;
};
