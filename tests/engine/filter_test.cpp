#include <gtest/gtest.h>

#include <cmath>

#include "engine/crossover.h"
#include "engine/equalizer.h"

namespace sc::engine {

namespace {

// Gain of the whole equalizer (x minus the subtracted filter) for a sine.
double equalizer_gain(const Equalizer& e, double freq, double rate) {
    const double w = 2 * 3.14159265358979323846 * freq / rate;
    double h = 0;
    for (int m = 0; m <= e.N(); ++m) h += 2 * e.c()[static_cast<size_t>(m)] * std::cos(w * m);
    return 1.0 - h;
}

}  // namespace

TEST(Equalizer, DepthFollowsTheLowestActiveComponent) {
    ParameterSet p;
    Equalizer e;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_EQ(e.N(), 0);
    for (float c : e.c()) ASSERT_EQ(c, 0.0f);

    p.EQ[11] = 2.0f;  // 15 kHz alone
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_EQ(e.N(), 4);

    p = ParameterSet{};
    p.HPF = 100;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_EQ(e.N(), 275);
    e.EQ_FILTERBESTIMMEN(p, 48000);
    EXPECT_EQ(e.N(), 299);
    p.HPF = 150;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_EQ(e.N(), 175);

    p = ParameterSet{};
    p.EQ[0] = -1.5f;  // 100 Hz band: capped at 350 / 381
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_EQ(e.N(), 350);
    e.EQ_FILTERBESTIMMEN(p, 48000);
    EXPECT_EQ(e.N(), 381);
    p.HPF = 100;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_EQ(e.N(), 350);
    EXPECT_EQ(e.half_lengths()[0], 275);
    EXPECT_EQ(e.half_lengths()[11], 300);  // 160 Hz cap
}

TEST(Equalizer, BoostHasNegativeWeightAndRaisesItsBand) {
    ParameterSet p;
    p.EQ[5] = 6.0f;   // 1 kHz up
    p.EQ[9] = -6.0f;  // 6.3 kHz down
    Equalizer e;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_LT(e.weights()[13 - 6], 0.0f);
    EXPECT_GT(e.weights()[13 - 10], 0.0f);
    EXPECT_FLOAT_EQ(e.weights()[13 - 6], static_cast<float>(-std::pow(6 / 4.18, 1.5)));
    EXPECT_GT(equalizer_gain(e, 1000, 44100), 1.4);
    EXPECT_LT(equalizer_gain(e, 6300, 44100), 0.7);
    EXPECT_NEAR(equalizer_gain(e, 100, 44100), 1.0, 0.05);
}

TEST(Equalizer, HighPassRemovesTheLowEnd) {
    ParameterSet p;
    p.HPF = 100;
    Equalizer e;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    EXPECT_LT(std::abs(equalizer_gain(e, 0, 44100)), 0.05);
    EXPECT_NEAR(equalizer_gain(e, 1000, 44100), 1.0, 0.02);
}

TEST(Equalizer, CorrectionsApplyInOrder) {
    ParameterSet p;
    p.EQ[0] = 3.0f;  // 100 Hz and 160 Hz boosted: both scaled, then the neighbour rule
    p.EQ[1] = 3.0f;
    Equalizer e;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    const double w = -std::pow(3 / 4.18, 1.5);
    const float w11 = static_cast<float>(w * 0.9574468085106382);
    float w12 = static_cast<float>(w * 0.9090909090909091);
    w12 = static_cast<float>(w12 * (3 + 0.45 * w11) / 3.0);
    w12 = static_cast<float>(w12 * (3 + 0.25 * w11) / 3.0);
    EXPECT_FLOAT_EQ(e.weights()[11], w11);
    EXPECT_FLOAT_EQ(e.weights()[12], w12);
}

TEST(Equalizer, FilterSumCountsTheCentreTwiceWithTheHalvedTap) {
    ParameterSet p;
    p.EQ[11] = -4.0f;
    Equalizer e;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    int32_t x[13] = {0, 0, 0, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 0};
    EXPECT_DOUBLE_EQ(e.sum_at(x, 6, 1), 2.0 * e.c()[0] * 1000);
    EXPECT_DOUBLE_EQ(e.sum_at(x, 4, 1), static_cast<double>(e.c()[2]) * 1000);
}

TEST(Crossover, ResponsesAt44100) {
    Crossover x;
    auto low = [&](double f) { return Crossover::response(x.low_taps(), f, 44100); };
    auto high = [&](double f) { return Crossover::response(x.high_taps(), f, 44100); };
    EXPECT_NEAR(low(0), 1.001, 0.0005);
    EXPECT_NEAR(low(250), 0.51, 0.01);
    EXPECT_NEAR(low(400), 0.13, 0.01);
    // The taps leave a side lobe of about -0.033 near 600 Hz and ripples of
    // up to 0.012 from 1 kHz on.
    for (double f = 500; f < 22050; f += 5) {
        ASSERT_LT(std::abs(low(f)), f < 1000 ? 0.035 : 0.012) << f;
    }
    EXPECT_NEAR(high(5800), 0.36, 0.01);
    EXPECT_NEAR(high(6000), 0.67, 0.01);
    for (double f = 7000; f <= 15000; f += 5) ASSERT_NEAR(high(f), 1.0, 0.002) << f;
    EXPECT_NEAR(high(20000), 0.38, 0.01);
    EXPECT_LT(std::abs(high(1000)), 0.002);
    EXPECT_LT(std::abs(low(1000)), 0.002);
}

TEST(Crossover, SineSplitsMeasuredThroughTheFilterSums) {
    Crossover x;
    std::vector<int32_t> s(4000);
    for (double f : {1000.0, 10000.0, 60.0}) {
        for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int32_t>(std::lrint(20000 * std::sin(2 * M_PI * f * i / 44100)));
        double lo = 0, hi = 0, mid = 0;
        for (int64_t j = 200; j < 3800; ++j) {
            const BandSums b = x.sums_at(s.data(), j);
            lo = std::max(lo, std::abs(b.low));
            hi = std::max(hi, std::abs(b.high));
            mid = std::max(mid, std::abs(s[static_cast<size_t>(j)] - b.low - b.high));
        }
        if (f == 1000.0) {
            EXPECT_LT(lo, 0.002 * 20000);
            EXPECT_LT(hi, 0.002 * 20000);
            EXPECT_NEAR(mid, 20000, 60);
        } else if (f == 10000.0) {
            EXPECT_NEAR(hi, 20000, 40);
        } else {
            EXPECT_GT(lo, 0.95 * 20000);
        }
    }
}

}  // namespace sc::engine
