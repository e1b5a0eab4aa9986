// Helpers of summing again directly the transform sums that lie too close
// to a rounding boundary.
#pragma once

#include <cstdint>

namespace sc::engine {

// A stretch [from, to) of block positions holding one value, and the
// direct sum(s) of a filter window inside it, once known: every window
// within the stretch has the same sums (a constant level).
struct Stretch {
    int64_t from = 0, to = 0;
    bool summed = false;
    double sum[2] = {0.0, 0.0};
};

// Whether x[p - half .. p + half] holds one value; x is readable up to
// `end`. A new stretch found replaces the one remembered.
inline bool constant_window(const int32_t* x, int64_t p, int half, int64_t end, Stretch& s) {
    const int64_t lo = p - half, hi = p + half;
    if (s.from <= lo && hi < s.to) return true;
    const int32_t v = x[lo];
    if (x[hi] != v || x[p] != v) return false;
    int64_t e = lo + 1;
    while (e < end && x[e] == v) ++e;
    if (e <= hi) return false;
    s = Stretch{lo, e};
    return true;
}

}  // namespace sc::engine
