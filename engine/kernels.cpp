// The element-wise kernels, compiled once per instruction-set build
// (engine/variant_tables.h).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>  // for kernel_math.h
#endif

#include "engine/crossover.h"
#include "engine/variant_tables.h"

namespace sc::engine::SC_VARIANT::kernels {

#include "engine/kernel_declarations.h"

#include "engine/kernel_math.h"

void filter_and_gain(const int32_t* __restrict x, const double* __restrict acc, double gain,
                               int32_t* __restrict out, int n) {
    for (int i = 0; i < n; ++i) out[i] = rnd(static_cast<double>(x[i] - rnd(acc[i])) * gain);
}

void input_gain(const int32_t* __restrict x, double gain, int32_t* __restrict out, int n) {
    for (int i = 0; i < n; ++i) out[i] = rnd(static_cast<double>(x[i]) * gain);
}

int32_t peak(const int32_t* __restrict x, int n) {
    int32_t p = 0;
    for (int i = 0; i < n; ++i) p = std::max(p, std::abs(x[i]));
    return p;
}

void apply_gains(int32_t* __restrict v, const float* __restrict g, int n) {
    for (int i = 0; i < n; ++i) v[i] = rnd(static_cast<double>(v[i]) * static_cast<double>(g[i]));
}

void apply_gain(int32_t* __restrict v, double g, int n) {
    for (int i = 0; i < n; ++i) v[i] = rnd(static_cast<double>(v[i]) * g);
}

void split_bands(const int32_t* __restrict x, const double* __restrict ls,
                           const double* __restrict hs, int32_t* __restrict low, int32_t* __restrict mid,
                           int32_t* __restrict high, int n) {
    for (int i = 0; i < n; ++i) {
        low[i] = rnd(ls[i]);
        high[i] = rnd(hs[i]);
        mid[i] = rnd(static_cast<double>(x[i]) - ls[i] - hs[i]);
    }
}

void band_sum(const int32_t* __restrict l, const int32_t* __restrict m, const int32_t* __restrict h,
                        const float* __restrict fl, const float* __restrict fm, const float* __restrict fh,
                        const float* __restrict tl, const float* __restrict tm, const float* __restrict th,
                        double ol, double om, double oh, int32_t* __restrict sum, int n) {
    for (int i = 0; i < n; ++i) {
        sum[i] = rnd(static_cast<double>(l[i]) * fl[i] * ol * tl[i]) +
                 rnd(static_cast<double>(m[i]) * fm[i] * om * tm[i]) +
                 rnd(static_cast<double>(h[i]) * fh[i] * oh * th[i]);
    }
}

void band_sum_bypass(const int32_t* __restrict l, const int32_t* __restrict m,
                               const int32_t* __restrict h, double ol, double om, double oh,
                               int32_t* __restrict sum, int n) {
    for (int i = 0; i < n; ++i) {
        sum[i] = rnd(static_cast<double>(l[i]) * ol) + rnd(static_cast<double>(m[i]) * om) +
                 rnd(static_cast<double>(h[i]) * oh);
    }
}

// The LOW detector's input at x: twice |x| less half of |x 20 samples before|.
SC_INLINE int32_t low_detected(const int32_t* x, int shift) {
    return (2 * (std::abs(x[0]) - (std::abs(x[-20]) >> 1))) >> shift;
}

void low_detector(const int32_t* __restrict x, int la, int shift, int32_t* __restrict v, int n) {
    for (int i = 0; i < n; ++i) v[i] = low_detected(x + i + la, shift);
}

void abs_detector(const int32_t* __restrict x, int la, int shift, int extra_shift,
                            int32_t* __restrict v, int n) {
    for (int i = 0; i < n; ++i) v[i] = (std::abs(x[i + la]) >> extra_shift) >> shift;
}

void mono_detectors4(const int32_t* __restrict low, const int32_t* __restrict mid,
                     const int32_t* __restrict high, int la_low, int la_mid, int la_high, int shift,
                     int32_t* __restrict v4, int n) {
    // Eight samples at a time: the three rows made side by side with the
    // zero row by shuffles (the compiler stores them one by one otherwise).
    typedef int32_t v8i __attribute__((vector_size(32)));
    const v8i zero = {};
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        v8i a, b, c, d, e;
        std::memcpy(&a, low + i + la_low, sizeof a);
        std::memcpy(&b, low + i + la_low - 20, sizeof b);
        std::memcpy(&c, mid + i + la_mid, sizeof c);
        std::memcpy(&d, high + i + la_high, sizeof d);
        a = a < 0 ? -a : a;
        b = b < 0 ? -b : b;
        c = c < 0 ? -c : c;
        d = d < 0 ? -d : d;
        a = (2 * (a - (b >> 1))) >> shift;
        c = c >> shift;
        d = d >> shift;
        const v8i lm0 = __builtin_shufflevector(a, c, 0, 8, 1, 9, 2, 10, 3, 11);
        const v8i lm1 = __builtin_shufflevector(a, c, 4, 12, 5, 13, 6, 14, 7, 15);
        const v8i h0 = __builtin_shufflevector(d, zero, 0, 8, 1, 9, 2, 10, 3, 11);
        const v8i h1 = __builtin_shufflevector(d, zero, 4, 12, 5, 13, 6, 14, 7, 15);
        e = __builtin_shufflevector(lm0, h0, 0, 1, 8, 9, 2, 3, 10, 11);
        std::memcpy(v4 + 4 * i, &e, sizeof e);
        e = __builtin_shufflevector(lm0, h0, 4, 5, 12, 13, 6, 7, 14, 15);
        std::memcpy(v4 + 4 * i + 8, &e, sizeof e);
        e = __builtin_shufflevector(lm1, h1, 0, 1, 8, 9, 2, 3, 10, 11);
        std::memcpy(v4 + 4 * i + 16, &e, sizeof e);
        e = __builtin_shufflevector(lm1, h1, 4, 5, 12, 13, 6, 7, 14, 15);
        std::memcpy(v4 + 4 * i + 24, &e, sizeof e);
    }
    for (; i < n; ++i) {
        v4[4 * i] = low_detected(low + i + la_low, shift);
        v4[4 * i + 1] = std::abs(mid[i + la_mid]) >> shift;
        v4[4 * i + 2] = std::abs(high[i + la_high]) >> shift;
        v4[4 * i + 3] = 0;
    }
}

