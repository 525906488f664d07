// Small numeric helpers of the host's math header.
#pragma once

#include "ge_types.h"

#include <cmath>
#include <limits>

// Truncates toward zero into the Int32 range: out-of-range values clamp to its ends and NaN
// gives 0, where a plain cast would be undefined.
inline Int32 SAFEINT32(Float v) {
    if (std::isnan(v))
        return 0;
    constexpr Float lo = std::numeric_limits<Int32>::min();
    constexpr Float hi = std::numeric_limits<Int32>::max();
    if (v <= lo)
        return std::numeric_limits<Int32>::min();
    if (v >= hi)
        return std::numeric_limits<Int32>::max();
    return static_cast<Int32>(v);
}
