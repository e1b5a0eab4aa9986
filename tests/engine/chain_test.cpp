#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "chain_helpers.h"

namespace sc::engine {

using testing::interleave;
using testing::music;
using testing::process;
using testing::transparent;

namespace {

int32_t max_difference(const std::vector<int32_t>& a, const std::vector<int32_t>& b) {
    int32_t d = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) d = std::max(d, std::abs(a[i] - b[i]));
    return d;
}

size_t loudest(const std::vector<int32_t>& v) {
    return static_cast<size_t>(std::max_element(v.begin(), v.end(), [](int32_t a, int32_t b) {
                                   return std::abs(a) < std::abs(b);
                               }) - v.begin());
}

}  // namespace

TEST(Chain, TransparentSettingsReturnTheInputWithinOne) {
    const auto in = music(30000, 20000);
    const auto mono = process(transparent(), SampleFormat::Mono16, in);
    ASSERT_EQ(mono.size(), in.size());
    EXPECT_LE(max_difference(mono, in), 1);

    const auto st_in = interleave(in, music(30000, 15000, 7));
    const auto stereo = process(transparent(), SampleFormat::Stereo16, st_in);
    ASSERT_EQ(stereo.size(), st_in.size());
    EXPECT_LE(max_difference(stereo, st_in), 1);

    std::vector<int32_t> in24(in.size());
    for (size_t i = 0; i < in.size(); ++i) in24[i] = in[i] * 256 + static_cast<int32_t>(i % 256);
    const auto out24 = process(transparent(), SampleFormat::Mono24, in24);
    ASSERT_EQ(out24.size(), in24.size());
    EXPECT_LE(max_difference(out24, in24), 1);
}

TEST(Chain, NoDelayForAnyFilterDepth) {
    for (int variant = 0; variant < 4; ++variant) {
        ParameterSet p = transparent();
        if (variant == 1) p.EQ[11] = 3.0f;  // N = 4
        if (variant == 2) p.HPF = 100;      // N = 275
        if (variant == 3) { p.HPF = 100; p.EQ[0] = -3.0f; }  // N = 350
        for (size_t at : {size_t{0}, size_t{4321}, size_t{9000}, size_t{19999}}) {
            std::vector<int32_t> in(20000, 0);
            in[at] = 12000;
            const auto out = process(p, SampleFormat::Mono16, in);
            ASSERT_EQ(out.size(), in.size());
            EXPECT_EQ(loudest(out), at) << "variant " << variant << " at " << at;
            const auto st = process(p, SampleFormat::Stereo16, interleave(in, in));
            EXPECT_EQ(loudest(st) / 2, at) << "stereo variant " << variant;
        }
    }
}

TEST(Chain, OutputLengthEqualsInputLengthInEveryFormat) {
    for (size_t n : {size_t{1}, size_t{100}, size_t{4500}, size_t{4999}, size_t{13001}, size_t{44100}}) {
        const auto in = music(n, 8000);
        EXPECT_EQ(process(transparent(), SampleFormat::Mono16, in).size(), n);
        EXPECT_EQ(process(transparent(), SampleFormat::Mono24, in).size(), n);
        EXPECT_EQ(process(transparent(), SampleFormat::Stereo16, interleave(in, in)).size(), 2 * n);
    }
}

TEST(Chain, OddDataSizeIsCutToTheByteAndAsksForAPad) {
    Engine engine;
    std::vector<uint8_t> data = testing::bytes_of(music(3000, 5000), 2);
    data.push_back(0x12);  // a lone byte after the last whole sample
    const auto run = testing::run_stream(engine, transparent(), SampleFormat::Mono16, 44100, data);
    EXPECT_EQ(run.output.size(), data.size());
    EXPECT_TRUE(run.pad);
    // The foreign chunk behind the data never enters the chain.
    EXPECT_EQ(run.output.back(), 0);
}

TEST(Chain, ShortStreamIsFirstAndLastBlockAtOnce) {
    const std::vector<int32_t> in = {1000, -2000, 3000, 0, 32767, -32768};
    Engine engine;
    const auto run = testing::run_stream(engine, transparent(), SampleFormat::Mono16, 44100,
                                         testing::bytes_of(in, 2));
    ASSERT_EQ(run.results.size(), 1u);
    EXPECT_TRUE(run.results[0].first);
    EXPECT_TRUE(run.results[0].last);
    const auto out = testing::values_of(run.output, 2);
    EXPECT_LE(max_difference(out, in), 1);
    EXPECT_EQ(run.results[0].input_peak_left, 32768);
}

