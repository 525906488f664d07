// Readers of a context's objects for the tests.
#include "platform_probe.h"
#include "gl_state.h"

namespace platform_probe {

std::optional<GLTexture> texture(CGLContextObj ctx, GLuint name) {
    if (!ctx)
        return std::nullopt;
    auto it = ctx->textures.find(name);
    if (it == ctx->textures.end())
        return std::nullopt;
    const GLTextureObject& t = it->second;
    return GLTexture{t.target, t.internalFormat, t.width, t.height, t.channels, t.texels};
}

int textureCount(CGLContextObj ctx) {
    return ctx ? static_cast<int>(ctx->textures.size()) : 0;
}

int framebufferCount(CGLContextObj ctx) {
    return ctx ? static_cast<int>(ctx->framebuffers.size()) : 0;
}

GLuint framebufferColorTexture(CGLContextObj ctx, GLuint framebuffer) {
    if (!ctx)
        return 0;
    auto it = ctx->framebuffers.find(framebuffer);
    return it == ctx->framebuffers.end() ? 0 : it->second.colorTexture;
}

GLuint boundTexture(CGLContextObj ctx, GLenum target) {
    return ctx && target == GL_TEXTURE_RECTANGLE_ARB ? ctx->boundRectangleTexture : 0;
}

GLuint boundFramebuffer(CGLContextObj ctx) {
    return ctx ? ctx->boundFramebuffer : 0;
}

bool isEnabled(CGLContextObj ctx, GLenum cap) {
    return ctx && ctx->enabled.count(cap) != 0;
}

std::vector<NSOpenGLPixelFormatAttribute> pixelFormat(CGLContextObj ctx) {
    return ctx ? ctx->pixelFormat : std::vector<NSOpenGLPixelFormatAttribute>();
}

} // namespace platform_probe
