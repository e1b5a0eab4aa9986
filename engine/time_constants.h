// Per-sample multipliers of the dynamics sections, derived from the time
// values of the Parameter set (`ATT_REL_ANRATEANPASSEN`), the fixed decays of
// the level detectors, the gate constants and the look-ahead lengths.
#pragma once

#include <cstdint>

#include "settings/parameter_set.h"

namespace sc::engine {

// Length in samples of a time value t (0.1 ms) at sample rate sr:
// round(sr / 1000 * t / 10), computed exactly, ties to even.
int32_t samples_of_time(int32_t t, int32_t sample_rate);

// a = 0.1^(1/n): lowers a gain by 20 dB in n samples (0 when n = 0).
float attack_multiplier(int32_t n);
// r = 1 / 0.1^(1/n): raises a gain by 20 dB in n samples (infinite when n = 0).
float release_multiplier(int32_t n);
// h = (4 + r) / 5: one fifth of the release step, used during the hold.
float hold_release_multiplier(float release);
// round(100000 * 0.5^(1/n)) / 100000: halves a held level in n samples.
float detector_decay(int32_t n);

struct SectionTimes {
    float attack = 1.0f;
    float release = 1.0f;
    float hold_release = 1.0f;  // not used by the leveler
};

// All coefficients that `ATT_REL_ANRATEANPASSEN` writes.
struct TimeConstants {
    SectionTimes low, mid, high, leveler, limiter;
    float d30 = 1.0f;  // detector decay 30 ms (LOW band)
    float d9 = 1.0f;   // detector decay 9 ms (leveler, MID, limiter)
    float d08 = 1.0f;  // detector decay 0.8 ms (HIGH band)
    int32_t sample_rate = 0;

    // Recomputes every coefficient from the time values of `p` at `sample_rate`.
    void ATT_REL_ANRATEANPASSEN(const ParameterSet& p, int32_t sample_rate);
};

// Look-ahead lengths in samples, fixed per job from the sample rate.
struct LookAhead {
    int32_t low = 165;   // round(sr * 165 / 44100)
    int32_t mid = 44;    // round(sr * 44 / 44100); also the limiter's
    int32_t high = 9;    // round(sr * 9 / 44100)
    void prepare(int32_t sample_rate);
};

// Constants of one band gate for its level setting (0 = off).
struct GateSetting {
    bool on = false;
    int32_t threshold = 0;        // below it the gate closes
    int32_t open_threshold = 0;   // round(threshold * 1.57); at or above it opens
    float open_factor = 1.0f;
    float close_factor = 1.0f;
};

// Gate factors and thresholds of the three bands, set at every job start.
struct GateConstants {
    float open_low = 1.0f, open_mid = 1.0f, open_high = 1.0f;
    float close_slow_lowmid = 1.0f, close_fast_lowmid = 1.0f;
    float close_slow_high = 1.0f, close_fast_high = 1.0f;
    GateSetting low, mid, high;

    void prepare(const ParameterSet& p, int32_t sample_rate);
};

// Thresholds of a gate level 1..6 (LOW and MID share theirs).
int32_t gate_threshold_lowmid(int level);
int32_t gate_threshold_high(int level);
int32_t gate_open_threshold(int32_t threshold);

}  // namespace sc::engine
