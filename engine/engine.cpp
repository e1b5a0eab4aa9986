#include "engine/engine.h"

#include <algorithm>
#include <cstdlib>
#include <cstdio>

#include "engine/kernels.h"
#include "engine/resum.h"
#include "engine/rounding.h"
#include "engine/section_lanes.h"

namespace sc::engine {

namespace {

// Values per block and overlap, before the look-ahead and filter margins.
constexpr int32_t BLOCK_BASE = 5000;
constexpr int32_t SPLIT_MARGIN = XOVER_HALF + 1;  // first band index J = 81
constexpr int32_t LIMITER_SHIFT = 3;             // limiter detector: |sum| / 8
constexpr int32_t DETECTOR_SHIFT_24 = 8;         // 24-bit detectors: / 256
// A transform sum whose fraction lies within 1e-5 of one half is summed again
// directly, so it rounds as the direct sum does; the transform's error stays
// below 1e-15 of the largest sample (7e-8 for 24-bit samples raised 18 dB).
constexpr double ROUNDING_MARGIN = 0.5 - 1e-5;
// Sums are checked in pieces of this many, only a flagged piece one by one.
constexpr int32_t CHECK_CHUNK = 256;
// Flagged sums are summed again directly up to this many side by side.
constexpr int RESUM_GROUP = 16;

// How many consecutive sums from the flagged sum i to sum again side by
// side: up to the last flagged one among the next RESUM_GROUP within the
// piece [.., piece_end), rounded up to whole vectors of four within it.
template <class Flagged> int resum_group(const Flagged& flagged, int i, int piece_end) {
    int g = 1;
    for (int k = 1; k < RESUM_GROUP && i + k < piece_end; ++k)
        if (flagged(i + k)) g = k + 1;
    return std::min((g + 3) & ~3, piece_end - i);
}


// Side positions of pass 1: mono n = N .. BLK - N - 4; stereo pairs
// n = 2N .. BLK - 2N - 4 in steps of 2, i.e. side positions N .. (BLK - 4) / 2 - N.
int32_t first_filtered(const BlockGeometry& g) { return g.N; }
int32_t last_filtered(const BlockGeometry& g, int channels) {
    return channels == 1 ? g.blk - g.N - 4 : (g.blk - 4) / 2 - g.N;
}
// K, the chain values of a block.
int32_t chain_value_count(const BlockGeometry& g, int channels) {
    return last_filtered(g, channels) - first_filtered(g) + 1;
}

}  // namespace

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
    eq_.EQ_FILTERBESTIMMEN(p, sample_rate);
}

void Engine::K_KURVE_ERZEUGEN_BASS(const ParameterSet& p, int ch) { curves_.K_KURVE_ERZEUGEN_BASS(p, ch); }
void Engine::K_KURVE_ERZEUGEN_MIDD(const ParameterSet& p, int ch) { curves_.K_KURVE_ERZEUGEN_MIDD(p, ch); }
void Engine::K_KURVE_ERZEUGEN_HIGH(const ParameterSet& p, int ch) { curves_.K_KURVE_ERZEUGEN_HIGH(p, ch); }
void Engine::K_KURVE_ERZEUGEN_LEVE(const ParameterSet& p, int ch) { curves_.K_KURVE_ERZEUGEN_LEVE(p, ch); }
void Engine::K_KURVE_ERZEUGEN_LIMI(const ParameterSet& p) { curves_.K_KURVE_ERZEUGEN_LIMI(p); }

void Engine::ATT_REL_ANRATEANPASSEN(const ParameterSet& p, int32_t sample_rate) {
    times_.ATT_REL_ANRATEANPASSEN(p, sample_rate);
}

void Engine::reset_running_values() {
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
        for (auto* v : {&src_[c], &chain_[c], &low_band_[c], &mid_band_[c], &high_band_[c], &sum_[c]})
            v->assign(per_side, 0);
        for (auto* v : {&acc_[c], &low_sum_[c], &high_sum_[c]})
            v->assign(per_side, 0.0);
    }
    for (auto* v : {&g_lev_, &g_low_, &g_mid_, &g_high_, &t_low_, &t_mid_, &t_high_, &g_lim_})
        v->assign(per_side, 1.0f);
    for (int c = 0; c < 2; ++c)
        for (auto* v : {&det_low_[c], &det_mid_[c], &det_high_[c], &det_lim_[c]}) v->assign(per_side, 0);
    for (auto& v : linked_) v.assign(per_side, 0);
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

