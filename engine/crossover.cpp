#include "engine/crossover.h"

#include <cmath>

#include "engine/equalizer.h"

namespace sc::engine {

namespace {

constexpr std::array<double, 44> kShape = {
    0.9,   0.95,  1.0,   1.05,  1.1,   1.1,    1.05,   1.0525, 1.0595, 1.01,   1.04,
    1.0,   1.01,  1.0,   0.995, 0.995, 0.99,   0.99,   0.99,   0.993,  0.986,  0.997,
    0.996, 1.0,   1.003, 1.005, 1.003, 1.006,  1.007,  1.009,  1.0111, 1.0092, 1.009,
    1.0055, 1.0069, 1.0049, 1.00435, 1.0052, 1.0055, 1.0045, 1.003, 1.0, 1.0, 0.995};

}  // namespace

Crossover::Crossover() {
    // High weights (32-bit floats).
    w_[0] = 0.0f;
    for (int j = 1; j <= 43; ++j) w_[j] = static_cast<float>(1.0 + j / 17.0);
    for (int j = 25; j <= 43; ++j) w_[j] = static_cast<float>(w_[j] * (1.0 + (j - 24) / 230.0));
    for (int j = 31; j <= 43; ++j) w_[j] = static_cast<float>(w_[j] * (1.0 + (j - 30) / 180.0));
    for (int j = 38; j <= 43; ++j) w_[j] = static_cast<float>(w_[j] * (1.0 + (j - 37) / 410.0));
    for (int j = 0; j <= 43; ++j) w_[j] = static_cast<float>(w_[j] * kShape[j]);

    const double pi = DESIGN_PI;
    for (int j = 0; j <= XOVER_HALF; ++j) {
        const double low = std::cos(j * pi / 160) * std::cos(j * pi / 200) * 0.01145;
        c_low_[XOVER_HALF + j] = low;
        c_low_[XOVER_HALF - j] = low;
        double s = 0.0;
        for (int k = 0; k <= 43; ++k) s += std::cos((j / 1.22) * std::pow(1.029, k)) * w_[k];
        const double high = std::cos(j * pi / 160) * s * std::cos(j * pi / 150) * 0.00612;
        c_high_[XOVER_HALF + j] = high;
        c_high_[XOVER_HALF - j] = high;
    }
    c_low_[XOVER_HALF] *= 0.5;
    c_high_[XOVER_HALF] *= 0.5;
}

BandSums Crossover::sums_at(const int32_t* x, int64_t j) const {
    double low = 0.0, high = 0.0;
    for (int m = 0; m <= XOVER_HALF; ++m) {
        const double pair = static_cast<double>(x[j + XOVER_HALF - m]) + x[j - XOVER_HALF + m];
        low += pair * c_low_[m];
        high += pair * c_high_[m];
    }
    return {low, high};
}

double Crossover::response(const std::array<double, XOVER_TAPS>& taps, double freq,
                           double sample_rate) {
    // The filter sum pairs x(J+80-m) and x(J-80+m) with taps(m): a cosine sum.
    const double omega = 2.0 * 3.14159265358979323846 * freq / sample_rate;
    double h = 0.0;
    for (int m = 0; m <= XOVER_HALF; ++m) h += 2.0 * taps[m] * std::cos(omega * (XOVER_HALF - m));
    return h;
}

}  // namespace sc::engine
