// Fast symmetric FIR filtering by overlap-save FFT convolution in double
// precision: two real channels ride in one complex transform, and up to two
// filters share the forward transform. The sums differ from direct double
// sums only by rounding noise around 1e-10 of the signal.
#pragma once

#include <vector>

#include "engine/fft.h"

namespace sc::engine {

class FastFir {
public:
    // Taps h[0 .. half] (h[0] the centre tap, counted once; h[m] for both
    // x(n - m) and x(n + m)). `h2` is an optional second filter of the same
    // half-length. `max_outputs` bounds the output count per channel of a run.
    void design(int half, const double* h1, const double* h2, int max_outputs);
    int half() const { return half_; }

    // For each channel c of two (a, b) and j in [0, count): out1c[j] =
    // sum_d h1[|d|] xc[j + d] (and out2c with h2). The inputs are read over
    // [-half, count + half) only. `b` may be null (then only a is filtered).
    void run(const double* a, const double* b, int count, double* out1a, double* out1b,
             double* out2a, double* out2b);
    // One channel x readable over [-half, count + half): its two halves
    // share the transforms.
    void run_mono(const double* x, int count, double* out1, double* out2);

private:
    void pick_size(int max_outputs);
    void segment(const double* a, const double* b, int count, int first, double* out1a,
                 double* out1b, double* out2a, double* out2b);

    int half_ = 0;
    int n_ = 0;        // transform size
    int valid_ = 0;    // outputs per segment: n - 2 half
    bool two_filters_ = false;
    Fft fft_;
    std::vector<double> spectrum1_, spectrum2_;  // real, scaled by 1/n
    std::vector<double> re_, im_, re2_, im2_;
};

}  // namespace sc::engine
