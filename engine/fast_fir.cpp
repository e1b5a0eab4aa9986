#include "engine/fast_fir.h"

#include <algorithm>
#include <cmath>

namespace sc::engine {

void FastFir::pick_size(int max_outputs) {
    // The size with the least transform work per output for this block length.
    double best = 1e300;
    n_ = 0;
    for (int n = 64; n <= (1 << 16); n *= 2) {
        const int valid = n - 2 * half_;
        if (valid < 16) continue;
        const int segments = (max_outputs + valid - 1) / valid;
        int bits = 0;
        while ((1 << bits) < n) ++bits;
        const double cost = static_cast<double>(segments) * n * (bits + 2);
        if (cost < best) { best = cost; n_ = n; }
        if (valid >= max_outputs) break;
    }
    valid_ = n_ - 2 * half_;
}

void FastFir::design(int half, const double* h1, const double* h2, int max_outputs) {
    half_ = half;
    two_filters_ = h2 != nullptr;
    pick_size(std::max(max_outputs, 1));
    fft_.resize(n_);
    const size_t n = static_cast<size_t>(n_);
    re_.assign(n, 0.0);
    im_.assign(n, 0.0);
    re2_.assign(n, 0.0);
    im2_.assign(n, 0.0);
    auto spectrum = [&](const double* h, std::vector<double>& out) {
        std::vector<double> gr(n, 0.0), gi(n, 0.0);
        gr[0] = h[0];
        for (int m = 1; m <= half_; ++m) {
            gr[static_cast<size_t>(m)] = h[m];
            gr[n - static_cast<size_t>(m)] = h[m];
        }
        fft_.forward_to_bitreversed(gr.data(), gi.data());
        out.resize(n);
        for (size_t k = 0; k < n; ++k) out[k] = gr[k] / n_;  // real: the taps are even
    };
    spectrum(h1, spectrum1_);
    if (two_filters_) spectrum(h2, spectrum2_);
}

namespace {

__attribute__((target_clones("avx2", "default")))
void scale_into(const double* re, const double* im, const double* __restrict s,
                double* out_re, double* out_im, int n) {
    for (int k = 0; k < n; ++k) {
        out_re[k] = re[k] * s[k];
        out_im[k] = im[k] * s[k];
    }
}

}  // namespace

void FastFir::segment(const double* a, const double* b, int count, int first, double* out1a,
                      double* out1b, double* out2a, double* out2b) {
    const int lo = -half_;
    const int hi = count + half_;  // readable range [lo, hi)
    const int start = first - half_;
    // Window [start, start + n) clipped to the readable range, zeros outside.
    const int from = std::max(start, lo);
    const int to = std::min(start + n_, hi);
    std::fill(re_.begin(), re_.end(), 0.0);
    std::fill(im_.begin(), im_.end(), 0.0);
    if (to > from) {
        std::copy(a + from, a + to, re_.begin() + (from - start));
        if (b) std::copy(b + from, b + to, im_.begin() + (from - start));
    }
    fft_.forward_to_bitreversed(re_.data(), im_.data());
    if (two_filters_) {
        scale_into(re_.data(), im_.data(), spectrum2_.data(), re2_.data(), im2_.data(), n_);
        fft_.inverse_from_bitreversed(re2_.data(), im2_.data());
    }
    scale_into(re_.data(), im_.data(), spectrum1_.data(), re_.data(), im_.data(), n_);
    fft_.inverse_from_bitreversed(re_.data(), im_.data());
    const int outputs = std::min(valid_, count - first);
    std::copy_n(re_.begin() + half_, outputs, out1a + first);
    if (b) std::copy_n(im_.begin() + half_, outputs, out1b + first);
    if (two_filters_) {
        std::copy_n(re2_.begin() + half_, outputs, out2a + first);
        if (b) std::copy_n(im2_.begin() + half_, outputs, out2b + first);
    }
}

void FastFir::run(const double* a, const double* b, int count, double* out1a, double* out1b,
                  double* out2a, double* out2b) {
    for (int first = 0; first < count; first += valid_) {
        segment(a, b, count, first, out1a, out1b, out2a, out2b);
    }
}

void FastFir::run_mono(const double* x, int count, double* out1, double* out2) {
    if (count <= 0) return;
    const int first_half = count / 2;
    const int longer = count - first_half;
    // The first half runs on as far as the second; the overlap is written twice
    // with the same sums.
    run(x, x + first_half, longer, out1, out1 + first_half, out2,
        out2 ? out2 + first_half : nullptr);
}

}  // namespace sc::engine
