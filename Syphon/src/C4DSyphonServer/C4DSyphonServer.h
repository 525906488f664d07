// The frame publisher: shares the rendered image with other applications through one Syphon
// server, as an OpenGL rectangle texture of the output size in a private context.
#pragma once

#include "c4d_vpbuffer.h"
#include "ge_vector.h"
#include "opengl.h"
#include "syphon_server.h"

#include <memory>
#include <vector>

class C4DSyphonServer {
public:
    // The process-wide publisher; never null.
    static C4DSyphonServer* Instance();
    ~C4DSyphonServer();
    C4DSyphonServer(const C4DSyphonServer&) = delete;
    C4DSyphonServer& operator=(const C4DSyphonServer&) = delete;

    // Creates the server under name, or renames the running one.
    void start(const char* name, bool isPrivate);
    // (Re)creates the texture and its framebuffer for size.x × size.y pixels, cleared to
    // transparent black; a zero size leaves none. The announced area becomes the whole texture.
    void setSize(Vector64 size, bool alpha);
    // The image region announced with each frame, in texture pixels.
    void setArea(Vector64 start, Vector64 size);
    // Uploads one finished line (averaging the four samples of an anti-aliased one) and
    // publishes. Render threads call it one at a time.
    void publishLine(PixelPost* line);
    // Uploads a whole image at 8 bits per channel and publishes.
    void publishBuffer(VPBuffer* buffer);
    // Deletes the texture and framebuffer and stops the server.
    void shutdown();

    // State. Read freely; only the operations above write it.
    std::unique_ptr<SyphonServer> server;
    GLenum textureTarget = GL_TEXTURE_RECTANGLE_ARB;
    GLuint texture = 0;
    GLint internalFormat = GL_RGB8;
    GLenum pixelFormat = GL_RGB;
    Int32 width = 0;
    Int32 height = 0;
    GLuint framebuffer = 0;
    Int32 areaX = 0;
    Int32 areaY = 0;
    Int32 areaW = 0;
    Int32 areaH = 0;
    Bool alpha = false;

private:
    constexpr C4DSyphonServer() = default;
    void publish();
    void sizeScratch();

    static C4DSyphonServer _instance;

    // Per-line work space, sized by setSize for width pixels so that no line allocates or
    // needs a stack buffer of its own width: an averaged line (4 floats a pixel) and one 8-bit
    // row (4 bytes a pixel). Used only inside the context lock.
    std::vector<Float32> lineScratch;
    std::vector<UChar> rowScratch;
    Int32 scratchPixels = 0;
};
