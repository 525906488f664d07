#include "publisher_fixture.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <pthread.h>
#include <thread>

namespace {

constexpr double kRect = GL_TEXTURE_RECTANGLE_ARB;

TEST_F(PublisherTest, StartCreatesOneServerAndRenamesIt) {
    pub->start("First", false);
    const auto first = SyphonDirectory::find("First");
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->options); // not private: no options at all
    EXPECT_EQ(first->context, ctx);
    EXPECT_EQ(platform_probe::pixelFormat(ctx), (std::vector<NSOpenGLPixelFormatAttribute>{5, 90}));

    pub->start("Second", true);
    EXPECT_EQ(SyphonDirectory::serverNames(), (std::vector<std::string>{"Second"}));
    EXPECT_FALSE(SyphonDirectory::find("Second")->options);

    pub->shutdown();
    EXPECT_TRUE(SyphonDirectory::serverNames().empty());
    EXPECT_EQ(pub->server, nullptr);
    pub->start("Private", true);
    EXPECT_EQ(SyphonDirectory::find("Private")->options,
              (SyphonServerOptions{{SyphonServerOptionIsPrivate, true}}));
    ExpectClean(Calls());
}

TEST_F(PublisherTest, SetSizeMakesAClearedTextureInsideAFramebuffer) {
    struct Case {
        bool alpha;
        GLint internalFormat;
        GLenum pixelFormat;
        int channels;
    } cases[] = {{false, GL_RGB8, GL_RGB, 3}, {true, GL_RGBA8, GL_RGBA, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alpha ? "alpha" : "no alpha");
        pub->setArea({1, 2, 0}, {3, 4, 0});
        pub->setSize({5.9, 3.2, 0}, c.alpha);
        EXPECT_EQ(pub->width, 5);
        EXPECT_EQ(pub->height, 3);
        EXPECT_EQ(pub->alpha, c.alpha);
        EXPECT_EQ(pub->internalFormat, c.internalFormat);
        EXPECT_EQ(pub->pixelFormat, c.pixelFormat);
        EXPECT_EQ(std::vector<Int32>({pub->areaX, pub->areaY, pub->areaW, pub->areaH}),
                  std::vector<Int32>({0, 0, 5, 3}));

        const std::vector<GLCall> calls = Calls();
        ExpectClean(calls);
        std::vector<std::string> names;
        for (const GLCall& call : calls)
            names.push_back(call.function);
        const std::vector<std::string> creation = {"glEnable",
                                                   "glGenTextures",
                                                   "glBindTexture",
                                                   "glTexImage2D",
                                                   "glGenFramebuffersEXT",
                                                   "glBindFramebufferEXT",
                                                   "glFramebufferTextureEXT",
                                                   "glClearColor",
                                                   "glClear",
                                                   "glBindFramebufferEXT",
                                                   "glBindTexture"};
        ASSERT_GE(names.size(), creation.size());
        // A second size first deletes the old texture and framebuffer.
        EXPECT_EQ(std::vector<std::string>(names.end() - long(creation.size()), names.end()),
                  creation);
        const auto image = std::find_if(calls.begin(), calls.end(),
                                        [](const GLCall& x) { return x.is("glTexImage2D"); });
        ExpectArgs(*image, {kRect, 0, double(c.internalFormat), 5, 3, 0, double(c.pixelFormat),
                            GL_UNSIGNED_BYTE});
        ExpectArgs(*(calls.end() - 4), {0, 0, 0, 0});
        ExpectArgs(*(calls.end() - 3), {GL_COLOR_BUFFER_BIT});

        const platform_probe::GLTexture t = Texture();
        EXPECT_EQ(t.target, GL_TEXTURE_RECTANGLE_ARB);
        EXPECT_EQ(t.channels, c.channels);
        EXPECT_EQ(t.texels, std::vector<std::uint8_t>(5 * 3 * c.channels, 0));
        EXPECT_EQ(platform_probe::framebufferColorTexture(ctx, pub->framebuffer), pub->texture);
        EXPECT_EQ(platform_probe::textureCount(ctx), 1);
        EXPECT_EQ(platform_probe::framebufferCount(ctx), 1);
        EXPECT_EQ(platform_probe::boundTexture(ctx, GL_TEXTURE_RECTANGLE_ARB), 0u);
        EXPECT_EQ(platform_probe::boundFramebuffer(ctx), 0u);
        EXPECT_TRUE(platform_probe::isEnabled(ctx, GL_TEXTURE_RECTANGLE_ARB));
    }
}

