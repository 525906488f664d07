#include "foundation.h"
#include "platform_probe.h"

namespace {
thread_local int openPools = 0;
}

NSAutoreleasePool::NSAutoreleasePool() {
    ++openPools;
}

NSAutoreleasePool::~NSAutoreleasePool() {
    drain();
}

void NSAutoreleasePool::drain() {
    if (drained_)
        return;
    drained_ = true;
    --openPools;
}

int platform_probe::autoreleasePoolDepth() {
    return openPools;
}
