// Rounding helpers of the engine. "Round" always means to nearest, ties to
// even: std::nearbyint / std::lrint in the default floating-point mode.
#pragma once

#include <cmath>
#include <cstdint>

namespace sc::engine {

inline int32_t round_i32(double x) { return static_cast<int32_t>(std::lrint(x)); }

// round(num / den) of exact integers, ties to even; den > 0.
inline int64_t round_ratio(int64_t num, int64_t den) {
    int64_t q = num / den;
    int64_t r = num % den;
    if (r < 0) { r += den; --q; }
    const int64_t twice = 2 * r;
    if (twice > den || (twice == den && (q & 1) != 0)) ++q;
    return q;
}

// floor(x / 2^s) for signed integers (arithmetic shift right).
inline int32_t shift_down(int32_t x, int s) { return x >> s; }

}  // namespace sc::engine
