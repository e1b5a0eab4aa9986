// The serial chains of the fast path, compiled once per instruction-set
// build (engine/variant_tables.h): the held detector levels of mono sources
// and the leveler's gain computer. Each step depends on the one before, so
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

// The gain computer of the leveler in lane 0: attack toward a lower target
// (never below it), else release; at most 1.0, also for inf * 0.
struct LevelerGain {
    v4f gain, smallest, attack, release;
    LevelerGain(float g, float s, float a, float r)
        : gain{g, g, g, g}, smallest{s, s, s, s}, attack{a, a, a, a}, release{r, r, r, r} {}

    // The rule as written: the larger of gain * attack and the target, or
    // gain * release; then the limit 1.0.
    SC_INLINE float step(float target) {
        const v4f t = {target, target, target, target};
        v4f ga = gain * attack;
        ga = ga < t ? t : ga;
        const v4f gr = gain * release;
        return keep(at_most_one(gain > t ? ga : gr));
    }
    // The same with the limit taken in the release branch only. While the
    // gain lies in [0, 1] and the attack in [0, 1], the attack branch (gain
    // above the target) gives at most the gain: gain * attack is at most the
    // gain, and the target lies below it. So the limit changes nothing there,
    // and with a release of at least 0 the gain stays in [0, 1]: the same
    // values, one step shorter on the chain from one gain to the next.
    SC_INLINE float step_in_range(float target) {
        const v4f t = {target, target, target, target};
        v4f ga = gain * attack;
        ga = ga < t ? t : ga;
        v4f gr = at_most_one(gain * release);
#if defined(__x86_64__) || defined(__i386__)
        // Both outcomes in registers before the choice: a compiler that
        // folds the maximum into a masked merge with the release outcome
        // makes the chain one step longer again.
        __asm__("" : "+x"(ga), "+x"(gr));
#endif
        return keep(gain > t ? ga : gr);
    }
    SC_INLINE float keep(const v4f& g) {
        smallest = g < smallest ? g : smallest;
        gain = g;
        return g[0];
    }
    bool in_range() const {
        return gain[0] >= 0.0f && gain[0] <= 1.0f && attack[0] >= 0.0f && attack[0] <= 1.0f && !(release[0] < 0.0f);
    }
};

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

void held_targets3(const int32_t* const v[3], int32_t level[3], const float decay[3], const float* const table[3],
                   const int32_t top[3], int32_t* const out[3], float* __restrict targets, int n) {
    const int32_t* __restrict v0 = v[0];
    const int32_t* __restrict v1 = v[1];
    const int32_t* __restrict v2 = v[2];
    int32_t* __restrict o0 = out[0];
    int32_t* __restrict o1 = out[1];
    int32_t* __restrict o2 = out[2];
    const float* __restrict t0 = table[0];
    const float* __restrict t1 = table[1];
    const float* __restrict t2 = table[2];
    // The three levels in one vector of doubles. (The band lanes step them
    // in integers themselves where HeldDecay can.)
    const v4d d = {decay[0], decay[1], decay[2], 1.0};
    v4d l = {static_cast<double>(level[0]), static_cast<double>(level[1]), static_cast<double>(level[2]), 0.0};
    for (int i = 0; i < n; ++i) {
        const v4i xi = {v0[i], v1[i], v2[i], 0};
        const v4d x = __builtin_convertvector(xi, v4d);
        l = l < x ? x : l;
        l = l * d;
        round_even(l);
        const v4i li = __builtin_convertvector(l, v4i);
        o0[i] = li[0];
        o1[i] = li[1];
        o2[i] = li[2];
        targets[4 * i] = t0[curve_index(li[0], top[0])];
        targets[4 * i + 1] = t1[curve_index(li[1], top[1])];
        targets[4 * i + 2] = t2[curve_index(li[2], top[2])];
    }
    level[0] = static_cast<int32_t>(l[0]);
    level[1] = static_cast<int32_t>(l[1]);
    level[2] = static_cast<int32_t>(l[2]);
}

}  // namespace sc::engine::SC_VARIANT::kernels
