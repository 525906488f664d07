#include "foundation.h"
#include "opengl.h"
#include "opengl_context.h"
#include "platform_probe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

using platform_probe::GLCall;

const NSOpenGLPixelFormatAttribute kAttributes[] = {NSOpenGLPFADoubleBuffer, 0};

// A context of its own, current on the test's thread, with one W × H texture bound.
class GLTest : public testing::Test {
protected:
    void SetUp() override {
        platform_probe::setGLCallLogging(true);
        context = NSOpenGLContext::create(NSOpenGLPixelFormat(kAttributes));
        ASSERT_TRUE(context);
        ctx = context->cglContextObj();
        context->makeCurrentContext();
    }
    void TearDown() override {
        NSOpenGLContext::clearCurrentContext();
        platform_probe::setGLCallLogging(false);
    }
    GLuint MakeTexture(GLint internalFormat, GLsizei w, GLsizei h) {
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_RECTANGLE_ARB, name);
        glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, internalFormat, w, h, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
        return name;
    }
    GLenum LastError() {
        const std::vector<GLCall> calls = platform_probe::takeGLCalls(ctx);
        return calls.empty() ? GLenum(0xFFFF) : calls.back().error;
    }
    std::vector<std::uint8_t> Texels(GLuint name) {
        return platform_probe::texture(ctx, name).value().texels;
    }

    std::unique_ptr<NSOpenGLContext> context;
    CGLContextObj ctx = nullptr;
};

TEST_F(GLTest, UploadsConvertToTheTextureFormat) {
    const float rgbaF[] = {0.5f, -1.0f, 2.0f, 0.25f};
    const float rgbF[] = {0.2f, 1.0f, 0.0f};
    const std::uint8_t rgbaB[] = {9, 8, 7, 6};
    const std::uint8_t rgbB[] = {1, 2, 3};
    struct Case {
        GLint internalFormat;
        GLenum format, type;
        const void* pixels;
        std::vector<std::uint8_t> texel;
    } cases[] = {
        // Floats are clamped to 0…1 and rounded: 0.5 → 128, 0.25 → 64, 0.2 → 51.
        {GL_RGBA8, GL_RGBA, GL_FLOAT, rgbaF, {128, 0, 255, 64}},
        {GL_RGB8, GL_RGBA, GL_FLOAT, rgbaF, {128, 0, 255}},
        {GL_RGBA8, GL_RGB, GL_FLOAT, rgbF, {51, 255, 0, 255}},
        {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, rgbaB, {9, 8, 7, 6}},
        {GL_RGB8, GL_RGBA, GL_UNSIGNED_BYTE, rgbaB, {9, 8, 7}},
        {GL_RGBA8, GL_RGB, GL_UNSIGNED_BYTE, rgbB, {1, 2, 3, 255}},
    };
    int checked = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << checked);
        const GLuint name = MakeTexture(c.internalFormat, 3, 2);
        glTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 2, 1, 1, 1, c.format, c.type, c.pixels);
        EXPECT_EQ(LastError(), GL_NO_ERROR);
        // Only texel (2, 1) of the 3 × 2 texture changes.
        const size_t channels = c.texel.size();
        std::vector<std::uint8_t> expected(3 * 2 * channels, 0);
        std::copy(c.texel.begin(), c.texel.end(), expected.begin() + 5 * channels);
        EXPECT_EQ(Texels(name), expected);
        ++checked;
    }
    EXPECT_EQ(checked, 6);
}

TEST_F(GLTest, RowsAreUnpackedWithFourByteAlignment) {
    const GLuint name = MakeTexture(GL_RGB8, 1, 2);
    // Two RGB rows of one pixel: each row is padded to 4 bytes.
    const std::uint8_t rows[] = {10, 20, 30, 0xEE, 40, 50, 60, 0xEE};
    glTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 0, 1, 2, GL_RGB, GL_UNSIGNED_BYTE, rows);
    EXPECT_EQ(Texels(name), (std::vector<std::uint8_t>{10, 20, 30, 40, 50, 60}));
}

TEST_F(GLTest, InvalidCallsRaiseTheirErrorAndChangeNothing) {
    const GLuint name = MakeTexture(GL_RGBA8, 4, 4);
    platform_probe::takeGLCalls(ctx);
    const float px[4 * 5] = {1, 1, 1, 1};
    struct Case {
        GLint x, y;
        GLsizei w, h;
        GLenum format, type;
        GLenum error;
    } cases[] = {
        {3, 0, 2, 1, GL_RGBA, GL_FLOAT, GL_INVALID_VALUE},  // past the right edge
        {0, 4, 1, 1, GL_RGBA, GL_FLOAT, GL_INVALID_VALUE},  // past the last row
        {-1, 0, 1, 1, GL_RGBA, GL_FLOAT, GL_INVALID_VALUE}, // before the first column
        {0, 0, 1, 1, GL_RGB8, GL_FLOAT, GL_INVALID_ENUM},   // sized format as pixel format
        {0, 0, 1, 1, GL_RGBA, GL_RGBA, GL_INVALID_ENUM},    // bad type
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
        glTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, c.x, c.y, c.w, c.h, c.format, c.type, px);
        EXPECT_EQ(LastError(), c.error);
    }
    EXPECT_EQ(Texels(name), std::vector<std::uint8_t>(4 * 4 * 4, 0));

    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, 77); // never generated
    EXPECT_EQ(LastError(), GL_INVALID_OPERATION);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, 0);
    glTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 0, 1, 1, GL_RGBA, GL_FLOAT, px);
    EXPECT_EQ(LastError(), GL_INVALID_OPERATION); // no texture bound
}

