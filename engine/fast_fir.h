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

    // The same sums handed over segment by segment, straight from the
    // transform: sink(channel, first, n, f1, f2) gets the sums j = first ..
    // first + n - 1 of channel 0 (a) or 1 (b), f1[i] for sum first + i with
    // h1, f2 with h2 (null without a second filter). In the mono form every
    // sum has channel 0; the sums where the halves meet may come twice.
    template <class Sink> void run_into(const int32_t* a, const int32_t* b, int count, Sink&& sink) {
        int first = 0;
        for (int i : plan_for(count)) {
            const Size& s = sizes_[static_cast<size_t>(i)];
            const int n = transform(s, a, b, count, first);
            const double* r = work_.data() + half_;
            sink(0, first, n, r, two_filters_ ? r + 2 * stride_ : nullptr);
            if (b) sink(1, first, n, r + stride_, two_filters_ ? r + 3 * stride_ : nullptr);
            first += s.n - 2 * half_;
        }
    }
    template <class Sink> void run_mono_into(const int32_t* x, int count, Sink&& sink) {
        if (count <= 0) return;
        const int first_half = count / 2;
        run_into(x, x + first_half, count - first_half,
                 [&](int channel, int first, int n, const double* f1, const double* f2) {
                     sink(0, channel == 0 ? first : first_half + first, n, f1, f2);
                 });
    }

    // Transform sizes of the segments for `count` outputs, in order.
    std::vector<int> plan(int count) const;

private:
    struct Size {
        int n = 0;
        Fft fft;
        std::vector<double> spectrum1, spectrum2;  // real, scaled by 1/n, quad layout
    };
    const std::vector<int>& plan_for(int count);
    // Transforms the segment from output `first` on into the work buffer;
    // returns its number of outputs.
    int transform(const Size& s, const int32_t* a, const int32_t* b, int count, int first);

    int half_ = 0;
    bool two_filters_ = false;
    std::vector<Size> sizes_;  // rising n
    int planned_count_ = -1;
    std::vector<int> plan_;  // indices into sizes_
    std::vector<double> work_;  // the real and imaginary parts of both results
    size_t stride_ = 0;
};

}  // namespace sc::engine
