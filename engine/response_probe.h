// Filter responses measured as a listener would: a short sine piece of
// amplitude 51000 goes through the filter and the output peak is compared
// with that amplitude, 20 log10(peak / 51000).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/crossover.h"
#include "engine/equalizer.h"

namespace sc::engine {

inline constexpr double PROBE_AMPLITUDE = 51000.0;
// What a piece that comes out silent counts as.
inline constexpr double PROBE_FLOOR_DB = -120.0;

// Output level of the equalizer (with its high-pass part) for a sine of
// `freq` Hz, in dB against the probe amplitude.
double equalizer_level_db(const Equalizer& eq, double freq, int32_t sample_rate);

// Output levels of the three bands of the crossover for a sine of `freq` Hz.
struct CrossoverLevels {
    double low = 0.0;
    double mid = 0.0;
    double high = 0.0;
};
CrossoverLevels crossover_levels_db(const Crossover& xover, double freq, int32_t sample_rate);

// A response peak: where it lies, how high it is, and the frequencies below
// (fu) and above (fo) it where the response has fallen 3 dB under the peak.
struct PeakShape {
    double peak_freq = 0.0;
    double peak_db = PROBE_FLOOR_DB;
    double fu = 0.0;  // 0: the response does not fall 3 dB inside the range
    double fo = 0.0;
    bool complete() const { return fu > 0.0 && fo > 0.0; }
    double width() const { return complete() ? fo - fu : 0.0; }
    // Geometric middle of fu and fo.
    double centre() const;
    double q() const;
};

// Searches [f_low, f_high] for the highest level of `level_db` (a coarse
// sweep in steps of 1/24 octave, refined around the best step) and then
// for the two -3 dB points on either side of it.
PeakShape measure_peak(const std::function<double(double)>& level_db, double f_low, double f_high);

// Frequencies from f_low to f_high (both included) in equal ratios, `per_octave`
// steps per octave.
std::vector<double> log_frequencies(double f_low, double f_high, int per_octave);

}  // namespace sc::engine
