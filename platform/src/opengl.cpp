// The OpenGL stand-in: each call validates its arguments as OpenGL does, acts on the calling
// thread's current context, and is logged for the tests.
#include "opengl.h"
#include "gl_state.h"
#include "platform_probe.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <mutex>
#include <new>

using platform_probe::GLCall;

namespace {

std::atomic<bool> logging{false};
std::mutex withoutContextMutex;
std::vector<GLCall> withoutContextCalls;

CGLContextObject* currentGL() {
    NSOpenGLContext* context = NSOpenGLContext::currentContext();
    return context ? context->cglContextObj() : nullptr;
}

void logCall(CGLContextObject* gl, const char* function, std::initializer_list<double> args,
             GLenum error) {
    if (!logging.load(std::memory_order_relaxed))
        return;
    GLCall call;
    call.function = function;
    call.context = gl;
    call.lockedByCaller = gl && gl->lockedByCallingThread();
    call.error = error;
    for (double a : args)
        if (call.argCount < static_cast<int>(call.args.size()))
            call.args[static_cast<size_t>(call.argCount++)] = a;
    if (gl) {
        gl->calls.push_back(call);
    } else {
        std::lock_guard<std::mutex> guard(withoutContextMutex);
        withoutContextCalls.push_back(call);
    }
}

int componentsOf(GLenum format) {
    return format == GL_RGB ? 3 : format == GL_RGBA ? 4 : 0;
}
size_t bytesOf(GLenum type) {
    return type == GL_FLOAT ? sizeof(float) : type == GL_UNSIGNED_BYTE ? 1 : 0;
}
int channelsOf(GLint internalFormat) {
    return internalFormat == GLint(GL_RGB8) ? 3 : internalFormat == GLint(GL_RGBA8) ? 4 : 0;
}

// Float to an 8-bit normalised channel: clamped to 0…1, rounded to nearest.
std::uint8_t toByte(float v) {
    if (!(v > 0.0f))
        return 0;
    if (v >= 1.0f)
        return 255;
    return static_cast<std::uint8_t>(v * 255.0f + 0.5f);
}

GLTextureObject* boundTexture(CGLContextObject& gl) {
    auto it = gl.textures.find(gl.boundRectangleTexture);
    return it == gl.textures.end() ? nullptr : &it->second;
}

// Copies w × h source pixels into the texture at (x, y). A missing alpha reads as 1.
void unpack(GLTextureObject& tex, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format,
            GLenum type, const void* pixels) {
    const int comps = componentsOf(format);
    const size_t bytes = bytesOf(type);
    const size_t stride = (static_cast<size_t>(w) * comps * bytes + 3) & ~size_t(3);
    const auto* rows = static_cast<const unsigned char*>(pixels);
    for (GLsizei r = 0; r < h; ++r) {
        const unsigned char* src = rows + static_cast<size_t>(r) * stride;
        std::uint8_t* dst =
            tex.texels.data() + (static_cast<size_t>(y + r) * tex.width + x) * tex.channels;
        for (GLsizei i = 0; i < w; ++i, src += comps * bytes, dst += tex.channels) {
            std::uint8_t value[4] = {0, 0, 0, 255};
            for (int c = 0; c < comps; ++c) {
                if (type == GL_FLOAT) {
                    float f;
                    std::memcpy(&f, src + c * sizeof(float), sizeof(float));
                    value[c] = toByte(f);
                } else {
                    value[c] = src[c];
                }
            }
            std::copy_n(value, tex.channels, dst);
        }
    }
}

GLenum genNames(GLsizei n, GLuint* names, GLuint& next, auto&& create) {
    if (n < 0)
        return GL_INVALID_VALUE;
    for (GLsizei i = 0; i < n; ++i) {
        names[i] = next++;
        create(names[i]);
    }
    return GL_NO_ERROR;
}

GLenum texImage(CGLContextObject& gl, GLenum target, GLint level, GLint internalformat,
                GLsizei width, GLsizei height, GLint border, GLenum format, GLenum type,
                const void* pixels) {
    if (target != GL_TEXTURE_RECTANGLE_ARB || !channelsOf(internalformat) ||
        !componentsOf(format) || !bytesOf(type))
        return GL_INVALID_ENUM;
    if (level != 0 || width < 0 || height < 0 || border != 0)
        return GL_INVALID_VALUE;
    GLTextureObject* tex = boundTexture(gl);
    if (!tex)
        return GL_INVALID_OPERATION;
    const int channels = channelsOf(internalformat);
    try {
        std::vector<std::uint8_t> texels(static_cast<size_t>(width) * height * channels);
        tex->texels.swap(texels);
    } catch (const std::bad_alloc&) {
        return GL_OUT_OF_MEMORY;
    }
    tex->internalFormat = internalformat;
    tex->width = width;
    tex->height = height;
    tex->channels = channels;
    if (pixels)
        unpack(*tex, 0, 0, width, height, format, type, pixels);
    return GL_NO_ERROR;
}

GLenum texSubImage(CGLContextObject& gl, GLenum target, GLint level, GLint xoffset, GLint yoffset,
                   GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels) {
    if (target != GL_TEXTURE_RECTANGLE_ARB || !componentsOf(format) || !bytesOf(type))
        return GL_INVALID_ENUM;
    GLTextureObject* tex = boundTexture(gl);
    if (!tex || !tex->internalFormat)
        return GL_INVALID_OPERATION;
    const auto inside = [](std::int64_t offset, std::int64_t size, std::int64_t limit) {
        return offset >= 0 && size >= 0 && offset + size <= limit;
    };
    if (level != 0 || !pixels || !inside(xoffset, width, tex->width) ||
        !inside(yoffset, height, tex->height))
        return GL_INVALID_VALUE;
    unpack(*tex, xoffset, yoffset, width, height, format, type, pixels);
    return GL_NO_ERROR;
}

GLenum bindTexture(CGLContextObject& gl, GLenum target, GLuint texture) {
    if (target != GL_TEXTURE_RECTANGLE_ARB)
        return GL_INVALID_ENUM;
    if (texture != 0) {
        auto it = gl.textures.find(texture);
        if (it == gl.textures.end())
            return GL_INVALID_OPERATION;
        if (it->second.target != 0 && it->second.target != target)
            return GL_INVALID_OPERATION;
        it->second.target = target;
    }
    gl.boundRectangleTexture = texture;
    return GL_NO_ERROR;
}

GLenum deleteTextures(CGLContextObject& gl, GLsizei n, const GLuint* textures) {
    if (n < 0)
        return GL_INVALID_VALUE;
    for (GLsizei i = 0; i < n; ++i) {
        if (textures[i] == 0 || !gl.textures.erase(textures[i]))
            continue;
        if (gl.boundRectangleTexture == textures[i])
            gl.boundRectangleTexture = 0;
        for (auto& [name, fb] : gl.framebuffers)
            if (fb.colorTexture == textures[i])
                fb.colorTexture = 0;
    }
    return GL_NO_ERROR;
}

GLenum bindFramebuffer(CGLContextObject& gl, GLenum target, GLuint framebuffer) {
    if (target != GL_FRAMEBUFFER_EXT)
        return GL_INVALID_ENUM;
    if (framebuffer != 0 && !gl.framebuffers.count(framebuffer))
        return GL_INVALID_OPERATION;
    gl.boundFramebuffer = framebuffer;
    return GL_NO_ERROR;
}

GLenum framebufferTexture(CGLContextObject& gl, GLenum target, GLenum attachment, GLuint texture,
                          GLint level) {
    if (target != GL_FRAMEBUFFER_EXT || attachment != GL_COLOR_ATTACHMENT0_EXT)
        return GL_INVALID_ENUM;
    auto fb = gl.framebuffers.find(gl.boundFramebuffer);
    if (fb == gl.framebuffers.end() || (texture != 0 && !gl.textures.count(texture)))
        return GL_INVALID_OPERATION;
    if (level != 0)
        return GL_INVALID_VALUE;
    fb->second.colorTexture = texture;
    return GL_NO_ERROR;
}

GLenum deleteFramebuffers(CGLContextObject& gl, GLsizei n, const GLuint* framebuffers) {
    if (n < 0)
        return GL_INVALID_VALUE;
    for (GLsizei i = 0; i < n; ++i) {
        if (framebuffers[i] == 0 || !gl.framebuffers.erase(framebuffers[i]))
            continue;
        if (gl.boundFramebuffer == framebuffers[i])
            gl.boundFramebuffer = 0;
    }
    return GL_NO_ERROR;
}

// Clearing the default framebuffer does nothing: the stand-in has no window.
GLenum clear(CGLContextObject& gl, GLbitfield mask) {
    if (mask & ~GL_COLOR_BUFFER_BIT)
        return GL_INVALID_VALUE;
    auto fb = gl.framebuffers.find(gl.boundFramebuffer);
    if (!(mask & GL_COLOR_BUFFER_BIT) || fb == gl.framebuffers.end())
        return GL_NO_ERROR;
    auto tex = gl.textures.find(fb->second.colorTexture);
    if (tex == gl.textures.end())
        return GL_NO_ERROR;
    std::uint8_t value[4];
    for (int c = 0; c < 4; ++c)
        value[c] = toByte(gl.clearColor[c]);
    GLTextureObject& t = tex->second;
    for (size_t i = 0; i < t.texels.size(); i += static_cast<size_t>(t.channels))
        std::copy_n(value, t.channels, t.texels.data() + i);
    return GL_NO_ERROR;
}

// Runs op on the calling thread's current context and logs the call; without a current context
// the call does nothing.
template <typename Op>
void call(const char* function, std::initializer_list<double> args, Op&& op) {
    CGLContextObject* gl = currentGL();
    const GLenum error = gl ? op(*gl) : GL_NO_ERROR;
    logCall(gl, function, args, error);
}

} // namespace

