// Static characteristics of the dynamics sections as tables of target gains,
// indexed by detector level / 4 on the 16-bit amplitude scale.
#pragma once

#include <cstdint>
#include <vector>

#include "settings/parameter_set.h"
#include "settings/parameter_steps.h"

namespace sc::engine {

// Highest index the readers use.
inline constexpr int32_t BAND_INDEX_MAX = 82000;
inline constexpr int32_t FULL_INDEX_MAX = 164000;  // leveler and limiter

// One table with a fixed index range [lo, hi]; entries outside the filled
// part stay 0.
class CurveTable {
public:
    CurveTable(int32_t lo, int32_t hi) : lo_(lo), values_(static_cast<size_t>(hi - lo + 1), 0.0f) {}
    float operator[](int32_t i) const { return values_[static_cast<size_t>(i - lo_)]; }
    float& operator[](int32_t i) { return values_[static_cast<size_t>(i - lo_)]; }
    int32_t lo() const { return lo_; }
    int32_t hi() const { return lo_ + static_cast<int32_t>(values_.size()) - 1; }
    // Entry i for i >= 0, as the gain computers read it.
    const float* from_zero() const { return values_.data() - lo_; }

private:
    int32_t lo_;
    std::vector<float> values_;
};

// Hard-knee compressor value at index i: 1.0 below t, else (t + (i - t) / r) / i.
float hard_knee(int32_t i, int32_t t, double ratio);

class GainCurves {
public:
    GainCurves();

    // Compressor bands with the 7-point soft knee; `channels` is the channel
    // count of the current source (stereo lowers the threshold by 1.15).
    void K_KURVE_ERZEUGEN_BASS(const ParameterSet& p, int channels);
    void K_KURVE_ERZEUGEN_MIDD(const ParameterSet& p, int channels);
    void K_KURVE_ERZEUGEN_HIGH(const ParameterSet& p, int channels);
    // Leveler: target `LEVE_TARGET`, ratio 3, no knee.
    void K_KURVE_ERZEUGEN_LEVE(const ParameterSet& p, int channels);
    // Limiter: threshold `LIMI_THR`, ratio infinite; the same for mono and stereo.
    void K_KURVE_ERZEUGEN_LIMI(const ParameterSet& p);

    const CurveTable& band(Band b) const { return band_[static_cast<int>(b)]; }
    const CurveTable& leveler() const { return leveler_; }
    const CurveTable& limiter() const { return limiter_; }
    // Table threshold index T of the last build of each table.
    int32_t band_threshold(Band b) const { return band_t_[static_cast<int>(b)]; }
    int32_t leveler_threshold() const { return leveler_t_; }
    int32_t limiter_threshold() const { return limiter_t_; }
    bool limiter_built() const { return limiter_built_; }

private:
    void build_band(Band b, int32_t threshold, float ratio, int channels);

    CurveTable band_[3];
    CurveTable leveler_;
    CurveTable limiter_;
    int32_t band_t_[3] = {0, 0, 0};
    int32_t leveler_t_ = 0;
    int32_t limiter_t_ = 0;
    bool limiter_built_ = false;
};

}  // namespace sc::engine
