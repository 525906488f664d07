#include "c4d_console.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(Console, PrintsOneLineToStandardError) {
    testing::internal::CaptureStderr();
    GePrint("first");
    GePrint("");
    GePrint("third line");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "first\n\nthird line\n");
}

TEST(Console, CaptureTakesTheLinesInsteadOfStandardError) {
    testing::internal::CaptureStderr();
    {
        host::ConsoleCapture capture;
        GePrint("one");
        GePrint("two");
        EXPECT_EQ(capture.Lines(), (Lines{"one", "two"}));
    }
    GePrint("after");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "after\n");
}

TEST(Console, NewestCaptureReceivesAndOuterResumes) {
    host::ConsoleCapture outer;
    GePrint("a");
    {
        host::ConsoleCapture inner;
        GePrint("b");
        EXPECT_EQ(inner.Lines(), (Lines{"b"}));
    }
    GePrint("c");
    EXPECT_EQ(outer.Lines(), (Lines{"a", "c"}));
}

TEST(Console, CaptureEndedOutOfOrderLeavesTheChainIntact) {
    host::ConsoleCapture outer;
    auto middle = std::make_unique<host::ConsoleCapture>();
    {
        host::ConsoleCapture inner;
        middle.reset(); // unlinked while inner still receives
        GePrint("to inner");
        EXPECT_EQ(inner.Lines(), (Lines{"to inner"}));
    }
    GePrint("to outer");
    EXPECT_EQ(outer.Lines(), (Lines{"to outer"}));
}

// Each thread prints numbered lines of a length that a torn write would show.
std::string threadLine(int thread, int i) {
    return "thread " + std::to_string(thread) + " line " + std::to_string(i) + " " +
           std::string(200, char('a' + thread));
}

void printFromThreads(int threads, int perThread) {
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([t, perThread] {
            for (int i = 0; i < perThread; ++i)
                GePrint(threadLine(t, i));
        });
    for (std::thread& th : pool)
        th.join();
}

std::set<std::string> expectedThreadLines(int threads, int perThread) {
    std::set<std::string> all;
    for (int t = 0; t < threads; ++t)
        for (int i = 0; i < perThread; ++i)
            all.insert(threadLine(t, i));
    return all;
}

constexpr int threadCount = 4;
constexpr int linesPerThread = 200;

TEST(Console, LinesFromConcurrentThreadsStayWholeInCapture) {
    host::ConsoleCapture capture;
    printFromThreads(threadCount, linesPerThread);
    const Lines lines = capture.Lines();
    ASSERT_EQ(lines.size(), size_t(threadCount * linesPerThread));
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()),
              expectedThreadLines(threadCount, linesPerThread));
}

TEST(Console, LinesFromConcurrentThreadsStayWholeOnStandardError) {
    testing::internal::CaptureStderr();
    printFromThreads(threadCount, linesPerThread);
    std::istringstream out(testing::internal::GetCapturedStderr());
    std::multiset<std::string> lines;
    for (std::string line; std::getline(out, line);)
        lines.insert(line);
    ASSERT_EQ(lines.size(), size_t(threadCount * linesPerThread));
    const std::set<std::string> expected = expectedThreadLines(threadCount, linesPerThread);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
}

TEST(ConsoleDeathTest, DebugStopHaltsOnlyInDebugBuilds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // the host's image libraries run threads
    EXPECT_DEBUG_DEATH(GeDebugStop("Stop here"), "Stop here");
}

} // namespace
