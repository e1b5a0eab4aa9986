// The processing engine: one object per running job stream, owning the
// filter designs, gain curves, time constants and all running state.
//
// Order of calls for a job (what the job driver does):
//   EQ_FILTERBESTIMMEN(p, rate)                 -- filter depth N
//   reset_running_values()                      -- gains and gates to 1.0
//   K_KURVE_ERZEUGEN_BASS/MIDD/HIGH/LEVE(p, channels)
//   ATT_REL_ANRATEANPASSEN(p, rate)             -- once the header is read
//   prepare_job(p, format, rate)                -- look-ahead, gates, buffers
//   then one process call per block (usually through BlockStream).
// `K_KURVE_ERZEUGEN_LIMI` belongs to `LIMI_THR` changes, not to the job; a
// job on an engine whose limiter table was never built builds it first.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/crossover.h"
#include "engine/dynamics.h"
#include "engine/equalizer.h"
#include "engine/fast_fir.h"
#include "engine/gain_curves.h"
#include "engine/section_lanes.h"
#include "engine/time_constants.h"
#include "settings/parameter_set.h"

namespace sc::engine {

enum class SampleFormat { Mono16, Mono24, Stereo16 };

inline int channels_of(SampleFormat f) { return f == SampleFormat::Stereo16 ? 2 : 1; }
inline int bytes_per_value(SampleFormat f) { return f == SampleFormat::Mono24 ? 3 : 2; }

// How a block is computed. Fast: passes 1 and 3 by overlap-save FFT in double
// (sums near a rounding boundary summed again directly), the serial sections
// side by side in vector lanes. Reference: direct double sums and one section
// at a time, exactly as written; the fast path is checked against it and
// gives the same bytes.
enum class FilterPath { Fast, Reference };

// Block sizes in values (stereo values are interleaved left/right).
struct BlockGeometry {
    int32_t N = 0;    // equalizer half-length
    int32_t blk = 0;  // values per block: N + 5000, stereo 2 N + 10000
    int32_t ovl = 0;  // overlap: N + 80, stereo 2 N + 160
    static BlockGeometry of(int32_t N, SampleFormat f);
};

// Smallest gain of each section since the meters were last drawn.
struct SectionMinima {
    float leveler = 1.0f, low = 1.0f, mid = 1.0f, high = 1.0f, limiter = 1.0f;
};

// Detector levels of the five sections (on the 16-bit amplitude scale).
struct DetectorLevels {
    int32_t leveler = 0, low = 0, mid = 0, high = 0, limiter = 0;
};

class Engine {
public:
    explicit Engine(FilterPath path = FilterPath::Fast);

    // --- designs, tables and coefficients ---------------------------------
    void EQ_FILTERBESTIMMEN(const ParameterSet& p, int32_t sample_rate);
    void K_KURVE_ERZEUGEN_BASS(const ParameterSet& p, int channels);
    void K_KURVE_ERZEUGEN_MIDD(const ParameterSet& p, int channels);
    void K_KURVE_ERZEUGEN_HIGH(const ParameterSet& p, int channels);
    void K_KURVE_ERZEUGEN_LEVE(const ParameterSet& p, int channels);
    void K_KURVE_ERZEUGEN_LIMI(const ParameterSet& p);
    void ATT_REL_ANRATEANPASSEN(const ParameterSet& p, int32_t sample_rate);

    // Job-start reset of the running values: every section gain and gate to
    // 1.0. Detector levels and meter minima carry over.
    void reset_running_values();
    // Per-job constants: look-ahead lengths, gate constants, the working
    // copies of the settings the chain reads, block geometry and buffers.
    void prepare_job(const ParameterSet& p, SampleFormat format, int32_t sample_rate);

    // --- one block -----------------------------------------------------------
    // `block` holds geometry().blk values (plus at least one spare), position 0
    // first; stereo interleaved. Appends the output chunk to output().
    // `next`, when given, is the block the next call will be given: the fast
    // path may filter and level it beside this block's band lanes (the
    // leveler's chain is independent of theirs). The next call then takes its
    // block from that work; drop_ahead() says that it will not follow.
    void process_mono16(const int32_t* block, const int32_t* next = nullptr);
    void process_mono24(const int32_t* block, const int32_t* next = nullptr);
    void STEREO_RECHNEN(const int32_t* block, const int32_t* next = nullptr);
    // The variant of the prepared format.
    void process_block(const int32_t* block, const int32_t* next = nullptr);
    void drop_ahead() { ahead_ = false; }

    // Output chunk of the last block: little-endian samples, 2 or 3 bytes,
    // interleaved for stereo.
    const std::vector<uint8_t>& output() const { return out_; }
    int32_t output_frames() const { return out_frames_; }
    // Input peak of the last block per side (mono: both the same), on the
    // 16-bit scale; output peak (24 bit: |out| / 256).
    int32_t input_peak(int side) const { return in_peak_[side & 1]; }
    int32_t output_peak() const { return out_peak_; }

    // Meter minima since the last call; resets them to 1.0 (the meters drew them).
    SectionMinima take_minima();
    SectionMinima minima() const;

