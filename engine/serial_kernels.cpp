// The serial chains of the fast path, compiled once per instruction-set
// build (engine/variant_tables.h): the leveler's held level and gain
// computer where they do not run beside the band lanes. Each step depends on the one before, so
// what counts is the length of the chain from one value to the next.
#include <cmath>
#include <cstdlib>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "engine/variant_tables.h"

namespace sc::engine::SC_VARIANT::kernels {

#include "engine/kernel_declarations.h"
#include "engine/kernel_math.h"

namespace {

template <bool IN_RANGE>
SC_INLINE void gains(const float* __restrict target, LevelerGain& c, float* __restrict g, int n) {
    for (int i = 0; i < n; ++i) g[i] = IN_RANGE ? c.step_in_range(target[i]) : c.step(target[i]);
}

template <bool IN_RANGE, bool EXACT>
SC_INLINE void held(const int32_t* __restrict a, int32_t& level, float decay, const HeldDecay& exact,
                    const float* __restrict table, int32_t top, LevelerGain& c, float* __restrict g, int n) {
    if constexpr (EXACT) {
        int64_t l = level;
        for (int i = 0; i < n; ++i) {
            l = exact.next(l, a[i]);
            const float t = table[curve_index(static_cast<int32_t>(l), top)];
            g[i] = IN_RANGE ? c.step_in_range(t) : c.step(t);
        }
        level = static_cast<int32_t>(l);
    } else {
        const v2d d = {static_cast<double>(decay), static_cast<double>(decay)};
        v2d l = {static_cast<double>(level), 0.0};
        for (int i = 0; i < n; ++i) {
            const v2d x = {static_cast<double>(a[i]), 0.0};
            l = l < x ? x : l;
            l = l * d;
            round_even(l);
            const float t = table[curve_index(static_cast<int32_t>(l[0]), top)];
            g[i] = IN_RANGE ? c.step_in_range(t) : c.step(t);
        }
        level = static_cast<int32_t>(l[0]);
    }
}

}  // namespace

void leveler_held(const int32_t* __restrict a, int32_t& level, float decay, const float* __restrict table,
                  int32_t top, float attack, float release, float& gain, float& smallest, float* __restrict g,
                  int n) {
    LevelerGain c(gain, smallest, attack, release);
    const HeldDecay exact(decay);
    const bool integers = exact.usable && within(&level, 1) && within(a, n);
    if (c.in_range()) {
        if (integers) held<true, true>(a, level, decay, exact, table, top, c, g, n);
        else held<true, false>(a, level, decay, exact, table, top, c, g, n);
    } else {
        if (integers) held<false, true>(a, level, decay, exact, table, top, c, g, n);
        else held<false, false>(a, level, decay, exact, table, top, c, g, n);
    }
    gain = c.gain[0];
    smallest = c.smallest[0];
}

void leveler_gains(const float* __restrict target, float attack, float release, float& gain, float& smallest,
                   float* __restrict g, int n) {
    LevelerGain c(gain, smallest, attack, release);
    if (c.in_range()) {
        gains<true>(target, c, g, n);
    } else {
        gains<false>(target, c, g, n);
    }
    gain = c.gain[0];
    smallest = c.smallest[0];
}

}  // namespace sc::engine::SC_VARIANT::kernels
