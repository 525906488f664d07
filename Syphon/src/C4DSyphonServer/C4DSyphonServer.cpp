#include "C4DSyphonServer.h"
#include "foundation.h"
#include "ge_math.h"
#include "opengl_context.h"

#include <algorithm>
#include <new>
#include <string>

namespace {

// The publisher's own OpenGL context, made on the first start and kept for the life of the
// process. The texture, the framebuffer and the server live in it.
NSOpenGLContext* _gl = nullptr;

// Brackets the publisher's GL work: an autorelease pool, _gl current and locked; afterwards the
// calling thread's own current context (or none) is back. Without _gl it changes nothing and
// converts to false: the caller then leaves GL alone, so no call reaches the caller's context.
class ContextScope {
public:
    ContextScope() : previous_(NSOpenGLContext::currentContext()) {
        if (!_gl)
            return;
        _gl->makeCurrentContext();
        CGLLockContext(_gl->cglContextObj());
    }
    ~ContextScope() {
        if (_gl) {
            CGLUnlockContext(_gl->cglContextObj());
            if (previous_)
                previous_->makeCurrentContext();
            else
                NSOpenGLContext::clearCurrentContext();
        }
        pool_.drain();
    }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

    explicit operator bool() const { return _gl != nullptr; }

private:
    NSAutoreleasePool pool_;
    NSOpenGLContext* previous_;
};

// Truncated toward zero; negative and NaN sizes count as zero.
Int32 PixelCount(Float v) {
    return std::max(SAFEINT32(v), Int32(0));
}

// The column range of a line that lies inside a texture of the given width, as offsets into
// the line: the first pixel to take and how many. count 0: nothing to upload.
struct LineClip {
    Int64 skip = 0;
    Int32 first = 0;
    Int32 count = 0;
};
LineClip ClipLine(Int32 xmin, Int32 xmax, Int32 width) {
    LineClip clip;
    const Int64 first = std::max<Int64>(xmin, 0);
    const Int64 last = std::min<Int64>(xmax, Int64(width) - 1);
    if (first > last)
        return clip;
    clip.skip = first - xmin;
    clip.first = static_cast<Int32>(first);
    clip.count = static_cast<Int32>(last - first + 1);
    return clip;
}

// Box filter over the four samples of each pixel: out[comp·x + c] is the mean of
// in[4·comp·x + comp·k + c] for k = 0…3.
void AverageSamples(const Float32* in, Int32 pixels, Int32 comp, Float32* out) {
    for (Int32 x = 0; x < pixels; ++x) {
        const Float32* s = in + size_t(x) * 4 * comp;
        for (Int32 c = 0; c < comp; ++c)
            out[size_t(x) * comp + c] =
                0.25f * (s[c] + s[comp + c] + s[2 * comp + c] + s[3 * comp + c]);
    }
}

} // namespace

constinit C4DSyphonServer C4DSyphonServer::_instance;

C4DSyphonServer* C4DSyphonServer::Instance() {
    return &_instance;
}

C4DSyphonServer::~C4DSyphonServer() {
    shutdown();
}

void C4DSyphonServer::start(const char* name, bool isPrivate) {
    if (!_gl) {
        NSAutoreleasePool pool;
        const NSOpenGLPixelFormatAttribute attributes[] = {NSOpenGLPFADoubleBuffer,
                                                           NSOpenGLPFAPixelBuffer, 0};
        _gl = NSOpenGLContext::create(NSOpenGLPixelFormat(attributes)).release();
        pool.drain();
    }
    ContextScope scope;
    if (!scope)
        return;
    const std::string serverName = name ? name : "";
    if (server) {
        server->setName(serverName);
        return;
    }
    if (isPrivate) {
        const SyphonServerOptions options = {{SyphonServerOptionIsPrivate, true}};
        server = SyphonServer::create(serverName, _gl->cglContextObj(), &options);
    } else {
        server = SyphonServer::create(serverName, _gl->cglContextObj(), nullptr);
    }
}

void C4DSyphonServer::setSize(Vector64 size, bool withAlpha) {
    ContextScope scope;
    if (texture)
        glDeleteTextures(1, &texture);
    if (framebuffer)
        glDeleteFramebuffersEXT(1, &framebuffer);

    width = PixelCount(size.x);
    height = PixelCount(size.y);
    alpha = withAlpha;
    textureTarget = GL_TEXTURE_RECTANGLE_ARB;
    texture = 0;
    framebuffer = 0;
    internalFormat = GL_RGB8;
    pixelFormat = GL_RGB;
    areaX = areaY = 0;
    areaW = width;
    areaH = height;

    if (scope && width && height) {
        glEnable(GL_TEXTURE_RECTANGLE_ARB);
        glGenTextures(1, &texture);
        glBindTexture(textureTarget, texture);
        internalFormat = alpha ? GL_RGBA8 : GL_RGB8;
        pixelFormat = alpha ? GL_RGBA : GL_RGB;
        glTexImage2D(textureTarget, 0, internalFormat, width, height, 0, pixelFormat,
                     GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffersEXT(1, &framebuffer);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
        glFramebufferTextureEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, texture, 0);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glBindTexture(textureTarget, 0);
    }
    sizeScratch();
}