void linked_levels(const int32_t* __restrict a, const int32_t* __restrict b, int32_t add,
                             int32_t floor_, float decay, int32_t* __restrict level, int n) {
    const double d = decay;
    for (int i = 0; i < n; ++i) {
        const int32_t x = std::max(a[i] + add, floor_);
        const int32_t y = std::max(b[i] + add, floor_);
        const double hi = static_cast<double>(std::max(x, y));
        const double lo = static_cast<double>(std::min(x, y));
        const double ratio = hi / lo;
        const double q = std::min(ratio, 1.4);  // limited to 1.4
        level[i] = rnd(static_cast<double>(rnd(hi / q)) * d);
    }
}


void linked_targets(const int32_t* __restrict a, const int32_t* __restrict b, int32_t add, float decay,
                    const float* __restrict table, int32_t top, int32_t* __restrict level, float* __restrict out,
                    int stride, int n) {
    const double d = decay;
    int i = 0;
#ifdef __AVX2__
    // Eight at a time: linked() in vectors, with the same double products and
    // roundings; the curve targets by eight loads (a gather instruction was
    // slower: some processors split it into the same loads, one after the
    // other).
    typedef int32_t v8i __attribute__((vector_size(32)));
    typedef double v8d __attribute__((vector_size(64)));
    const v8i one = {1, 1, 1, 1, 1, 1, 1, 1};
    const v8i zero = {0, 0, 0, 0, 0, 0, 0, 0};
    const v8i added = {add, add, add, add, add, add, add, add};
    const v8i last = {top, top, top, top, top, top, top, top};
    const double m = ROUND_MAGIC, f = 5.0 / 7.0;
    const v8d magic = {m, m, m, m, m, m, m, m};
    const v8d five_sevenths = {f, f, f, f, f, f, f, f};
    const v8d dv = {d, d, d, d, d, d, d, d};
    for (; i + 8 <= n; i += 8) {
        v8i x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        x += added;
        y += added;
        x = x > one ? x : one;
        y = y > one ? y : one;
        v8d r = __builtin_convertvector(x > y ? x : y, v8d) * five_sevenths;
        r = (r + magic) - magic;
        const v8d lo = __builtin_convertvector(x > y ? y : x, v8d);
        v8d l = lo > r ? lo : r;
        l = l * dv;
        l = (l + magic) - magic;
        const v8i li = __builtin_convertvector(l, v8i);
        std::memcpy(level + i, &li, sizeof li);
        v8i index = li >> 2;
        index = index < zero ? zero : index;
        index = index > last ? last : index;
        int32_t iv[8];
        std::memcpy(iv, &index, sizeof iv);
        for (int k = 0; k < 8; ++k) out[static_cast<std::ptrdiff_t>(stride) * (i + k)] = table[iv[k]];
    }
#endif
    for (; i < n; ++i) {
        const int32_t l = linked(std::max(a[i] + add, 1), std::max(b[i] + add, 1), d);
        level[i] = l;
        out[static_cast<std::ptrdiff_t>(stride) * i] = table[curve_index(l, top)];
    }
}

