#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "engine/fast_fir.h"
#include "engine/fft.h"
#include "tests/engine/chain_helpers.h"

namespace sc::engine {

namespace {

std::vector<double> noise(size_t n, uint32_t seed) {
    std::vector<double> v(n);
    for (auto& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<double>(seed >> 8) / 16777216.0 * 60000 - 30000;
    }
    return v;
}

}  // namespace

TEST(Fft, MatchesTheDefiningSumAndInvertsBothWays) {
    for (int n : {2, 4, 8, 64, 512}) {
        Fft f(n);
        auto re = noise(static_cast<size_t>(n), 1), im = noise(static_cast<size_t>(n), 2);
        const auto re0 = re, im0 = im;
        f.forward(re.data(), im.data());
        for (int k = 0; k < n; ++k) {
            std::complex<double> s = 0;
            for (int j = 0; j < n; ++j)
                s += std::complex<double>(re0[static_cast<size_t>(j)], im0[static_cast<size_t>(j)]) *
                     std::polar(1.0, -2 * M_PI * j * k / n);
            ASSERT_NEAR(re[static_cast<size_t>(k)], s.real(), 1e-7 * n) << n << " " << k;
            ASSERT_NEAR(im[static_cast<size_t>(k)], s.imag(), 1e-7 * n);
        }
        f.inverse(re.data(), im.data());
        for (int j = 0; j < n; ++j) ASSERT_NEAR(re[static_cast<size_t>(j)] / n, re0[static_cast<size_t>(j)], 1e-8);

        // The reordering-free pair: forward into bit-reversed order and back.
        re = re0;
        im = im0;
        f.forward_to_bitreversed(re.data(), im.data());
        f.inverse_from_bitreversed(re.data(), im.data());
        for (int j = 0; j < n; ++j) {
            ASSERT_NEAR(re[static_cast<size_t>(j)] / n, re0[static_cast<size_t>(j)], 1e-8);
            ASSERT_NEAR(im[static_cast<size_t>(j)] / n, im0[static_cast<size_t>(j)], 1e-8);
        }
    }
}

std::vector<int32_t> int_noise(size_t n, uint32_t seed, double amplitude) {
    std::vector<int32_t> v(n);
    for (auto& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<int32_t>((static_cast<double>(seed >> 8) / 16777216.0 * 2 - 1) * amplitude);
    }
    return v;
}

// The sums stay far closer to the direct double sums than the margin within
// which the engine sums a value again directly (1e-5), also for 24-bit
// samples raised by the largest input gain; with every build of the
// transform's passes (the widest takes two blocks of 16 at a time).
TEST(FastFir, EqualsDirectSumsForBothChannelsAndFilters) {
    testing::for_each_variant([](cpu::Variant) {
        for (int half : {4, 80, 350, 381}) {
            const size_t taps = static_cast<size_t>(half) + 1;
            std::vector<double> h1 = noise(taps, 3), h2 = noise(taps, 4);
            for (auto* h : {&h1, &h2})
                for (auto& x : *h) x /= 30000.0 * half;
            for (int count : {1, 17, 2501, 4489, 4649}) {
                for (double amplitude : {32768.0, 8388608.0 * 8}) {
                    const auto xa = int_noise(static_cast<size_t>(count + 2 * half), 5, amplitude);
                    const auto xb = int_noise(static_cast<size_t>(count + 2 * half), 6, amplitude);
                    auto direct = [&](const std::vector<int32_t>& x, const std::vector<double>& h, int j) {
                        double s = h[0] * x[static_cast<size_t>(j + half)];
                        for (int m = 1; m <= half; ++m)
                            s += h[static_cast<size_t>(m)] *
                                 (static_cast<double>(x[static_cast<size_t>(j + half - m)]) +
                                  x[static_cast<size_t>(j + half + m)]);
                        return s;
                    };
                    const double tolerance = amplitude * 1e-14;  // 3e-10 at 16 bit, 7e-7 at the 24-bit extreme
                    FastFir f;
                    f.design(half, h1.data(), h2.data(), 4649);
                    std::vector<double> o1a(static_cast<size_t>(count)), o1b(o1a), o2a(o1a), o2b(o1a);
                    f.run(xa.data() + half, xb.data() + half, count, o1a.data(), o1b.data(), o2a.data(), o2b.data());
                    for (int j = 0; j < count; ++j) {
                        const size_t u = static_cast<size_t>(j);
                        ASSERT_NEAR(o1a[u], direct(xa, h1, j), tolerance) << half << " " << count << " " << j;
                        ASSERT_NEAR(o1b[u], direct(xb, h1, j), tolerance);
                        ASSERT_NEAR(o2a[u], direct(xa, h2, j), tolerance);
                        ASSERT_NEAR(o2b[u], direct(xb, h2, j), tolerance);
                    }
                    FastFir mono;
                    mono.design(half, h1.data(), nullptr, 2325);
                    std::vector<double> m(static_cast<size_t>(count));
                    mono.run_mono(xa.data() + half, count, m.data(), nullptr);
                    for (int j = 0; j < count; ++j)
                        ASSERT_NEAR(m[static_cast<size_t>(j)], direct(xa, h1, j), tolerance);
                }
            }
        }
    });
}

TEST(FastFir, SegmentsCoverTheRunAtTheLeastCost) {
    const std::vector<double> h(351, 0.001);
    FastFir f;
    f.design(350, h.data(), nullptr, 4649);
    for (int count : {1, 100, 1348, 1349, 4649, 20000}) {
        int covered = 0;
        for (int n : f.plan(count)) {
            EXPECT_GT(n - 700, 0);
            covered += n - 700;
        }
        EXPECT_GE(covered, count);
    }
    // A block of the deepest filter: one transform of 4096 and one of 2048
    // rather than three of 2048 and the end filled by shorter ones.
    EXPECT_EQ(f.plan(4649), (std::vector<int>{4096, 2048}));
}

}  // namespace sc::engine