void Engine::process_mono16(const int32_t* block) { run_block<1, false>(block); }
void Engine::process_mono24(const int32_t* block) { run_block<1, true>(block); }
void Engine::STEREO_RECHNEN(const int32_t* block) { run_block<2, false>(block); }

void Engine::process_block(const int32_t* block) {
    switch (format_) {
        case SampleFormat::Mono16: process_mono16(block); break;
        case SampleFormat::Mono24: process_mono24(block); break;
        case SampleFormat::Stereo16: STEREO_RECHNEN(block); break;
    }
}

// The block's input peak: the largest |source value| of pass 1's range.
template <int C> void Engine::input_peaks(int32_t first, int32_t last) {
    for (int c = 0; c < C; ++c) in_peak_[c] = kernels::peak(src_[c].data() + first, last - first + 1);
    if (C == 1) in_peak_[1] = in_peak_[0];
}

// Pass 1: high-pass and equalizer over side positions first .. last.
template <int C> void Engine::pass_equalizer(int32_t first, int32_t last) {
    const int32_t N = eq_.N();
    const int32_t count = last - first + 1;
    input_peaks<C>(first, last);
    if (N == 0 || count <= 0) {
        for (int c = 0; c < C; ++c)
            for (int32_t n = first; n <= last; ++n) acc_[c][static_cast<size_t>(n)] = 0.0;
        return;
    }
    for (int c = 0; c < C; ++c) {
        const int32_t* x = src_[c].data();
        double* acc = acc_[c].data();
        for (int32_t n = first; n <= last; ++n) acc[n] = eq_.sum_at(x, n, 1);
    }
}

// Pass 2: filtered value, input gain, leveler; chain values k = 1 .. K.
template <int C, bool B24> void Engine::pass_gain_leveler(int32_t first, int32_t last) {
    const int32_t K = last - first + 1;
    for (int c = 0; c < C; ++c) {
        kernels::filter_and_gain(src_[c].data() + first, acc_[c].data() + first, input_gain_,
                                 chain_[c].data() + 1, K);
    }
    if (!leveler_on_) {
        // The leveler's gain keeps its value and is still applied.
        if (leveler_.gain != 1.0f)
            for (int c = 0; c < C; ++c) kernels::apply_gain(chain_[c].data() + 1, leveler_.gain, K);
        return;
    }
    const float* table = curves_.leveler().from_zero();
    const SectionTimes& t = times_.leveler;
    const float d9 = times_.d9;
    float* g = g_lev_.data() + 1;
    int32_t* a = det_low_[0].data() + 1;  // scratch: rectified chain values
    if constexpr (C == 1) {
        kernels::abs_detector(chain_[0].data() + 1, 0, B24 ? 8 : 0, 0, a, K);
        int32_t level = levels_.leveler;
        for (int32_t i = 0; i < K; ++i) {
            level = held_level(level, a[i], d9);
            leveler_.step(table[table_index(level, FULL_INDEX_MAX)], t);
            g[i] = leveler_.gain;
        }
        levels_.leveler = level;
    } else {
        int32_t* b = det_low_[1].data() + 1;
        int32_t* lv = det_mid_[0].data() + 1;
        kernels::abs_detector(chain_[0].data() + 1, 0, 0, 0, a, K);
        kernels::abs_detector(chain_[1].data() + 1, 0, 0, 0, b, K);
        kernels::linked_levels(a, b, 1, 1, d9, lv, K);
        for (int32_t i = 0; i < K; ++i) {
            leveler_.step(table[table_index(lv[i], FULL_INDEX_MAX)], t);
            g[i] = leveler_.gain;
        }
        if (K > 0) levels_.leveler = lv[K - 1];
    }
    for (int c = 0; c < C; ++c) kernels::apply_gains(chain_[c].data() + 1, g, K);
}

