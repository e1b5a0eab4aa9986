#include "engine/fast_fir.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sc::engine {

namespace {

constexpr int SMALLEST = 64;
// Larger transforms spill further out of the caches and cost more per value
// than they save. (4096 leaves the first level but still pays for the deepest
// filter: its 3396 outputs per transform against 1348 of 2048.)
constexpr int LARGEST = 4096;
// Work per transform value besides the butterflies (window, product, copy),
// in butterfly stages.
constexpr double OVERHEAD_STAGES = 4.0;
// Doubles between the parts of the work buffer beyond the transform size.
constexpr size_t STAGGER = 72;

double segment_cost(int n) {
    return n * (std::log2(static_cast<double>(n)) + OVERHEAD_STAGES);
}

}  // namespace

void FastFir::design(int half, const double* h1, const double* h2, int usual_outputs) {
    half_ = half;
    two_filters_ = h2 != nullptr;
    sizes_.clear();
    for (int n = SMALLEST; n <= LARGEST; n *= 2) {
        if (n - 2 * half_ < 16) continue;
        Size s;
        s.n = n;
        s.fft.resize(n);
        auto spectrum = [&](const double* h) {
            std::vector<double> gr(static_cast<size_t>(n), 0.0), gi(static_cast<size_t>(n), 0.0);
            gr[0] = h[0];
            for (int m = 1; m <= half_; ++m) {
                gr[static_cast<size_t>(m)] = h[m];
                gr[static_cast<size_t>(n - m)] = h[m];
            }
            s.fft.forward_to_bitreversed(gr.data(), gi.data());
            for (double& v : gr) v /= n;  // real: the taps are even
            return Fft::quad_layout(gr);
        };
        s.spectrum1 = spectrum(h1);
        if (two_filters_) s.spectrum2 = spectrum(h2);
        sizes_.push_back(std::move(s));
    }
    const size_t largest = sizes_.empty() ? 0 : static_cast<size_t>(sizes_.back().n);
    // The four parts in one buffer, each a little further on than a whole
    // multiple of the cache's way size, so that the butterflies' streams do
    // not compete for the same cache sets.
    stride_ = largest + STAGGER;
    work_.assign(4 * stride_, 0.0);
    planned_count_ = -1;
    plan_for(std::max(usual_outputs, 1));
}

std::vector<int> FastFir::plan(int count) const {
    // Least total cost over segment sets that cover `count` outputs.
    const size_t c = static_cast<size_t>(std::max(count, 0));
    std::vector<double> best(c + 1, 0.0);
    std::vector<int> choice(c + 1, -1);
    for (size_t k = 1; k <= c; ++k) {
        best[k] = std::numeric_limits<double>::infinity();
        for (size_t i = 0; i < sizes_.size(); ++i) {
            const size_t valid = static_cast<size_t>(sizes_[i].n - 2 * half_);
            const double cost = segment_cost(sizes_[i].n) + best[k > valid ? k - valid : 0];
            if (cost < best[k]) {
                best[k] = cost;
                choice[k] = static_cast<int>(i);
            }
        }
    }
    std::vector<int> out;
    for (size_t k = c; k > 0;) {
        const Size& s = sizes_[static_cast<size_t>(choice[k])];
        out.push_back(s.n);
        const size_t valid = static_cast<size_t>(s.n - 2 * half_);
        k = k > valid ? k - valid : 0;
    }
    std::sort(out.rbegin(), out.rend());
    return out;
}

const std::vector<int>& FastFir::plan_for(int count) {
    if (count != planned_count_) {
        plan_.clear();
        for (int n : plan(count)) {
            for (size_t i = 0; i < sizes_.size(); ++i)
                if (sizes_[i].n == n) plan_.push_back(static_cast<int>(i));
        }
        planned_count_ = count;
    }
    return plan_;
}

namespace {

// The window [start, start + n) of x, readable over [lo, hi), zeros outside.
void fill_window(const int32_t* x, int start, int n, int lo, int hi, double* out) {
    const int from = std::max(start, lo);
    const int to = std::min(start + n, hi);
    if (to <= from) {
        std::fill(out, out + n, 0.0);
        return;
    }
    std::fill(out, out + (from - start), 0.0);
    double* o = out + (from - start);
    const int32_t* s = x + from;
    for (int k = 0; k < to - from; ++k) o[k] = s[k];
    std::fill(out + (to - start), out + n, 0.0);
}

}  // namespace

int FastFir::transform(const Size& s, const int32_t* a, const int32_t* b, int count, int first) {
    const int n = s.n;
    const int lo = -half_;
    const int hi = count + half_;  // readable range [lo, hi)
    const int start = first - half_;
    double* re = work_.data();
    double* im = re + stride_;
    fill_window(a, start, n, lo, hi, re);
    if (b) {
        fill_window(b, start, n, lo, hi, im);
    } else {
        std::fill(im, im + n, 0.0);
    }
    s.fft.convolve(re, im, s.spectrum1.data(), two_filters_ ? s.spectrum2.data() : nullptr, re + 2 * stride_,
                   im + 2 * stride_);
    return std::min(n - 2 * half_, count - first);
}

void FastFir::run(const int32_t* a, const int32_t* b, int count, double* out1a, double* out1b,
                  double* out2a, double* out2b) {
    if (count <= 0) return;
    run_into(a, b, count, [&](int channel, int first, int n, const double* f1, const double* f2) {
        std::copy_n(f1, n, (channel == 0 ? out1a : out1b) + first);
        if (f2) std::copy_n(f2, n, (channel == 0 ? out2a : out2b) + first);
    });
}

void FastFir::run_mono(const int32_t* x, int count, double* out1, double* out2) {
    run_mono_into(x, count, [&](int, int first, int n, const double* f1, const double* f2) {
        std::copy_n(f1, n, out1 + first);
        if (f2 && out2) std::copy_n(f2, n, out2 + first);
    });
}

}  // namespace sc::engine
