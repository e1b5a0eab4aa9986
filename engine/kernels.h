// The element-wise loops of the chain, kept apart from the serial gain
// computers so that they vectorize; each call runs the build for the
// processor's instruction set (engine/cpu_variant.h).
// Every rounding is to nearest, ties to even, exactly as the scalar code.
#pragma once

#include <cmath>
#include <cstdint>

namespace sc::engine::kernels {

#include "engine/kernel_declarations.h"

// Whether a sum lies within 0.5 - margin of one half (its fraction is near
// 0.5), so that an error of that size could change its rounding. The MID
// value of the band split is x - ls - hs.
inline bool near_half(double v, double margin) {
    constexpr double magic = 6755399441055744.0;  // rounds |v| < 2^51 to an integer, ties to even
    return std::fabs(v - ((v + magic) - magic)) > margin;
}
inline bool band_near_half(int32_t x, double ls, double hs, double margin) {
    return near_half(ls, margin) || near_half(hs, margin) ||
           near_half(static_cast<double>(x) - ls - hs, margin);
}

}  // namespace sc::engine::kernels