// Pass 3: LOW, MID and HIGH for J = 81 .. K - 81.
template <int C> void Engine::pass_split(int32_t K) {
    const int32_t first = SPLIT_MARGIN;
    const int32_t last = K - SPLIT_MARGIN;
    if (last < first) return;
    const int32_t count = last - first + 1;
    for (int c = 0; c < C; ++c) {
        for (int32_t j = first; j <= last; ++j) {
            const BandSums s = xover_.sums_at(chain_[c].data(), j);
            low_sum_[c][static_cast<size_t>(j)] = s.low;
            high_sum_[c][static_cast<size_t>(j)] = s.high;
        }
    }
    for (int c = 0; c < C; ++c) {
        kernels::split_bands(chain_[c].data() + first, low_sum_[c].data() + first,
                             high_sum_[c].data() + first, low_band_[c].data() + first,
                             mid_band_[c].data() + first, high_band_[c].data() + first, count);
    }
}

// Pass 4: band detectors, compressors, gates and the band sum. Returns the
// last index J of the pass.
template <int C, bool B24> int32_t Engine::pass_bands(int32_t K) {
    const LookAhead& la = look_ahead_;
    const int32_t first = SPLIT_MARGIN;
    const int32_t last = K - SPLIT_MARGIN - la.low;
    const int32_t n = std::max(0, last - first + 1);
    low_.hold_end = HOLD_END_START_LOW;
    mid_.hold_end = HOLD_END_START_MID;
    high_.hold_end = HOLD_END_START_HIGH;
    limiter_.hold_end = HOLD_END_START_LIMITER;

    const double ol = out_low_, om = out_mid_, oh = out_high_;
    if (bypass_) {
        for (int c = 0; c < C; ++c) {
            kernels::band_sum_bypass(low_band_[c].data() + first, mid_band_[c].data() + first,
                                     high_band_[c].data() + first, ol, om, oh, sum_[c].data() + first, n);
        }
        return last;
    }

    // Rectified detector inputs (with the look-ahead), per side.
    const int shift = B24 ? DETECTOR_SHIFT_24 : 0;
    for (int c = 0; c < C; ++c) {
        kernels::low_detector(low_band_[c].data() + first, la.low, shift, det_low_[c].data(), n);
        kernels::abs_detector(mid_band_[c].data() + first, la.mid, shift, 0, det_mid_[c].data(), n);
        kernels::abs_detector(high_band_[c].data() + first, la.high, shift, 0, det_high_[c].data(), n);
    }
    const float d30 = times_.d30, d9 = times_.d9, d08 = times_.d08;
    const int32_t* vl = det_low_[0].data();
    const int32_t* vm = det_mid_[0].data();
    const int32_t* vh = det_high_[0].data();
    if constexpr (C == 2) {
        // The linked level keeps no state: one level per index from both sides.
        kernels::linked_levels(det_low_[0].data(), det_low_[1].data(), 0, 1, d30, linked_[0].data(), n);
        kernels::linked_levels(det_mid_[0].data(), det_mid_[1].data(), 0, 1, d9, linked_[1].data(), n);
        kernels::linked_levels(det_high_[0].data(), det_high_[1].data(), 0, 1, d08, linked_[2].data(), n);
        vl = linked_[0].data();
        vm = linked_[1].data();
        vh = linked_[2].data();
    }

    const float* t_low = curves_.band(Band::Bass).from_zero();
    const float* t_mid = curves_.band(Band::Midd).from_zero();
    const float* t_high = curves_.band(Band::High).from_zero();
    const GateSetting& gl = gates_.low;
    const GateSetting& gm = gates_.mid;
    const GateSetting& gh = gates_.high;
    DetectorLevels lv = levels_;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t j = first + i;
        if constexpr (C == 1) {
            lv.low = held_level(lv.low, vl[i], d30);
            lv.mid = held_level(lv.mid, vm[i], d9);
            lv.high = held_level(lv.high, vh[i], d08);
        } else {
            lv.low = vl[i];
            lv.mid = vm[i];
            lv.high = vh[i];
        }
        low_.step(t_low[table_index(lv.low, BAND_INDEX_MAX)], times_.low, HOLD_LOW, j);
        mid_.step(t_mid[table_index(lv.mid, BAND_INDEX_MAX)], times_.mid, HOLD_MID, j);
        high_.step(t_high[table_index(lv.high, BAND_INDEX_MAX)], times_.high, HOLD_HIGH, j);
        if (gl.on) gate_low_.step(lv.low, gl);
        if (gm.on) gate_mid_.step(lv.mid, gm);
        if (gh.on) gate_high_.step(lv.high, gh);
        g_low_[static_cast<size_t>(i)] = low_.gain;
        g_mid_[static_cast<size_t>(i)] = mid_.gain;
        g_high_[static_cast<size_t>(i)] = high_.gain;
        t_low_[static_cast<size_t>(i)] = gate_low_.gain;
        t_mid_[static_cast<size_t>(i)] = gate_mid_.gain;
        t_high_[static_cast<size_t>(i)] = gate_high_.gain;
    }
    levels_.low = lv.low;
    levels_.mid = lv.mid;
    levels_.high = lv.high;
    for (int c = 0; c < C; ++c) {
        kernels::band_sum(low_band_[c].data() + first, mid_band_[c].data() + first,
                          high_band_[c].data() + first, g_low_.data(), g_mid_.data(), g_high_.data(),
                          t_low_.data(), t_mid_.data(), t_high_.data(), ol, om, oh, sum_[c].data() + first, n);
    }
    return last;
}

