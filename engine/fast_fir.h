// Fast symmetric FIR filtering by overlap-save FFT convolution in double
// precision: two real channels ride in one complex transform, and up to two
// filters share the forward transform. The run is cut into segments of
// mixed power-of-two sizes, picked by cost for the run's length. The sums
// differ from direct double sums by rounding noise below 1e-15 of the
// largest input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/fft.h"

namespace sc::engine {

class FastFir {
public:
    // Taps h[0 .. half] (h[0] the centre tap, counted once; h[m] for both
    // x(n - m) and x(n + m)). `h2` is an optional second filter of the same
    // half-length. `usual_outputs` is the output count per channel that runs
    // will usually have; the segments are planned for it.
    void design(int half, const double* h1, const double* h2, int usual_outputs);
    int half() const { return half_; }

    // For each channel c of two (a, b) and j in [0, count): out1c[j] =
    // sum_d h1[|d|] xc[j + d] (and out2c with h2). The inputs are read over
    // [-half, count + half) only. `b` may be null (then only a is filtered).
    void run(const int32_t* a, const int32_t* b, int count, double* out1a, double* out1b,
             double* out2a, double* out2b);
    // One channel x readable over [-half, count + half): its two halves
    // share the transforms.
    void run_mono(const int32_t* x, int count, double* out1, double* out2);

    // Transform sizes of the segments for `count` outputs, in order.
    std::vector<int> plan(int count) const;

private:
    struct Size {
        int n = 0;
        Fft fft;
        std::vector<double> spectrum1, spectrum2;  // real, scaled by 1/n, quad layout
    };
    const std::vector<int>& plan_for(int count);
    void segment(const Size& s, const int32_t* a, const int32_t* b, int count, int first, double* out1a,
                 double* out1b, double* out2a, double* out2b);

    int half_ = 0;
    bool two_filters_ = false;
    std::vector<Size> sizes_;  // rising n
    int planned_count_ = -1;
    std::vector<int> plan_;  // indices into sizes_
    std::vector<double> work_;  // the real and imaginary parts of both results
    size_t stride_ = 0;
};

}  // namespace sc::engine