// Allocated here, once per size, so that publishing never allocates. A failed allocation leaves
// no scratch, and the uploads that need it are skipped.
void C4DSyphonServer::sizeScratch() {
    const Int32 pixels = texture ? width : 0;
    scratchPixels = 0;
    std::vector<Float32>().swap(lineScratch);
    std::vector<UChar>().swap(rowScratch);
    try {
        lineScratch.resize(size_t(pixels) * 4);
        rowScratch.resize(size_t(pixels) * 4);
        scratchPixels = pixels;
    } catch (const std::bad_alloc&) {
        std::vector<Float32>().swap(lineScratch);
        std::vector<UChar>().swap(rowScratch);
    }
}

void C4DSyphonServer::setArea(Vector64 start, Vector64 size) {
    areaX = SAFEINT32(start.x);
    areaY = SAFEINT32(start.y);
    areaW = SAFEINT32(size.x);
    areaH = SAFEINT32(size.y);
}

void C4DSyphonServer::publishLine(PixelPost* line) {
    if (!line)
        return;
    ContextScope scope;
    if (!scope)
        return;
    glEnable(textureTarget);
    glBindTexture(textureTarget, texture);

    const Int32 comp = line->comp;
    const GLenum format = comp == 4 ? GL_RGBA : GL_RGB;
    // Only what fits the texture is uploaded: a line's columns are clipped to it, a row outside
    // it and a record of neither 3 nor 4 components are skipped.
    const Bool usable =
        texture && line->col && (comp == 3 || comp == 4) && line->line >= 0 && line->line < height;
    const LineClip clip =
        usable ? ClipLine(line->xmin, line->xmax, line->aa ? scratchPixels : width) : LineClip();
    if (clip.count > 0) {
        const Int64 samples = line->aa ? 4 : 1;
        const Float32* data = line->col + clip.skip * samples * comp;
        if (line->aa) {
            AverageSamples(data, clip.count, comp, lineScratch.data());
            data = lineScratch.data();
        }
        // The image's top row goes to the texture's last row: OpenGL textures run bottom-up.
        glTexSubImage2D(textureTarget, 0, clip.first, height - 1 - line->line, clip.count, 1,
                        format, GL_FLOAT, data);
    }
    publish();
}

void C4DSyphonServer::publishBuffer(VPBuffer* buffer) {
    if (!buffer)
        return;
    ContextScope scope;
    if (!scope)
        return;
    glEnable(textureTarget);
    glBindTexture(textureTarget, texture);

    const Int32 cpp = buffer->GetInfo(VPGETINFO::CPP);
    const GLenum format = cpp == 4 ? GL_RGBA : GL_RGB;
    // The part of the buffer that fits the texture; rows the buffer cannot deliver are skipped
    // rather than uploaded from stale scratch.
    if (texture && (cpp == 3 || cpp == 4)) {
        const Int32 columns =
            std::min({width, scratchPixels, buffer->GetInfo(VPGETINFO::XRESOLUTION)});
        const Int32 rows = std::min(height, buffer->GetInfo(VPGETINFO::YRESOLUTION));
        for (Int32 y = 0; columns > 0 && y < rows; ++y) {
            if (!buffer->GetLine(0, y, columns, rowScratch.data(), 8, true))
                continue;
            glTexSubImage2D(textureTarget, 0, 0, height - 1 - y, columns, 1, format,
                            GL_UNSIGNED_BYTE, rowScratch.data());
        }
    }
    publish();
}

// Announces the whole texture. Without a server nothing happens.
void C4DSyphonServer::publish() {
    if (server)
        server->publishFrameTexture(texture, textureTarget, NSMakeRect(areaX, areaY, areaW, areaH),
                                    NSMakeSize(width, height), false);
}

void C4DSyphonServer::shutdown() {
    ContextScope scope;
    if (texture)
        glDeleteTextures(1, &texture);
    if (framebuffer)
        glDeleteFramebuffersEXT(1, &framebuffer);
    texture = 0;
    framebuffer = 0;
    sizeScratch();
    if (server) {
        server->stop();
        server.reset();
    }
}