TEST_F(PublisherTest, ZeroSizeLeavesNoTextureAndNoArea) {
    pub->setSize({10, 10, 0}, true);
    const GLuint old = pub->texture;
    ASSERT_NE(old, 0u);
    pub->setArea({1, 2, 0}, {3, 4, 0});
    pub->setSize({0, 0, 0}, true);
    EXPECT_EQ(pub->texture, 0u);
    EXPECT_EQ(pub->framebuffer, 0u);
    EXPECT_FALSE(platform_probe::texture(ctx, old));
    EXPECT_EQ(platform_probe::textureCount(ctx), 0);
    EXPECT_EQ(platform_probe::framebufferCount(ctx), 0);
    EXPECT_EQ(std::vector<Int32>({pub->areaX, pub->areaY, pub->areaW, pub->areaH}),
              std::vector<Int32>({0, 0, 0, 0}));
    EXPECT_EQ(pub->internalFormat, GL_RGB8); // formats reset; no texture to choose them for
    Calls();

    TestLine line(0, 9, 0, 4, false, [](Int32, Int32, Int32) { return 1.0f; });
    VPBuffer buffer(10, 10);
    pub->publishLine(line.record());
    pub->publishBuffer(&buffer);
    const std::vector<GLCall> calls = Calls();
    ExpectClean(calls);
    EXPECT_TRUE(Uploads(calls).empty());
}

TEST_F(PublisherTest, LinesLandOnTheirFlippedRowAndColumns) {
    struct Case {
        Int32 comp, y, textureRow;
    } cases[] = {{4, 0, 99}, {3, 0, 99}, {4, 99, 0}, {4, 42, 57}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "comp " << c.comp << " row " << c.y);
        pub->setSize({32, 100, 0}, true);
        Calls();
        TestLine line(10, 19, c.y, c.comp, false,
                      [](Int32 p, Int32, Int32 ch) { return Level(10 * p + ch + 1); });
        pub->publishLine(line.record());
        const std::vector<GLCall> calls = Calls();
        ExpectClean(calls);
        const std::vector<GLCall> uploads = Uploads(calls);
        ASSERT_EQ(uploads.size(), 1u);
        ExpectArgs(uploads[0], {kRect, 0, 10, double(c.textureRow), 10, 1,
                                double(c.comp == 4 ? GL_RGBA : GL_RGB), GL_FLOAT});

        std::vector<std::uint8_t> expected(32 * 100 * 4, 0);
        for (int p = 0; p < 10; ++p)
            for (int ch = 0; ch < 4; ++ch)
                expected[(size_t(c.textureRow) * 32 + 10 + p) * 4 + ch] =
                    ch < c.comp ? std::uint8_t(10 * p + ch + 1) : 255;
        EXPECT_EQ(Texture().texels, expected);
    }
}

TEST_F(PublisherTest, AntiAliasedLinesAverageTheirFourSamples) {
    // Samples of pixel 0: 0, 20, 40, 100 (mean 40); of pixel 1: 200, 100, 60, 0 (mean 90);
    // plus the channel index.
    const int samples[2][4] = {{0, 20, 40, 100}, {200, 100, 60, 0}};
    const int means[2] = {40, 90};
    for (Int32 comp : {3, 4}) {
        SCOPED_TRACE(testing::Message() << "comp " << comp);
        pub->setSize({4, 2, 0}, true);
        Calls();
        TestLine line(1, 2, 1, comp, true,
                      [&](Int32 p, Int32 k, Int32 ch) { return Level(samples[p][k] + ch); });
        pub->publishLine(line.record());
        const std::vector<GLCall> uploads = Uploads(Calls());
        ASSERT_EQ(uploads.size(), 1u);
        ExpectArgs(uploads[0],
                   {kRect, 0, 1, 0, 2, 1, double(comp == 4 ? GL_RGBA : GL_RGB), GL_FLOAT});
        const platform_probe::GLTexture t = Texture();
        for (int p = 0; p < 2; ++p)
            for (int ch = 0; ch < 4; ++ch)
                EXPECT_EQ(t.texel(1 + p, 0)[ch], ch < comp ? means[p] + ch : 255)
                    << "pixel " << p << " channel " << ch;
    }
}

