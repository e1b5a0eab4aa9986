#include <gtest/gtest.h>

#include <cmath>

#include "engine/time_constants.h"

namespace sc::engine {

TEST(TimeConstants, SampleCountsFollowTheRateAndRoundToEven) {
    EXPECT_EQ(samples_of_time(20, 44100), 88);  // 2 ms
    EXPECT_EQ(samples_of_time(20, 48000), 96);
    EXPECT_EQ(samples_of_time(300, 44100), 1323);
    EXPECT_EQ(samples_of_time(90, 44100), 397);   // 396.9
    EXPECT_EQ(samples_of_time(8, 44100), 35);     // 35.28
    EXPECT_EQ(samples_of_time(50, 44100), 220);   // 220.5 exactly: to even
    EXPECT_EQ(samples_of_time(1, 44100), 4);
    EXPECT_EQ(samples_of_time(1, 0), 0);
}

TEST(TimeConstants, AttackAndReleaseMoveTwentyDecibelsInNSamples) {
    ParameterSet p;
    p.KOMPR_ATTBASS = {1, 20};
    p.KOMPR_RELBASS = {1, 600};
    TimeConstants t;
    t.ATT_REL_ANRATEANPASSEN(p, 44100);
    EXPECT_FLOAT_EQ(t.low.attack, static_cast<float>(std::pow(0.1, 1.0 / 88)));
    float g = 1.0f;
    for (int i = 0; i < 88; ++i) g *= t.low.attack;
    EXPECT_NEAR(g, 0.1f, 1e-5f);
    const int n_rel = samples_of_time(600, 44100);  // 2646
    double r = 1.0;
    for (int i = 0; i < n_rel; ++i) r *= t.low.release;
    EXPECT_NEAR(r, 10.0, 1e-3);
    EXPECT_FLOAT_EQ(t.low.hold_release, (4.0f + t.low.release) / 5.0f);

    t.ATT_REL_ANRATEANPASSEN(p, 48000);  // a new rate changes every coefficient
    EXPECT_FLOAT_EQ(t.low.attack, static_cast<float>(std::pow(0.1, 1.0 / 96)));
    EXPECT_EQ(t.sample_rate, 48000);
}

TEST(TimeConstants, ATimeRoundingToZeroSamplesIsInstant) {
    ParameterSet p;
    p.KOMPR_ATTHIGH = {1, 1};  // 0.1 ms at 4410 Hz would be 0.44 samples
    p.KOMPR_RELHIGH = {1, 1};
    TimeConstants t;
    t.ATT_REL_ANRATEANPASSEN(p, 4410);
    EXPECT_EQ(t.high.attack, 0.0f);
    EXPECT_TRUE(std::isinf(t.high.release));
    EXPECT_TRUE(std::isinf(t.high.hold_release));
}

TEST(TimeConstants, DetectorDecaysHalveInTheirTimesWithFiveDecimals) {
    TimeConstants t;
    t.ATT_REL_ANRATEANPASSEN(ParameterSet{}, 44100);
    EXPECT_FLOAT_EQ(t.d30, 0.99948f);
    EXPECT_FLOAT_EQ(t.d9, 0.99826f);
    EXPECT_FLOAT_EQ(t.d08, 0.98039f);
    t.ATT_REL_ANRATEANPASSEN(ParameterSet{}, 48000);
    EXPECT_FLOAT_EQ(t.d30, static_cast<float>(std::nearbyint(1e5 * std::pow(0.5, 1.0 / 1440)) / 1e5));
}

TEST(TimeConstants, LeveleAndLimiterUseTheirOwnTimes) {
    ParameterSet p;
    p.LEVE_ATT = 4000;
    p.LEVE_REL = 60000;
    p.LIMI_ATT = {8, 90};
    TimeConstants t;
    t.ATT_REL_ANRATEANPASSEN(p, 44100);
    EXPECT_FLOAT_EQ(t.leveler.attack, static_cast<float>(std::pow(0.1, 1.0 / 17640)));
    EXPECT_FLOAT_EQ(t.leveler.release, static_cast<float>(1.0 / std::pow(0.1, 1.0 / 264600)));
    EXPECT_FLOAT_EQ(t.limiter.attack, static_cast<float>(std::pow(0.1, 1.0 / 397)));
}

TEST(LookAhead, LengthsScaleWithTheRate) {
    LookAhead la;
    la.prepare(44100);
    EXPECT_EQ(la.low, 165);
    EXPECT_EQ(la.mid, 44);
    EXPECT_EQ(la.high, 9);
    la.prepare(48000);
    EXPECT_EQ(la.low, 180);
    EXPECT_EQ(la.mid, 48);
    EXPECT_EQ(la.high, 10);
}

TEST(Gates, ThresholdsAndFactorsPerLevel) {
    EXPECT_EQ(gate_threshold_lowmid(1), 58);
    EXPECT_EQ(gate_threshold_lowmid(5), 328);
    EXPECT_EQ(gate_threshold_lowmid(3), 1851);
    EXPECT_EQ(gate_threshold_high(4), 33);
    EXPECT_EQ(gate_threshold_high(2), 185);
    EXPECT_EQ(gate_threshold_high(6), 1092);
    const int lowmid[] = {58, 328, 1851};
    const int lowmid_open[] = {91, 515, 2906};
    const int high[] = {33, 185, 1092};
    const int high_open[] = {52, 290, 1714};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(gate_open_threshold(lowmid[i]), lowmid_open[i]);
        EXPECT_EQ(gate_open_threshold(high[i]), high_open[i]);
    }

    ParameterSet p;
    p.GATEBASS = 0;
    p.GATEMIDD = 2;
    p.GATEHIGH = 6;
    GateConstants g;
    g.prepare(p, 44100);
    EXPECT_FALSE(g.low.on);
    EXPECT_TRUE(g.mid.on);
    EXPECT_EQ(g.mid.threshold, 328);
    EXPECT_EQ(g.mid.close_factor, g.close_slow_lowmid);
    EXPECT_EQ(g.high.close_factor, g.close_fast_high);
    EXPECT_EQ(g.high.open_threshold, 1714);
    // -25 dB per second closing, 70.5 dB per second fast.
    EXPECT_NEAR(20 * std::log10(std::pow(g.close_slow_lowmid, 44100.0)), -25.0, 0.05);
    EXPECT_NEAR(20 * std::log10(std::pow(g.close_fast_high, 44100.0)), -70.46, 0.05);
    EXPECT_FLOAT_EQ(g.open_high, static_cast<float>(std::pow(8.0, 5000.0 / 44100)));
}

}  // namespace sc::engine
