// The engine's job set-up, the dispatch of a block to the reference or the
// fast passes, and the output chunk.
#include "engine/engine.h"

#include <algorithm>

#include "engine/chain_layout.h"
#include "engine/kernels.h"

namespace sc::engine {

using namespace layout;

BlockGeometry BlockGeometry::of(int32_t N, SampleFormat f) {
    BlockGeometry g;
    g.N = N;
    const int32_t c = channels_of(f);
    g.blk = c * (N + BLOCK_BASE);
    g.ovl = c * (N + XOVER_HALF);
    return g;
}

Engine::Engine(FilterPath path) : path_(path) {}

void Engine::EQ_FILTERBESTIMMEN(const ParameterSet& p, int32_t sample_rate) {
    ahead_ = false;
    eq_.EQ_FILTERBESTIMMEN(p, sample_rate);
}

void Engine::K_KURVE_ERZEUGEN_BASS(const ParameterSet& p, int ch) { curves_.K_KURVE_ERZEUGEN_BASS(p, ch); }
void Engine::K_KURVE_ERZEUGEN_MIDD(const ParameterSet& p, int ch) { curves_.K_KURVE_ERZEUGEN_MIDD(p, ch); }
void Engine::K_KURVE_ERZEUGEN_HIGH(const ParameterSet& p, int ch) { curves_.K_KURVE_ERZEUGEN_HIGH(p, ch); }
void Engine::K_KURVE_ERZEUGEN_LEVE(const ParameterSet& p, int ch) {
    ahead_ = false;
    curves_.K_KURVE_ERZEUGEN_LEVE(p, ch);
}
void Engine::K_KURVE_ERZEUGEN_LIMI(const ParameterSet& p) { curves_.K_KURVE_ERZEUGEN_LIMI(p); }

void Engine::ATT_REL_ANRATEANPASSEN(const ParameterSet& p, int32_t sample_rate) {
    ahead_ = false;
    times_.ATT_REL_ANRATEANPASSEN(p, sample_rate);
}

void Engine::reset_running_values() {
    ahead_ = false;
    leveler_.gain = 1.0f;
    low_.gain = mid_.gain = high_.gain = limiter_.gain = 1.0f;
    gate_low_.gain = gate_mid_.gain = gate_high_.gain = 1.0f;
    in_peak_[0] = in_peak_[1] = 0;
    out_peak_ = 0;
}

void Engine::prepare_job(const ParameterSet& p, SampleFormat format, int32_t sample_rate) {
    if (!curves_.limiter_built()) curves_.K_KURVE_ERZEUGEN_LIMI(p);
    format_ = format;
    resummed_ = 0;
    levelled_ahead_ = 0;
    ahead_ = false;
    look_ahead_.prepare(sample_rate);
    gates_.prepare(p, sample_rate);
    input_gain_ = p.INPUTGAIN;
    leveler_on_ = p.INPUTAUTO != 0;
    out_low_ = p.KOMPR_OUTBASS;
    out_mid_ = p.KOMPR_OUTMIDD;
    out_high_ = p.KOMPR_OUTHIGH;
    bypass_ = p.KOMPR_BYPASS != 0;
    limiter_out_ = p.LIMI_OUTGAIN;

    geometry_ = BlockGeometry::of(eq_.N(), format);
    const size_t per_side = static_cast<size_t>(eq_.N() + BLOCK_BASE + 8);
    for (int c = 0; c < 2; ++c) {
        for (auto* v : {&src_[c], &chain_[c], &low_band_[c], &mid_band_[c], &high_band_[c], &sum_[c], &det_low_[c],
                        &det_mid_[c], &det_high_[c], &det_lim_[c]})
            v->assign(per_side, 0);
    }
    for (auto* v : {&g_lev_, &g_lim_}) v->assign(per_side, 1.0f);
    // Buffers of one path only: the other's stay empty (they would count in
    // a job's memory once written).
    if (path_ == FilterPath::Reference) {
        for (int c = 0; c < 2; ++c) {
            for (auto* v : {&acc_[c], &low_sum_[c], &high_sum_[c]}) v->assign(per_side, 0.0);
        }
        for (auto* v : {&g_low_, &g_mid_, &g_high_, &t_low_, &t_mid_, &t_high_}) v->assign(per_side, 1.0f);
        for (auto& v : linked_) v.assign(per_side, 0);
    } else {
        for (auto& v : leveler_rectified_) v.assign(per_side, 0);
        leveler_levels_.assign(per_side, 0);
        leveler_targets_.assign(per_side, 1.0f);
    }
    for (auto& v : out_values_) v.assign(per_side, 0);
    out_.clear();
    out_.reserve(per_side * 2 * 3);

    if (path_ == FilterPath::Fast) {
        // Outputs per transform run (mono blocks run as two halves): the
        // chain values of a block, and the band split's range within them.
        const int32_t N = eq_.N();
        const int32_t chain_values = chain_value_count(geometry_, channels_of(format));
        auto per_run = [&](int32_t count) {
            return channels_of(format) == 1 ? count - count / 2 : count;
        };
        std::vector<double> h(static_cast<size_t>(N) + 1);
        h[0] = 2.0 * eq_.c()[0];
        for (int32_t m = 1; m <= N; ++m) h[static_cast<size_t>(m)] = eq_.c()[static_cast<size_t>(m)];
        eq_fir_.design(N, h.data(), nullptr, per_run(chain_values));
        std::array<double, XOVER_HALF + 1> hl{}, hh{};
        for (int d = 0; d <= XOVER_HALF; ++d) {
            hl[d] = xover_.low_taps()[XOVER_HALF - d];
            hh[d] = xover_.high_taps()[XOVER_HALF - d];
        }
        hl[0] *= 2.0;
        hh[0] *= 2.0;
        xover_fir_.design(XOVER_HALF, hl.data(), hh.data(), per_run(chain_values - 2 * XOVER_HALF));
    }
}

float Engine::band_gain(Band b) const {
    switch (b) {
        case Band::Bass: return low_.gain;
        case Band::Midd: return mid_.gain;
        default: return high_.gain;
    }
}

float Engine::gate_gain(Band b) const {
    switch (b) {
        case Band::Bass: return gate_low_.gain;
        case Band::Midd: return gate_mid_.gain;
        default: return gate_high_.gain;
    }
}

SectionMinima Engine::minima() const {
    return {leveler_.smallest, low_.smallest, mid_.smallest, high_.smallest, limiter_.smallest};
}

SectionMinima Engine::take_minima() {
    const SectionMinima m = minima();
    leveler_.smallest = low_.smallest = mid_.smallest = high_.smallest = limiter_.smallest = 1.0f;
    return m;
}

void Engine::process_mono16(const int32_t* block, const int32_t* next) { run_block<1, false>(block, next); }
void Engine::process_mono24(const int32_t* block, const int32_t* next) { run_block<1, true>(block, next); }
void Engine::STEREO_RECHNEN(const int32_t* block, const int32_t* next) { run_block<2, false>(block, next); }

void Engine::process_block(const int32_t* block, const int32_t* next) {
    switch (format_) {
        case SampleFormat::Mono16: process_mono16(block, next); break;
        case SampleFormat::Mono24: process_mono24(block, next); break;
        case SampleFormat::Stereo16: STEREO_RECHNEN(block, next); break;
    }
}

// The block's input peak: the largest |source value| of pass 1's range.
template <int C> void Engine::input_peaks(int32_t first, int32_t last) {
    for (int c = 0; c < C; ++c) in_peak_[c] = kernels::peak(src_[c].data() + first, last - first + 1);
    if (C == 1) in_peak_[1] = in_peak_[0];
}

// Output gain, clip and the output chunk of `frames` limited samples.
template <int C, bool B24> void Engine::write_output(int32_t frames) {
    const int32_t first = SPLIT_MARGIN;
    const int bytes = B24 ? 3 : 2;
    out_.resize(static_cast<size_t>(frames) * C * bytes);
    int32_t peak = 0;
    for (int c = 0; c < C; ++c) {
        peak = std::max(peak, kernels::limiter_output(sum_[c].data() + first, g_lim_.data(), limiter_out_,
                                                      B24 ? -8388608 : -32768, B24 ? 8388607 : 32767,
                                                      out_values_[c].data(), frames));
    }
    if constexpr (B24) {
        kernels::pack24(out_values_[0].data(), out_.data(), frames);
    } else {
        kernels::pack16(out_values_[0].data(), C == 2 ? out_values_[1].data() : nullptr, out_.data(), frames);
    }
    out_peak_ = B24 ? (peak >> DETECTOR_SHIFT_24) : peak;
    out_frames_ = frames;
}

// The source values of a block, per side.
template <int C> void Engine::load_block(const int32_t* block) {
    const int32_t side_len = geometry_.blk / C;
    for (int c = 0; c < C; ++c) {
        int32_t* s = src_[c].data();
        for (int32_t p = 0; p < side_len; ++p) s[p] = block[p * C + c];
    }
}

template void Engine::load_block<1>(const int32_t*);
template void Engine::load_block<2>(const int32_t*);

template <int C, bool B24> void Engine::run_block(const int32_t* block, const int32_t* next) {
    // A block filtered and levelled during the call before has its source
    // and chain values in place already.
    const bool levelled = ahead_;
    ahead_ = false;
    if (!levelled) load_block<C>(block);
    const int32_t first = first_filtered(geometry_);
    const int32_t last = last_filtered(geometry_, C);
    const int32_t K = last - first + 1;
    input_peaks<C>(first, last);
    if constexpr (B24) {
        in_peak_[0] >>= DETECTOR_SHIFT_24;
        in_peak_[1] = in_peak_[0];
    }
    int32_t frames = 0;
    if (path_ == FilterPath::Reference) {
        pass_equalizer<C>(first, last);
        pass_gain_leveler<C, B24>(first, last);
        pass_split<C>(K);
        frames = pass_limiter<C, B24>(pass_bands<C, B24>(K));
    } else {
        if (levelled) {
            adopt_ahead();
        } else {
            fast_filter<C>(first, last);
            fast_leveler<C, B24>(K);
        }
        fast_split<C>(K);
        // From here on this block needs neither its source nor its chain
        // values: the next block may take their place.
        lanes::LevelerRun run;
        const bool ahead = next != nullptr && begin_ahead<C, B24>(next, K, run);
        frames = fast_bands_limiter<C, B24>(K, ahead ? &run : nullptr);
        if (ahead) end_ahead<C>(K, run);
    }
    write_output<C, B24>(frames);
}

}  // namespace sc::engine
