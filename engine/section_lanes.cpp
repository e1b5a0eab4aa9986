// The band and limiter lanes, compiled once per instruction-set build
// (engine/variant_tables.h); they call the kernels of their own build.
#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "engine/dynamics.h"
#include "engine/variant_tables.h"

namespace sc::engine::SC_VARIANT::kernels {
#include "engine/kernel_declarations.h"
}  // namespace sc::engine::SC_VARIANT::kernels

namespace sc::engine::SC_VARIANT::lanes {

using ::sc::engine::lanes::LaneBuffers;
using ::sc::engine::lanes::LaneSetup;
using ::sc::engine::lanes::LaneState;
using ::sc::engine::lanes::Side;

namespace {

#include "engine/kernel_math.h"

// Band samples per tile: the band sums are formed after each tile.
constexpr int TILE = 256;

template <typename V, typename T> SC_INLINE void load(V& v, const T* p) { std::memcpy(&v, p, sizeof v); }
template <typename V, typename T> SC_INLINE void store(T* p, const V& v) { std::memcpy(p, &v, sizeof v); }

typedef int64_t v4q __attribute__((vector_size(32)));
// The loop's lambdas are inlined whole: a lanes' state captured by a call
// that is not would be kept in memory and stored at every sample.
#define SC_INLINE_LAMBDA __attribute__((always_inline))

// int to double, one instruction where the build has it. (Vectors of
// doubles pass by reference: none in the baseline ABI.)
SC_INLINE void to_doubles(const v4i& x, v4d& out) {
#ifdef __AVX__
    const __m256d d = _mm256_cvtepi32_pd(reinterpret_cast<const __m128i&>(x));
    out = reinterpret_cast<const v4d&>(d);
#else
    out = __builtin_convertvector(x, v4d);
#endif
}

// The four curve targets of the table indices `idx`, lane l from table[l]
// (`offsets`: byte distances of the tables from table[0]).
SC_INLINE v4f targets_of(const float* const table[4], const v4q& offsets, const v4i& idx) {
#if defined(__AVX2__)
    __m256i q = _mm256_cvtepi32_epi64(reinterpret_cast<const __m128i&>(idx));
    q = _mm256_add_epi64(_mm256_slli_epi64(q, 2), reinterpret_cast<const __m256i&>(offsets));
    const __m128 t = _mm256_i64gather_ps(table[0], q, 1);
    return reinterpret_cast<const v4f&>(t);
#else
    (void)offsets;
    return v4f{table[0][idx[0]], table[1][idx[1]], table[2][idx[2]], table[3][idx[3]]};
#endif
}

// One block of the lanes. Mono: the held levels of the three bands and of
// the limiter step side by side in the loop, round(max(level, v) * decay)
// in doubles as engine/dynamics.h has it, and their four curve targets are
// looked up together. Stereo: the linked band levels and their targets come
// from an element-wise pass first, the limiter's level steps in the loop.
// LEVELER: a LevelerRun steps beside them.
template <int C, bool LEVELER>
SC_INLINE void run(const LaneSetup& s, LaneState& st, LaneBuffers& buf, const Side* sides,
                   const int32_t* const* inputs, int bands, int limited, float* lim) {
    const int n = std::max(bands, 0);
    const int la = s.look_ahead;
    const int nl = std::max(0, std::min(limited, n - la));
    // (The buffers hold n + 8 samples: lanes::prepare_buffers.)

    // Band detector levels (mono: held in the loop, stereo: linked) and
    // their curve targets.
    const int32_t* const level[3] = {buf.levels[0].data(), buf.levels[1].data(), buf.levels[2].data()};
    const int32_t* X = buf.inputs4.data();
    if constexpr (C == 2) {
        for (int b = 0; b < 3; ++b) {
            kernels::linked_targets(inputs[b], inputs[3 + b], 0, s.decay[b], s.table[b], s.top[b],
                                    buf.levels[b].data(), buf.targets.data() + b, 4, n);
            if (n > 0) st.level[b] = level[b][n - 1];
        }
    }
    const v4d held_decay = {s.decay[0], s.decay[1], s.decay[2], s.decay[3]};
    v4d held_levels = {static_cast<double>(st.level[0]), static_cast<double>(st.level[1]),
                       static_cast<double>(st.level[2]), static_cast<double>(st.level[3])};
    const v4q band_lanes = {-1, -1, -1, 0};
    const v4i top = {s.top[0], s.top[1], s.top[2], s.top[3]};
    const v4i zero = {0, 0, 0, 0};
    const v4q table_offsets = {0, reinterpret_cast<intptr_t>(s.table[1]) - reinterpret_cast<intptr_t>(s.table[0]),
                               reinterpret_cast<intptr_t>(s.table[2]) - reinterpret_cast<intptr_t>(s.table[0]),
                               reinterpret_cast<intptr_t>(s.table[3]) - reinterpret_cast<intptr_t>(s.table[0])};
    // Gates that stay at 1.0 are left out of the band sums (x * 1 = x).
    const bool gated = s.gates || st.gate[0] != 1.0f || st.gate[1] != 1.0f || st.gate[2] != 1.0f;
    if (gated && !s.gates)
        for (int k = 0; k < n; ++k)
            for (int b = 0; b < 3; ++b) buf.gates[4 * static_cast<size_t>(k) + b] = st.gate[b];
    const float* tg = buf.targets.data();
    float* G = buf.gains.data();
    float* T = buf.gates.data();
    int32_t* vlim = buf.limiter_inputs.data();

    v4f gain, smallest, attack, release, hold_release, gate, gate_close, gate_open;
    v4i hold_end, hold_length, gate_threshold, gate_open_threshold;
    for (int l = 0; l < 4; ++l) {
        gain[l] = st.gain[l];
        smallest[l] = st.smallest[l];
        hold_end[l] = st.hold_end[l];
        attack[l] = s.attack[l];
        release[l] = s.release[l];
        hold_release[l] = s.hold_release[l];
        hold_length[l] = s.hold_length[l];
        gate[l] = l < 3 ? st.gate[l] : 1.0f;
        gate_close[l] = l < 3 ? s.gate_close[l] : 1.0f;
        gate_open[l] = l < 3 ? s.gate_open[l] : 1.0f;
        gate_threshold[l] = l < 3 ? s.gate_threshold[l] : 0;
        gate_open_threshold[l] = l < 3 ? s.gate_open_threshold[l] : 0;
    }
    const v4f one = {1.0f, 1.0f, 1.0f, 1.0f};
    const v4f gate_floor = {GATE_FLOOR, GATE_FLOOR, GATE_FLOOR, GATE_FLOOR};
    const v4i step_j = {1, 1, 1, 1};
    const bool gates = s.gates;
    const int lag = TILE + la;  // limiter sample i runs beside band sample i + lag
    const float* lim_table = s.table[3];
    const int32_t lim_top = s.top[3];
    const double lim_decay = s.decay[3];
    double lim_level = st.level[3];
    // Pass indices J of band sample k and limiter sample k - lag.
    v4i j;

    // The leveler beside the lanes: one step of its chain per sample.
    // (Its pointers and sizes are copied here once: its gain store must not
    // make the loop reload them, nor the lanes' own state.)
    const ::sc::engine::lanes::LevelerRun start = LEVELER ? *s.leveler : ::sc::engine::lanes::LevelerRun{};
    const int32_t* __restrict const lev_in = start.rectified;
    const float* __restrict const lev_targets = start.targets;
    const float* __restrict const lev_table = start.table;
    float* __restrict const lev_out = start.gains;
    const int32_t lev_top = start.top;
    const int lev_n = start.n;
    LevelerGain lev(start.gain, start.smallest, start.attack, start.release);
    const HeldDecay lev_decay(start.decay);
    int64_t lev_level = start.level;
    int m = 0;
    auto leveler_step = [&]() SC_INLINE_LAMBDA {
        float t;
        if constexpr (C == 1) {
            lev_level = lev_decay.next(lev_level, lev_in[m]);
            t = lev_table[curve_index(static_cast<int32_t>(lev_level), lev_top)];
        } else {
            t = lev_targets[m];
        }
        lev_out[m] = lev.step_in_range(t);
        ++m;
    };
    // One sample of the lanes: band sample k and limiter sample k - lag.
    auto sample = [&]<bool BANDS, bool LIMITER>(int k) SC_INLINE_LAMBDA {
        if constexpr (LEVELER)
            if (m < lev_n) leveler_step();
        v4f target = one;
        v4i lv = {0, 0, 0, 0};
        const int i = k - lag;
        if constexpr (C == 1) {
            v4i xi = {0, 0, 0, 0};
            if constexpr (BANDS) load(xi, X + 4 * k);
            if constexpr (LIMITER) xi[3] = vlim[i + la];
            v4d x;
            to_doubles(xi, x);
            v4d next = held_levels < x ? x : held_levels;
            next = next * held_decay;
            round_even(next);
            if constexpr (BANDS && LIMITER) {
                held_levels = next;
            } else if constexpr (BANDS) {
                held_levels = band_lanes ? next : held_levels;
            } else {
                held_levels = band_lanes ? held_levels : next;
            }
            lv = __builtin_convertvector(held_levels, v4i);
            v4i idx = lv >> 2;
            idx = idx < zero ? zero : idx;
            idx = idx > top ? top : idx;
            target = targets_of(s.table, table_offsets, idx);
        } else {
            if constexpr (BANDS) load(target, tg + 4 * k);
            if constexpr (LIMITER) {
                // Held level of the limiter: round(max(level, v) * d9).
                const double x = vlim[i + la];
                lim_level = rnd_d((lim_level < x ? x : lim_level) * lim_decay);
                target[3] = lim_table[table_index(static_cast<int32_t>(lim_level), lim_top)];
            }
        }
        // The gain computer of engine/dynamics.h in every lane, its three
        // outcomes formed side by side: attack (then the hold starts, so no
        // release), hold, release after the hold.
        const v4i attacking = gain > target;
        v4f ga = gain * attack;
        ga = (ga < target) ? target : ga;
        const v4f after_attack = ga * hold_release;
        const v4f in_hold = gain * hold_release;
        const v4f after_hold = (gain * release) * hold_release;
        v4f g = (j > hold_end) ? after_hold : in_hold;
        g = attacking ? after_attack : g;
        hold_end = attacking ? j + hold_length : hold_end;
        g = at_most_one(g);  // also for inf * 0
        gain = g;
        smallest = (g < smallest) ? g : smallest;
        j += step_j;
        if constexpr (BANDS) {
            if (gates) {
                if constexpr (C == 2) lv = v4i{level[0][k], level[1][k], level[2][k], 0};
                v4f t = gate;
                t = (lv < gate_threshold) ? t * gate_close : t;
                t = (lv >= gate_open_threshold) ? t * gate_open : t;
                t = (one < t) ? one : t;
                t = (t < gate_floor) ? gate_floor : t;
                gate = t;
                store(T + 4 * k, t);
            }
            store(G + 4 * k, g);
        }
        if constexpr (LIMITER) lim[i] = g[3];
    };
    // Lanes that ran on nothing get their values back.
    auto restore = [&](const v4f& ga0, const v4f& s0, const v4i& h0, const v4f& u0s,
                       bool band_lanes) SC_INLINE_LAMBDA {
        for (int l = 0; l < 4; ++l) {
            if ((l < 3) != band_lanes) continue;
            gain[l] = ga0[l];
            smallest[l] = s0[l];
            hold_end[l] = h0[l];
            gate[l] = u0s[l];
        }
    };
    auto start_at = [&](int k) SC_INLINE_LAMBDA {
        j = v4i{s.first_j + k, s.first_j + k, s.first_j + k, s.first_j + k - lag};
    };
    // Band sums of band samples [k0, k1) and the limiter's rectified inputs.
    auto sums = [&](int k0, int k1) {
        for (int c = 0; c < C; ++c) {
            const Side& d = sides[c];
            kernels::band_sum4(d.low + k0, d.mid + k0, d.high + k0, G + 4 * k0, gated ? T + 4 * k0 : nullptr,
                               s.makeup[0], s.makeup[1], s.makeup[2], d.sum + k0, k1 - k0);
        }
        kernels::limiter_detector(sides[0].sum + k0, C == 2 ? sides[1].sum + k0 : nullptr, s.limiter_shift,
                                  s.shift, vlim + k0, k1 - k0);
    };

    const v4f gain0 = gain, smallest0 = smallest, gate0 = gate;
    const v4i hold0 = hold_end;
    bool limiter_running = false;
    auto start_limiter = [&]() SC_INLINE_LAMBDA {
        if (!limiter_running) restore(gain0, smallest0, hold0, gate0, false);
        limiter_running = true;
    };
    for (int k0 = 0; k0 < n; k0 += TILE) {
        const int k1 = std::min(k0 + TILE, n);
        const int both_from = std::clamp(lag, k0, k1);
        const int both_to = std::clamp(lag + nl, both_from, k1);
        int k = k0;
        start_at(k);
        for (; k < both_from; ++k) sample.template operator()<true, false>(k);
        if (both_from < both_to) start_limiter();
        for (; k < both_to; ++k) sample.template operator()<true, true>(k);
        if (k < k1 && limiter_running) {
            // The limiter ended before the bands: keep its lane.
            const v4f ga1 = gain, s1 = smallest, u1s = gate;
            const v4i h1 = hold_end;
            for (; k < k1; ++k) sample.template operator()<true, false>(k);
            restore(ga1, s1, h1, u1s, false);
        }
        for (; k < k1; ++k) sample.template operator()<true, false>(k);
        sums(k0, k1);
    }
    const int rest_from = std::max(n, lag);
    if (rest_from < lag + nl) {
        start_limiter();
        const v4f ga1 = gain, s1 = smallest, u1s = gate;
        const v4i h1 = hold_end;
        start_at(rest_from);
        for (int k = rest_from; k < lag + nl; ++k) sample.template operator()<false, true>(k);
        restore(ga1, s1, h1, u1s, true);
    }
    if (!limiter_running) restore(gain0, smallest0, hold0, gate0, false);

    for (int l = 0; l < 4; ++l) {
        st.gain[l] = gain[l];
        st.smallest[l] = smallest[l];
        st.hold_end[l] = hold_end[l];
        if (l < 3) st.gate[l] = gate[l];
    }
    if constexpr (LEVELER) {
        while (m < lev_n) leveler_step();
        s.leveler->level = static_cast<int32_t>(lev_level);
        s.leveler->gain = lev.gain[0];
        s.leveler->smallest = lev.smallest[0];
        s.leveler->done = true;
    }
    if constexpr (C == 1) {
        for (int l = 0; l < 4; ++l) st.level[l] = static_cast<int32_t>(held_levels[l]);
    } else {
        st.level[3] = static_cast<int32_t>(lim_level);
    }
}

}  // namespace

void run_mono(const LaneSetup& s, LaneState& st, LaneBuffers& buf, const Side& side, int bands, int limited,
              float* limiter_gains) {
    const ::sc::engine::lanes::LevelerRun* l = s.leveler;
    if (l && LevelerGain(l->gain, l->smallest, l->attack, l->release).in_range() && HeldDecay(l->decay).usable &&
        within(&l->level, 1) && within(l->rectified, l->n)) {
        run<1, true>(s, st, buf, &side, nullptr, bands, limited, limiter_gains);
    } else {
        run<1, false>(s, st, buf, &side, nullptr, bands, limited, limiter_gains);
    }
}

void run_stereo(const LaneSetup& s, LaneState& st, LaneBuffers& buf, const Side& left, const Side& right,
                const int32_t* const inputs_left[3], const int32_t* const inputs_right[3], int bands, int limited,
                float* limiter_gains) {
    const Side sides[2] = {left, right};
    const int32_t* inputs[6] = {inputs_left[0], inputs_left[1], inputs_left[2],
                                inputs_right[0], inputs_right[1], inputs_right[2]};
    const ::sc::engine::lanes::LevelerRun* l = s.leveler;
    if (l && LevelerGain(l->gain, l->smallest, l->attack, l->release).in_range()) {
        run<2, true>(s, st, buf, sides, inputs, bands, limited, limiter_gains);
    } else {
        run<2, false>(s, st, buf, sides, inputs, bands, limited, limiter_gains);
    }
}

}  // namespace sc::engine::SC_VARIANT::lanes

namespace sc::engine::SC_VARIANT {
const ::sc::engine::lanes::Table lane_table = {&lanes::run_mono, &lanes::run_stereo};
}  // namespace sc::engine::SC_VARIANT
