// Shared by the publisher tests: the singleton reset to idle around each test, its context's
// call log, and line records over their own storage.
#pragma once

#include "C4DSyphonServer.h"
#include "opengl_context.h"
#include "platform_probe.h"
#include "syphon_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using platform_probe::GLCall;

// An 8-bit level as a float that converts back to it exactly.
inline Float32 Level(int byte) {
    return Float32(byte) / 255.0f;
}

// A line of columns xmin … xmax on row y; value(pixel, sample, channel) gives its data.
class TestLine {
public:
    template <typename Value>
    TestLine(Int32 xmin, Int32 xmax, Int32 y, Int32 comp, Bool aa, Value value) {
        const Int32 n = xmax - xmin + 1;
        const Int32 samples = aa ? 4 : 1;
        data_.resize(size_t(n) * samples * comp);
        for (Int32 p = 0; p < n; ++p)
            for (Int32 k = 0; k < samples; ++k)
                for (Int32 c = 0; c < comp; ++c)
                    data_[(size_t(p) * samples + k) * comp + c] = value(p, k, c);
        pp_.comp = comp;
        pp_.xmin = xmin;
        pp_.xmax = xmax;
        pp_.line = y;
        pp_.validLine = true;
        pp_.aa = aa;
    }
    PixelPost* record() {
        pp_.col = data_.data();
        return &pp_;
    }

private:
    std::vector<Float32> data_;
    PixelPost pp_;
};

class PublisherTest : public testing::Test {
protected:
    void SetUp() override {
        platform_probe::setGLCallLogging(true);
        NSOpenGLContext::clearCurrentContext();
        pub->start("probe", false);
        const auto probe = SyphonDirectory::find("probe");
        ASSERT_TRUE(probe);
        ctx = probe->context;
        pub->shutdown();
        pub->setSize({}, false);
        pub->setArea({}, {});
        Calls();
        platform_probe::takeGLCallsWithoutContext();
    }
    void TearDown() override {
        pub->shutdown();
        pub->setSize({}, false);
        platform_probe::setGLCallLogging(false);
    }

    std::vector<GLCall> Calls() { return platform_probe::takeGLCalls(ctx); }
    static std::vector<GLCall> Uploads(const std::vector<GLCall>& calls) {
        std::vector<GLCall> uploads;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(uploads),
                     [](const GLCall& c) { return c.is("glTexSubImage2D"); });
        return uploads;
    }
    // Every call was made holding the context's lock and raised no error.
    static void ExpectClean(const std::vector<GLCall>& calls) {
        for (const GLCall& c : calls) {
            EXPECT_TRUE(c.lockedByCaller) << c.function;
            EXPECT_EQ(c.error, GL_NO_ERROR) << c.function;
        }
    }
    static void ExpectArgs(const GLCall& call, const std::vector<double>& args) {
        EXPECT_EQ(std::vector<double>(call.args.begin(), call.args.begin() + call.argCount), args)
            << call.function;
    }
    platform_probe::GLTexture Texture() {
        const auto t = platform_probe::texture(ctx, pub->texture);
        EXPECT_TRUE(t) << "texture " << pub->texture;
        return t.value_or(platform_probe::GLTexture());
    }
    long FrameCount(const char* name) {
        const auto d = SyphonDirectory::find(name);
        return d ? d->frameCount : -1;
    }

    C4DSyphonServer* pub = C4DSyphonServer::Instance();
    CGLContextObj ctx = nullptr;
};
