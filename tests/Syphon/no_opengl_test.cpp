// A machine where no OpenGL context can be made: the publisher must stay off GL entirely, so
// the caller's own context is never touched. Its own program, since the publisher's context is
// made once per process.
#include "C4DSyphonServer.h"
#include "opengl_context.h"
#include "platform_probe.h"
#include "syphon_directory.h"

#include <gtest/gtest.h>

namespace {

TEST(PublisherWithoutOpenGL, SendsNothingAnywhereAndRetriesOnTheNextStart) {
    const NSOpenGLPixelFormatAttribute attributes[] = {NSOpenGLPFADoubleBuffer, 0};
    auto own = NSOpenGLContext::create(NSOpenGLPixelFormat(attributes));
    ASSERT_TRUE(own);
    own->makeCurrentContext();
    platform_probe::setGLCallLogging(true);
    platform_probe::setOpenGLContextsAvailable(false);

    C4DSyphonServer* pub = C4DSyphonServer::Instance();
    pub->start("Ovrin 360 Cam", false);
    pub->setSize({4, 3, 0}, false);
    pub->setArea({0, 0, 0}, {4, 3, 0});
    std::vector<Float32> data(4 * 4, 1.0f);
    PixelPost line;
    line.col = data.data();
    line.xmax = 3;
    line.validLine = true;
    pub->publishLine(&line);
    VPBuffer buffer(4, 3);
    pub->publishBuffer(&buffer);
    pub->shutdown();

    EXPECT_EQ(pub->server, nullptr);
    EXPECT_EQ(pub->texture, 0u);
    EXPECT_EQ(pub->width, 4); // the size is kept; there is just no texture for it
    EXPECT_TRUE(SyphonDirectory::serverNames().empty());
    EXPECT_EQ(NSOpenGLContext::currentContext(), own.get());
    EXPECT_TRUE(platform_probe::takeGLCalls(own->cglContextObj()).empty());
    EXPECT_TRUE(platform_probe::takeGLCallsWithoutContext().empty());
    EXPECT_EQ(platform_probe::textureCount(own->cglContextObj()), 0);

    platform_probe::setOpenGLContextsAvailable(true);
    pub->start("Ovrin 360 Cam", false);
    pub->setSize({4, 3, 0}, false);
    EXPECT_NE(pub->server, nullptr);
    EXPECT_NE(pub->texture, 0u);
    EXPECT_EQ(SyphonDirectory::serverNames(), (std::vector<std::string>{"Ovrin 360 Cam"}));
    EXPECT_EQ(NSOpenGLContext::currentContext(), own.get());
    EXPECT_TRUE(platform_probe::takeGLCalls(own->cglContextObj()).empty());
    pub->shutdown();
    NSOpenGLContext::clearCurrentContext();
}

} // namespace
