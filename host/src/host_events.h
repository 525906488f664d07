// What the plug-in asked of the host's user interface: recorded so tests and the application
// can see it. Host-internal.
#pragma once

#include "c4d_filename.h"
#include "c4d_string.h"

#include <utility>
#include <vector>

namespace host {

// The folder GeGetPluginPath reports; the module loader sets it.
void SetPluginPath(const Filename& path);

struct Events {
    Int32 eventAdds = 0;
    Int32 redraws = 0;
    std::vector<String> openedUrls;
    std::vector<std::pair<Int32, Int32>> commands; // id, sub-id
};

// The record since the last ResetEvents.
const Events& RecordedEvents();
void ResetEvents();

} // namespace host