void band_sum4(const int32_t* __restrict l, const int32_t* __restrict m, const int32_t* __restrict h,
                         const float* __restrict g, const float* __restrict t, double ol, double om, double oh,
                         int32_t* __restrict sum, int n) {
    if (t == nullptr) {
        for (int i = 0; i < n; ++i) {
            sum[i] = rnd(static_cast<double>(l[i]) * g[4 * i] * ol) + rnd(static_cast<double>(m[i]) * g[4 * i + 1] * om) +
                     rnd(static_cast<double>(h[i]) * g[4 * i + 2] * oh);
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        sum[i] = rnd(static_cast<double>(l[i]) * g[4 * i] * ol * t[4 * i]) +
                 rnd(static_cast<double>(m[i]) * g[4 * i + 1] * om * t[4 * i + 1]) +
                 rnd(static_cast<double>(h[i]) * g[4 * i + 2] * oh * t[4 * i + 2]);
    }
}

void limiter_detector(const int32_t* __restrict a, const int32_t* __restrict b, int extra_shift,
                                int shift, int32_t* __restrict v, int n) {
    if (b == nullptr) {
        for (int i = 0; i < n; ++i) v[i] = (std::abs(a[i]) >> extra_shift) >> shift;
        return;
    }
    for (int i = 0; i < n; ++i)
        v[i] = std::max((std::abs(a[i]) >> extra_shift) >> shift, (std::abs(b[i]) >> extra_shift) >> shift);
}

void pack16(const int32_t* __restrict a, const int32_t* __restrict b, uint8_t* __restrict out, int n) {
    if (b == nullptr) {
        for (int i = 0; i < n; ++i) {
            out[2 * i] = static_cast<uint8_t>(a[i]);
            out[2 * i + 1] = static_cast<uint8_t>(a[i] >> 8);
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        out[4 * i] = static_cast<uint8_t>(a[i]);
        out[4 * i + 1] = static_cast<uint8_t>(a[i] >> 8);
        out[4 * i + 2] = static_cast<uint8_t>(b[i]);
        out[4 * i + 3] = static_cast<uint8_t>(b[i] >> 8);
    }
}

void pack24(const int32_t* __restrict a, uint8_t* __restrict out, int n) {
    for (int i = 0; i < n; ++i) {
        out[3 * i] = static_cast<uint8_t>(a[i]);
        out[3 * i + 1] = static_cast<uint8_t>(a[i] >> 8);
        out[3 * i + 2] = static_cast<uint8_t>(a[i] >> 16);
    }
}

int32_t limiter_output(const int32_t* __restrict sum, const float* __restrict g, double og,
                                 int32_t lo, int32_t hi, int32_t* __restrict out, int n) {
    int32_t peak = 0;
    for (int i = 0; i < n; ++i) {
        const int32_t v = std::clamp(rnd(static_cast<double>(sum[i]) * g[i] * og), lo, hi);
        out[i] = v;
        peak = std::max(peak, std::abs(v));
    }
    return peak;
}


bool filter_and_gain_checked(const int32_t* __restrict x, const double* __restrict acc, double gain,
                                      int32_t* __restrict out, int n, double margin) {
    int bad = 0;
    for (int i = 0; i < n; ++i) {
        const double r = rnd_d(acc[i]);
        out[i] = rnd(static_cast<double>(x[i] - static_cast<int32_t>(r)) * gain);
        bad |= std::fabs(acc[i] - r) > margin;
    }
    return bad != 0;
}

bool split_bands_checked(const int32_t* __restrict x, const double* __restrict ls,
                                  const double* __restrict hs, int32_t* __restrict low, int32_t* __restrict mid,
                                  int32_t* __restrict high, int n, double margin) {
    int bad = 0;
    for (int i = 0; i < n; ++i) {
        const double m = static_cast<double>(x[i]) - ls[i] - hs[i];
        const double rl = rnd_d(ls[i]), rh = rnd_d(hs[i]), rm = rnd_d(m);
        low[i] = static_cast<int32_t>(rl);
        high[i] = static_cast<int32_t>(rh);
        mid[i] = static_cast<int32_t>(rm);
        bad |= (std::fabs(ls[i] - rl) > margin) | (std::fabs(hs[i] - rh) > margin) | (std::fabs(m - rm) > margin);
    }
    return bad != 0;
}

namespace {

// Four consecutive values as doubles. (Vectors pass by reference: no vector
// arguments in the baseline ABI.)
inline __attribute__((always_inline)) void load4(v4d& v, const int32_t* p) {
    v4i i;
    std::memcpy(&i, p, sizeof i);
    v = __builtin_convertvector(i, v4d);
}
inline __attribute__((always_inline)) void store4(double* p, const v4d& v) { std::memcpy(p, &v, sizeof v); }

// One sum per lane, L lanes of four: every lane adds its terms in the order
// of the one-position sum, so each lane's double is that sum's double.
template <int L>
inline __attribute__((always_inline)) void eq_lanes(const int32_t* x, const float* c, int half, double* out) {
    v4d acc[L] = {};
    for (int m = 0; m <= half; ++m) {
        const double cm = c[m];
        const v4d cv = {cm, cm, cm, cm};
        for (int l = 0; l < L; ++l) {
            v4d a, b;
            load4(a, x + 4 * l - m);
            load4(b, x + 4 * l + m);
            acc[l] = acc[l] + cv * (a + b);
        }
    }
    for (int l = 0; l < L; ++l) store4(out + 4 * l, acc[l]);
}

template <int L>
inline __attribute__((always_inline)) void band_lanes(const int32_t* x, const double* c_low, const double* c_high,
                                                      double* low, double* high) {
    v4d lo[L] = {}, hi[L] = {};
    for (int m = 0; m <= XOVER_HALF; ++m) {
        const v4d cl = {c_low[m], c_low[m], c_low[m], c_low[m]};
        const v4d ch = {c_high[m], c_high[m], c_high[m], c_high[m]};
        for (int l = 0; l < L; ++l) {
            v4d a, b;
            load4(a, x + 4 * l + XOVER_HALF - m);
            load4(b, x + 4 * l - XOVER_HALF + m);
            const v4d pair = a + b;
            lo[l] = lo[l] + pair * cl;
            hi[l] = hi[l] + pair * ch;
        }
    }
    for (int l = 0; l < L; ++l) {
        store4(low + 4 * l, lo[l]);
        store4(high + 4 * l, hi[l]);
    }
}

}  // namespace

void eq_direct_sums(const int32_t* x, const float* c, int half, double* out, int count) {
    int k = 0;
    // Four chains of four side by side hide the adds' latency.
    for (; k + 16 <= count; k += 16) eq_lanes<4>(x + k, c, half, out + k);
    for (; k + 4 <= count; k += 4) eq_lanes<1>(x + k, c, half, out + k);
    for (; k < count; ++k) {
        double acc = 0.0;
        for (int m = 0; m <= half; ++m)
            acc += static_cast<double>(c[m]) * (static_cast<double>(x[k - m]) + x[k + m]);
        out[k] = acc;
    }
}

void band_direct_sums(const int32_t* x, const double* c_low, const double* c_high, double* low, double* high,
                      int count) {
    int k = 0;
    for (; k + 16 <= count; k += 16) band_lanes<4>(x + k, c_low, c_high, low + k, high + k);
    for (; k + 4 <= count; k += 4) band_lanes<1>(x + k, c_low, c_high, low + k, high + k);
    for (; k < count; ++k) {
        double l = 0.0, h = 0.0;
        for (int m = 0; m <= XOVER_HALF; ++m) {
            const double pair = static_cast<double>(x[k + XOVER_HALF - m]) + x[k - XOVER_HALF + m];
            l += pair * c_low[m];
            h += pair * c_high[m];
        }
        low[k] = l;
        high[k] = h;
    }
}

}  // namespace sc::engine::SC_VARIANT::kernels

namespace sc::engine::SC_VARIANT {
#define SC_KERNEL_ENTRY(f) &kernels::f,
const ::sc::engine::kernels::Table kernel_table = {SC_KERNEL_NAMES(SC_KERNEL_ENTRY)};
#undef SC_KERNEL_ENTRY
}  // namespace sc::engine::SC_VARIANT
