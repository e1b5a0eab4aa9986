#include "engine/fft.h"

#include <cmath>
#include <utility>

#include "engine/variant_tables.h"

namespace sc::engine {

void Fft::resize(int size) {
    n_ = size;
    bits_ = 0;
    while ((1 << bits_) < size) ++bits_;
    swaps_.clear();
    tw_re_.assign(static_cast<size_t>(std::max(size, 2)), 0.0);
    tw_im_.assign(static_cast<size_t>(std::max(size, 2)), 0.0);
    tw3_re_.assign(tw_re_.size(), 0.0);
    tw3_im_.assign(tw_re_.size(), 0.0);
    if (size < 2) return;
    for (int i = 0; i < size; ++i) {
        int r = 0;
        for (int b = 0; b < bits_; ++b) r |= ((i >> b) & 1) << (bits_ - 1 - b);
        if (i < r) swaps_.emplace_back(i, r);
    }
    const double pi = 3.14159265358979323846;
    for (int h = 1; h < size; h *= 2) {
        for (int j = 0; j < h; ++j) {
            tw_re_[static_cast<size_t>(h + j)] = std::cos(pi * j / h);
            tw_im_[static_cast<size_t>(h + j)] = -std::sin(pi * j / h);
            tw3_re_[static_cast<size_t>(h + j)] = std::cos(pi * 3 * j / (2 * h));
            tw3_im_[static_cast<size_t>(h + j)] = -std::sin(pi * 3 * j / (2 * h));
        }
    }
}

void Fft::forward(double* re, double* im) const {
    if (n_ < 2) return;
    for (const auto& [a, b] : swaps_) {
        std::swap(re[a], re[b]);
        std::swap(im[a], im[b]);
    }
    dit_stages(re, im);
}

void Fft::inverse(double* re, double* im) const { forward(im, re); }

// Decimation-in-frequency stages with spans hi, hi / 2, ..., lo over `len`
// values (radix-4 pairs, one single stage first for an odd count).
void Fft::dif_range(double* re, double* im, int len, int hi, int lo) const {
    const FftKernels& k = *active_tables().fft;
    int count = 0;
    for (int h = hi; h >= lo; h /= 2) ++count;
    int h = hi;
    if (count % 2 == 1) {
        k.dif_butterflies(re, im, tw_re_.data() + h, tw_im_.data() + h, len, h);
        h /= 2;
    }
    for (; h >= 2 * lo; h /= 4) {
        const int q = h / 2;
        k.dif_pair(re, im, tw_re_.data() + h, tw_im_.data() + h, tw_re_.data() + q, tw_im_.data() + q,
                 tw3_re_.data() + q, tw3_im_.data() + q, len, q);
    }
}

// Decimation-in-time stages with spans lo, 2 lo, ..., hi over `len` values.
void Fft::dit_range(double* re, double* im, int len, int lo, int hi) const {
    const FftKernels& k = *active_tables().fft;
    int h = lo;
    for (; 2 * h <= hi; h *= 4) {
        k.dit_pair(re, im, tw_re_.data() + 2 * h, tw_im_.data() + 2 * h, tw_re_.data() + h, tw_im_.data() + h, len, h);
    }
    if (h <= hi) k.butterflies(re, im, tw_re_.data() + h, tw_im_.data() + h, len, h);
}

void Fft::forward_to_quads(double* re, double* im) const {
    if (n_ >= 8) dif_range(re, im, n_, n_ / 2, 4);
}

void Fft::forward_to_bitreversed(double* re, double* im) const {
    const int n = n_;
    if (n < 2) return;
    forward_to_quads(re, im);
    if (n >= 4) {
        for (int s = 0; s < n; s += 4) {
            // Span 2: twiddles 1 and -i.
            const double r0 = re[s] + re[s + 2], i0 = im[s] + im[s + 2];
            const double r2 = re[s] - re[s + 2], i2 = im[s] - im[s + 2];
            const double r1 = re[s + 1] + re[s + 3], i1 = im[s + 1] + im[s + 3];
            const double dr = re[s + 1] - re[s + 3], di = im[s + 1] - im[s + 3];
            const double r3 = di, i3 = -dr;  // (dr + i di) * (-i)
            // Span 1.
            re[s] = r0 + r1;
            im[s] = i0 + i1;
            re[s + 1] = r0 - r1;
            im[s + 1] = i0 - i1;
            re[s + 2] = r2 + r3;
            im[s + 2] = i2 + i3;
            re[s + 3] = r2 - r3;
            im[s + 3] = i2 - i3;
        }
    } else {
        const double r0 = re[0], i0 = im[0];
        re[0] = r0 + re[1];
        im[0] = i0 + im[1];
        re[1] = r0 - re[1];
        im[1] = i0 - im[1];
    }
}

void Fft::inverse_from_bitreversed(double* re, double* im) const { dit_stages(im, re); }

// The inverse stages run as forward stages on the exchanged parts, which
// conjugates their twiddles.
void Fft::convolve(double* re, double* im, const double* spectrum1, const double* spectrum2, double* re2,
                   double* im2) const {
    const FftKernels& k = *active_tables().fft;
    const int n = n_;
    if (n >= 32) dif_range(re, im, n, n / 2, 16);
    k.sixteens(re, im, spectrum1, spectrum2, re2, im2, n, tw_re_.data(), tw_im_.data());
    if (n >= 32) {
        dit_range(im, re, n, 16, n / 2);
        if (spectrum2) dit_range(im2, re2, n, 16, n / 2);
    }
}

std::vector<double> Fft::quad_layout(const std::vector<double>& s) {
    std::vector<double> out(s.size());
    for (size_t b = 0; b + 16 <= s.size(); b += 16)
        for (size_t g = 0; g < 4; ++g)
            for (size_t e = 0; e < 4; ++e) out[b + 4 * e + g] = s[b + 4 * g + e];
    return out;
}

void Fft::dit_stages(double* re, double* im) const {
    const FftKernels& k = *active_tables().fft;
    const int n = n_;
    if (n < 2) return;
    // Spans 1 and 2 together: twiddles 1 and -i.
    if (n >= 4) {
        for (int s = 0; s < n; s += 4) {
            const double r0 = re[s] + re[s + 1], i0 = im[s] + im[s + 1];
            const double r1 = re[s] - re[s + 1], i1 = im[s] - im[s + 1];
            const double r2 = re[s + 2] + re[s + 3], i2 = im[s + 2] + im[s + 3];
            const double r3 = re[s + 2] - re[s + 3], i3 = im[s + 2] - im[s + 3];
            re[s] = r0 + r2;
            im[s] = i0 + i2;
            re[s + 2] = r0 - r2;
            im[s + 2] = i0 - i2;
            // (r3 + i i3) * (-i) = i3 - i r3
            re[s + 1] = r1 + i3;
            im[s + 1] = i1 - r3;
            re[s + 3] = r1 - i3;
            im[s + 3] = i1 + r3;
        }
    } else {
        const double r0 = re[0], i0 = im[0];
        re[0] = r0 + re[1];
        im[0] = i0 + im[1];
        re[1] = r0 - re[1];
        im[1] = i0 - im[1];
        return;
    }
    int h = 4;
    for (; 4 * h <= n; h *= 4) {
        k.dit_pair(re, im, tw_re_.data() + 2 * h, tw_im_.data() + 2 * h, tw_re_.data() + h, tw_im_.data() + h, n, h);
    }
    if (h < n) k.butterflies(re, im, tw_re_.data() + h, tw_im_.data() + h, n, h);
}

}  // namespace sc::engine
