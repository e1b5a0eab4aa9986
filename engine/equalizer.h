// The high-pass filter and the 12-band equalizer as one symmetric FIR filter
// that is subtracted from the signal: y(n) = x(n) - round(sum c(m) (x(n-m) + x(n+m))).
#pragma once

#include <array>
#include <cstdint>

#include "settings/parameter_set.h"

namespace sc::engine {

inline constexpr int EQ_TAPS_MAX = 700;
// Pi as the filter designs take it.
inline constexpr double DESIGN_PI = 3.1415927;

class Equalizer {
public:
    // Designs c and N from `HPF`, `EQ` and the sample rate.
    void EQ_FILTERBESTIMMEN(const ParameterSet& p, int32_t sample_rate);

    // Half-length N: 0 when every band is flat and the high-pass filter is off.
    int32_t N() const { return n_; }
    // Coefficients c(0) ... c(700); c(0) already halved.
    const std::array<float, EQ_TAPS_MAX + 1>& c() const { return c_; }
    // w(0) high-pass, w(1) 15 kHz ... w(12) 100 Hz, after all corrections.
    const std::array<float, 13>& weights() const { return w_; }
    // N(0) high-pass, N(1) ... N(12) the bands.
    const std::array<int32_t, 13>& half_lengths() const { return half_; }
    // Centre frequency F(i) of w(i), i = 1 ... 12.
    static int32_t band_frequency(int i);

    // The filter at block position n, summed directly in double.
    double sum_at(const int32_t* x, int64_t n, int stride) const;

private:
    std::array<float, EQ_TAPS_MAX + 1> c_{};
    std::array<float, 13> w_{};
    std::array<int32_t, 13> half_{};
    int32_t n_ = 0;
};

}  // namespace sc::engine