void glEnable(GLenum cap) {
    call("glEnable", {double(cap)}, [&](CGLContextObject& gl) {
        gl.enabled.insert(cap);
        return GL_NO_ERROR;
    });
}

void glGenTextures(GLsizei n, GLuint* textures) {
    CGLContextObject* gl = currentGL();
    const GLenum error =
        gl ? genNames(n, textures, gl->nextTexture, [&](GLuint name) { gl->textures[name]; })
           : GL_NO_ERROR;
    logCall(gl, "glGenTextures", {double(n), n > 0 && gl ? double(textures[0]) : 0.0}, error);
}

void glBindTexture(GLenum target, GLuint texture) {
    call("glBindTexture", {double(target), double(texture)},
         [&](CGLContextObject& gl) { return bindTexture(gl, target, texture); });
}

void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
    call("glTexImage2D",
         {double(target), double(level), double(internalformat), double(width), double(height),
          double(border), double(format), double(type)},
         [&](CGLContextObject& gl) {
             return texImage(gl, target, level, internalformat, width, height, border, format, type,
                             pixels);
         });
}

void glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                     GLsizei height, GLenum format, GLenum type, const void* pixels) {
    call("glTexSubImage2D",
         {double(target), double(level), double(xoffset), double(yoffset), double(width),
          double(height), double(format), double(type)},
         [&](CGLContextObject& gl) {
             return texSubImage(gl, target, level, xoffset, yoffset, width, height, format, type,
                                pixels);
         });
}

