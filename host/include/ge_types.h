// Scalar types of the host's plug-in interface.
#pragma once

#include <cstdint>

using Float = double;
using Float32 = float;
using Float64 = double;
using Int16 = std::int16_t;
using Int32 = std::int32_t;
using UInt16 = std::uint16_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Bool = bool;
using Char = char;
using UChar = unsigned char;

// π and its multiples as the host's math header gives them.
inline constexpr Float PI = 3.14159265358979323846;
inline constexpr Float PI05 = PI * 0.5;
inline constexpr Float PI2 = PI * 2.0;