TEST_F(PublisherTest, LinesAreClippedToTheTexture) {
    struct Case {
        Int32 xmin, xmax, y, comp;
        Bool aa;
        Int32 first, count; // expected upload; count 0 for none
    } cases[] = {
        {-2, 11, 1, 4, false, 0, 8}, {-2, 11, 1, 4, true, 0, 8}, {-2, 11, 1, 3, true, 0, 8},
        {6, 9, 0, 4, true, 6, 2},    {8, 12, 0, 4, false, 0, 0}, {-5, -1, 0, 4, false, 0, 0},
        {0, 7, -1, 4, false, 0, 0},  {0, 7, 4, 4, false, 0, 0},  {0, 7, 2, 2, false, 0, 0},
        {0, 7, 2, 5, false, 0, 0},
    };
    int checked = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xmin << ".." << c.xmax << " row " << c.y << " comp "
                                        << c.comp << (c.aa ? " aa" : ""));
        pub->setSize({8, 4, 0}, true);
        Calls();
        TestLine line(c.xmin, c.xmax, c.y, c.comp, c.aa,
                      [](Int32 p, Int32, Int32 ch) { return Level(4 * p + ch + 1); });
        pub->publishLine(line.record());
        const std::vector<GLCall> calls = Calls();
        ExpectClean(calls);
        const std::vector<GLCall> uploads = Uploads(calls);
        ASSERT_EQ(uploads.size(), c.count ? 1u : 0u);

        std::vector<std::uint8_t> expected(8 * 4 * 4, 0);
        for (Int32 x = c.first; x < c.first + c.count; ++x)
            for (int ch = 0; ch < 4; ++ch)
                expected[(size_t(3 - c.y) * 8 + x) * 4 + ch] =
                    ch < c.comp ? std::uint8_t(4 * (x - c.xmin) + ch + 1) : 255;
        EXPECT_EQ(Texture().texels, expected);
        ++checked;
    }
    EXPECT_EQ(checked, 10);

    TestLine noData(0, 7, 0, 4, false, [](Int32, Int32, Int32) { return 1.0f; });
    PixelPost* record = noData.record();
    record->col = nullptr;
    pub->publishLine(record);
    EXPECT_TRUE(Uploads(Calls()).empty());
}

// Runs f on a thread with a 256 KiB stack, less than a render thread may have.
void RunOnSmallStack(const std::function<void()>& f) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

TEST_F(PublisherTest, VeryWideImagesNeedNoStackOfTheirWidth) {
    // An anti-aliased RGBA line of this width takes 1 MiB averaged, an 8-bit row 256 KiB.
    constexpr Int32 w = 65536;
    pub->setSize({double(w), 2, 0}, true);
    TestLine line(0, w - 1, 0, 4, true,
                  [](Int32 p, Int32 k, Int32 ch) { return Level((p + k + ch) & 127); });
    VPBuffer buffer(w, 2, 4);
    std::vector<Float32> row(size_t(w) * 4, Level(7));
    buffer.SetLine(0, 1, w, row.data(), 32, false);
    Calls();
    RunOnSmallStack([&] {
        pub->publishLine(line.record());
        pub->publishBuffer(&buffer);
    });
    ExpectClean(Calls());
    const platform_probe::GLTexture t = Texture();
    // The line went to the top row, then the buffer's rows 0 and 1 over rows 1 and 0.
    EXPECT_EQ(t.texel(w - 1, 0)[0], 7);
    EXPECT_EQ(t.texel(w - 1, 1)[3], 0);
}

TEST_F(PublisherTest, BuffersUploadBottomUpAtEightBitsInTheirOwnFormat) {
    struct Case {
        Int32 cpp;
        bool textureAlpha;
        GLenum format;
    } cases[] = {{4, false, GL_RGBA}, {3, true, GL_RGB}, {4, true, GL_RGBA}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cpp " << c.cpp << " alpha " << c.textureAlpha);
        pub->setSize({4, 3, 0}, c.textureAlpha);
        Calls();
        VPBuffer buffer(4, 3, c.cpp);
        for (Int32 y = 0; y < 3; ++y) {
            std::vector<Float32> row;
            for (Int32 x = 0; x < 4; ++x)
                for (Int32 ch = 0; ch < c.cpp; ++ch)
                    row.push_back(Level(40 * y + 4 * x + ch + 1));
            ASSERT_TRUE(buffer.SetLine(0, y, 4, row.data(), 32, false));
        }
        pub->publishBuffer(&buffer);
        const std::vector<GLCall> calls = Calls();
        ExpectClean(calls);
        const std::vector<GLCall> uploads = Uploads(calls);
        ASSERT_EQ(uploads.size(), 3u);
        for (int y = 0; y < 3; ++y)
            ExpectArgs(uploads[size_t(y)],
                       {kRect, 0, 0, double(2 - y), 4, 1, double(c.format), GL_UNSIGNED_BYTE});

        const platform_probe::GLTexture t = Texture();
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                for (int ch = 0; ch < t.channels; ++ch)
                    EXPECT_EQ(t.texel(x, 2 - y)[ch], ch < c.cpp ? 40 * y + 4 * x + ch + 1 : 255)
                        << x << "," << y << " channel " << ch;
    }
}

