#include "engine/fft.h"

#include <cmath>
#include <utility>

namespace sc::engine {

void Fft::resize(int size) {
    n_ = size;
    reverse_.assign(static_cast<size_t>(size), 0);
    twiddle_.clear();
    if (size < 2) return;
    int bits = 0;
    while ((1 << bits) < size) ++bits;
    for (int i = 0; i < size; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b) r |= ((i >> b) & 1) << (bits - 1 - b);
        reverse_[static_cast<size_t>(i)] = r;
    }
    // Stage with butterfly span h uses e^(-i pi j / h), j = 0 .. h-1.
    const double pi = 3.14159265358979323846;
    for (int h = 1; h < size; h *= 2) {
        for (int j = 0; j < h; ++j) twiddle_.emplace_back(std::cos(pi * j / h), -std::sin(pi * j / h));
    }
}

void Fft::forward(std::complex<double>* data) const {
    const int n = n_;
    for (int i = 0; i < n; ++i) {
        const int r = reverse_[static_cast<size_t>(i)];
        if (i < r) std::swap(data[i], data[r]);
    }
    double* d = reinterpret_cast<double*>(data);
    const double* tw = reinterpret_cast<const double*>(twiddle_.data());
    for (int h = 1; h < n; h *= 2) {
        for (int start = 0; start < n; start += 2 * h) {
            double* a = d + 2 * start;
            double* b = d + 2 * (start + h);
            for (int j = 0; j < h; ++j) {
                const double wr = tw[2 * j], wi = tw[2 * j + 1];
                const double br = b[2 * j], bi = b[2 * j + 1];
                const double tr = br * wr - bi * wi;
                const double ti = br * wi + bi * wr;
                const double ar = a[2 * j], ai = a[2 * j + 1];
                a[2 * j] = ar + tr;
                a[2 * j + 1] = ai + ti;
                b[2 * j] = ar - tr;
                b[2 * j + 1] = ai - ti;
            }
        }
        tw += 2 * h;
    }
}

void Fft::inverse(std::complex<double>* data) const {
    // The inverse is the forward transform of the swapped parts, swapped back.
    for (int i = 0; i < n_; ++i) data[i] = {data[i].imag(), data[i].real()};
    forward(data);
    for (int i = 0; i < n_; ++i) data[i] = {data[i].imag(), data[i].real()};
}

}  // namespace sc::engine
