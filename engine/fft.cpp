#include "engine/fft.h"

#include <cmath>
#include <utility>

namespace sc::engine {

void Fft::resize(int size) {
    n_ = size;
    swaps_.clear();
    tw_re_.assign(static_cast<size_t>(std::max(size, 2)), 0.0);
    tw_im_.assign(static_cast<size_t>(std::max(size, 2)), 0.0);
    if (size < 2) return;
    int bits = 0;
    while ((1 << bits) < size) ++bits;
    for (int i = 0; i < size; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b) r |= ((i >> b) & 1) << (bits - 1 - b);
        if (i < r) swaps_.emplace_back(i, r);
    }
    const double pi = 3.14159265358979323846;
    for (int h = 1; h < size; h *= 2) {
        for (int j = 0; j < h; ++j) {
            tw_re_[static_cast<size_t>(h + j)] = std::cos(pi * j / h);
            tw_im_[static_cast<size_t>(h + j)] = -std::sin(pi * j / h);
        }
    }
}

namespace {

__attribute__((target_clones("avx2", "default")))
void butterflies(double* __restrict re, double* __restrict im, const double* __restrict wr,
                 const double* __restrict wi, int n, int h) {
    for (int start = 0; start < n; start += 2 * h) {
        double* ar = re + start;
        double* ai = im + start;
        double* br = re + start + h;
        double* bi = im + start + h;
        for (int j = 0; j < h; ++j) {
            const double tr = br[j] * wr[j] - bi[j] * wi[j];
            const double ti = br[j] * wi[j] + bi[j] * wr[j];
            const double xr = ar[j], xi = ai[j];
            ar[j] = xr + tr;
            ai[j] = xi + ti;
            br[j] = xr - tr;
            bi[j] = xi - ti;
        }
    }
}

__attribute__((target_clones("avx2", "default")))
void dif_butterflies(double* __restrict re, double* __restrict im, const double* __restrict wr,
                     const double* __restrict wi, int n, int h) {
    for (int start = 0; start < n; start += 2 * h) {
        double* ar = re + start;
        double* ai = im + start;
        double* br = re + start + h;
        double* bi = im + start + h;
        for (int j = 0; j < h; ++j) {
            const double xr = ar[j], xi = ai[j];
            const double tr = xr - br[j];
            const double ti = xi - bi[j];
            ar[j] = xr + br[j];
            ai[j] = xi + bi[j];
            br[j] = tr * wr[j] - ti * wi[j];
            bi[j] = tr * wi[j] + ti * wr[j];
        }
    }
}

}  // namespace

void Fft::forward(double* re, double* im) const {
    if (n_ < 2) return;
    for (const auto& [a, b] : swaps_) {
        std::swap(re[a], re[b]);
        std::swap(im[a], im[b]);
    }
    dit_stages(re, im);
}

void Fft::inverse(double* re, double* im) const { forward(im, re); }

void Fft::forward_to_bitreversed(double* re, double* im) const {
    const int n = n_;
    if (n < 2) return;
    for (int h = n / 2; h >= 4; h /= 2) dif_butterflies(re, im, tw_re_.data() + h, tw_im_.data() + h, n, h);
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

void Fft::dit_stages(double* re, double* im) const {
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
    for (int h = 4; h < n; h *= 2) butterflies(re, im, tw_re_.data() + h, tw_im_.data() + h, n, h);
}

}  // namespace sc::engine
