#include "ovrin/ovrin_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <ctime>
#include <limits>

namespace {

TEST(FormatFrameNumber, ZeroFillsToSixAndNeverCuts) {
    struct Case {
        Int32 frame;
        const char* expected;
    } cases[] = {
        {0, "000000"},
        {42, "000042"},
        {999999, "999999"},
        {1000000, "1000000"},
        {1234567, "1234567"},
        {-5, "0000-5"}, // the fill goes before the sign
        {std::numeric_limits<Int32>::min(), "-2147483648"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(formatFrameNumber(c.frame), c.expected);
    }
}

TEST(FormatTimecode, MinutesSecondsAndFrames) {
    constexpr Float inf = std::numeric_limits<Float>::infinity();
    constexpr Float nan = std::numeric_limits<Float>::quiet_NaN();
    // Int64 clamp of a huge time: 9223372036854775807 s = 153722867280912930 min 7 s.
    const std::string clampedMinutes = "153722867280912930:07.";
    struct Case {
        Float n, d, fps;
        std::string expected;
    } cases[] = {
        {75, 30, 30, "000:02.15"},
        {3630, 1, 25, "060:30.00"},
        {0, 1, 30, "000:00.00"},
        {0, 1, 24, "000:00.00"},
        {0, 1, 0, "000:00.00"},
        {61, 1, 30, "001:01.00"},
        {60000, 1, 30, "1000:00.00"}, // minutes widen the field
        {2999, 100, 100, "000:29.99"},
        {5, 0, 30, "000:00.00"},   // zero denominator: time 0, no division
        {0, 0, 30, "000:00.00"},   // 0/0 likewise
        {2, 0.5, 30, "000:04.00"}, // the denominator's floor is 0: no frames
        {75, 30, nan, "000:02.00"},
        {75, 30, inf, "000:02.00"},
        {nan, 1, 30, "000:00.00"},
        {1e300, 1, 30, clampedMinutes + "9223372036854775807"},
        {inf, 1, 30, clampedMinutes + "9223372036854775807"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << "/" << c.d << " at " << c.fps << " fps");
        EXPECT_EQ(formatTimecode(BaseTime(c.n, c.d), c.fps), c.expected);
    }
}

TEST(FormatTime, IsTheCurrentLocalTimeZeroFilled) {
    const std::time_t before = std::time(nullptr);
    const std::string text = formatTime();
    const std::time_t after = std::time(nullptr);

    // "DD/MM/YYYY hh:mm:ss": every field zero-filled to its width.
    const std::string shape = "00/00/0000 00:00:00";
    ASSERT_EQ(text.size(), shape.size()) << text;
    for (size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '0')
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(text[i]))) << text << " at " << i;
        else
            EXPECT_EQ(text[i], shape[i]) << text << " at " << i;
    }
    std::tm local{};
    ASSERT_EQ(std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d", &local.tm_mday, &local.tm_mon,
                          &local.tm_year, &local.tm_hour, &local.tm_min, &local.tm_sec),
              6)
        << text;
    local.tm_mon -= 1;
    local.tm_year -= 1900;
    local.tm_isdst = -1;
    const std::time_t shown = std::mktime(&local);
    EXPECT_GE(shown, before) << text;
    EXPECT_LE(shown, after) << text;
}

TEST(SplitString, CutsAtEveryNewlineOnly) {
    struct Case {
        const char* text;
        std::vector<String> pieces;
    } cases[] = {
        {"", {""}},
        {"a", {"a"}},
        {"a\n", {"a", ""}},
        {"a\nb", {"a", "b"}},
        {"\n", {"", ""}},
        {"\n\nx", {"", "", "x"}},
        {"TITLE\nDirected by", {"TITLE", "Directed by"}},
        {"a\r\nb\r", {"a\r", "b\r"}}, // "\r" stays in its piece
        {"\r", {"\r"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        const std::vector<String> pieces = splitString(c.text);
        ASSERT_EQ(pieces.size(), c.pieces.size());
        for (size_t i = 0; i < pieces.size(); ++i)
            EXPECT_EQ(pieces[i].GetStdString(), c.pieces[i].GetStdString()) << "piece " << i;
    }
}

} // namespace
