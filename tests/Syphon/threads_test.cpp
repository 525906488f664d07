// The pipeline's threading: render threads hand lines over one at a time under a shared mutex
// while the control thread waits. Meant for the tsan preset as much as for the others.
#include "publisher_fixture.h"

#include <mutex>
#include <thread>

namespace {

TEST_F(PublisherTest, RenderThreadsPublishLinesUnderOneMutex) {
    constexpr Int32 w = 64, h = 48, threads = 4;
    pub->start("Threads", false);
    pub->setSize({w, h, 0}, true);
    pub->setArea({0, 0, 0}, {w, h, 0});
    Calls();

    const auto value = [](Int32 x, Int32 y, Int32 ch) { return (3 * x + 5 * y + ch) & 255; };
    std::mutex syphonLock;
    std::vector<std::thread> renderers;
    for (Int32 k = 0; k < threads; ++k)
        renderers.emplace_back([&, k] {
            for (Int32 y = k; y < h; y += threads) {
                TestLine line(0, w - 1, y, 4, y % 2 == 1,
                              [&](Int32 p, Int32, Int32 ch) { return Level(value(p, y, ch)); });
                std::lock_guard<std::mutex> guard(syphonLock);
                pub->publishLine(line.record());
            }
        });
    for (std::thread& t : renderers)
        t.join();

    EXPECT_EQ(FrameCount("Threads"), h);
    const std::vector<GLCall> calls = Calls();
    ExpectClean(calls);
    EXPECT_EQ(Uploads(calls).size(), size_t(h));
    const platform_probe::GLTexture t = Texture();
    int mismatches = 0;
    for (Int32 y = 0; y < h; ++y)
        for (Int32 x = 0; x < w; ++x)
            for (Int32 ch = 0; ch < 4; ++ch)
                mismatches += t.texel(x, h - 1 - y)[ch] != value(x, y, ch);
    EXPECT_EQ(mismatches, 0);
}

} // namespace
