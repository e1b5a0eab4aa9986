#include <gtest/gtest.h>

#include "engine/gain_curves.h"

namespace sc::engine {

namespace {

ParameterSet bands(int32_t threshold, float ratio) {
    ParameterSet p;
    p.KOMPR_THRBASS = p.KOMPR_THRMIDD = p.KOMPR_THRHIGH = threshold;
    p.KOMPR_RATBASS = p.KOMPR_RATMIDD = p.KOMPR_RATHIGH = ratio;
    return p;
}

}  // namespace

TEST(GainCurves, RatioOneIsUnityEverywhereIncludingTheKnee) {
    GainCurves c;
    const ParameterSet p = bands(10362, 1.0f);
    c.K_KURVE_ERZEUGEN_BASS(p, 1);
    c.K_KURVE_ERZEUGEN_MIDD(p, 2);
    for (Band b : {Band::Bass, Band::Midd}) {
        for (int32_t i = -500; i <= BAND_INDEX_MAX; ++i) ASSERT_EQ(c.band(b)[i], 1.0f) << i;
    }
}

TEST(GainCurves, SoftKneeAveragesSevenHardKneePoints) {
    GainCurves c;
    const ParameterSet p = bands(10362, 2.5f);
    c.K_KURVE_ERZEUGEN_HIGH(p, 1);
    const int32_t t = c.band_threshold(Band::High);
    EXPECT_EQ(t, 2590);  // round(10362 / 4) = round(2590.5), to even
    const auto s = [t](int32_t i) { return hard_knee(i, t, 2.5); };
    const CurveTable& h = c.band(Band::High);
    // Below the knee and above it the hard-knee values stand.
    EXPECT_EQ(h[t - 300], 1.0f);
    EXPECT_EQ(h[t + 2000], s(t + 2000));
    EXPECT_FLOAT_EQ(s(t + 2000), (t + 2000 / 2.5f) / (t + 2000));
    // Inside: the 7-point mean; the gain starts to fall 250 steps below T.
    EXPECT_EQ(h[t - 251], 1.0f);
    EXPECT_LT(h[t - 249], 1.0f);
    const int32_t i = t + 50;
    const double mean = (static_cast<double>(s(i)) + s(i - 100) + s(i + 100) + s(i - 200) + s(i + 200) +
                         s(i - 250) + s(i + 250)) / 7.0;
    EXPECT_FLOAT_EQ(h[i], static_cast<float>(mean));
    // The curve falls monotonically and stays within (0, 1].
    for (int32_t k = -500; k < BAND_INDEX_MAX; ++k) {
        ASSERT_LE(h[k + 1], h[k]) << k;
        ASSERT_GT(h[k], 0.0f);
    }
}

TEST(GainCurves, LowThresholdKneeReachesNegativeIndicesSafely) {
    GainCurves c;
    c.K_KURVE_ERZEUGEN_BASS(bands(800, 4.0f), 1);  // T = 200
    const CurveTable& b = c.band(Band::Bass);
    EXPECT_EQ(c.band_threshold(Band::Bass), 200);
    for (int32_t i = -500; i <= 3000; ++i) {
        ASSERT_TRUE(b[i] > 0.0f && b[i] <= 1.0f) << i;
    }
    EXPECT_EQ(b[-99], 1.0f);
    EXPECT_LT(b[0], 1.0f);  // inside the knee window
}

TEST(GainCurves, StereoLowersBandAndLevelerThresholdsButNotTheLimiter) {
    ParameterSet p = bands(11627, 3.0f);
    p.LIMI_THR = 29152;
    GainCurves mono, stereo;
    mono.K_KURVE_ERZEUGEN_MIDD(p, 1);
    stereo.K_KURVE_ERZEUGEN_MIDD(p, 2);
    EXPECT_EQ(mono.band_threshold(Band::Midd), 2907);
    EXPECT_EQ(stereo.band_threshold(Band::Midd), 2528);  // round(2907 / 1.15)
    EXPECT_LT(stereo.band(Band::Midd)[2700], mono.band(Band::Midd)[2700]);

    mono.K_KURVE_ERZEUGEN_LEVE(p, 1);
    stereo.K_KURVE_ERZEUGEN_LEVE(p, 2);
    EXPECT_EQ(mono.leveler_threshold(), 3251);
    EXPECT_EQ(stereo.leveler_threshold(), 2827);
    EXPECT_FLOAT_EQ(mono.leveler()[6502], (3251 + 3251 / 3.0f) / 6502);
    EXPECT_EQ(mono.leveler()[3250], 1.0f);

    mono.K_KURVE_ERZEUGEN_LIMI(p);
    stereo.K_KURVE_ERZEUGEN_LIMI(p);
    EXPECT_EQ(mono.limiter_threshold(), 911);  // floor(29152 / 8) = 3644, / 4
    for (int32_t i : {0, 910, 911, 2000, FULL_INDEX_MAX}) EXPECT_EQ(mono.limiter()[i], stereo.limiter()[i]);
    EXPECT_EQ(mono.limiter()[910], 1.0f);
    EXPECT_FLOAT_EQ(mono.limiter()[1822], 0.5f);
}

TEST(GainCurves, RebuildingWithTheSameSettingsGivesTheSameTable) {
    GainCurves c;
    const ParameterSet p = bands(6538, 2.5f);
    c.K_KURVE_ERZEUGEN_BASS(p, 1);
    std::vector<float> before;
    for (int32_t i = -500; i <= BAND_INDEX_MAX; ++i) before.push_back(c.band(Band::Bass)[i]);
    c.K_KURVE_ERZEUGEN_BASS(bands(20000, 5.0f), 2);
    c.K_KURVE_ERZEUGEN_BASS(p, 1);
    for (int32_t i = -500; i <= BAND_INDEX_MAX; ++i) ASSERT_EQ(c.band(Band::Bass)[i], before[static_cast<size_t>(i + 500)]);
}

}  // namespace sc::engine
