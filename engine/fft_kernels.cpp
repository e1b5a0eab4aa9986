// The butterfly passes of the transform, compiled once per instruction-set
// build (engine/variant_tables.h). The transforms only feed sums that are
// checked against their rounding boundaries, so fused multiply-adds are
// welcome here (and only here).
#include <cstring>

#include "engine/variant_tables.h"

namespace sc::engine::SC_VARIANT {

namespace {

void butterflies(double* __restrict re, double* __restrict im, const double* __restrict wr,
                 const double* __restrict wi, int n, int h) {
    for (int start = 0; start < n; start += 2 * h) {
        double* ar = re + start;
        double* ai = im + start;
        double* br = re + start + h;
        double* bi = im + start + h;
        for (int j = 0; j < h; ++j) {
            const double tr = br[j] * wr[j] - bi[j] * wi[j];
            const double ti = br[j] * wi[j] + bi[j] * wr[j];
            const double xr = ar[j], xi = ai[j];
            ar[j] = xr + tr;
            ai[j] = xi + ti;
            br[j] = xr - tr;
            bi[j] = xi - ti;
        }
    }
}

void dif_butterflies(double* __restrict re, double* __restrict im, const double* __restrict wr,
                     const double* __restrict wi, int n, int h) {
    for (int start = 0; start < n; start += 2 * h) {
        double* ar = re + start;
        double* ai = im + start;
        double* br = re + start + h;
        double* bi = im + start + h;
        for (int j = 0; j < h; ++j) {
            const double xr = ar[j], xi = ai[j];
            const double tr = xr - br[j];
            const double ti = xi - bi[j];
            ar[j] = xr + br[j];
            ai[j] = xi + bi[j];
            br[j] = tr * wr[j] - ti * wi[j];
            bi[j] = tr * wi[j] + ti * wr[j];
        }
    }
}

// Two decimation-in-frequency stages at once: spans 2q and q.
void dif_pair(double* __restrict re, double* __restrict im, const double* __restrict w1r,
              const double* __restrict w1i, const double* __restrict w2r, const double* __restrict w2i,
              const double* __restrict w3r, const double* __restrict w3i, int n, int q) {
    for (int start = 0; start < n; start += 4 * q) {
        double* r0 = re + start; double* i0 = im + start;
        double* r1 = r0 + q;     double* i1 = i0 + q;
        double* r2 = r1 + q;     double* i2 = i1 + q;
        double* r3 = r2 + q;     double* i3 = i2 + q;
        // The four quarters of a group never overlap.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC ivdep
#endif
        for (int j = 0; j < q; ++j) {
            const double s0r = r0[j] + r2[j], s0i = i0[j] + i2[j];
            const double s1r = r1[j] + r3[j], s1i = i1[j] + i3[j];
            const double ar = r0[j] - r2[j], ai = i0[j] - i2[j];
            const double br = r1[j] - r3[j], bi = i1[j] - i3[j];
            // out0 = s0 + s1; out1 = (s0 - s1) w2; out2 = (A - iB) w1; out3 = (A + iB) w3
            const double dr = s0r - s1r, di = s0i - s1i;
            const double er = ar + bi, ei = ai - br;  // A - iB
            const double fr = ar - bi, fi = ai + br;  // A + iB
            r0[j] = s0r + s1r;
            i0[j] = s0i + s1i;
            r1[j] = dr * w2r[j] - di * w2i[j];
            i1[j] = dr * w2i[j] + di * w2r[j];
            r2[j] = er * w1r[j] - ei * w1i[j];
            i2[j] = er * w1i[j] + ei * w1r[j];
            r3[j] = fr * w3r[j] - fi * w3i[j];
            i3[j] = fr * w3i[j] + fi * w3r[j];
        }
    }
}

// Two decimation-in-time stages at once: spans q and 2q.
void dit_pair(double* __restrict re, double* __restrict im, const double* __restrict w1r,
              const double* __restrict w1i, const double* __restrict w2r, const double* __restrict w2i,
              int n, int q) {
    for (int start = 0; start < n; start += 4 * q) {
        double* r0 = re + start; double* i0 = im + start;
        double* r1 = r0 + q;     double* i1 = i0 + q;
        double* r2 = r1 + q;     double* i2 = i1 + q;
        double* r3 = r2 + q;     double* i3 = i2 + q;
        // The four quarters of a group never overlap.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC ivdep
#endif
        for (int j = 0; j < q; ++j) {
            // Span q: t = x1 w2, t' = x3 w2.
            const double tr = r1[j] * w2r[j] - i1[j] * w2i[j];
            const double ti = r1[j] * w2i[j] + i1[j] * w2r[j];
            const double ur = r3[j] * w2r[j] - i3[j] * w2i[j];
            const double ui = r3[j] * w2i[j] + i3[j] * w2r[j];
            const double y0r = r0[j] + tr, y0i = i0[j] + ti;
            const double y1r = r0[j] - tr, y1i = i0[j] - ti;
            const double y2r = r2[j] + ur, y2i = i2[j] + ui;
            const double y3r = r2[j] - ur, y3i = i2[j] - ui;
            // Span 2q: y2 w1 and -i y3 w1.
            const double vr = y2r * w1r[j] - y2i * w1i[j];
            const double vi = y2r * w1i[j] + y2i * w1r[j];
            const double zr = y3r * w1r[j] - y3i * w1i[j];
            const double zi = y3r * w1i[j] + y3i * w1r[j];
            r0[j] = y0r + vr;
            i0[j] = y0i + vi;
            r2[j] = y0r - vr;
            i2[j] = y0i - vi;
            // -i z = zi - i zr
            r1[j] = y1r + zi;
            i1[j] = y1i - zr;
            r3[j] = y1r - zi;
            i3[j] = y1i + zr;
        }
    }
}

typedef double v4d __attribute__((vector_size(32)));

// (Vectors pass by reference: no vector arguments in the baseline ABI.)
inline void load4(v4d& v, const double* p) { std::memcpy(&v, p, sizeof v); }
inline void store4(double* p, const v4d& v) { std::memcpy(p, &v, sizeof v); }

// Rows a, b, c, d become columns.
inline void transpose4(v4d& a, v4d& b, v4d& c, v4d& d) {
    const v4d t0 = __builtin_shufflevector(a, b, 0, 4, 2, 6);
    const v4d t1 = __builtin_shufflevector(a, b, 1, 5, 3, 7);
    const v4d t2 = __builtin_shufflevector(c, d, 0, 4, 2, 6);
    const v4d t3 = __builtin_shufflevector(c, d, 1, 5, 3, 7);
    a = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    b = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    c = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    d = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}

// The 4-wide vector of one block of 16 (the blocks one at a time).
struct OneBlock {
    using V = v4d;
    static constexpr int BLOCKS = 1;
    static void load(V& v, const double* p) { load4(v, p); }
    static void store(double* p, const V& v) { store4(p, v); }
    static void twiddles(V& v, const double* p) { load4(v, p); }
};

#if defined(__AVX512F__)
typedef double v8d __attribute__((vector_size(64)));

inline void transpose4(v8d& a, v8d& b, v8d& c, v8d& d) {
    const v8d t0 = __builtin_shufflevector(a, b, 0, 8, 2, 10, 4, 12, 6, 14);
    const v8d t1 = __builtin_shufflevector(a, b, 1, 9, 3, 11, 5, 13, 7, 15);
    const v8d t2 = __builtin_shufflevector(c, d, 0, 8, 2, 10, 4, 12, 6, 14);
    const v8d t3 = __builtin_shufflevector(c, d, 1, 9, 3, 11, 5, 13, 7, 15);
    a = __builtin_shufflevector(t0, t2, 0, 1, 8, 9, 4, 5, 12, 13);
    b = __builtin_shufflevector(t1, t3, 0, 1, 8, 9, 4, 5, 12, 13);
    c = __builtin_shufflevector(t0, t2, 2, 3, 10, 11, 6, 7, 14, 15);
    d = __builtin_shufflevector(t1, t3, 2, 3, 10, 11, 6, 7, 14, 15);
}

// Two blocks of 16 side by side: the lower half of every vector holds a
// row of the first block, the upper half the same row of the next one.
struct TwoBlocks {
    using V = v8d;
    static constexpr int BLOCKS = 2;
    static void load(V& v, const double* p) {
        v4d lo, hi;
        load4(lo, p);
        load4(hi, p + 16);
        v = __builtin_shufflevector(lo, hi, 0, 1, 2, 3, 4, 5, 6, 7);
    }
    static void store(double* p, const V& v) {
        store4(p, __builtin_shufflevector(v, v, 0, 1, 2, 3));
        store4(p + 16, __builtin_shufflevector(v, v, 4, 5, 6, 7));
    }
    // The same four twiddles in both halves.
    static void twiddles(V& v, const double* p) {
        v4d w;
        load4(w, p);
        v = __builtin_shufflevector(w, w, 0, 1, 2, 3, 0, 1, 2, 3);
    }
};
#endif

// (a + i b) (c + i d) and (a + i b) conj(c + i d).
template <typename V>
inline void cmul(V& a, V& b, const V& c, const V& d) {
    const V r = a * c - b * d;
    b = a * d + b * c;
    a = r;
}
template <typename V>
inline void cmul_conj(V& a, V& b, const V& c, const V& d) {
    const V r = a * c + b * d;
    b = b * c - a * d;
    a = r;
}

// The values of one block of 16 as four rows of four (re and im).
template <typename V>
struct Rows {
    V r0, r1, r2, r3, i0, i1, i2, i3;
};

// Twiddles of spans 4 and 8 within a block.
template <typename V>
struct BlockTwiddles {
    V w4r, w4i, w8ar, w8ai, w8br, w8bi;
};

// The last four forward stages of a block: spans 8 and 4 on the rows, then,
// with the rows transposed so that the four groups of four sit side by side
// in the lanes, spans 2 and 1 (twiddle -i).
template <typename V>
inline void forward16(Rows<V>& x, const BlockTwiddles<V>& w) {
    // Span 8: rows 0/2 and 1/3.
    V d0r = x.r0 - x.r2, d0i = x.i0 - x.i2, d1r = x.r1 - x.r3, d1i = x.i1 - x.i3;
    x.r0 = x.r0 + x.r2;
    x.i0 = x.i0 + x.i2;
    x.r1 = x.r1 + x.r3;
    x.i1 = x.i1 + x.i3;
    cmul(d0r, d0i, w.w8ar, w.w8ai);
    cmul(d1r, d1i, w.w8br, w.w8bi);
    // Span 4: rows 0/1 and 2/3.
    V e0r = x.r0 - x.r1, e0i = x.i0 - x.i1, e1r = d0r - d1r, e1i = d0i - d1i;
    x.r0 = x.r0 + x.r1;
    x.i0 = x.i0 + x.i1;
    x.r2 = d0r + d1r;
    x.i2 = d0i + d1i;
    cmul(e0r, e0i, w.w4r, w.w4i);
    cmul(e1r, e1i, w.w4r, w.w4i);
    x.r1 = e0r;
    x.i1 = e0i;
    x.r3 = e1r;
    x.i3 = e1i;
    transpose4(x.r0, x.r1, x.r2, x.r3);
    transpose4(x.i0, x.i1, x.i2, x.i3);
    // Span 2, then span 1.
    const V a0r = x.r0 + x.r2, a0i = x.i0 + x.i2;
    const V a2r = x.r0 - x.r2, a2i = x.i0 - x.i2;
    const V a1r = x.r1 + x.r3, a1i = x.i1 + x.i3;
    const V dr = x.r1 - x.r3, di = x.i1 - x.i3;  // times -i: (di, -dr)
    x.r0 = a0r + a1r;
    x.i0 = a0i + a1i;
    x.r1 = a0r - a1r;
    x.i1 = a0i - a1i;
    x.r2 = a2r + di;
    x.i2 = a2i - dr;
    x.r3 = a2r - di;
    x.i3 = a2i + dr;
}

// The product with the real spectrum (quad layout) and the first four
// inverse stages: spans 1 and 2 (twiddle +i), then, transposed back, spans
// 4 and 8 with conjugate twiddles; stored at out.
template <typename B, typename V = typename B::V>
inline void inverse16(const Rows<V>& x, const double* s, const BlockTwiddles<V>& w, double* out_re, double* out_im) {
    V s0, s1, s2, s3;
    B::load(s0, s);
    B::load(s1, s + 4);
    B::load(s2, s + 8);
    B::load(s3, s + 12);
    const V z0r = x.r0 * s0, z0i = x.i0 * s0;
    const V z1r = x.r1 * s1, z1i = x.i1 * s1;
    const V z2r = x.r2 * s2, z2i = x.i2 * s2;
    const V z3r = x.r3 * s3, z3i = x.i3 * s3;
    // Span 1, then span 2.
    const V u0r = z0r + z1r, u0i = z0i + z1i;
    const V u1r = z0r - z1r, u1i = z0i - z1i;
    const V u2r = z2r + z3r, u2i = z2i + z3i;
    const V wr = z2r - z3r, wi = z2i - z3i;  // times +i: (-wi, wr)
    V y0r = u0r + u2r, y0i = u0i + u2i;
    V y2r = u0r - u2r, y2i = u0i - u2i;
    V y1r = u1r - wi, y1i = u1i + wr;
    V y3r = u1r + wi, y3i = u1i - wr;
    transpose4(y0r, y1r, y2r, y3r);
    transpose4(y0i, y1i, y2i, y3i);
    // Span 4: rows 0/1 and 2/3.
    cmul_conj(y1r, y1i, w.w4r, w.w4i);
    cmul_conj(y3r, y3i, w.w4r, w.w4i);
    const V a0r = y0r + y1r, a0i = y0i + y1i, a1r = y0r - y1r, a1i = y0i - y1i;
    V a2r = y2r + y3r, a2i = y2i + y3i, a3r = y2r - y3r, a3i = y2i - y3i;
    // Span 8: rows 0/2 and 1/3.
    cmul_conj(a2r, a2i, w.w8ar, w.w8ai);
    cmul_conj(a3r, a3i, w.w8br, w.w8bi);
    B::store(out_re, a0r + a2r);
    B::store(out_re + 4, a1r + a3r);
    B::store(out_re + 8, a0r - a2r);
    B::store(out_re + 12, a1r - a3r);
    B::store(out_im, a0i + a2i);
    B::store(out_im + 4, a1i + a3i);
    B::store(out_im + 8, a0i - a2i);
    B::store(out_im + 12, a1i - a3i);
}

// The blocks from `b` on, B::BLOCKS at a time, as far as they go; returns
// where it stopped.
template <typename B>
int sixteens_by(double* re, double* im, const double* __restrict s1, const double* __restrict s2, double* re2,
                double* im2, int b, int n, const double* __restrict twr, const double* __restrict twi) {
    using V = typename B::V;
    BlockTwiddles<V> w;
    B::twiddles(w.w4r, twr + 4);
    B::twiddles(w.w4i, twi + 4);
    B::twiddles(w.w8ar, twr + 8);
    B::twiddles(w.w8ai, twi + 8);
    B::twiddles(w.w8br, twr + 12);
    B::twiddles(w.w8bi, twi + 12);
    for (; b + 16 * B::BLOCKS <= n; b += 16 * B::BLOCKS) {
        Rows<V> x;
        B::load(x.r0, re + b);
        B::load(x.r1, re + b + 4);
        B::load(x.r2, re + b + 8);
        B::load(x.r3, re + b + 12);
        B::load(x.i0, im + b);
        B::load(x.i1, im + b + 4);
        B::load(x.i2, im + b + 8);
        B::load(x.i3, im + b + 12);
        forward16(x, w);
        if (s2) inverse16<B>(x, s2 + b, w, re2 + b, im2 + b);
        inverse16<B>(x, s1 + b, w, re + b, im + b);
    }
    return b;
}

// Every block of 16 values through the last four forward stages, the
// product with spectrum 1 (into re, im) and spectrum 2 (into re2, im2, when
// given) and the first four inverse stages. `twr`, `twi`: the twiddle table
// (span h at h). With 512-bit vectors two blocks go side by side.
void sixteens(double* re, double* im, const double* __restrict s1, const double* __restrict s2, double* re2,
              double* im2, int n, const double* __restrict twr, const double* __restrict twi) {
    int b = 0;
#if defined(__AVX512F__)
    b = sixteens_by<TwoBlocks>(re, im, s1, s2, re2, im2, b, n, twr, twi);
#endif
    sixteens_by<OneBlock>(re, im, s1, s2, re2, im2, b, n, twr, twi);
}

}  // namespace

const FftKernels fft_table = {&butterflies, &dif_butterflies, &dif_pair, &dit_pair, &sixteens};

}  // namespace sc::engine::SC_VARIANT