TEST(Chain, LoudFinalSampleIsProcessed) {
    for (size_t n : {size_t{5000}, size_t{12345}}) {
        std::vector<int32_t> in(n, 0);
        in.back() = 20000;
        in[n - 2] = -15000;
        const auto out = process(transparent(), SampleFormat::Mono16, in);
        ASSERT_EQ(out.size(), n);
        EXPECT_NEAR(out.back(), 20000, 1);
        EXPECT_NEAR(out[n - 2], -15000, 1);
        const auto st = process(transparent(), SampleFormat::Stereo16, interleave(in, in));
        EXPECT_NEAR(st.back(), 20000, 1);
        const auto o24 = process(transparent(), SampleFormat::Mono24, std::vector<int32_t>(in.size(), 0));
        EXPECT_EQ(o24.back(), 0);
    }
}

TEST(Chain, MutedBassRemovesTheLowBand) {
    ParameterSet p = transparent();
    p.KOMPR_OUTBASS = 0.0f;
    std::vector<int32_t> low(20000), mid(20000);
    for (size_t i = 0; i < low.size(); ++i) {
        low[i] = static_cast<int32_t>(std::lrint(15000 * std::sin(2 * M_PI * 40 * i / 44100.0)));
        mid[i] = static_cast<int32_t>(std::lrint(15000 * std::sin(2 * M_PI * 1500 * i / 44100.0)));
    }
    // Away from the abrupt start and end of the tones.
    const auto out_low = process(p, SampleFormat::Mono16, low);
    const auto out_mid = process(p, SampleFormat::Mono16, mid);
    int32_t peak = 0, diff = 0;
    for (size_t i = 2000; i < 18000; ++i) {
        peak = std::max(peak, std::abs(out_low[i]));
        diff = std::max(diff, std::abs(out_mid[i] - mid[i]));
    }
    EXPECT_LT(peak, 15000 / 50);  // more than 34 dB down
    EXPECT_LE(diff, 40);
}

TEST(Chain, ClipsAtTheOutputWordSize) {
    ParameterSet p = transparent();
    p.LIMI_OUTGAIN = 4.0f;
    const auto in = music(20000, 30000);
    const auto out = process(p, SampleFormat::Mono16, in);
    EXPECT_EQ(*std::max_element(out.begin(), out.end()), 32767);
    EXPECT_EQ(*std::min_element(out.begin(), out.end()), -32768);

    std::vector<int32_t> in24(in.size());
    for (size_t i = 0; i < in.size(); ++i) in24[i] = in[i] * 256;
    const auto out24 = process(p, SampleFormat::Mono24, in24);
    EXPECT_EQ(*std::max_element(out24.begin(), out24.end()), 8388607);
    EXPECT_EQ(*std::min_element(out24.begin(), out24.end()), -8388608);
}

TEST(Chain, LimiterHoldsTheSumNearItsThreshold) {
    ParameterSet p = transparent();
    p.LIMI_THR = 16422;  // -6 dB
    p.LIMI_ATT = {1, 8};
    const auto out = process(p, SampleFormat::Mono16, music(44100, 32000));
    int32_t peak = 0;
    for (size_t i = 4410; i < out.size(); ++i) peak = std::max(peak, std::abs(out[i]));
    EXPECT_LT(peak, 19000);
    EXPECT_GT(peak, 14000);
}

TEST(Chain, CompressorReducesLoudPassagesAndTheMetersShowIt) {
    ParameterSet p = transparent();
    p.KOMPR_RATBASS = p.KOMPR_RATMIDD = p.KOMPR_RATHIGH = 4.0f;
    p.KOMPR_THRBASS = p.KOMPR_THRMIDD = p.KOMPR_THRHIGH = 2063;  // -24 dBFS
    Engine engine;
    const auto run = testing::run_stream(engine, p, SampleFormat::Mono16, 44100,
                                         testing::bytes_of(music(44100, 25000), 2));
    float smallest_mid = 1.0f;
    for (const auto& r : run.results) smallest_mid = std::min(smallest_mid, r.minima.mid);
    EXPECT_LT(smallest_mid, 0.7f);
    EXPECT_EQ(run.results.back().minima.leveler, 1.0f);
    // The meter minima start again at 1.0 after every block.
    EXPECT_EQ(engine.minima().mid, 1.0f);
}

TEST(Chain, LevelerOffKeepsUnityAndOnPullsTowardsItsTarget) {
    ParameterSet p = transparent();
    Engine off;
    testing::run_stream(off, p, SampleFormat::Mono16, 44100, testing::bytes_of(music(44100, 30000), 2));
    EXPECT_EQ(off.leveler_gain(), 1.0f);

    p.INPUTAUTO = 1;
    p.LEVE_ATT = 200;  // fast, so a second of signal shows it
    p.LEVE_REL = 60000;
    Engine on;
    const auto run = testing::run_stream(on, p, SampleFormat::Mono16, 44100,
                                         testing::bytes_of(music(44100, 30000), 2));
    float smallest = 1.0f;
    for (const auto& r : run.results) smallest = std::min(smallest, r.minima.leveler);
    EXPECT_LT(smallest, 0.8f);
    EXPECT_GT(smallest, 0.3f);
}

