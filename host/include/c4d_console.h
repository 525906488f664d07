// The host's console: one line per GePrint, written to standard error.
#pragma once

#include "c4d_string.h"

#include <string>
#include <vector>

// Writes text as one console line; the line end is appended. Safe from any thread: lines from
// concurrent callers never interleave.
void GePrint(const String& text);

// The host's debug stop: reports message and halts in debug builds (an assertion), does nothing
// in release builds.
void GeDebugStop(const char* message);

namespace host {

// Host side, for tests and tools: while a capture lives, GePrint lines go into it instead of
// standard error. Captures nest; the newest one receives the lines.
class ConsoleCapture {
public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    // The lines captured so far, in the order they were printed.
    std::vector<std::string> Lines() const;

private:
    friend void ::GePrint(const String& text);

    std::vector<std::string> lines_; // guarded by the console's lock
    ConsoleCapture* previous_ = nullptr;
};

} // namespace host