    // --- inspection ----------------------------------------------------------
    const Equalizer& equalizer() const { return eq_; }
    const Crossover& crossover() const { return xover_; }
    const GainCurves& curves() const { return curves_; }
    const TimeConstants& times() const { return times_; }
    const LookAhead& look_ahead() const { return look_ahead_; }
    const GateConstants& gates() const { return gates_; }
    const BlockGeometry& geometry() const { return geometry_; }
    SampleFormat format() const { return format_; }
    DetectorLevels detector_levels() const { return levels_; }
    void set_detector_levels(const DetectorLevels& l) {
        levels_ = l;
        ahead_ = false;
    }
    float leveler_gain() const { return leveler_.gain; }
    float band_gain(Band b) const;
    float gate_gain(Band b) const;
    float limiter_gain() const { return limiter_.gain; }
    FilterPath filter_path() const { return path_; }
    // Transform sums of this job that lay too close to a rounding boundary
    // and were summed again directly (fast path).
    int64_t resummed() const { return resummed_; }
    // Blocks of this job filtered and levelled during the call of the block
    // before.
    int64_t levelled_ahead() const { return levelled_ahead_; }

private:
    // engine.cpp: the block's dispatch and output chunk; reference_passes.cpp:
    // the passes as written; fast_filters.cpp and fast_sections.cpp: the
    // fast path's filters and serial sections.
    template <int C, bool B24> void run_block(const int32_t* block, const int32_t* next);
    template <int C> void load_block(const int32_t* block);
    template <int C> void pass_equalizer(int32_t first, int32_t last);
    template <int C, bool B24> void pass_gain_leveler(int32_t first, int32_t last);
    template <int C> void pass_split(int32_t K);
    template <int C, bool B24> int32_t pass_bands(int32_t K);
    template <int C, bool B24> int32_t pass_limiter(int32_t last);
    template <int C, bool B24> void write_output(int32_t frames);
    template <int C> void input_peaks(int32_t first, int32_t last);
    template <int C> void fast_filter(int32_t first, int32_t last);
    template <int C, bool B24> void fast_leveler(int32_t K);
    template <int C> void fast_split(int32_t K);
    template <int C, bool B24> int32_t fast_bands_limiter(int32_t K, lanes::LevelerRun* ahead);
    template <int C, bool B24> void leveler_inputs(int32_t K, lanes::LevelerRun& run);
    template <int C> void finish_leveler(int32_t K, lanes::LevelerRun& run);
    template <int C, bool B24> bool begin_ahead(const int32_t* next, int32_t K, lanes::LevelerRun& run);
    template <int C> void end_ahead(int32_t K, lanes::LevelerRun& run);
    void adopt_ahead();

    FilterPath path_;
    Equalizer eq_;
    Crossover xover_;
    GainCurves curves_;
    TimeConstants times_;
    LookAhead look_ahead_;
    GateConstants gates_;
    BlockGeometry geometry_;
    SampleFormat format_ = SampleFormat::Mono16;

    // Working copies of the settings, taken at job start.
    float input_gain_ = 1.0f;
    bool leveler_on_ = false;
    float out_low_ = 1.0f, out_mid_ = 1.0f, out_high_ = 1.0f;
    bool bypass_ = false;
    float limiter_out_ = 1.0f;

    // Running state.
    Leveler leveler_;
    GainComputer low_, mid_, high_, limiter_;
    Gate gate_low_, gate_mid_, gate_high_;
    DetectorLevels levels_;
    int32_t in_peak_[2] = {0, 0};
    int32_t out_peak_ = 0;

    // Block buffers, per side (index 0 left/mono, 1 right).
    std::array<std::vector<int32_t>, 2> src_, chain_, low_band_, mid_band_, high_band_, sum_;
    std::array<std::vector<double>, 2> acc_, low_sum_, high_sum_;
    // Per-index gains of the serial sections and detector inputs.
    std::vector<float> g_lev_, g_low_, g_mid_, g_high_, t_low_, t_mid_, t_high_, g_lim_;
    std::array<std::vector<int32_t>, 2> det_low_, det_mid_, det_high_, det_lim_;
    std::array<std::vector<int32_t>, 3> linked_;  // stereo band levels
    lanes::LaneBuffers lane_buffers_;
    std::array<std::vector<int32_t>, 2> out_values_;
    FastFir eq_fir_, xover_fir_;
    std::vector<uint8_t> out_;
    int32_t out_frames_ = 0;
    int64_t resummed_ = 0;

    // The next block, filtered and levelled beside this one's lanes: its
    // chain values wait in chain_ (its source values in src_), its leveler
    // state here until that block's call takes it over.
    bool ahead_ = false;
    float ahead_gain_ = 1.0f, ahead_smallest_ = 1.0f;
    int32_t ahead_level_ = 0;
    int64_t levelled_ahead_ = 0;
    // The fast leveler's inputs: rectified chain values, stereo levels and
    // their curve targets.
    std::array<std::vector<int32_t>, 2> leveler_rectified_;
    std::vector<int32_t> leveler_levels_;
    std::vector<float> leveler_targets_;
};

}  // namespace sc::engine
