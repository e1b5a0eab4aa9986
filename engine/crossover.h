// The three-band split: LOW and HIGH are 161-tap linear-phase FIR filters
// (+-80 samples), MID is the rest, so the three bands add up to the input.
#pragma once

#include <array>
#include <cstdint>

namespace sc::engine {

inline constexpr int XOVER_HALF = 80;
inline constexpr int XOVER_TAPS = 2 * XOVER_HALF + 1;

struct BandSums {
    double low;
    double high;
};

class Crossover {
public:
    Crossover();  // designs the taps (once)

    const std::array<double, XOVER_TAPS>& low_taps() const { return c_low_; }
    const std::array<double, XOVER_TAPS>& high_taps() const { return c_high_; }
    const std::array<float, 44>& high_weights() const { return w_; }

    // lowsum and highsum at chain index j, summed directly in double.
    BandSums sums_at(const int32_t* x, int64_t j) const;

    // Response of a tap table to a sine of `freq` Hz at `sample_rate` (the gain).
    static double response(const std::array<double, XOVER_TAPS>& taps, double freq,
                           double sample_rate);

private:
    std::array<double, XOVER_TAPS> c_low_{};
    std::array<double, XOVER_TAPS> c_high_{};
    std::array<float, 44> w_{};
};

}  // namespace sc::engine