TEST_F(PublisherTest, BuffersOfAnotherSizeUploadOnlyWhatBothHave) {
    struct Case {
        Int32 bw, bh, columns, rows;
    } cases[] = {{2, 2, 2, 2}, {6, 5, 4, 3}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bw << "x" << c.bh);
        pub->setSize({4, 3, 0}, false);
        Calls();
        VPBuffer buffer(c.bw, c.bh);
        pub->publishBuffer(&buffer);
        const std::vector<GLCall> calls = Calls();
        ExpectClean(calls);
        const std::vector<GLCall> uploads = Uploads(calls);
        ASSERT_EQ(uploads.size(), size_t(c.rows));
        for (const GLCall& u : uploads)
            EXPECT_EQ(u.args[4], c.columns);
    }
}

TEST_F(PublisherTest, ClientSeesFramesBottomUpWithTheAnnouncedRegion) {
    pub->start("Ovrin 360 Cam", false);
    pub->setSize({4, 3, 0}, false);
    pub->setArea({1, 0, 0}, {2.7, 3, 0});
    VPBuffer buffer(4, 3, 4);
    const std::vector<Float32> red = {1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1};
    const std::vector<Float32> blue = {0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1};
    buffer.SetLine(0, 0, 4, red.data(), 32, false);
    buffer.SetLine(0, 1, 4, blue.data(), 32, false);
    buffer.SetLine(0, 2, 4, blue.data(), 32, false);
    pub->publishBuffer(&buffer);

    EXPECT_EQ(FrameCount("Ovrin 360 Cam"), 1);
    std::optional<SyphonFrame> frame = SyphonDirectory::receiveFrame("Ovrin 360 Cam");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->region, NSMakeRect(1, 0, 2, 3));
    EXPECT_EQ(frame->dimensions, NSMakeSize(4, 3));
    EXPECT_FALSE(frame->flipped);
    ASSERT_EQ(frame->width, 4);
    ASSERT_EQ(frame->height, 3);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(std::vector<int>(frame->texel(x, 2), frame->texel(x, 2) + 3),
                  (std::vector<int>{255, 0, 0}));
        EXPECT_EQ(std::vector<int>(frame->texel(x, 0), frame->texel(x, 0) + 3),
                  (std::vector<int>{0, 0, 255}));
    }

    // Each line is published as it arrives, announcing the whole texture.
    TestLine green(0, 3, 1, 3, false, [](Int32, Int32, Int32 ch) { return ch == 1 ? 1.0f : 0.0f; });
    pub->publishLine(green.record());
    EXPECT_EQ(FrameCount("Ovrin 360 Cam"), 2);
    frame = SyphonDirectory::receiveFrame("Ovrin 360 Cam");
    EXPECT_EQ(frame->dimensions, NSMakeSize(4, 3));
    EXPECT_EQ(std::vector<int>(frame->texel(3, 1), frame->texel(3, 1) + 3),
              (std::vector<int>{0, 255, 0}));
}

TEST_F(PublisherTest, WithoutAServerPublishingOnlyUploads) {
    pub->setSize({4, 3, 0}, false);
    TestLine line(0, 3, 0, 4, false, [](Int32, Int32, Int32) { return 1.0f; });
    pub->publishLine(line.record());
    pub->publishLine(nullptr);
    pub->publishBuffer(nullptr);
    EXPECT_TRUE(SyphonDirectory::serverNames().empty());
    EXPECT_EQ(pub->server, nullptr);
    EXPECT_EQ(Texture().texel(0, 2)[0], 255);
    ExpectClean(Calls());
}