TEST_F(GLTest, ClearFillsTheFramebuffersTextureAndDeletingDetaches) {
    const GLuint name = MakeTexture(GL_RGBA8, 2, 2);
    GLuint fb = 0;
    glGenFramebuffersEXT(1, &fb);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fb);
    glFramebufferTextureEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, name, 0);
    glClearColor(1.0f, 0.5f, 0.0f, 0.25f);
    glClear(GL_COLOR_BUFFER_BIT);
    for (const GLCall& c : platform_probe::takeGLCalls(ctx))
        EXPECT_EQ(c.error, GL_NO_ERROR) << c.function;
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 4; ++i)
        expected.insert(expected.end(), {255, 128, 0, 64});
    EXPECT_EQ(Texels(name), expected);

    glDeleteTextures(1, &name);
    EXPECT_FALSE(platform_probe::texture(ctx, name));
    EXPECT_EQ(platform_probe::boundTexture(ctx, GL_TEXTURE_RECTANGLE_ARB), 0u);
    EXPECT_EQ(platform_probe::framebufferColorTexture(ctx, fb), 0u);
    glDeleteFramebuffersEXT(1, &fb);
    EXPECT_EQ(platform_probe::framebufferCount(ctx), 0);
    EXPECT_EQ(platform_probe::boundFramebuffer(ctx), 0u);
}

TEST_F(GLTest, CallsReachOnlyTheCurrentContext) {
    auto other = NSOpenGLContext::create(NSOpenGLPixelFormat(kAttributes));
    other->makeCurrentContext();
    EXPECT_EQ(NSOpenGLContext::currentContext(), other.get());
    GLuint name = 0;
    glGenTextures(1, &name);
    EXPECT_EQ(platform_probe::textureCount(other->cglContextObj()), 1);
    EXPECT_EQ(platform_probe::textureCount(ctx), 0);

    NSOpenGLContext::clearCurrentContext();
    glGenTextures(1, &name);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    EXPECT_EQ(platform_probe::textureCount(other->cglContextObj()), 1);
    const std::vector<GLCall> orphans = platform_probe::takeGLCallsWithoutContext();
    ASSERT_EQ(orphans.size(), 2u);
    EXPECT_TRUE(orphans[0].is("glGenTextures"));
    EXPECT_EQ(orphans[0].context, nullptr);

    // Destroying the current context leaves the thread without one.
    other->makeCurrentContext();
    other.reset();
    EXPECT_EQ(NSOpenGLContext::currentContext(), nullptr);
}

TEST_F(GLTest, LockIsExclusiveAndTheLogShowsWhoHeldIt) {
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    CGLLockContext(ctx);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);

    std::atomic<bool> acquired{false};
    std::thread other([&] {
        CGLLockContext(ctx);
        acquired = true;
        CGLUnlockContext(ctx);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(acquired);
    CGLUnlockContext(ctx);
    other.join();
    EXPECT_TRUE(acquired);

    const std::vector<GLCall> calls = platform_probe::takeGLCalls(ctx);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_FALSE(calls[0].lockedByCaller);
    EXPECT_TRUE(calls[1].lockedByCaller);
}

TEST(Foundation, PoolsCountPerThreadAndDrainOnce) {
    EXPECT_EQ(platform_probe::autoreleasePoolDepth(), 0);
    {
        NSAutoreleasePool outer;
        NSAutoreleasePool inner;
        EXPECT_EQ(platform_probe::autoreleasePoolDepth(), 2);
        inner.drain();
        inner.drain();
        EXPECT_EQ(platform_probe::autoreleasePoolDepth(), 1);
        std::thread([] { EXPECT_EQ(platform_probe::autoreleasePoolDepth(), 0); }).join();
    }
    EXPECT_EQ(platform_probe::autoreleasePoolDepth(), 0);
}

TEST(OpenGLContext, KeepsItsPixelFormatAndCanBeUnavailable) {
    const NSOpenGLPixelFormatAttribute attributes[] = {NSOpenGLPFADoubleBuffer,
                                                       NSOpenGLPFAPixelBuffer, 0};
    auto context = NSOpenGLContext::create(NSOpenGLPixelFormat(attributes));
    ASSERT_TRUE(context);
    EXPECT_EQ(platform_probe::pixelFormat(context->cglContextObj()),
              (std::vector<NSOpenGLPixelFormatAttribute>{5, 90}));
    platform_probe::setOpenGLContextsAvailable(false);
    EXPECT_FALSE(NSOpenGLContext::create(NSOpenGLPixelFormat(attributes)));
    platform_probe::setOpenGLContextsAvailable(true);
}

} // namespace
