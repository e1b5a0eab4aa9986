// A small radix-2 complex FFT in double precision (power-of-two sizes).
#pragma once

#include <complex>
#include <vector>

namespace sc::engine {

class Fft {
public:
    explicit Fft(int size = 0) { resize(size); }
    void resize(int size);
    int size() const { return n_; }
    // In place, unscaled: X(k) = sum x(j) e^(-2 pi i jk / n).
    void forward(std::complex<double>* data) const;
    // In place, unscaled inverse (no 1/n).
    void inverse(std::complex<double>* data) const;

private:
    int n_ = 0;
    std::vector<int> reverse_;
    std::vector<std::complex<double>> twiddle_;  // per stage, contiguous
};

}  // namespace sc::engine
