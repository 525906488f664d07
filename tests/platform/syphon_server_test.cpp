#include "opengl.h"
#include "opengl_context.h"
#include "syphon_directory.h"
#include "syphon_server.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const NSOpenGLPixelFormatAttribute kAttributes[] = {NSOpenGLPFAPixelBuffer, 0};

TEST(SyphonServer, DirectoryFollowsCreateRenameAndStop) {
    auto context = NSOpenGLContext::create(NSOpenGLPixelFormat(kAttributes));
    const CGLContextObj ctx = context->cglContextObj();
    EXPECT_FALSE(SyphonServer::create("none", nullptr, nullptr));

    const SyphonServerOptions priv = {{SyphonServerOptionIsPrivate, true}};
    auto a = SyphonServer::create("A", ctx, nullptr);
    auto b = SyphonServer::create("B", ctx, &priv);
    EXPECT_EQ(SyphonDirectory::serverNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(SyphonDirectory::find("A")->options);
    EXPECT_EQ(SyphonDirectory::find("B")->options, priv);
    EXPECT_EQ(SyphonDirectory::find("B")->context, ctx);

    a->setName("C");
    EXPECT_EQ(a->name(), "C");
    EXPECT_FALSE(SyphonDirectory::find("A"));
    EXPECT_TRUE(SyphonDirectory::find("C"));

    a->stop();
    EXPECT_EQ(SyphonDirectory::serverNames(), (std::vector<std::string>{"B"}));
    a->publishFrameTexture(1, GL_TEXTURE_RECTANGLE_ARB, {}, {}, false); // ignored once stopped
    b.reset();                                                          // releasing stops too
    EXPECT_TRUE(SyphonDirectory::serverNames().empty());
}

TEST(SyphonServer, ClientReceivesTheAnnouncedTextureAndRegion) {
    auto context = NSOpenGLContext::create(NSOpenGLPixelFormat(kAttributes));
    context->makeCurrentContext();
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, name);
    const std::uint8_t texels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_RGB8, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 0, 2, 1, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 1, 2, 1, GL_RGB, GL_UNSIGNED_BYTE, texels + 6);
    NSOpenGLContext::clearCurrentContext();

    auto server = SyphonServer::create("Frames", context->cglContextObj(), nullptr);
    EXPECT_FALSE(SyphonDirectory::receiveFrame("Frames")); // nothing published yet
    server->publishFrameTexture(name, GL_TEXTURE_RECTANGLE_ARB, NSMakeRect(1, 0, 1, 2),
                                NSMakeSize(2, 2), true);
    server->publishFrameTexture(name, GL_TEXTURE_RECTANGLE_ARB, NSMakeRect(0, 1, 2, 1),
                                NSMakeSize(2, 2), false);
    EXPECT_EQ(SyphonDirectory::find("Frames")->frameCount, 2);
    const std::optional<SyphonFrame> frame = SyphonDirectory::receiveFrame("Frames");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->region, NSMakeRect(0, 1, 2, 1));
    EXPECT_EQ(frame->dimensions, NSMakeSize(2, 2));
    EXPECT_FALSE(frame->flipped);
    EXPECT_EQ(frame->width, 2);
    EXPECT_EQ(frame->channels, 3);
    EXPECT_EQ(frame->pixels, std::vector<std::uint8_t>(std::begin(texels), std::end(texels)));

    // A texture that no longer exists arrives as an announcement without pixels.
    server->publishFrameTexture(99, GL_TEXTURE_RECTANGLE_ARB, {}, {}, false);
    EXPECT_EQ(SyphonDirectory::receiveFrame("Frames")->channels, 0);
}

} // namespace