void glDeleteTextures(GLsizei n, const GLuint* textures) {
    call("glDeleteTextures", {double(n), n > 0 ? double(textures[0]) : 0.0},
         [&](CGLContextObject& gl) { return deleteTextures(gl, n, textures); });
}

void glGenFramebuffersEXT(GLsizei n, GLuint* framebuffers) {
    CGLContextObject* gl = currentGL();
    const GLenum error = gl ? genNames(n, framebuffers, gl->nextFramebuffer,
                                       [&](GLuint name) { gl->framebuffers[name]; })
                            : GL_NO_ERROR;
    logCall(gl, "glGenFramebuffersEXT", {double(n), n > 0 && gl ? double(framebuffers[0]) : 0.0},
            error);
}

void glBindFramebufferEXT(GLenum target, GLuint framebuffer) {
    call("glBindFramebufferEXT", {double(target), double(framebuffer)},
         [&](CGLContextObject& gl) { return bindFramebuffer(gl, target, framebuffer); });
}

void glFramebufferTextureEXT(GLenum target, GLenum attachment, GLuint texture, GLint level) {
    call("glFramebufferTextureEXT",
         {double(target), double(attachment), double(texture), double(level)},
         [&](CGLContextObject& gl) {
             return framebufferTexture(gl, target, attachment, texture, level);
         });
}

void glDeleteFramebuffersEXT(GLsizei n, const GLuint* framebuffers) {
    call("glDeleteFramebuffersEXT", {double(n), n > 0 ? double(framebuffers[0]) : 0.0},
         [&](CGLContextObject& gl) { return deleteFramebuffers(gl, n, framebuffers); });
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    call("glClearColor", {red, green, blue, alpha}, [&](CGLContextObject& gl) {
        const GLclampf rgba[4] = {red, green, blue, alpha};
        std::copy_n(rgba, 4, gl.clearColor); // clamped when used
        return GL_NO_ERROR;
    });
}

void glClear(GLbitfield mask) {
    call("glClear", {double(mask)}, [&](CGLContextObject& gl) { return clear(gl, mask); });
}

void platform_probe::setGLCallLogging(bool on) {
    logging.store(on);
}

std::vector<GLCall> platform_probe::takeGLCalls(CGLContextObj ctx) {
    std::vector<GLCall> calls;
    if (ctx)
        calls.swap(ctx->calls);
    return calls;
}

std::vector<GLCall> platform_probe::takeGLCallsWithoutContext() {
    std::lock_guard<std::mutex> guard(withoutContextMutex);
    std::vector<GLCall> calls;
    calls.swap(withoutContextCalls);
    return calls;
}
