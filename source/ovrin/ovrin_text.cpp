#include "ovrin_text.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <iomanip>
#include <limits>
#include <sstream>

namespace {

// Truncates toward zero into the Int64 range; NaN gives 0 and out-of-range values clamp to the
// range's ends, where a plain conversion would be undefined.
Int64 truncToInt64(Float v) {
    if (std::isnan(v))
        return 0;
    constexpr Float limit = 9223372036854775808.0; // 2^63, the first double outside Int64
    if (v >= limit)
        return std::numeric_limits<Int64>::max();
    if (v <= -limit)
        return std::numeric_limits<Int64>::min();
    return static_cast<Int64>(v);
}

} // namespace

std::string formatFrameNumber(const Int32& frame) {
    std::ostringstream out;
    out << std::setw(6) << std::setfill('0') << frame;
    return out.str();
}

std::string formatTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // localtime_r, not localtime: the overlay is drawn from render threads.
    if (localtime_r(&now, &local) == nullptr)
        return "00/00/0000 00:00:00";
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", local.tm_mday,
                  local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min,
                  local.tm_sec);
    return text;
}

std::string formatTimecode(const BaseTime& time, Float fps) {
    const Float n = time.GetNumerator();
    const Float d = time.GetDenominator();
    const Int64 seconds = d != 0.0 ? truncToInt64(n / d) : 0;
    const Int64 minutes = seconds / 60;
    const Int64 secs = seconds % 60;

    // The frame within the second: whole frames up to the time, less the frames of the whole
    // seconds. A denominator whose floor is 0 has no frame count.
    Int64 frames = 0;
    const Float wholeDenominator = std::floor(d);
    if (wholeDenominator != 0.0) {
        const Float framesToTime = std::trunc(std::floor(n * fps) / wholeDenominator);
        frames = truncToInt64(framesToTime - Float(seconds) * fps);
    }

    std::ostringstream out;
    out << std::setfill('0') << std::setw(3) << minutes << ':' << std::setw(2) << secs << '.'
        << std::setw(2) << frames;
    return out.str();
}

std::vector<String> splitString(const String& text) {
    std::vector<String> pieces;
    Int32 start = 0;
    for (;;) {
        Int32 newline = 0;
        const Bool found = text.FindFirst("\n", &newline, start);
        const Int32 end = found ? newline : text.GetLength();
        pieces.push_back(text.SubStr(start, end - start));
        if (!found)
            return pieces;
        start = newline + 1;
    }
}
