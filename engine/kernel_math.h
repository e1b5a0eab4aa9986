// Small helpers of the vector kernels: rounding, curve indices, the stereo
// link, held levels in integers. Included inside each instruction-set build's namespace (after
// <immintrin.h> on x86), so that every build inlines its own copy.
// Every rounding is to nearest, ties to even, exactly as the scalar code.
#pragma once

namespace {

typedef double v2d __attribute__((vector_size(16)));
typedef double v4d __attribute__((vector_size(32)));
typedef float v4f __attribute__((vector_size(16)));
typedef int32_t v4i __attribute__((vector_size(16)));

#define SC_INLINE inline __attribute__((always_inline))

// Round to nearest, ties to even, for |x| < 2^51: the sum with 1.5 * 2^52
// leaves no fraction bits, so the hardware rounding of the addition decides.
constexpr double ROUND_MAGIC = 6755399441055744.0;
SC_INLINE double rnd_d(double x) { return (x + ROUND_MAGIC) - ROUND_MAGIC; }
SC_INLINE int32_t rnd(double x) { return static_cast<int32_t>(rnd_d(x)); }

// The same for vectors; one instruction where the build has it (it shortens
// the serial chains). (Vectors pass by reference: no vector arguments in the
// baseline ABI.)
SC_INLINE void round_even(v4d& x) {
#ifdef __AVX__
    x = _mm256_round_pd(x, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
#else
    const v4d magic = {ROUND_MAGIC, ROUND_MAGIC, ROUND_MAGIC, ROUND_MAGIC};
    x = (x + magic) - magic;
#endif
}
SC_INLINE void round_even(v2d& x) {
#ifdef __SSE4_1__
    x = _mm_round_pd(x, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
#else
    const v2d magic = {ROUND_MAGIC, ROUND_MAGIC};
    x = (x + magic) - magic;
#endif
}

// x < one ? x : one (the minimum, and one for NaN).
SC_INLINE v4f at_most_one(const v4f& x) {
    const v4f one = {1.0f, 1.0f, 1.0f, 1.0f};
#ifdef __SSE__
    return _mm_min_ps(x, one);
#else
    return x < one ? x : one;
#endif
}

// floor(level / 4) within 0 .. top, as table_index (written to vectorize).
SC_INLINE int32_t curve_index(int32_t level, int32_t top) {
    int32_t x = level >> 2;
    x = x < 0 ? 0 : x;
    return x > top ? top : x;
}

// The decayed linked level of two rectified values x, y (each at least 1):
// the quieter side while 5 hi < 7 lo, else round(hi / 1.4), which is
// round(hi * 5 / 7) since hi * 5 / 7 never lies within 1/14 of one half.
SC_INLINE int32_t linked(int32_t x, int32_t y, double decay) {
    const int32_t hi = x > y ? x : y;
    const int32_t lo = x > y ? y : x;
    const int32_t r = rnd(static_cast<double>(hi) * (5.0 / 7.0));
    const int32_t l0 = lo > r ? lo : r;
    return rnd(static_cast<double>(l0) * decay);
}

// Held levels below this size decay in integers: see HeldDecay.
constexpr int32_t EXACT_LEVELS = 1 << 28;

// A held level, round(max(level, v) * decay), in integer arithmetic. A
// decay in [0.5, 1) is m / 2^24 exactly, m its 24-bit significand. While
// |level| < 2^28 the double product level * decay is exact (fewer than 53
// bits), so its rounding to nearest, ties to even, is that of the integer
// quotient p / 2^24 with p = level * m: round down, and up when the
// remainder is above one half, or one half and the quotient odd. Integer
// multiply and shifts are a shorter chain than the double multiply and
// rounding.
struct HeldDecay {
    int64_t m = 0;
    bool usable = false;
    explicit HeldDecay(float decay) {
        usable = decay >= 0.5f && decay < 1.0f;
        m = usable ? static_cast<int64_t>(std::ldexp(decay, 24)) : 0;
    }
    SC_INLINE int64_t next(int64_t level, int64_t v) const {
        const int64_t p = (level < v ? v : level) * m;
        return (p + ((int64_t{1} << 23) - 1) + ((p >> 24) & 1)) >> 24;
    }
};

// Whether every value lies within the exact range.
SC_INLINE bool within(const int32_t* __restrict v, int n) {
    int32_t big = 0;
    for (int i = 0; i < n; ++i) big |= (v[i] >= EXACT_LEVELS) | (v[i] <= -EXACT_LEVELS);
    return big == 0;
}

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

}  // namespace
