// The plug-in's console log. Reentrant: callable from any thread, render threads included.
#pragma once

// Writes one console line: "--- Ovrin360Cam: " followed by the printf-style formatted message,
// cut to 1023 characters. Nothing but the printed string touches the heap.
[[gnu::format(printf, 1, 2)]] void OvrinPrintf(const char* format, ...);

// Same signature as OvrinPrintf and no effect at all: debug traces go here.
[[gnu::format(printf, 1, 2)]] inline void OvrinPrintfNull(const char*, ...) {}
