#include "engine/equalizer.h"

#include <algorithm>
#include <cmath>

#include "engine/rounding.h"

namespace sc::engine {

namespace {

constexpr std::array<int32_t, 13> kF = {0,    15000, 10000, 6300, 4000, 2500, 1600,
                                        1000, 630,   400,   250,  160,  100};

int32_t scaled(int32_t sr, int32_t num) {
    return static_cast<int32_t>(round_ratio(static_cast<int64_t>(sr) * num, 44100));
}

// Each weight is a 32-bit float; every correction stores back into it.
struct Weights {
    std::array<float, 13> w{};
    float& operator()(int i) { return w[static_cast<size_t>(i)]; }
};

void set(float& target, double value) { target = static_cast<float>(value); }

void correct_hpf100(Weights& w) {
    if (w(12) > 0) { set(w(12), 0.65 * w(12)); set(w(0), w(0) * (1 - w(12) / 6.0)); }
    if (w(11) > 0) { set(w(11), 0.85 * w(11)); set(w(0), w(0) * (1 - w(11) / 9.0)); }
    if (w(12) < 0) set(w(0), w(0) * (1 - w(12) / 7.0));
    if (w(11) > 0 && w(12) > 0) {
        set(w(12), w(12) * (1 - (1.5 * w(12) + w(11)) / 5.0));
        set(w(0), w(0) * (1 + (1.5 * w(12) + w(11)) / 14.0));
    }
}

void correct_hpf120(Weights& w) {
    if (w(12) > 0) { set(w(12), 0.65 * w(12)); set(w(0), w(0) * (1 - w(12) / 5.0)); }
    if (w(11) > 0) { set(w(11), 0.8 * w(11)); set(w(0), w(0) * (1 - w(11) / 9.0)); }
    if (w(11) > 0 && w(12) > 0) {
        set(w(11), w(11) * (1 - (w(12) + w(11)) / 17.0));
        set(w(12), w(12) * (1 - (2 * w(12) + w(11)) / 4.6));
        if (w(10) > 0) {
            set(w(10), 0.95 * w(10));
            set(w(0), w(0) * (1 + w(10) / 22.0));
            if (w(11) > 0) set(w(11), w(11) * (1 - w(10) / 5.0));
            if (w(12) > 0) set(w(12), w(12) * (1 - w(10) / 5.0));
        }
    }
}

void correct_hpf150(Weights& w) {
    if (w(12) > 0) { set(w(12), 0.5 * w(12)); set(w(0), w(0) * (1 - w(12) / 4.5)); }
    if (w(11) > 0) { set(w(11), 0.73 * w(11)); set(w(0), w(0) * (1 - w(11) / 7.0)); }
    if (w(11) > 0 && w(12) > 0) {
        set(w(11), w(11) * (1 - (w(12) + w(11)) / 13.0));
        set(w(12), w(12) * (1 - (1.5 * w(12) + w(11)) / 1.5));
        set(w(0), w(0) * (1 + (1.5 * w(12) + w(11)) / 8.0));
        if (w(10) > 0) {
            set(w(10), 0.88 * w(10));
            set(w(0), w(0) * (1 + w(10) / 25.0));
            if (w(11) > 0) set(w(11), w(11) * (1 - w(10) / 2.0));
            if (w(12) > 0) set(w(12), w(12) * (1 - w(10) / 2.0));
        }
    }
}

void correct_neighbours(Weights& w, int from, double k) {
    for (int i = from; i <= 12; ++i) {
        if (w(i) > 0 && w(i - 1) > 0) set(w(i), w(i) * (1 - k * w(i - 1)));
        else if (w(i) < 0 && w(i - 1) < 0) set(w(i), w(i) * (3 + k * w(i - 1)) / 3.0);
    }
}

}  // namespace

int32_t Equalizer::band_frequency(int i) { return kF[static_cast<size_t>(i)]; }

void Equalizer::EQ_FILTERBESTIMMEN(const ParameterSet& p, int32_t sr) {
    Weights w;
    // 1. High-pass half-length and weight.
    int32_t n0 = 0;
    switch (p.HPF) {
        case 100: n0 = scaled(sr, 275); w(0) = 0.98f; break;
        case 120: n0 = scaled(sr, 225); w(0) = 0.975f; break;
        case 150: n0 = scaled(sr, 175); w(0) = 0.953f; break;
        default: break;
    }
    if (static_cast<int64_t>(n0) * 44100 > static_cast<int64_t>(sr) * 280) n0 = scaled(sr, 280);

    // 2. Band weights; band b of `EQ` goes to w(13 - b).
    for (int b = 1; b <= 12; ++b) {
        const double g = p.EQ[static_cast<size_t>(b - 1)];
        double v = 0.0;
        if (g > 0) v = -std::pow(g / 4.18, 1.5);
        else if (g < 0) v = std::pow((-g) * 3 / 23, 0.7);
        set(w(13 - b), v);
    }

    // 3. Corrections, in order.
    if (p.EQ[0] > 0) set(w(12), w(12) * 0.9090909090909091);
    if (p.EQ[1] > 0) set(w(11), w(11) * 0.9574468085106382);
    if (p.HPF == 100) correct_hpf100(w);
    if (p.HPF == 120) correct_hpf120(w);
    if (p.HPF == 150) correct_hpf150(w);
    correct_neighbours(w, 2, 0.45);
    correct_neighbours(w, 11, 0.25);

    // 4. Band half-lengths.
    half_[0] = n0;
    for (int i = 1; i <= 12; ++i) {
        half_[static_cast<size_t>(i)] = static_cast<int32_t>(
            round_ratio(65000LL * sr, static_cast<int64_t>(kF[static_cast<size_t>(i)]) * 48000));
    }
    half_[11] = std::min(half_[11], scaled(sr, 300));
    half_[12] = std::min(half_[12], scaled(sr, 350));

    // 5. Coefficients; each component is added into the 32-bit table.
    for (int m = 0; m <= EQ_TAPS_MAX; ++m) {
        float c = 0.0f;
        if (w(0) != 0 && m <= half_[0]) {
            const double nn = half_[0];
            c = static_cast<float>(c + w(0) / nn * std::cos(m * DESIGN_PI / (2 * nn)) *
                                           std::cos(m * DESIGN_PI / (2.3 * nn)));
        }
        for (int i = 1; i <= 12; ++i) {
            const int32_t ni = half_[static_cast<size_t>(i)];
            if (w(i) == 0 || m > ni) continue;
            const double f = kF[static_cast<size_t>(i)];
            const double shape = 0.8 * std::cos(m * f * 5.67 / sr) + 0.3 * std::cos(m * f * 8.19 / sr);
            c = static_cast<float>(c + w(i) / static_cast<double>(ni) * shape *
                                           std::cos(m * DESIGN_PI / (2.0 * ni)));
        }
        c_[static_cast<size_t>(m)] = c;
    }
    // 6. The centre tap enters the sum twice.
    c_[0] = c_[0] * 0.5f;

    // 7. The depth follows the longest active component.
    n_ = 0;
    for (int i = 0; i <= 12; ++i) {
        if (w(i) != 0) n_ = std::max(n_, half_[static_cast<size_t>(i)]);
    }
    w_ = w.w;
}

double Equalizer::sum_at(const int32_t* x, int64_t n, int stride) const {
    double acc = 0.0;
    for (int m = 0; m <= n_; ++m) {
        acc += static_cast<double>(c_[static_cast<size_t>(m)]) *
               (static_cast<double>(x[n - static_cast<int64_t>(m) * stride]) +
                x[n + static_cast<int64_t>(m) * stride]);
    }
    return acc;
}

}  // namespace sc::engine
