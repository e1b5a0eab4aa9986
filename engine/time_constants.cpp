#include "engine/time_constants.h"

#include <cmath>
#include <limits>

#include "engine/rounding.h"

namespace sc::engine {

int32_t samples_of_time(int32_t t, int32_t sample_rate) {
    return static_cast<int32_t>(round_ratio(static_cast<int64_t>(sample_rate) * t, 10000));
}

float attack_multiplier(int32_t n) {
    if (n <= 0) return 0.0f;  // 0.1^(1/0) = 0.1^inf
    return static_cast<float>(std::pow(0.1, 1.0 / n));
}

float release_multiplier(int32_t n) {
    if (n <= 0) return std::numeric_limits<float>::infinity();
    return static_cast<float>(1.0 / std::pow(0.1, 1.0 / n));
}

float hold_release_multiplier(float release) {
    return static_cast<float>((4.0 + static_cast<double>(release)) / 5.0);
}

float detector_decay(int32_t n) {
    const double d = std::nearbyint(100000.0 * std::pow(0.5, 1.0 / n)) / 100000.0;
    return static_cast<float>(d);
}

namespace {

SectionTimes section(int32_t attack_time, int32_t release_time, int32_t sr) {
    SectionTimes s;
    s.attack = attack_multiplier(samples_of_time(attack_time, sr));
    s.release = release_multiplier(samples_of_time(release_time, sr));
    s.hold_release = hold_release_multiplier(s.release);
    return s;
}

}  // namespace

void TimeConstants::ATT_REL_ANRATEANPASSEN(const ParameterSet& p, int32_t sr) {
    sample_rate = sr;
    low = section(p.KOMPR_ATTBASS.value, p.KOMPR_RELBASS.value, sr);
    mid = section(p.KOMPR_ATTMIDD.value, p.KOMPR_RELMIDD.value, sr);
    high = section(p.KOMPR_ATTHIGH.value, p.KOMPR_RELHIGH.value, sr);
    leveler = section(p.LEVE_ATT, p.LEVE_REL, sr);
    limiter = section(p.LIMI_ATT.value, p.LIMI_REL.value, sr);
    d30 = detector_decay(samples_of_time(300, sr));
    d9 = detector_decay(samples_of_time(90, sr));
    d08 = detector_decay(samples_of_time(8, sr));
}

void LookAhead::prepare(int32_t sr) {
    low = static_cast<int32_t>(round_ratio(static_cast<int64_t>(sr) * 165, 44100));
    mid = static_cast<int32_t>(round_ratio(static_cast<int64_t>(sr) * 44, 44100));
    high = static_cast<int32_t>(round_ratio(static_cast<int64_t>(sr) * 9, 44100));
}

int32_t gate_threshold_lowmid(int level) {
    switch (level) {
        case 1: case 4: return round_i32(32767.0 / 565.0);
        case 2: case 5: return round_i32(32767.0 / 100.0);
        case 3: case 6: return round_i32(32767.0 / 17.7);
        default: return 0;
    }
}

int32_t gate_threshold_high(int level) {
    switch (level) {
        case 1: case 4: return round_i32(32767.0 / 1000.0);
        case 2: case 5: return round_i32(32767.0 / 177.0);
        case 3: case 6: return round_i32(32767.0 / 30.0);
        default: return 0;
    }
}

int32_t gate_open_threshold(int32_t threshold) { return round_i32(threshold * 1.57); }

namespace {

GateSetting gate_for(int level, bool high_band, float open, float close_slow, float close_fast) {
    GateSetting g;
    if (level < 1 || level > 6) return g;  // 0 switches the gate off
    g.on = true;
    g.threshold = high_band ? gate_threshold_high(level) : gate_threshold_lowmid(level);
    g.open_threshold = gate_open_threshold(g.threshold);
    g.open_factor = open;
    g.close_factor = level <= 3 ? close_slow : close_fast;
    return g;
}

}  // namespace

void GateConstants::prepare(const ParameterSet& p, int32_t sr) {
    const double rate = sr;
    open_high = static_cast<float>(std::pow(8.0, 5000.0 / rate));
    open_mid = static_cast<float>(std::pow(8.0, 1300.0 / rate));
    open_low = static_cast<float>(std::pow(8.0, 454.0 / rate));
    close_slow_lowmid = static_cast<float>(std::pow(0.05613, 1.0 / rate));
    close_fast_lowmid = static_cast<float>(std::pow(0.0003, 1.0 / rate));
    close_slow_high = static_cast<float>(std::pow(0.018, 1.0 / rate));
    close_fast_high = static_cast<float>(std::pow(0.0003, 1.0 / rate));
    low = gate_for(p.GATEBASS, false, open_low, close_slow_lowmid, close_fast_lowmid);
    mid = gate_for(p.GATEMIDD, false, open_mid, close_slow_lowmid, close_fast_lowmid);
    high = gate_for(p.GATEHIGH, true, open_high, close_slow_high, close_fast_high);
}

}  // namespace sc::engine
