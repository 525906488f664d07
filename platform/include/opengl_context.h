// OpenGL contexts: the pixel format they are made from, the thread's current context and the
// context lock. Each context holds its own textures and framebuffers.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// The GL state of one context, with the lock that serialises its users.
struct CGLContextObject;
using CGLContextObj = CGLContextObject*;

// Blocks until the calling thread holds ctx's lock. Not recursive; null does nothing.
void CGLLockContext(CGLContextObj ctx);
void CGLUnlockContext(CGLContextObj ctx);

using NSOpenGLPixelFormatAttribute = std::uint32_t;
inline constexpr NSOpenGLPixelFormatAttribute NSOpenGLPFADoubleBuffer = 5;
inline constexpr NSOpenGLPixelFormatAttribute NSOpenGLPFAPixelBuffer = 90;

class NSOpenGLPixelFormat {
public:
    // attributes: a list ending with 0.
    explicit NSOpenGLPixelFormat(const NSOpenGLPixelFormatAttribute* attributes);
    const std::vector<NSOpenGLPixelFormatAttribute>& attributes() const { return attributes_; }

private:
    std::vector<NSOpenGLPixelFormatAttribute> attributes_;
};

class NSOpenGLContext {
public:
    // A new context without a shared context; null when no context can be made.
    static std::unique_ptr<NSOpenGLContext> create(const NSOpenGLPixelFormat& format);
    ~NSOpenGLContext(); // clears it as the calling thread's current context
    NSOpenGLContext(const NSOpenGLContext&) = delete;
    NSOpenGLContext& operator=(const NSOpenGLContext&) = delete;

    CGLContextObj cglContextObj() const { return cgl_.get(); }

    // The calling thread's current context, null when it has none.
    static NSOpenGLContext* currentContext();
    void makeCurrentContext();
    static void clearCurrentContext();

private:
    NSOpenGLContext();
    std::unique_ptr<CGLContextObject> cgl_;
};
