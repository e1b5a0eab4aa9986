#include "engine/response_probe.h"

#include <gtest/gtest.h>

#include <cmath>

#include "settings/parameter_set.h"

namespace sc::engine {
namespace {

Equalizer designed(int hpf, int band, float gain, int32_t rate = 44100) {
    ParameterSet p;
    p.HPF = hpf;
    p.EQ.fill(0.0f);
    if (band > 0) p.EQ[static_cast<std::size_t>(band - 1)] = gain;
    Equalizer eq;
    eq.EQ_FILTERBESTIMMEN(p, rate);
    return eq;
}

TEST(ResponseProbe, FlatEqualizerAndHighPassBehaveAsExpected) {
    const Equalizer flat = designed(0, 0, 0.0f);
    ASSERT_EQ(flat.N(), 0);
    for (double f : {30.0, 1000.0, 15000.0}) EXPECT_NEAR(equalizer_level_db(flat, f, 44100), 0.0, 0.01) << f;

    const Equalizer hpf = designed(100, 0, 0.0f);
    EXPECT_LT(equalizer_level_db(hpf, 30.0, 44100), -10.0);
    EXPECT_NEAR(equalizer_level_db(hpf, 1000.0, 44100), 0.0, 0.3);
    EXPECT_NEAR(equalizer_level_db(hpf, 8000.0, 44100), 0.0, 0.3);
}

TEST(ResponseProbe, BoostedBandPeaksNearItsGainAroundItsCentre) {
    for (int band : {3, 6, 9, 11}) {
        const Equalizer eq = designed(0, band, 9.0f);
        const double centre = EQ_FREQUENCIES[static_cast<std::size_t>(band - 1)];
        const PeakShape s =
            measure_peak([&](double f) { return equalizer_level_db(eq, f, 44100); }, centre / 6, centre * 2);
        EXPECT_NEAR(s.peak_db, 9.0, 0.5) << band;
        EXPECT_NEAR(s.peak_freq / centre, 1.0, 0.1) << band;
        ASSERT_TRUE(s.complete()) << band;
        EXPECT_LT(s.fu, s.peak_freq);
        EXPECT_GT(s.fo, s.peak_freq);
        EXPECT_NEAR(s.q(), 1.4, 0.2) << band;  // about one octave wide
        EXPECT_NEAR(equalizer_level_db(eq, s.fu, 44100), s.peak_db - 3.0, 0.05);
        EXPECT_NEAR(equalizer_level_db(eq, s.fo, 44100), s.peak_db - 3.0, 0.05);
    }
}

TEST(ResponseProbe, CutBandDipsAtItsCentreAndLeavesDistantFrequencies) {
    const Equalizer eq = designed(0, 7, -9.0f);  // 1.6 kHz
    EXPECT_NEAR(equalizer_level_db(eq, 1600.0, 44100), -9.0, 1.5);
    EXPECT_NEAR(equalizer_level_db(eq, 100.0, 44100), 0.0, 0.2);
    EXPECT_NEAR(equalizer_level_db(eq, 15000.0, 44100), 0.0, 0.3);
}

TEST(ResponseProbe, CrossoverBandsSplitAsDesigned) {
    const Crossover x;
    const CrossoverLevels at250 = crossover_levels_db(x, 250.0, 44100);
    EXPECT_NEAR(at250.low, 20.0 * std::log10(0.51), 0.3);
    const CrossoverLevels at1k = crossover_levels_db(x, 1000.0, 44100);
    EXPECT_NEAR(at1k.mid, 0.0, 0.1);
    EXPECT_LT(at1k.low, -50.0);
    EXPECT_LT(at1k.high, -50.0);
    const CrossoverLevels at6k = crossover_levels_db(x, 6000.0, 44100);
    EXPECT_NEAR(at6k.high, 20.0 * std::log10(0.67), 0.3);
    const CrossoverLevels at10k = crossover_levels_db(x, 10000.0, 44100);
    EXPECT_NEAR(at10k.high, 0.0, 0.1);
    EXPECT_LT(at10k.low, -50.0);
    // Silence comes out as the floor, not as minus infinity.
    EXPECT_EQ(crossover_levels_db(x, 20000.0, 44100).low, PROBE_FLOOR_DB);
}

TEST(PeakSearch, FindsTheEdgesOfAKnownShape) {
    // 9 dB at 1 kHz, falling 3 dB half an octave away on either side.
    const auto shape = [](double f) {
        const double octaves = std::log2(f / 1000.0);
        return 9.0 - 12.0 * octaves * octaves;
    };
    const PeakShape s = measure_peak(shape, 100.0, 10000.0);
    EXPECT_NEAR(s.peak_db, 9.0, 0.01);
    EXPECT_NEAR(s.peak_freq, 1000.0, 5.0);
    EXPECT_NEAR(s.fu, 1000.0 / std::sqrt(2.0), 0.5);
    EXPECT_NEAR(s.fo, 1000.0 * std::sqrt(2.0), 0.5);
    EXPECT_NEAR(s.centre(), 1000.0, 0.5);
    EXPECT_NEAR(s.width(), 1000.0 / std::sqrt(2.0), 1.0);
    EXPECT_NEAR(s.q(), std::sqrt(2.0), 0.01);
}

TEST(PeakSearch, AnEdgeOutsideTheRangeIsReportedMissing) {
    const PeakShape rising = measure_peak([](double f) { return std::log2(f); }, 100.0, 1000.0);
    EXPECT_NEAR(rising.peak_freq, 1000.0, 1e-6);
    EXPECT_GT(rising.fu, 0.0);
    EXPECT_EQ(rising.fo, 0.0);
    EXPECT_FALSE(rising.complete());
    EXPECT_EQ(rising.width(), 0.0);
    EXPECT_EQ(rising.q(), 0.0);
    EXPECT_EQ(rising.centre(), rising.peak_freq);

    const std::vector<double> f = log_frequencies(20.0, 20000.0, 12);
    ASSERT_FALSE(f.empty());
    EXPECT_DOUBLE_EQ(f.front(), 20.0);
    EXPECT_NEAR(f.back(), 20000.0, 1e-9);
    EXPECT_EQ(f.size(), 121u);  // ten octaves less a little, twelve steps each
    EXPECT_TRUE(log_frequencies(100.0, 50.0, 12).empty());
}

}  // namespace
}  // namespace sc::engine
