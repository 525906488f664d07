// Texts of the dome overlays: frame number, wall-clock time, timecode; and line splitting.
// Reentrant: no state between calls.
#pragma once

#include "c4d_basetime.h"
#include "c4d_string.h"

#include <string>
#include <vector>

// The frame number zero-filled to width 6 (never cut): 42 → "000042", −5 → "0000-5".
std::string formatFrameNumber(const Int32& frame);

// The current local time as "DD/MM/YYYY hh:mm:ss".
std::string formatTime();

// time as "MMM:SS.FF": whole minutes (width 3, wider when needed), seconds of the minute and
// the frame within the second at fps, all zero-filled. A zero denominator reads as time 0;
// non-finite or huge values clamp instead of overflowing.
std::string formatTimecode(const BaseTime& time, Float fps);

// Splits text at every "\n" into its lines; always at least one (possibly empty) piece. A "\r"
// stays in its piece.
std::vector<String> splitString(const String& text);
