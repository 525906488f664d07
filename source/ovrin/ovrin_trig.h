// sin and cos of one angle together, for the per-ray projections. Branch-light and inlined, so
// the compiler can interleave both polynomials; accurate to within an ulp of the C library.
//
// Method (the classic one of fdlibm, Sun Microsystems 1993): reduce x by the nearest multiple
// k of π/2 with π/2 split into three parts (Cody–Waite), so the reduced angle stays exact even
// next to a multiple of π/2 (cos of the double nearest π/2 keeps its 6.123233995736766e-17);
// evaluate the minimax polynomials of sin and cos on [−π/4, π/4]; pick by the quadrant k mod 4.
// Angles beyond ±2^20 or non-finite go to the C library.
#pragma once

#include "ge_types.h"

#include <cmath>

namespace ovrin {

inline void sinCos(Float x, Float& s, Float& c) {
    if (!(std::fabs(x) < 1048576.0)) {
        s = std::sin(x);
        c = std::cos(x);
        return;
    }
    // π/2 = pio2_1 + pio2_2 + pio2_2t; the first two carry 33 bits each, so k·pio2_1 and
    // k·pio2_2 are exact for the k that reach here.
    constexpr Float invPio2 = 6.36619772367581382433e-01;
    constexpr Float pio2_1 = 1.57079632673412561417e+00;
    constexpr Float pio2_2 = 6.07710050630396597660e-11;
    constexpr Float pio2_2t = 2.02226624879595063154e-21;
    // Round to the nearest integer by adding and removing 1.5·2^52 (exact for |x·2/π| < 2^51).
    constexpr Float roundShift = 6755399441055744.0;
    const Float k = (x * invPio2 + roundShift) - roundShift;
    const Float r = ((x - k * pio2_1) - k * pio2_2) - k * pio2_2t;

    const Float z = r * r;
    // sin(r) = r + r³·(S1 + z·(S2 + …)), |error| < 2^-58.
    constexpr Float S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                    S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                    S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const Float sr = r + (z * r) * (S1 + z * (S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)))));
    // cos(r) = 1 − z/2 + z²·(C1 + z·(C2 + …)); for |r| ≥ 0.3 the 1 − z/2 is split at qx so
    // its rounding does not lose the low bits.
    constexpr Float C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                    C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                    C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const Float cp = z * z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    const Float ar = std::fabs(r);
    const Float qx = ar < 0.3 ? 0.0 : (ar > 0.78125 ? 0.28125 : Float(Float32(ar * 0.25)));
    const Float cr = (1.0 - qx) - ((0.5 * z - qx) - cp);

    switch (static_cast<int>(k) & 3) {
    case 0:
        s = sr;
        c = cr;
        break;
    case 1:
        s = cr;
        c = -sr;
        break;
    case 2:
        s = -sr;
        c = -cr;
        break;
    default:
        s = -cr;
        c = sr;
        break;
    }
}

} // namespace ovrin
