// What the pass files of the engine share: block sizes, pass ranges, the
// detector shifts and the rounding margin of the transform sums.
#pragma once

#include <cstdint>

#include "engine/crossover.h"
#include "engine/engine.h"

namespace sc::engine::layout {

// Values per block and overlap, before the look-ahead and filter margins.
inline constexpr int32_t BLOCK_BASE = 5000;
inline constexpr int32_t SPLIT_MARGIN = XOVER_HALF + 1;  // first band index J = 81
inline constexpr int32_t LIMITER_SHIFT = 3;             // limiter detector: |sum| / 8
inline constexpr int32_t DETECTOR_SHIFT_24 = 8;         // 24-bit detectors: / 256

// Side positions of pass 1: mono n = N .. BLK - N - 4; stereo pairs
// n = 2N .. BLK - 2N - 4 in steps of 2, i.e. side positions N .. (BLK - 4) / 2 - N.
inline int32_t first_filtered(const BlockGeometry& g) { return g.N; }
inline int32_t last_filtered(const BlockGeometry& g, int channels) {
    return channels == 1 ? g.blk - g.N - 4 : (g.blk - 4) / 2 - g.N;
}
// K, the chain values of a block.
inline int32_t chain_value_count(const BlockGeometry& g, int channels) {
    return last_filtered(g, channels) - first_filtered(g) + 1;
}

}  // namespace sc::engine::layout
