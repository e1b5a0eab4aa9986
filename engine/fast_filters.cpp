// Passes 1 and 3 of the fast path: the equalizer and the band split from
// overlap-save transform sums (engine/fast_fir.h). A sum whose fraction lies
// too close to one half is summed again directly, so that every value
// rounds exactly as the direct sum of the reference passes does.
#include <algorithm>

#include "engine/chain_layout.h"
#include "engine/engine.h"
#include "engine/kernels.h"
#include "engine/resum.h"

namespace sc::engine {

using namespace layout;

namespace {

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

}  // namespace

// Passes 1 and 2 up to the leveler, fast: the equalizer's transform sums go
// straight into the chain values. A sum within 1e-5 of one half is summed
// again directly, so that it rounds exactly as the direct sum does.
template <int C> void Engine::fast_filter(int32_t first, int32_t last) {
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

template void Engine::fast_filter<1>(int32_t, int32_t);
template void Engine::fast_filter<2>(int32_t, int32_t);
template void Engine::fast_split<1>(int32_t);
template void Engine::fast_split<2>(int32_t);

}  // namespace sc::engine