TEST(Chain, GateAtLevelThreeClosesOnAQuietBandAndReopens) {
    ParameterSet p = transparent();
    p.GATEMIDD = 3;
    const size_t quiet = 44100, loud = 4410;
    std::vector<int32_t> in(quiet + loud);
    for (size_t i = 0; i < in.size(); ++i) {
        const double a = i < quiet ? 500 : 12000;
        in[i] = static_cast<int32_t>(std::lrint(a * std::sin(2 * M_PI * 1000 * i / 44100.0)));
    }
    const auto out = process(p, SampleFormat::Mono16, in);
    auto peak = [&](size_t from, size_t to) {
        int32_t m = 0;
        for (size_t i = from; i < to; ++i) m = std::max(m, std::abs(out[i]));
        return m;
    };
    // -25 dB per second: after 0.2 s about 0.56, from 0.6 s on the floor 0.177.
    EXPECT_NEAR(peak(8820, 9261) / 500.0, 0.56, 0.04);
    EXPECT_NEAR(peak(35000, 36000) / 500.0, 0.177, 0.01);
    // The loud passage opens the gate within the MID look-ahead.
    EXPECT_NEAR(peak(quiet, quiet + 100) / 12000.0, 1.0, 0.02);
}

TEST(Chain, BypassLeavesDetectorsAndGainsUntouched) {
    ParameterSet p = transparent();
    p.KOMPR_RATBASS = p.KOMPR_RATMIDD = p.KOMPR_RATHIGH = 6.0f;
    p.KOMPR_BYPASS = 1;
    p.KOMPR_OUTHIGH = 0.5f;
    Engine engine;
    engine.set_detector_levels({0, 1234, 2345, 3456, 0});
    const auto in = music(20000, 25000);
    const auto run = testing::run_stream(engine, p, SampleFormat::Mono16, 44100, testing::bytes_of(in, 2));
    EXPECT_EQ(engine.detector_levels().low, 1234);
    EXPECT_EQ(engine.detector_levels().mid, 2345);
    EXPECT_EQ(engine.detector_levels().high, 3456);
    EXPECT_EQ(engine.band_gain(Band::Midd), 1.0f);
    EXPECT_EQ(run.output.size(), in.size() * 2);
}

TEST(Chain, StereoLinkAppliesOneGainToBothSides) {
    ParameterSet p = transparent();
    p.KOMPR_RATBASS = p.KOMPR_RATMIDD = p.KOMPR_RATHIGH = 4.0f;
    const auto left = music(30000, 28000);
    std::vector<int32_t> right(left.size());
    for (size_t i = 0; i < left.size(); ++i) right[i] = left[i] / 2;
    const auto out = process(p, SampleFormat::Stereo16, interleave(left, right));
    int32_t worst = 0;
    for (size_t i = 0; i < left.size(); ++i) worst = std::max(worst, std::abs(out[2 * i] / 2 - out[2 * i + 1]));
    EXPECT_LE(worst, 3);
    int32_t peak = 0;
    for (size_t i = 0; i < left.size(); ++i) peak = std::max(peak, std::abs(out[2 * i]));
    EXPECT_LT(peak, 26000);  // compressed
}

TEST(Chain, FastPathMatchesTheDirectSums) {
    ParameterSet p;  // the start values: compressor active
    p.HPF = 100;
    p.EQ[0] = 2.5f;
    p.EQ[6] = -3.0f;
    p.INPUTAUTO = 1;
    p.LEVE_ATT = 4000;
    p.LEVE_REL = 60000;
    p.GATEBASS = 2;
    const auto in = music(60000, 14000, 3);
    EXPECT_EQ(process(p, SampleFormat::Mono16, in, 44100, FilterPath::Fast),
              process(p, SampleFormat::Mono16, in, 44100, FilterPath::Reference));
    const auto st = interleave(in, music(60000, 9000, 11));
    EXPECT_EQ(process(p, SampleFormat::Stereo16, st, 48000, FilterPath::Fast),
              process(p, SampleFormat::Stereo16, st, 48000, FilterPath::Reference));
    std::vector<int32_t> in24(in.size());
    for (size_t i = 0; i < in.size(); ++i) in24[i] = in[i] * 256 - 77;
    EXPECT_EQ(process(p, SampleFormat::Mono24, in24, 44100, FilterPath::Fast),
              process(p, SampleFormat::Mono24, in24, 44100, FilterPath::Reference));
}

}  // namespace sc::engine
