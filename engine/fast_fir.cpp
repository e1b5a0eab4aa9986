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
    work_.assign(static_cast<size_t>(n_), {});
    work2_.assign(static_cast<size_t>(n_), {});
    auto spectrum = [&](const double* h, std::vector<double>& out) {
        std::vector<std::complex<double>> g(static_cast<size_t>(n_));
        g[0] = h[0];
        for (int m = 1; m <= half_; ++m) {
            g[static_cast<size_t>(m)] = h[m];
            g[static_cast<size_t>(n_ - m)] = h[m];
        }
        fft_.forward(g.data());
        out.resize(static_cast<size_t>(n_));
        for (int k = 0; k < n_; ++k) out[static_cast<size_t>(k)] = g[static_cast<size_t>(k)].real() / n_;
    };
    spectrum(h1, spectrum1_);
    if (two_filters_) spectrum(h2, spectrum2_);
}

void FastFir::segment(const double* a, const double* b, int count, int first, double* out1a,
                      double* out1b, double* out2a, double* out2b) {
    const int lo = -half_;
    const int hi = count + half_;  // readable range [lo, hi)
    const int start = first - half_;
    for (int i = 0; i < n_; ++i) {
        const int at = start + i;
        const bool inside = at >= lo && at < hi;
        work_[static_cast<size_t>(i)] = {inside ? a[at] : 0.0, (inside && b) ? b[at] : 0.0};
    }
    fft_.forward(work_.data());
    if (two_filters_) {
        for (int k = 0; k < n_; ++k) work2_[static_cast<size_t>(k)] = work_[static_cast<size_t>(k)] * spectrum2_[static_cast<size_t>(k)];
        fft_.inverse(work2_.data());
    }
    for (int k = 0; k < n_; ++k) work_[static_cast<size_t>(k)] *= spectrum1_[static_cast<size_t>(k)];
    fft_.inverse(work_.data());
    const int outputs = std::min(valid_, count - first);
    for (int i = 0; i < outputs; ++i) {
        const auto& v = work_[static_cast<size_t>(i + half_)];
        out1a[first + i] = v.real();
        if (b) out1b[first + i] = v.imag();
        if (two_filters_) {
            const auto& w = work2_[static_cast<size_t>(i + half_)];
            out2a[first + i] = w.real();
            if (b) out2b[first + i] = w.imag();
        }
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
