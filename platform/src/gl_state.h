// Inside the OpenGL stand-in: the objects and bindings of one context. Only the thread holding
// the context's lock may touch them (nothing here is synchronised otherwise, so a caller that
// skips the lock races, and ThreadSanitizer says so).
#pragma once

#include "opengl.h"
#include "opengl_context.h"
#include "platform_probe.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

struct GLTextureObject {
    GLenum target = 0; // set by the first bind
    GLint internalFormat = 0;
    GLsizei width = 0, height = 0;
    int channels = 0;
    std::vector<std::uint8_t> texels;
};

struct GLFramebufferObject {
    GLuint colorTexture = 0;
};

struct CGLContextObject {
    std::mutex lock;
    std::atomic<std::thread::id> lockOwner{};

    std::vector<NSOpenGLPixelFormatAttribute> pixelFormat;
    GLuint nextTexture = 1;
    GLuint nextFramebuffer = 1;
    std::map<GLuint, GLTextureObject> textures;
    std::map<GLuint, GLFramebufferObject> framebuffers;
    std::set<GLenum> enabled;
    GLuint boundRectangleTexture = 0;
    GLuint boundFramebuffer = 0;
    GLfloat clearColor[4] = {0, 0, 0, 0};
    std::vector<platform_probe::GLCall> calls;

    bool lockedByCallingThread() const { return lockOwner.load() == std::this_thread::get_id(); }
};