// Pass 5: limiter, output gain, clip, output chunk.
template <int C, bool B24> void Engine::pass_limiter(int32_t bands_last) {
    const int32_t first = SPLIT_MARGIN;
    const int32_t la = look_ahead_.mid;
    const int32_t last = bands_last - la - 2;
    const int32_t frames = std::max(0, last - first + 1);
    const float* table = curves_.limiter().from_zero();
    const SectionTimes& t = times_.limiter;
    const float d9 = times_.d9;
    const int shift = B24 ? DETECTOR_SHIFT_24 : 0;
    for (int c = 0; c < C; ++c)
        kernels::abs_detector(sum_[c].data() + first, la, shift, LIMITER_SHIFT, det_lim_[c].data(), frames);
    const int32_t* v0 = det_lim_[0].data();
    const int32_t* v1 = det_lim_[C - 1].data();
    int32_t level = levels_.limiter;
    for (int32_t i = 0; i < frames; ++i) {
        // Stereo keeps the held maximum too: the louder side decides.
        level = held_level(level, C == 1 ? v0[i] : std::max(v0[i], v1[i]), d9);
        limiter_.step(table[table_index(level, FULL_INDEX_MAX)], t, HOLD_LIMITER, first + i);
        g_lim_[static_cast<size_t>(i)] = limiter_.gain;
    }
    levels_.limiter = level;
    write_output<C, B24>(frames);
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

template <int C, bool B24> void Engine::run_block(const int32_t* block) {
    const int32_t side_len = geometry_.blk / C;
    for (int c = 0; c < C; ++c) {
        int32_t* s = src_[c].data();
        for (int32_t p = 0; p < side_len; ++p) s[p] = block[p * C + c];
    }
    const int32_t first = first_filtered(geometry_);
    const int32_t last = last_filtered(geometry_, C);
    const int32_t K = last - first + 1;
    auto peaks_24 = [&] {
        if constexpr (B24) {
            in_peak_[0] >>= DETECTOR_SHIFT_24;
            in_peak_[1] = in_peak_[0];
        }
    };
    if (path_ == FilterPath::Reference) {
        pass_equalizer<C>(first, last);
        peaks_24();
        pass_gain_leveler<C, B24>(first, last);
        pass_split<C>(K);
        const int32_t bands_last = pass_bands<C, B24>(K);
        pass_limiter<C, B24>(bands_last);
        return;
    }
    fast_filter<C>(first, last);
    peaks_24();
    fast_leveler<C, B24>(K);
    fast_split<C>(K);
    fast_bands_limiter<C, B24>(K);
}

// Passes 1 and 2 up to the leveler, fast: the equalizer's transform sums go
// straight into the chain values. A sum within 1e-5 of one half is summed
// again directly, so that it rounds exactly as the direct sum does.
template <int C> void Engine::fast_filter(int32_t first, int32_t last) {
    input_peaks<C>(first, last);
    const int32_t K = last - first + 1;
    if (K <= 0) return;
    if (eq_.N() == 0) {
        for (int c = 0; c < C; ++c) kernels::input_gain(src_[c].data() + first, input_gain_, chain_[c].data() + 1, K);
        return;
    }
    const int32_t N = eq_.N();
    const int64_t side_len = geometry_.blk / C;
    Stretch stretch[2];
    auto sink = [&](int c, int j0, int n, const double* acc, const double*) {
        const int32_t* src = src_[c].data();
        const int32_t* x = src + first + j0;
        int32_t* out = chain_[c].data() + 1 + j0;
        for (int i0 = 0; i0 < n; i0 += CHECK_CHUNK) {
            const int m = std::min<int>(CHECK_CHUNK, n - i0);
            if (!kernels::filter_and_gain_checked(x + i0, acc + i0, input_gain_, out + i0, m, ROUNDING_MARGIN))
                continue;
            double direct[RESUM_GROUP], same[CHECK_CHUNK];
            auto flagged = [&](int i) { return kernels::near_half(acc[i], ROUNDING_MARGIN); };
            for (int i = i0; i < i0 + m;) {
                if (!flagged(i)) {
                    ++i;
                    continue;
                }
                const int64_t p = first + j0 + i;
                if (constant_window(src, p, N, side_len, stretch[c])) {
                    Stretch& st = stretch[c];
                    if (!st.summed) {
                        st.sum[0] = eq_.sum_at(src, p, 1);
                        st.summed = true;
                    }
                    // Every window up to the stretch's end has this sum.
                    const int r = static_cast<int>(std::min<int64_t>(i0 + m - i, st.to - N - p));
                    std::fill_n(same, r, st.sum[0]);
                    kernels::filter_and_gain(x + i, same, input_gain_, out + i, r);
                    resummed_ += r;
                    i += r;
                    continue;
                }
                const int g = resum_group(flagged, i, i0 + m);
                kernels::eq_direct_sums(src + p, eq_.c().data(), N, direct, g);
                for (int k = 0; k < g; ++k) {
                    if (!flagged(i + k)) continue;
                    kernels::filter_and_gain(x + i + k, &direct[k], input_gain_, out + i + k, 1);
                    ++resummed_;
                }
                i += g;
            }
        }
    };
    if constexpr (C == 1) {
        eq_fir_.run_mono_into(src_[0].data() + first, K, sink);
    } else {
        eq_fir_.run_into(src_[0].data() + first, src_[1].data() + first, K, sink);
    }
}

// Pass 3, fast: LOW, MID and HIGH straight from the crossover's transform
// sums, near-half sums summed again directly as above.
template <int C> void Engine::fast_split(int32_t K) {
    const int32_t first = SPLIT_MARGIN;
    const int32_t last = K - SPLIT_MARGIN;
    if (last < first) return;
    const int32_t count = last - first + 1;
    Stretch stretch[2];
    auto sink = [&](int c, int j0, int n, const double* ls, const double* hs) {
        const int32_t* chain = chain_[c].data();
        const int32_t* x = chain + first + j0;
        int32_t* low = low_band_[c].data() + first + j0;
        int32_t* mid = mid_band_[c].data() + first + j0;
        int32_t* high = high_band_[c].data() + first + j0;
        for (int i0 = 0; i0 < n; i0 += CHECK_CHUNK) {
            const int m = std::min<int>(CHECK_CHUNK, n - i0);
            if (!kernels::split_bands_checked(x + i0, ls + i0, hs + i0, low + i0, mid + i0, high + i0, m,
                                              ROUNDING_MARGIN))
                continue;
            double dl[RESUM_GROUP], dh[RESUM_GROUP], same_low[CHECK_CHUNK], same_high[CHECK_CHUNK];
            auto flagged = [&](int i) { return kernels::band_near_half(x[i], ls[i], hs[i], ROUNDING_MARGIN); };
            for (int i = i0; i < i0 + m;) {
                if (!flagged(i)) {
                    ++i;
                    continue;
                }
                const int64_t p = first + j0 + i;
                if (constant_window(chain, p, XOVER_HALF, K + 1, stretch[c])) {
                    Stretch& st = stretch[c];
                    if (!st.summed) {
                        const BandSums b = xover_.sums_at(chain, p);
                        st.sum[0] = b.low;
                        st.sum[1] = b.high;
                        st.summed = true;
                    }
                    const int r = static_cast<int>(std::min<int64_t>(i0 + m - i, st.to - XOVER_HALF - p));
                    std::fill_n(same_low, r, st.sum[0]);
                    std::fill_n(same_high, r, st.sum[1]);
                    kernels::split_bands(x + i, same_low, same_high, low + i, mid + i, high + i, r);
                    resummed_ += r;
                    i += r;
                    continue;
                }
                const int g = resum_group(flagged, i, i0 + m);
                kernels::band_direct_sums(chain + p, xover_.low_taps().data(), xover_.high_taps().data(), dl, dh, g);
                for (int k = 0; k < g; ++k) {
                    if (!flagged(i + k)) continue;
                    kernels::split_bands(x + i + k, &dl[k], &dh[k], low + i + k, mid + i + k, high + i + k, 1);
                    ++resummed_;
                }
                i += g;
            }
        }
    };
    if constexpr (C == 1) {
        xover_fir_.run_mono_into(chain_[0].data() + first, count, sink);
    } else {
        xover_fir_.run_into(chain_[0].data() + first, chain_[1].data() + first, count, sink);
    }
}

// The leveler of pass 2, fast: the same values as `pass_gain_leveler`, with
// the stereo link formed without division and the gain loop free of branches.
template <int C, bool B24> void Engine::fast_leveler(int32_t K) {
    if (!leveler_on_) {
        if (leveler_.gain != 1.0f)
            for (int c = 0; c < C; ++c) kernels::apply_gain(chain_[c].data() + 1, leveler_.gain, K);
        return;
    }
    const float* table = curves_.leveler().from_zero();
    const float attack = times_.leveler.attack, release = times_.leveler.release;
    float* g = g_lev_.data() + 1;
    float* target = t_low_.data() + 1;  // scratch
    int32_t* a = det_low_[0].data() + 1;
    int32_t* lv = det_mid_[0].data() + 1;
    float gain = leveler_.gain, smallest = leveler_.smallest;
    if constexpr (C == 1) {
        // The held level and the gain in one loop: two serial chains side by side.
        kernels::abs_detector(chain_[0].data() + 1, 0, B24 ? DETECTOR_SHIFT_24 : 0, 0, a, K);
        kernels::leveler_held(a, levels_.leveler, times_.d9, table, FULL_INDEX_MAX, attack, release, gain, smallest,
                              g, K);
    } else {
        int32_t* b = det_low_[1].data() + 1;
        kernels::abs_detector(chain_[0].data() + 1, 0, 0, 0, a, K);
        kernels::abs_detector(chain_[1].data() + 1, 0, 0, 0, b, K);
        kernels::linked_levels_by_products(a, b, 1, 1, times_.d9, lv, K);
        if (K > 0) levels_.leveler = lv[K - 1];
        kernels::curve_targets(lv, table, FULL_INDEX_MAX, target, K);
        kernels::leveler_gains(target, attack, release, gain, smallest, g, K);
    }
    leveler_.gain = gain;
    leveler_.smallest = smallest;
    for (int c = 0; c < C; ++c) kernels::apply_gains(chain_[c].data() + 1, g, K);
}

// Passes 4 and 5 of the fast path: the band and limiter sections in vector
// lanes (engine/section_lanes.h), then the output chunk.
template <int C, bool B24> void Engine::fast_bands_limiter(int32_t K) {
    const LookAhead& la = look_ahead_;
    const int32_t first = SPLIT_MARGIN;
    const int32_t bands_last = K - SPLIT_MARGIN - la.low;
    const int32_t n = std::max(0, bands_last - first + 1);
    const int32_t frames = std::max(0, bands_last - la.mid - 2 - first + 1);
    if (bypass_) {
        low_.hold_end = HOLD_END_START_LOW;
        mid_.hold_end = HOLD_END_START_MID;
        high_.hold_end = HOLD_END_START_HIGH;
        limiter_.hold_end = HOLD_END_START_LIMITER;
        for (int c = 0; c < C; ++c) {
            kernels::band_sum_bypass(low_band_[c].data() + first, mid_band_[c].data() + first,
                                     high_band_[c].data() + first, out_low_, out_mid_, out_high_,
                                     sum_[c].data() + first, n);
        }
        pass_limiter<C, B24>(bands_last);
        return;
    }
    const int shift = B24 ? DETECTOR_SHIFT_24 : 0;
    for (int c = 0; c < C; ++c) {
        kernels::low_detector(low_band_[c].data() + first, la.low, shift, det_low_[c].data(), n);
        kernels::abs_detector(mid_band_[c].data() + first, la.mid, shift, 0, det_mid_[c].data(), n);
        kernels::abs_detector(high_band_[c].data() + first, la.high, shift, 0, det_high_[c].data(), n);
    }
    const int32_t* inputs[2][3];
    for (int c = 0; c < 2; ++c) {
        inputs[c][0] = det_low_[c].data();
        inputs[c][1] = det_mid_[c].data();
        inputs[c][2] = det_high_[c].data();
    }

    lanes::LaneSetup s;
    const GainComputer* sections[4] = {&low_, &mid_, &high_, &limiter_};
    const SectionTimes* times[4] = {&times_.low, &times_.mid, &times_.high, &times_.limiter};
    const CurveTable* tables[4] = {&curves_.band(Band::Bass), &curves_.band(Band::Midd),
                                   &curves_.band(Band::High), &curves_.limiter()};
    const int32_t tops[4] = {BAND_INDEX_MAX, BAND_INDEX_MAX, BAND_INDEX_MAX, FULL_INDEX_MAX};
    const int32_t holds[4] = {HOLD_LOW, HOLD_MID, HOLD_HIGH, HOLD_LIMITER};
    const int32_t hold_starts[4] = {HOLD_END_START_LOW, HOLD_END_START_MID, HOLD_END_START_HIGH,
                                    HOLD_END_START_LIMITER};
    const float decays[4] = {times_.d30, times_.d9, times_.d08, times_.d9};
    const int32_t levels[4] = {levels_.low, levels_.mid, levels_.high, levels_.limiter};
    lanes::LaneState st;
    for (int l = 0; l < 4; ++l) {
        s.table[l] = tables[l]->from_zero();
        s.top[l] = tops[l];
        s.attack[l] = times[l]->attack;
        s.release[l] = times[l]->release;
        s.hold_release[l] = times[l]->hold_release;
        s.hold_length[l] = holds[l];
        s.decay[l] = decays[l];
        st.gain[l] = sections[l]->gain;
        st.smallest[l] = sections[l]->smallest;
        st.hold_end[l] = hold_starts[l];
        st.level[l] = levels[l];
    }
    const GateSetting* gates[3] = {&gates_.low, &gates_.mid, &gates_.high};
    Gate* gate_state[3] = {&gate_low_, &gate_mid_, &gate_high_};
    s.gates = false;
    for (int b = 0; b < 3; ++b) {
        const GateSetting& g = *gates[b];
        s.gates = s.gates || g.on;
        s.gate_threshold[b] = g.threshold;
        s.gate_open_threshold[b] = g.open_threshold;
        s.gate_close[b] = g.on ? g.close_factor : 1.0f;
        s.gate_open[b] = g.on ? g.open_factor : 1.0f;
        st.gate[b] = gate_state[b]->gain;
    }
    s.makeup[0] = out_low_;
    s.makeup[1] = out_mid_;
    s.makeup[2] = out_high_;
    s.first_j = first;
    s.look_ahead = la.mid;
    s.limiter_shift = LIMITER_SHIFT;
    s.shift = shift;
    lanes::Side sides[2];
    for (int c = 0; c < C; ++c) {
        sides[c] = {low_band_[c].data() + first, mid_band_[c].data() + first, high_band_[c].data() + first,
                    sum_[c].data() + first};
    }
    if constexpr (C == 1) {
        lanes::run_mono(s, st, lane_buffers_, sides[0], inputs[0], n, frames, g_lim_.data());
    } else {
        lanes::run_stereo(s, st, lane_buffers_, sides[0], sides[1], inputs[0], inputs[1], n, frames,
                          g_lim_.data());
    }
    GainComputer* out_sections[4] = {&low_, &mid_, &high_, &limiter_};
    for (int l = 0; l < 4; ++l) {
        out_sections[l]->gain = st.gain[l];
        out_sections[l]->smallest = st.smallest[l];
        out_sections[l]->hold_end = st.hold_end[l];
    }
    for (int b = 0; b < 3; ++b) gate_state[b]->gain = st.gate[b];
    levels_.low = st.level[0];
    levels_.mid = st.level[1];
    levels_.high = st.level[2];
    levels_.limiter = st.level[3];
    write_output<C, B24>(frames);
}

}  // namespace sc::engine
