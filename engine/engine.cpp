#include "engine/engine.h"

#include <algorithm>
#include <cstdlib>

#include "engine/rounding.h"

namespace sc::engine {

namespace {

// Values per block and overlap, before the look-ahead and filter margins.
constexpr int32_t BLOCK_BASE = 5000;
constexpr int32_t SPLIT_MARGIN = XOVER_HALF + 1;  // first band index J = 81
constexpr int32_t LIMITER_SHIFT = 3;             // limiter detector: |sum| / 8
constexpr int32_t DETECTOR_SHIFT_24 = 8;         // 24-bit detectors: / 256

inline int32_t clip16(int32_t v) { return std::clamp(v, -32768, 32767); }
inline int32_t clip24(int32_t v) { return std::clamp(v, -8388608, 8388607); }

template <bool B24> inline int32_t to16(int32_t v) {
    if constexpr (B24) return v >> DETECTOR_SHIFT_24;
    return v;
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
        for (auto* v : {&src_d_[c], &acc_[c], &chain_d_[c], &low_sum_[c], &high_sum_[c]})
            v->assign(per_side, 0.0);
    }
    out_.clear();
    out_.reserve(per_side * 2 * 3);

    if (path_ == FilterPath::Fast) {
        // Outputs per transform run: mono blocks run as two halves.
        const int outputs = BLOCK_BASE / (channels_of(format) == 1 ? 2 : 1) + 8;
        const int32_t N = eq_.N();
        std::vector<double> h(static_cast<size_t>(N) + 1);
        h[0] = 2.0 * eq_.c()[0];
        for (int32_t m = 1; m <= N; ++m) h[static_cast<size_t>(m)] = eq_.c()[static_cast<size_t>(m)];
        eq_fir_.design(N, h.data(), nullptr, outputs);
        std::array<double, XOVER_HALF + 1> hl{}, hh{};
        for (int d = 0; d <= XOVER_HALF; ++d) {
            hl[d] = xover_.low_taps()[XOVER_HALF - d];
            hh[d] = xover_.high_taps()[XOVER_HALF - d];
        }
        hl[0] *= 2.0;
        hh[0] *= 2.0;
        xover_fir_.design(XOVER_HALF, hl.data(), hh.data(), outputs);
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

// Pass 1: high-pass and equalizer over side positions first .. last.
template <int C> void Engine::pass_equalizer(int32_t first, int32_t last) {
    const int32_t N = eq_.N();
    const int32_t count = last - first + 1;
    for (int c = 0; c < C; ++c) {
        int32_t peak = 0;
        const int32_t* x = src_[c].data();
        for (int32_t n = first; n <= last; ++n) peak = std::max(peak, std::abs(x[n]));
        in_peak_[c] = peak;
    }
    if (C == 1) in_peak_[1] = in_peak_[0];
    if (N == 0 || count <= 0) {
        for (int c = 0; c < C; ++c)
            for (int32_t n = first; n <= last; ++n) acc_[c][static_cast<size_t>(n)] = 0.0;
        return;
    }
    if (path_ == FilterPath::Reference) {
        for (int c = 0; c < C; ++c) {
            const int32_t* x = src_[c].data();
            double* acc = acc_[c].data();
            for (int32_t n = first; n <= last; ++n) acc[n] = eq_.sum_at(x, n, 1);
        }
        return;
    }
    for (int c = 0; c < C; ++c) {
        const int32_t* x = src_[c].data();
        double* xd = src_d_[c].data();
        for (int32_t n = first - N; n <= last + N; ++n) xd[n] = x[n];
    }
    if (C == 1) {
        eq_fir_.run_mono(src_d_[0].data() + first, count, acc_[0].data() + first, nullptr);
    } else {
        eq_fir_.run(src_d_[0].data() + first, src_d_[1].data() + first, count,
                    acc_[0].data() + first, acc_[1].data() + first, nullptr, nullptr);
    }
}

// Pass 2: filtered value, input gain, leveler; chain values k = 1 .. K.
template <int C, bool B24> void Engine::pass_gain_leveler(int32_t first, int32_t last) {
    const float* table = curves_.leveler().from_zero();
    const SectionTimes& t = times_.leveler;
    const float d9 = times_.d9;
    const double gain = input_gain_;
    int32_t k = 1;
    for (int32_t n = first; n <= last; ++n, ++k) {
        int32_t v[C];
        for (int c = 0; c < C; ++c) {
            const int32_t x = src_[c][static_cast<size_t>(n)];
            const int32_t filtered = x - round_i32(acc_[c][static_cast<size_t>(n)]);
            v[c] = round_i32(filtered * gain);
        }
        if (leveler_on_) {
            int32_t level;
            if constexpr (C == 1) {
                level = levels_.leveler = held_level(levels_.leveler, to16<B24>(std::abs(v[0])), d9);
            } else {
                level = levels_.leveler =
                    linked_level(std::abs(v[0]) + 1, std::abs(v[C - 1]) + 1, d9);
            }
            leveler_.step(table[table_index(level, FULL_INDEX_MAX)], t);
        }
        const double g = leveler_.gain;
        for (int c = 0; c < C; ++c) chain_[c][static_cast<size_t>(k)] = round_i32(v[c] * g);
    }
}

// Pass 3: LOW, MID and HIGH for J = 81 .. K - 81.
template <int C> void Engine::pass_split(int32_t K) {
    const int32_t first = SPLIT_MARGIN;
    const int32_t last = K - SPLIT_MARGIN;
    if (last < first) return;
    const int32_t count = last - first + 1;
    if (path_ == FilterPath::Fast) {
        for (int c = 0; c < C; ++c) {
            double* d = chain_d_[c].data();
            const int32_t* x = chain_[c].data();
            for (int32_t j = 1; j <= K; ++j) d[j] = x[j];
        }
        if (C == 1) {
            xover_fir_.run_mono(chain_d_[0].data() + first, count, low_sum_[0].data() + first,
                                high_sum_[0].data() + first);
        } else {
            xover_fir_.run(chain_d_[0].data() + first, chain_d_[1].data() + first, count,
                           low_sum_[0].data() + first, low_sum_[1].data() + first,
                           high_sum_[0].data() + first, high_sum_[1].data() + first);
        }
    } else {
        for (int c = 0; c < C; ++c) {
            for (int32_t j = first; j <= last; ++j) {
                const BandSums s = xover_.sums_at(chain_[c].data(), j);
                low_sum_[c][static_cast<size_t>(j)] = s.low;
                high_sum_[c][static_cast<size_t>(j)] = s.high;
            }
        }
    }
    for (int c = 0; c < C; ++c) {
        const int32_t* x = chain_[c].data();
        const double* ls = low_sum_[c].data();
        const double* hs = high_sum_[c].data();
        int32_t* lo = low_band_[c].data();
        int32_t* mi = mid_band_[c].data();
        int32_t* hi = high_band_[c].data();
        for (int32_t j = first; j <= last; ++j) {
            lo[j] = round_i32(ls[j]);
            hi[j] = round_i32(hs[j]);
            mi[j] = round_i32(x[j] - ls[j] - hs[j]);
        }
    }
}

// Pass 4: band detectors, compressors, gates and the band sum. Returns the
// last index J of the pass.
template <int C, bool B24> int32_t Engine::pass_bands(int32_t K) {
    const LookAhead& la = look_ahead_;
    const int32_t first = SPLIT_MARGIN;
    const int32_t last = K - SPLIT_MARGIN - la.low;
    low_.hold_end = HOLD_END_START_LOW;
    mid_.hold_end = HOLD_END_START_MID;
    high_.hold_end = HOLD_END_START_HIGH;
    limiter_.hold_end = HOLD_END_START_LIMITER;

    const double ol = out_low_, om = out_mid_, oh = out_high_;
    if (bypass_) {
        for (int c = 0; c < C; ++c) {
            const int32_t* lo = low_band_[c].data();
            const int32_t* mi = mid_band_[c].data();
            const int32_t* hi = high_band_[c].data();
            int32_t* s = sum_[c].data();
            for (int32_t j = first; j <= last; ++j)
                s[j] = round_i32(lo[j] * ol) + round_i32(mi[j] * om) + round_i32(hi[j] * oh);
        }
        return last;
    }

    const float* t_low = curves_.band(Band::Bass).from_zero();
    const float* t_mid = curves_.band(Band::Midd).from_zero();
    const float* t_high = curves_.band(Band::High).from_zero();
    const GateSetting& gl = gates_.low;
    const GateSetting& gm = gates_.mid;
    const GateSetting& gh = gates_.high;
    const float d30 = times_.d30, d9 = times_.d9, d08 = times_.d08;
    for (int32_t j = first; j <= last; ++j) {
        int32_t vl[C], vm[C], vh[C];
        for (int c = 0; c < C; ++c) {
            const int32_t* lo = low_band_[c].data();
            vl[c] = to16<B24>(low_detector_value(lo[j + la.low], lo[j + la.low - 20]));
            vm[c] = to16<B24>(std::abs(mid_band_[c][static_cast<size_t>(j + la.mid)]));
            vh[c] = to16<B24>(std::abs(high_band_[c][static_cast<size_t>(j + la.high)]));
        }
        if constexpr (C == 1) {
            levels_.low = held_level(levels_.low, vl[0], d30);
            levels_.mid = held_level(levels_.mid, vm[0], d9);
            levels_.high = held_level(levels_.high, vh[0], d08);
        } else {
            levels_.low = linked_level(std::max(vl[0], 1), std::max(vl[C - 1], 1), d30);
            levels_.mid = linked_level(std::max(vm[0], 1), std::max(vm[C - 1], 1), d9);
            levels_.high = linked_level(std::max(vh[0], 1), std::max(vh[C - 1], 1), d08);
        }
        low_.step(t_low[table_index(levels_.low, BAND_INDEX_MAX)], times_.low, HOLD_LOW, j);
        mid_.step(t_mid[table_index(levels_.mid, BAND_INDEX_MAX)], times_.mid, HOLD_MID, j);
        high_.step(t_high[table_index(levels_.high, BAND_INDEX_MAX)], times_.high, HOLD_HIGH, j);
        if (gl.on) gate_low_.step(levels_.low, gl);
        if (gm.on) gate_mid_.step(levels_.mid, gm);
        if (gh.on) gate_high_.step(levels_.high, gh);
        const double fl = low_.gain, fm = mid_.gain, fh = high_.gain;
        const double gtl = gate_low_.gain, gtm = gate_mid_.gain, gth = gate_high_.gain;
        for (int c = 0; c < C; ++c) {
            sum_[c][static_cast<size_t>(j)] =
                round_i32(low_band_[c][static_cast<size_t>(j)] * fl * ol * gtl) +
                round_i32(mid_band_[c][static_cast<size_t>(j)] * fm * om * gtm) +
                round_i32(high_band_[c][static_cast<size_t>(j)] * fh * oh * gth);
        }
    }
    return last;
}

// Pass 5: limiter, output gain, clip, output chunk.
template <int C, bool B24> void Engine::pass_limiter(int32_t bands_last) {
    const int32_t first = SPLIT_MARGIN;
    const int32_t la = look_ahead_.mid;
    const int32_t last = bands_last - la - 2;
    const float* table = curves_.limiter().from_zero();
    const SectionTimes& t = times_.limiter;
    const float d9 = times_.d9;
    const double out_gain = limiter_out_;
    const int bytes = B24 ? 3 : 2;
    const int32_t frames = std::max(0, last - first + 1);
    out_.resize(static_cast<size_t>(frames) * C * bytes);
    uint8_t* o = out_.data();
    int32_t peak = 0;
    for (int32_t j = first; j <= last; ++j) {
        int32_t v[C];
        for (int c = 0; c < C; ++c)
            v[c] = to16<B24>(std::abs(sum_[c][static_cast<size_t>(j + la)]) >> LIMITER_SHIFT);
        if constexpr (C == 1) {
            levels_.limiter = held_level(levels_.limiter, v[0], d9);
        } else {
            levels_.limiter = round_i32(
                static_cast<double>(std::max({levels_.limiter, v[0], v[C - 1]})) * d9);
        }
        limiter_.step(table[table_index(levels_.limiter, FULL_INDEX_MAX)], t, HOLD_LIMITER, j);
        const double g = limiter_.gain;
        for (int c = 0; c < C; ++c) {
            int32_t out = round_i32(sum_[c][static_cast<size_t>(j)] * g * out_gain);
            out = B24 ? clip24(out) : clip16(out);
            peak = std::max(peak, std::abs(out));
            *o++ = static_cast<uint8_t>(out & 0xFF);
            *o++ = static_cast<uint8_t>((out >> 8) & 0xFF);
            if (B24) *o++ = static_cast<uint8_t>((out >> 16) & 0xFF);
        }
    }
    out_peak_ = B24 ? (peak >> DETECTOR_SHIFT_24) : peak;
    out_frames_ = frames;
}

template <int C, bool B24> void Engine::run_block(const int32_t* block) {
    const int32_t N = geometry_.N;
    const int32_t side_len = geometry_.blk / C;
    for (int c = 0; c < C; ++c) {
        int32_t* s = src_[c].data();
        for (int32_t p = 0; p < side_len; ++p) s[p] = block[p * C + c];
    }
    // Mono: n = N .. BLK - N - 4; stereo pairs: n = 2N .. BLK - 2N - 4 in steps of 2.
    const int32_t first = N;
    const int32_t last = (C == 1) ? geometry_.blk - N - 4 : (geometry_.blk - 4) / 2 - N;
    pass_equalizer<C>(first, last);
    if constexpr (B24) {
        in_peak_[0] >>= DETECTOR_SHIFT_24;
        in_peak_[1] = in_peak_[0];
    }
    pass_gain_leveler<C, B24>(first, last);
    const int32_t K = last - first + 1;
    pass_split<C>(K);
    const int32_t bands_last = pass_bands<C, B24>(K);
    pass_limiter<C, B24>(bands_last);
}

}  // namespace sc::engine
