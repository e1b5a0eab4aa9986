// The serial sections of the fast path: the leveler of pass 2, and the
// band and limiter sections of passes 4 and 5 side by side in vector lanes
// (engine/section_lanes.h).
#include <algorithm>

#include "engine/chain_layout.h"
#include "engine/engine.h"
#include "engine/kernels.h"
#include "engine/section_lanes.h"

namespace sc::engine {

using namespace layout;

// The leveler of pass 2, fast: the same values as `pass_gain_leveler`, with
// the stereo link formed without division and the gain loop free of branches.
template <int C, bool B24> void Engine::fast_leveler(int32_t K) {
    if (!leveler_on_) {
        if (leveler_.gain != 1.0f)
            for (int c = 0; c < C; ++c) kernels::apply_gain(chain_[c].data() + 1, leveler_.gain, K);
        return;
    }
    lanes::LevelerRun run;
    leveler_inputs<C, B24>(K, run);
    finish_leveler<C>(K, run);
    leveler_.gain = run.gain;
    leveler_.smallest = run.smallest;
    levels_.leveler = run.level;
}

// The leveler's inputs from the chain values (mono: rectified values, their
// held level stepped with the gain; stereo: the linked levels and their curve
// targets) and its running values.
template <int C, bool B24> void Engine::leveler_inputs(int32_t K, lanes::LevelerRun& run) {
    int32_t* a = leveler_rectified_[0].data();
    run.level = levels_.leveler;
    if constexpr (C == 1) {
        kernels::abs_detector(chain_[0].data() + 1, 0, B24 ? DETECTOR_SHIFT_24 : 0, 0, a, K);
        run.rectified = a;
    } else {
        int32_t* b = leveler_rectified_[1].data();
        int32_t* lv = leveler_levels_.data();
        kernels::abs_detector(chain_[0].data() + 1, 0, 0, 0, a, K);
        kernels::abs_detector(chain_[1].data() + 1, 0, 0, 0, b, K);
        kernels::linked_targets(a, b, 1, times_.d9, curves_.leveler().from_zero(), FULL_INDEX_MAX, lv,
                                leveler_targets_.data(), 1, K);
        run.targets = leveler_targets_.data();
        if (K > 0) run.level = lv[K - 1];
    }
    run.decay = times_.d9;
    run.table = curves_.leveler().from_zero();
    run.top = FULL_INDEX_MAX;
    run.attack = times_.leveler.attack;
    run.release = times_.leveler.release;
    run.gain = leveler_.gain;
    run.smallest = leveler_.smallest;
    run.gains = g_lev_.data() + 1;
    run.n = K;
}

// The leveler's gains where the band lanes did not run it (mono: the held
// level and the gain in one loop, two serial chains side by side), applied
// to the chain values.
template <int C> void Engine::finish_leveler(int32_t K, lanes::LevelerRun& run) {
    if (!run.done) {
        if constexpr (C == 1) {
            kernels::leveler_held(run.rectified, run.level, run.decay, run.table, run.top, run.attack, run.release,
                                  run.gain, run.smallest, run.gains, K);
        } else {
            kernels::leveler_gains(run.targets, run.attack, run.release, run.gain, run.smallest, run.gains, K);
        }
    }
    for (int c = 0; c < C; ++c) kernels::apply_gains(chain_[c].data() + 1, run.gains, K);
}

// Passes 4 and 5 of the fast path: the band and limiter sections in vector
// lanes (engine/section_lanes.h), then the output chunk.
template <int C, bool B24> int32_t Engine::fast_bands_limiter(int32_t K, lanes::LevelerRun* ahead) {
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
        return pass_limiter<C, B24>(bands_last);
    }
    const int shift = B24 ? DETECTOR_SHIFT_24 : 0;
    if constexpr (C == 1) {
        // Mono: the three side by side, as the lanes read them.
        lanes::prepare_buffers(lane_buffers_, n);
        kernels::mono_detectors4(low_band_[0].data() + first, mid_band_[0].data() + first,
                                 high_band_[0].data() + first, la.low, la.mid, la.high, shift,
                                 lane_buffers_.inputs4.data(), n);
    } else {
        for (int c = 0; c < C; ++c) {
            kernels::low_detector(low_band_[c].data() + first, la.low, shift, det_low_[c].data(), n);
            kernels::abs_detector(mid_band_[c].data() + first, la.mid, shift, 0, det_mid_[c].data(), n);
            kernels::abs_detector(high_band_[c].data() + first, la.high, shift, 0, det_high_[c].data(), n);
        }
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
    s.leveler = ahead;
    lanes::Side sides[2];
    for (int c = 0; c < C; ++c) {
        sides[c] = {low_band_[c].data() + first, mid_band_[c].data() + first, high_band_[c].data() + first,
                    sum_[c].data() + first};
    }
    if constexpr (C == 1) {
        lanes::run_mono(s, st, lane_buffers_, sides[0], n, frames, g_lim_.data());
    } else {
        const int32_t* const inputs[2][3] = {{det_low_[0].data(), det_mid_[0].data(), det_high_[0].data()},
                                             {det_low_[1].data(), det_mid_[1].data(), det_high_[1].data()}};
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
    return frames;
}

// The next block's pass 1 and the inputs of its leveler, once this block's
// source and chain values are done with (not with the bypass, whose pass
// has no lanes to run beside).
template <int C, bool B24> bool Engine::begin_ahead(const int32_t* next, int32_t K, lanes::LevelerRun& run) {
    if (!leveler_on_ || bypass_ || K <= 0) return false;
    load_block<C>(next);
    fast_filter<C>(first_filtered(geometry_), last_filtered(geometry_, C));
    leveler_inputs<C, B24>(K, run);
    run.smallest = 1.0f;  // joined with the meter's minimum when the block's call comes
    return true;
}

// The next block's leveler has run: its state is kept for that block's call.
template <int C> void Engine::end_ahead(int32_t K, lanes::LevelerRun& run) {
    finish_leveler<C>(K, run);
    ahead_gain_ = run.gain;
    ahead_smallest_ = run.smallest;
    ahead_level_ = run.level;
    ahead_ = true;
    ++levelled_ahead_;
}

void Engine::adopt_ahead() {
    leveler_.gain = ahead_gain_;
    leveler_.smallest = std::min(leveler_.smallest, ahead_smallest_);
    levels_.leveler = ahead_level_;
}

template void Engine::fast_leveler<1, false>(int32_t);
template void Engine::fast_leveler<1, true>(int32_t);
template void Engine::fast_leveler<2, false>(int32_t);
template int32_t Engine::fast_bands_limiter<1, false>(int32_t, lanes::LevelerRun*);
template int32_t Engine::fast_bands_limiter<1, true>(int32_t, lanes::LevelerRun*);
template int32_t Engine::fast_bands_limiter<2, false>(int32_t, lanes::LevelerRun*);
template bool Engine::begin_ahead<1, false>(const int32_t*, int32_t, lanes::LevelerRun&);
template bool Engine::begin_ahead<1, true>(const int32_t*, int32_t, lanes::LevelerRun&);
template bool Engine::begin_ahead<2, false>(const int32_t*, int32_t, lanes::LevelerRun&);
template void Engine::end_ahead<1>(int32_t, lanes::LevelerRun&);
template void Engine::end_ahead<2>(int32_t, lanes::LevelerRun&);

}  // namespace sc::engine
