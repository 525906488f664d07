// Test access to the platform stand-ins: the OpenGL call log, the objects of a context, the
// autorelease pools and context creation. Read a context's state only while no thread uses it.
#pragma once

#include "opengl.h"
#include "opengl_context.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform_probe {

// One OpenGL call. Arguments in order, pointers left out, floats as they were.
struct GLCall {
    const char* function = "";
    CGLContextObj context = nullptr; // the current context that received it; null for none
    bool lockedByCaller = false;     // the calling thread held context's lock
    GLenum error = GL_NO_ERROR;      // the error the call raised
    int argCount = 0;
    std::array<double, 8> args{};

    bool is(std::string_view name) const { return name == function; }
};

// Calls are logged only while logging is on (off at start).
void setGLCallLogging(bool on);
// The calls a context received, oldest first, and clears them.
std::vector<GLCall> takeGLCalls(CGLContextObj ctx);
// The calls made on threads without a current context, and clears them.
std::vector<GLCall> takeGLCallsWithoutContext();

struct GLTexture {
    GLenum target = 0;
    GLint internalFormat = 0; // 0 until storage is allocated
    int width = 0, height = 0;
    int channels = 0;
    std::vector<std::uint8_t> texels; // row 0 first

    const std::uint8_t* texel(int x, int y) const {
        return texels.data() + (static_cast<std::size_t>(y) * width + x) * channels;
    }
};
std::optional<GLTexture> texture(CGLContextObj ctx, GLuint name);
int textureCount(CGLContextObj ctx);
int framebufferCount(CGLContextObj ctx);
// The texture attached as colour attachment 0; 0 for none or an unknown framebuffer.
GLuint framebufferColorTexture(CGLContextObj ctx, GLuint framebuffer);
GLuint boundTexture(CGLContextObj ctx, GLenum target);
GLuint boundFramebuffer(CGLContextObj ctx);
bool isEnabled(CGLContextObj ctx, GLenum cap);
// The attributes of the pixel format the context was made from.
std::vector<NSOpenGLPixelFormatAttribute> pixelFormat(CGLContextObj ctx);

// The calling thread's open autorelease pools.
int autoreleasePoolDepth();

// Off: NSOpenGLContext::create fails, as on a machine without OpenGL.
void setOpenGLContextsAvailable(bool available);

} // namespace platform_probe
