#include "c4d_vpbuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(VPBuffer, SizeAndInfoQueries) {
    struct Case {
        VPBuffer buffer;
        Int32 w, h, cpp;
    } cases[] = {
        {VPBuffer(7, 5), 7, 5, 4}, {VPBuffer(7, 5, 3), 7, 5, 3},  {VPBuffer(7, 5, 2), 7, 5, 4},
        {VPBuffer(0, 5), 0, 0, 4}, {VPBuffer(7, -1, 3), 0, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << "x" << c.cpp);
        EXPECT_EQ(c.buffer.GetBw(), c.w);
        EXPECT_EQ(c.buffer.GetBh(), c.h);
        EXPECT_EQ(c.buffer.GetBt(), 32);
        EXPECT_EQ(c.buffer.GetInfo(VPGETINFO::XRESOLUTION), c.w);
        EXPECT_EQ(c.buffer.GetInfo(VPGETINFO::YRESOLUTION), c.h);
        EXPECT_EQ(c.buffer.GetInfo(VPGETINFO::BITDEPTH), 32);
        EXPECT_EQ(c.buffer.GetInfo(VPGETINFO::CPP), c.cpp);
        EXPECT_EQ(c.buffer.GetInfo(static_cast<VPGETINFO>(3)), c.cpp);
    }
}

TEST(VPBuffer, FloatLinesRoundTripAndStayInTheirRun) {
    VPBuffer b(4, 3, 3);
    const std::vector<Float32> run = {0.1f, 0.2f, 0.3f, 1.5f, -2.0f, 0.6f};
    ASSERT_TRUE(b.SetLine(2, 1, 2, run.data(), 32, false));
    std::vector<Float32> row(4 * 3, 9.0f);
    ASSERT_TRUE(b.GetLine(0, 1, 4, row.data(), 32, false));
    EXPECT_EQ(row, (std::vector<Float32>{0, 0, 0, 0, 0, 0, 0.1f, 0.2f, 0.3f, 1.5f, -2.0f, 0.6f}));
    ASSERT_TRUE(b.GetLine(0, 0, 4, row.data(), 32, false));
    EXPECT_EQ(row, std::vector<Float32>(12, 0.0f));
}

TEST(VPBuffer, RunsOutsideTheImageAreRefused) {
    VPBuffer b(4, 3);
    struct Case {
        Int32 x, y, cnt, depth;
    } cases[] = {
        {3, 0, 2, 32},
        {-1, 0, 1, 32},
        {0, 3, 1, 32},
        {0, -1, 1, 32},
        {0, 0, -1, 32},
        {0, 0, 1, 16},
        {std::numeric_limits<Int32>::max(), 0, 2, 8},
    };
    std::vector<Float32> data(64, 7.0f);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.x << "," << c.y << " cnt " << c.cnt << " depth " << c.depth);
        EXPECT_FALSE(b.GetLine(c.x, c.y, c.cnt, data.data(), c.depth, false));
        EXPECT_FALSE(b.SetLine(c.x, c.y, c.cnt, data.data(), c.depth, false));
    }
    EXPECT_FALSE(b.GetLine(0, 0, 1, nullptr, 32, false));
    EXPECT_EQ(data, std::vector<Float32>(64, 7.0f));
    std::vector<Float32> row(16, 1.0f);
    ASSERT_TRUE(b.GetLine(0, 0, 4, row.data(), 32, false));
    EXPECT_EQ(row, std::vector<Float32>(16, 0.0f));
}

TEST(VPBuffer, EightBitReadsRoundOrDitherAndClamp) {
    VPBuffer b(4, 4, 3);
    // Row 0: values rounded without dithering, clamped, NaN read as 0.
    const Float32 nan = std::numeric_limits<Float32>::quiet_NaN();
    const std::vector<Float32> row0 = {
        0.0f, 1.0f, 0.5f, -0.3f, 1.7f, nan, 2.4f / 255, 2.6f / 255, 1.0f - 0.4f / 255,
        0.2f, 0.4f, 0.6f};
    ASSERT_TRUE(b.SetLine(0, 0, 4, row0.data(), 32, false));
    std::vector<UChar> bytes(12);
    ASSERT_TRUE(b.GetLine(0, 0, 4, bytes.data(), 8, false));
    EXPECT_EQ(bytes, (std::vector<UChar>{0, 255, 128, 0, 255, 0, 2, 3, 255, 51, 102, 153}));

    // Values that are exact in 8 bits stay exact with dithering.
    ASSERT_TRUE(b.GetLine(0, 0, 4, bytes.data(), 8, true));
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 255);
    EXPECT_EQ(bytes[9], 51);

    // Dithering keeps the mean: 10.25 over a 4 × 4 tile gives four 11s among twelve 10s.
    const std::vector<Float32> level(4 * 3, 10.25f / 255);
    for (Int32 y = 0; y < 4; ++y)
        ASSERT_TRUE(b.SetLine(0, y, 4, level.data(), 32, false));
    int sum = 0, elevens = 0;
    for (Int32 y = 0; y < 4; ++y) {
        ASSERT_TRUE(b.GetLine(0, y, 4, bytes.data(), 8, true));
        for (Int32 x = 0; x < 4; ++x) {
            EXPECT_TRUE(bytes[x * 3] == 10 || bytes[x * 3] == 11);
            EXPECT_EQ(bytes[x * 3], bytes[x * 3 + 2]);
            sum += bytes[x * 3];
            elevens += bytes[x * 3] == 11;
        }
    }
    EXPECT_EQ(elevens, 4);
    EXPECT_EQ(sum, 164);
}

TEST(VPBuffer, EightBitWritesScaleToOne) {
    VPBuffer b(2, 1, 4);
    const UChar in[] = {0, 51, 255, 128, 255, 0, 0, 255};
    ASSERT_TRUE(b.SetLine(0, 0, 2, in, 8, false));
    std::vector<Float32> out(8);
    ASSERT_TRUE(b.GetLine(0, 0, 2, out.data(), 32, false));
    const Float32 expected[] = {0.0f, 0.2f, 1.0f, 128.0f / 255, 1.0f, 0.0f, 0.0f, 1.0f};
    for (int i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ(out[i], expected[i]) << i;
}

} // namespace
