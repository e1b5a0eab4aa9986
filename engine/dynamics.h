// Per-sample gain computers: the compressor/limiter rule with hold, the
// leveler, the band gates and the level detectors.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "engine/rounding.h"
#include "engine/time_constants.h"

namespace sc::engine {

// Hold lengths in samples, independent of the sample rate.
inline constexpr int32_t HOLD_LOW = 1400;
inline constexpr int32_t HOLD_MID = 690;
inline constexpr int32_t HOLD_HIGH = 140;
inline constexpr int32_t HOLD_LIMITER = 1400;
// Hold ends at the start of every block's band pass.
inline constexpr int32_t HOLD_END_START_LOW = 100;
inline constexpr int32_t HOLD_END_START_MID = 30;
inline constexpr int32_t HOLD_END_START_HIGH = 10;
inline constexpr int32_t HOLD_END_START_LIMITER = 30;
// A closed gate damps its band by 15 dB.
inline constexpr float GATE_FLOOR = 0.177f;

// Gain of a compressor band or the limiter, moved towards a table target.
struct GainComputer {
    float gain = 1.0f;
    float smallest = 1.0f;  // for the meter, since it was last drawn
    int32_t hold_end = 0;

    // One sample at pass index j.
    void step(float target, const SectionTimes& t, int32_t hold_length, int32_t j) {
        if (gain > target) {
            gain *= t.attack;
            if (gain < target) gain = target;
            hold_end = j + hold_length;
        }
        if (j > hold_end) gain *= t.release;
        gain *= t.hold_release;
        if (!(gain <= 1.0f)) gain = 1.0f;  // also catches inf * 0
        if (gain < smallest) smallest = gain;
    }
};

// The slow full-band leveler: no hold, no hold release.
struct Leveler {
    float gain = 1.0f;
    float smallest = 1.0f;

    void step(float target, const SectionTimes& t) {
        if (gain > target) {
            gain *= t.attack;
            if (gain < target) gain = target;
        } else {
            gain *= t.release;
        }
        if (!(gain <= 1.0f)) gain = 1.0f;
        if (gain < smallest) smallest = gain;
    }
};

// A band gate, working beside its compressor on the same detector level.
struct Gate {
    float gain = 1.0f;

    void step(int32_t level, const GateSetting& s) {
        if (level < s.threshold) gain *= s.close_factor;
        if (level >= s.open_threshold) gain *= s.open_factor;
        gain = std::min(gain, 1.0f);
        if (gain < GATE_FLOOR) gain = GATE_FLOOR;
    }
};

// Held detector level: keeps the larger of the new value and the held level,
// then lets it decay.
inline int32_t held_level(int32_t level, int32_t v, float decay) {
    return round_i32(static_cast<double>(std::max(level, v)) * decay);
}

// The stereo link: one level from both sides' rectified values a and b
// (each at least 1), the quieter side while they differ by less than 1.4,
// the louder side / 1.4 beyond that. No held maximum.
inline int32_t linked_level(int32_t a, int32_t b, float decay) {
    const int32_t hi = std::max(a, b);
    const int32_t lo = std::min(a, b);
    double q = static_cast<double>(hi) / lo;
    if (q > 1.4) q = 1.4;
    const int32_t level = round_i32(hi / q);
    return round_i32(static_cast<double>(level) * decay);
}

// Rectified LOW detector input: the look-ahead value minus half the value
// 20 samples before it, doubled.
inline int32_t low_detector_value(int32_t ahead, int32_t before) {
    return 2 * (std::abs(ahead) - (std::abs(before) >> 1));
}

inline int32_t table_index(int32_t level, int32_t top) {
    return std::clamp(level >> 2, 0, top);
}

}  // namespace sc::engine
