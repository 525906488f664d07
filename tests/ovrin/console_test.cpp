#include "c4d_console.h"
#include "ovrin/ovrin_console.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string prefix = "--- Ovrin360Cam: ";

TEST(OvrinPrintf, PrefixesAndFormatsTheMessage) {
    host::ConsoleCapture capture;
    OvrinPrintf("Version %s (%s) %s", "2.1", "003", "is ready!");
    OvrinPrintf("%d of %d passes, %.2f%%", 3, 12, 25.0);
    OvrinPrintf("plain");
    EXPECT_EQ(capture.Lines(),
              (Lines{"--- Ovrin360Cam: Version 2.1 (003) is ready!",
                     "--- Ovrin360Cam: 3 of 12 passes, 25.00%", "--- Ovrin360Cam: plain"}));
}

TEST(OvrinPrintf, CutsTheLineAt1023Characters) {
    struct Case {
        size_t messageLength, printedLength;
    } cases[] = {
        {1023 - prefix.size() - 1, 1022},
        {1023 - prefix.size(), 1023}, // exactly 1023: whole
        {1023 - prefix.size() + 1, 1023},
        {5000, 1023},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messageLength);
        std::string message;
        for (size_t i = 0; i < c.messageLength; ++i)
            message += char('a' + i % 26);
        host::ConsoleCapture capture;
        OvrinPrintf("%s", message.c_str());
        const Lines lines = capture.Lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], (prefix + message).substr(0, c.printedLength));
    }
}

TEST(OvrinPrintf, LongFormatCutInsideADirectiveDropsTheDirective) {
    // The caller's format fills the line format up to its last byte, which would be the '%' of
    // "%d": the half directive goes, the text before it stays, and nothing stops.
    const std::string format = std::string(1023 - prefix.size() - 1, 'x') + "%d";
    host::ConsoleCapture capture;
    OvrinPrintf(format.c_str(), 7);
    const Lines lines = capture.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], prefix + std::string(1023 - prefix.size() - 1, 'x'));
}

TEST(OvrinPrintfDeathTest, FormatterErrorStopsInDebugAndPrintsInRelease) {
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // the host's image libraries run threads
    // A lone surrogate cannot be converted to a multibyte character: the formatter fails.
    const wchar_t unconvertible[] = {wchar_t(0xD800), 0};
    host::ConsoleCapture capture;
    EXPECT_DEBUG_DEATH(OvrinPrintf("before %ls after", unconvertible), "Stop");
#ifdef NDEBUG
    const Lines lines = capture.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind(prefix, 0), 0u) << lines[0];
    EXPECT_LE(lines[0].size(), 1023u);
#endif
}

TEST(OvrinPrintf, ConcurrentCallsPrintWholeLines) {
    constexpr int threads = 4, perThread = 100;
    host::ConsoleCapture capture;
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([t] {
            for (int i = 0; i < perThread; ++i)
                OvrinPrintf("thread %d line %d", t, i);
        });
    for (std::thread& th : pool)
        th.join();
    const Lines lines = capture.Lines();
    ASSERT_EQ(lines.size(), size_t(threads * perThread));
    std::vector<int> next(threads, 0); // each thread's lines arrive in its own order
    for (const std::string& line : lines) {
        int t = -1, i = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "--- Ovrin360Cam: thread %d line %d", &t, &i), 2)
            << line;
        ASSERT_TRUE(t >= 0 && t < threads) << line;
        EXPECT_EQ(i, next[size_t(t)]++) << line;
    }
}

TEST(OvrinPrintfNull, PrintsNothing) {
    testing::internal::CaptureStderr();
    {
        host::ConsoleCapture capture;
        OvrinPrintfNull("------- INIT -------");
        OvrinPrintfNull("Stereo MERGE! %d", 2);
        EXPECT_TRUE(capture.Lines().empty());
    }
    OvrinPrintfNull("Creating Fulldome camera");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