TEST_F(PublisherTest, ShutdownWhenIdleChangesNothing) {
    pub->setArea({1, 2, 0}, {3, 4, 0});
    const auto before = std::vector<Int32>{Int32(pub->texture), Int32(pub->framebuffer),
                                           pub->width,          pub->height,
                                           pub->areaX,          pub->areaY,
                                           pub->areaW,          pub->areaH,
                                           pub->alpha,          Int32(pub->internalFormat)};
    pub->shutdown();
    const auto after = std::vector<Int32>{Int32(pub->texture), Int32(pub->framebuffer),
                                          pub->width,          pub->height,
                                          pub->areaX,          pub->areaY,
                                          pub->areaW,          pub->areaH,
                                          pub->alpha,          Int32(pub->internalFormat)};
    EXPECT_EQ(after, before);
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(platform_probe::takeGLCallsWithoutContext().empty());
    EXPECT_TRUE(SyphonDirectory::serverNames().empty());
    EXPECT_EQ(NSOpenGLContext::currentContext(), nullptr);
}

TEST_F(PublisherTest, ShutdownDeletesTheTextureAndStopsTheServer) {
    pub->start("Stopping", false);
    pub->setSize({4, 3, 0}, true);
    pub->shutdown();
    EXPECT_EQ(pub->texture, 0u);
    EXPECT_EQ(pub->framebuffer, 0u);
    EXPECT_EQ(pub->server, nullptr);
    EXPECT_EQ(platform_probe::textureCount(ctx), 0);
    EXPECT_EQ(platform_probe::framebufferCount(ctx), 0);
    EXPECT_FALSE(SyphonDirectory::find("Stopping"));
    ExpectClean(Calls());

    // Lines arriving afterwards touch no texture.
    TestLine line(0, 3, 0, 4, false, [](Int32, Int32, Int32) { return 1.0f; });
    pub->publishLine(line.record());
    const std::vector<GLCall> calls = Calls();
    ExpectClean(calls);
    EXPECT_TRUE(Uploads(calls).empty());
}

TEST_F(PublisherTest, EveryOperationGivesTheCallerItsContextBack) {
    const NSOpenGLPixelFormatAttribute attributes[] = {NSOpenGLPFADoubleBuffer, 0};
    auto own = NSOpenGLContext::create(NSOpenGLPixelFormat(attributes));
    ASSERT_TRUE(own);
    VPBuffer buffer(4, 3);
    TestLine line(0, 3, 0, 4, true, [](Int32, Int32, Int32) { return 0.5f; });
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"start", [&] { pub->start("Caller", false); }},
        {"setSize",
         [&] {
             pub->setSize({4, 3, 0}, false);
         }},
        {"setArea",
         [&] {
             pub->setArea({0, 0, 0}, {4, 3, 0});
         }},
        {"publishLine", [&] { pub->publishLine(line.record()); }},
        {"publishBuffer", [&] { pub->publishBuffer(&buffer); }},
        {"shutdown", [&] { pub->shutdown(); }},
    };
    for (NSOpenGLContext* callers : {own.get(), static_cast<NSOpenGLContext*>(nullptr)}) {
        SCOPED_TRACE(callers ? "caller with a context" : "caller without one");
        int ran = 0;
        for (const auto& [name, operation] : operations) {
            SCOPED_TRACE(name);
            if (callers)
                callers->makeCurrentContext();
            else
                NSOpenGLContext::clearCurrentContext();
            operation();
            EXPECT_EQ(NSOpenGLContext::currentContext(), callers);
            EXPECT_EQ(platform_probe::autoreleasePoolDepth(), 0);
            ++ran;
        }
        EXPECT_EQ(ran, 6);
        const std::vector<GLCall> calls = Calls();
        EXPECT_FALSE(Uploads(calls).empty());
        ExpectClean(calls);
        EXPECT_TRUE(platform_probe::takeGLCalls(own->cglContextObj()).empty());
        EXPECT_TRUE(platform_probe::takeGLCallsWithoutContext().empty());
        EXPECT_EQ(platform_probe::textureCount(own->cglContextObj()), 0);
    }
    NSOpenGLContext::clearCurrentContext();
}

TEST_F(PublisherTest, PublishingWaitsForTheContextLock) {
    pub->start("Locked", false);
    pub->setSize({2, 2, 0}, false);
    VPBuffer buffer(2, 2);
    std::atomic<bool> done{false};
    CGLLockContext(ctx);
    std::thread renderer([&] {
        pub->publishBuffer(&buffer);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(done);
    EXPECT_EQ(FrameCount("Locked"), 0);
    CGLUnlockContext(ctx);
    renderer.join();
    EXPECT_EQ(FrameCount("Locked"), 1);
}

} // namespace
