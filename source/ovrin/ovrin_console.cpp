#include "ovrin_console.h"

#include "c4d_console.h"
#include "c4d_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int lineBufferSize = 1024;

// When the caller's format had to be cut to fit the line format, the cut may end inside a
// conversion directive ("...%", "...%l"). That directive is dropped so the formatter never
// sees a half directive, whose result is undefined.
void dropUnfinishedDirective(char* format) {
    constexpr const char* directiveInner = "-+ #0'123456789.*$hlLqjzt";
    for (char* p = format; *p != '\0'; ++p) {
        if (*p != '%')
            continue;
        char* const start = p++;
        while (*p != '\0' && std::strchr(directiveInner, *p) != nullptr)
            ++p;
        if (*p == '\0') {
            *start = '\0';
            return;
        }
    }
}

} // namespace

void OvrinPrintf(const char* format, ...) {
    // The caller's format is copied as text, so its directives stay for the second step.
    char lineFormat[lineBufferSize];
    const int formatCount =
        std::snprintf(lineFormat, sizeof lineFormat, "--- Ovrin360Cam: %s", format ? format : "");
    if (formatCount >= lineBufferSize)
        dropUnfinishedDirective(lineFormat);

    // Zeroed, so that whatever the formatter leaves on an error is still a terminated text.
    char line[lineBufferSize] = {};
    va_list args;
    va_start(args, format);
    const int count = std::vsnprintf(line, sizeof line, lineFormat, args);
    va_end(args);
    if (count < 0 || count >= lineBufferSize - 1) {
        if (count < 0)
            GeDebugStop("Stop");
        line[lineBufferSize - 1] = '\0';
    }
    GePrint(String(line));
}
