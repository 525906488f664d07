// The few Foundation pieces the frame publisher uses: autorelease pools and geometry records.
#pragma once

// An autorelease pool. The stand-in has no autoreleased objects; it only keeps each thread's
// count of open pools, so a caller that forgets to drain shows up.
class NSAutoreleasePool {
public:
    NSAutoreleasePool();
    ~NSAutoreleasePool(); // drains, unless drain() already did
    NSAutoreleasePool(const NSAutoreleasePool&) = delete;
    NSAutoreleasePool& operator=(const NSAutoreleasePool&) = delete;

    void drain();

private:
    bool drained_ = false;
};

struct NSPoint {
    double x = 0, y = 0;
    bool operator==(const NSPoint&) const = default;
};
struct NSSize {
    double width = 0, height = 0;
    bool operator==(const NSSize&) const = default;
};
struct NSRect {
    NSPoint origin;
    NSSize size;
    bool operator==(const NSRect&) const = default;
};

inline NSSize NSMakeSize(double width, double height) {
    return {width, height};
}
inline NSRect NSMakeRect(double x, double y, double width, double height) {
    return {{x, y}, {width, height}};
}
