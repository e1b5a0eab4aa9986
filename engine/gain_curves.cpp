#include "engine/gain_curves.h"

#include <cmath>

#include "engine/rounding.h"

namespace sc::engine {

namespace {

constexpr int32_t SCRATCH_LO = -1000;
constexpr int32_t BAND_FILL_LO = -500;
constexpr int32_t BAND_FILL_HI = 82000;
constexpr int32_t BAND_TABLE_HI = 82001;
constexpr int32_t LIMITER_FILL_HI = 164000;

// Stereo sources compress 1.2 dB earlier.
int32_t stereo_lowered(int32_t t, int channels) {
    return channels == 2 ? round_i32(t / 1.15) : t;
}

}  // namespace

float hard_knee(int32_t i, int32_t t, double ratio) {
    if (i < t || i == 0) return 1.0f;
    return static_cast<float>((t + (i - t) * (1.0 / ratio)) / i);
}

GainCurves::GainCurves()
    : band_{CurveTable(-1000, BAND_TABLE_HI), CurveTable(-1000, BAND_TABLE_HI),
            CurveTable(-1000, BAND_TABLE_HI)},
      leveler_(0, FULL_INDEX_MAX),
      limiter_(0, LIMITER_FILL_HI + 1) {}

void GainCurves::build_band(Band b, int32_t threshold, float ratio, int channels) {
    const int32_t t = stereo_lowered(round_i32(threshold / 4.0), channels);
    band_t_[static_cast<int>(b)] = t;
    // The hard-knee values the soft knee averages: built for this table only.
    CurveTable scratch(SCRATCH_LO, BAND_TABLE_HI);
    for (int32_t i = SCRATCH_LO; i <= BAND_FILL_HI; ++i) scratch[i] = hard_knee(i, t, ratio);
    // The soft knee reaches 250 steps beyond the filled scratch range only for
    // thresholds far above full scale; the hard-knee function stands in there.
    auto s = [&](int32_t i) {
        return (i >= SCRATCH_LO && i <= BAND_FILL_HI) ? scratch[i] : hard_knee(i, t, ratio);
    };
    CurveTable& table = band_[static_cast<int>(b)];
    for (int32_t i = BAND_FILL_LO; i <= BAND_FILL_HI; ++i) {
        float value = s(i);
        if (t - 300 < i && i < t + 2000) {
            const double sum = static_cast<double>(s(i)) + s(i - 100) + s(i + 100) + s(i - 200) +
                               s(i + 200) + s(i - 250) + s(i + 250);
            value = static_cast<float>(sum / 7.0);
        }
        table[i] = value;
    }
}

void GainCurves::K_KURVE_ERZEUGEN_BASS(const ParameterSet& p, int channels) {
    build_band(Band::Bass, p.KOMPR_THRBASS, p.KOMPR_RATBASS, channels);
}

void GainCurves::K_KURVE_ERZEUGEN_MIDD(const ParameterSet& p, int channels) {
    build_band(Band::Midd, p.KOMPR_THRMIDD, p.KOMPR_RATMIDD, channels);
}

void GainCurves::K_KURVE_ERZEUGEN_HIGH(const ParameterSet& p, int channels) {
    build_band(Band::High, p.KOMPR_THRHIGH, p.KOMPR_RATHIGH, channels);
}

void GainCurves::K_KURVE_ERZEUGEN_LEVE(const ParameterSet& p, int channels) {
    const int32_t t = stereo_lowered(round_i32(p.LEVE_TARGET / 4.0), channels);
    leveler_t_ = t;
    // The curve runs on to 322000, but the readers stop at FULL_INDEX_MAX:
    // only that part is kept.
    for (int32_t i = 0; i <= FULL_INDEX_MAX; ++i) {
        leveler_[i] = (i < t || i == 0)
                          ? 1.0f
                          : static_cast<float>((t + (i - t) * 0.3333333333333333) / i);
    }
}

void GainCurves::K_KURVE_ERZEUGEN_LIMI(const ParameterSet& p) {
    // Integer division by 8 first, then the rounded quotient by 4.
    const int32_t t = round_i32((p.LIMI_THR / 8) / 4.0);
    limiter_t_ = t;
    for (int32_t i = 0; i <= LIMITER_FILL_HI; ++i) {
        limiter_[i] = (i < t || i == 0) ? 1.0f : static_cast<float>(static_cast<double>(t) / i);
    }
    limiter_built_ = true;
}

}  // namespace sc::engine
