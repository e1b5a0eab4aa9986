// The band pass and the limiter of a block with the serial gain computers
// side by side in vector lanes: lane 0 LOW, 1 MID, 2 HIGH, 3 the limiter;
// the gates run in a second vector beside the band gains. The limiter lane
// runs one tile of samples plus its look-ahead behind the bands, so the
// band sums its detector reads are ready (they are summed tile by tile by
// the element-wise kernels). Every lane does the same float and double operations in
// the same order as the one-section gain computers of engine/dynamics.h, so
// gains, levels and sums are the same to the bit.
#pragma once

#include <cstdint>
#include <vector>

namespace sc::engine::lanes {

// Running state, in lane order.
struct LaneState {
    float gain[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float smallest[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    int32_t hold_end[4] = {0, 0, 0, 0};
    int32_t level[4] = {0, 0, 0, 0};  // detector levels
    float gate[3] = {1.0f, 1.0f, 1.0f};
};

// The leveler's gain computer of another stretch (the next block's), run as
// an independent chain in the lanes' loop. Mono: on the held levels of the
// rectified values, stepped in integers (HeldDecay); stereo: on given curve
// targets. Level, gain and smallest run on. The lanes take it only in the
// forms they have (the limit left out of the attack branch, the levels in
// the integer range) and say so in `done`; else the caller runs it.
struct LevelerRun {
    const int32_t* rectified = nullptr;  // mono
    const float* targets = nullptr;      // stereo
    int32_t level = 0;
    float decay = 1.0f;
    const float* table = nullptr;
    int32_t top = 0;
    float attack = 1.0f, release = 1.0f;
    float gain = 1.0f, smallest = 1.0f;
    float* gains = nullptr;  // written, n values
    int n = 0;
    bool done = false;
};

// Constants of one block.
struct LaneSetup {
    const float* table[4] = {};  // gain curves, indexed from 0
    int32_t top[4] = {};         // highest index of each curve
    float attack[4] = {}, release[4] = {}, hold_release[4] = {};
    int32_t hold_length[4] = {};
    float decay[4] = {};         // detector decays
    // Gates of lanes 0 .. 2; a gate that is off has both factors 1.
    int32_t gate_threshold[3] = {}, gate_open_threshold[3] = {};
    float gate_close[3] = {1.0f, 1.0f, 1.0f}, gate_open[3] = {1.0f, 1.0f, 1.0f};
    bool gates = false;          // any gate on
    double makeup[3] = {};       // KOMPR_OUTBASS, KOMPR_OUTMIDD, KOMPR_OUTHIGH
    int32_t first_j = 81;        // pass index J of the first sample
    int32_t look_ahead = 44;     // limiter look-ahead (the MID one)
    int32_t limiter_shift = 3;   // |sum| / 8 ...
    int32_t shift = 0;           // ... and / 256 more for 24-bit sources
    LevelerRun* leveler = nullptr;  // run beside the lanes when given
};

// The bands of one side from the first band sample on.
struct Side {
    const int32_t* low = nullptr;
    const int32_t* mid = nullptr;
    const int32_t* high = nullptr;
    int32_t* sum = nullptr;  // band sums, written
};

// Scratch of the pass, kept between blocks.
struct LaneBuffers {
    std::vector<int32_t> levels[3];  // the band detector levels
    // Four per sample, in lane order: curve targets, gains, gate values.
    std::vector<float> targets, gains, gates;
    std::vector<int32_t> limiter_inputs;  // rectified band sums
    std::vector<int32_t> inputs4;         // mono: the band detector inputs, four per sample (given)
};

// Sizes the scratch for `bands` band samples (run_mono and run_stereo do;
// keeps what it holds when it is large enough).
void prepare_buffers(LaneBuffers& buf, int bands);

// One block: `bands` band samples and `limited` limiter samples (at most
// bands - look_ahead). The rectified band detector inputs: mono in
// buf.inputs4 (sized by prepare_buffers), stereo in `inputs` per band and
// side (linked here). Writes the band sums of every band
// sample and the limiter gain of every limiter sample.
void run_mono(const LaneSetup& s, LaneState& st, LaneBuffers& buf, const Side& side, int bands, int limited,
              float* limiter_gains);
void run_stereo(const LaneSetup& s, LaneState& st, LaneBuffers& buf, const Side& left, const Side& right,
                const int32_t* const inputs_left[3], const int32_t* const inputs_right[3], int bands, int limited,
                float* limiter_gains);

}  // namespace sc::engine::lanes
