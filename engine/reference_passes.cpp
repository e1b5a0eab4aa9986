// The reference passes: direct double sums and one section at a time,
// exactly as the chain is written; the fast path is checked against them.
#include <algorithm>

#include "engine/chain_layout.h"
#include "engine/engine.h"
#include "engine/kernels.h"

namespace sc::engine {

using namespace layout;

// Pass 1: high-pass and equalizer over side positions first .. last.
template <int C> void Engine::pass_equalizer(int32_t first, int32_t last) {
    const int32_t N = eq_.N();
    const int32_t count = last - first + 1;
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

// Pass 5: the limiter gains; returns the number of limited samples.
template <int C, bool B24> int32_t Engine::pass_limiter(int32_t bands_last) {
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
    return frames;
}

template void Engine::pass_equalizer<1>(int32_t, int32_t);
template void Engine::pass_equalizer<2>(int32_t, int32_t);
template void Engine::pass_gain_leveler<1, false>(int32_t, int32_t);
template void Engine::pass_gain_leveler<1, true>(int32_t, int32_t);
template void Engine::pass_gain_leveler<2, false>(int32_t, int32_t);
template void Engine::pass_split<1>(int32_t);
template void Engine::pass_split<2>(int32_t);
template int32_t Engine::pass_bands<1, false>(int32_t);
template int32_t Engine::pass_bands<1, true>(int32_t);
template int32_t Engine::pass_bands<2, false>(int32_t);
template int32_t Engine::pass_limiter<1, false>(int32_t);
template int32_t Engine::pass_limiter<1, true>(int32_t);
template int32_t Engine::pass_limiter<2, false>(int32_t);

}  // namespace sc::engine
