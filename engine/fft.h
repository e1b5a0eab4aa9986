// A radix-2/4 complex FFT in double precision for power-of-two sizes, on
// split real/imaginary arrays so that the butterflies vectorize.
#pragma once

#include <cstdint>
#include <vector>

namespace sc::engine {

class Fft {
public:
    explicit Fft(int size = 0) { resize(size); }
    void resize(int size);
    int size() const { return n_; }
    // In place, unscaled: X(k) = sum x(j) e^(-2 pi i jk / n).
    void forward(double* re, double* im) const;
    // In place, unscaled inverse (no 1/n): the forward transform with the
    // real and imaginary parts exchanged.
    void inverse(double* re, double* im) const;

    // The pair for convolution without reordering: the forward transform
    // leaves the spectrum in bit-reversed order, and the inverse takes it in
    // that order and returns natural order. Spectra multiplied element-wise
    // in between stay consistent.
    void forward_to_bitreversed(double* re, double* im) const;
    void inverse_from_bitreversed(double* re, double* im) const;

    // Convolution with real spectra (bit-reversed order, in quad layout),
    // for sizes of at least 16: re/im are transformed, multiplied by
    // `spectrum1` and transformed back in place (unscaled); with
    // `spectrum2` also multiplied by it into re2/im2.
    void convolve(double* re, double* im, const double* spectrum1, const double* spectrum2, double* re2,
                  double* im2) const;
    // A real spectrum in bit-reversed order rearranged for `convolve`: within
    // every 16 values, the four groups of four are transposed.
    static std::vector<double> quad_layout(const std::vector<double>& bitreversed);

private:
    void dit_stages(double* re, double* im) const;
    void forward_to_quads(double* re, double* im) const;
    void dif_range(double* re, double* im, int len, int hi, int lo) const;
    void dit_range(double* re, double* im, int len, int lo, int hi) const;

    int n_ = 0;
    int bits_ = 0;
    std::vector<std::pair<int32_t, int32_t>> swaps_;  // bit-reversal pairs
    // Twiddles of the stage with span h at [h, 2h): e^(-i pi j / h).
    std::vector<double> tw_re_, tw_im_;
    // e^(-i pi 3j / (2q)) for the radix-4 pairs, at [q, 2q).
    std::vector<double> tw3_re_, tw3_im_;
};

}  // namespace sc::engine
