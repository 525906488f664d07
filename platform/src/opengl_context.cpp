#include "opengl_context.h"
#include "gl_state.h"

#include <atomic>

namespace {
thread_local NSOpenGLContext* current = nullptr;
std::atomic<bool> contextsAvailable{true};
} // namespace

void CGLLockContext(CGLContextObj ctx) {
    if (!ctx)
        return;
    ctx->lock.lock();
    ctx->lockOwner.store(std::this_thread::get_id());
}

void CGLUnlockContext(CGLContextObj ctx) {
    if (!ctx)
        return;
    ctx->lockOwner.store(std::thread::id());
    ctx->lock.unlock();
}

NSOpenGLPixelFormat::NSOpenGLPixelFormat(const NSOpenGLPixelFormatAttribute* attributes) {
    for (; attributes && *attributes != 0; ++attributes)
        attributes_.push_back(*attributes);
}

NSOpenGLContext::NSOpenGLContext() : cgl_(std::make_unique<CGLContextObject>()) {}

NSOpenGLContext::~NSOpenGLContext() {
    if (current == this)
        current = nullptr;
}

std::unique_ptr<NSOpenGLContext> NSOpenGLContext::create(const NSOpenGLPixelFormat& format) {
    if (!contextsAvailable.load())
        return nullptr;
    std::unique_ptr<NSOpenGLContext> context(new NSOpenGLContext());
    context->cgl_->pixelFormat = format.attributes();
    return context;
}

NSOpenGLContext* NSOpenGLContext::currentContext() {
    return current;
}

void NSOpenGLContext::makeCurrentContext() {
    current = this;
}

void NSOpenGLContext::clearCurrentContext() {
    current = nullptr;
}

void platform_probe::setOpenGLContextsAvailable(bool available) {
    contextsAvailable.store(available);
}
