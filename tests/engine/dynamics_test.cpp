#include <gtest/gtest.h>

#include <cmath>

#include "engine/dynamics.h"

namespace sc::engine {

TEST(GainComputer, BurstFallsByAttackStepsToTargetThenHoldsAndReleases) {
    SectionTimes t;
    t.attack = 0.9f;
    t.release = 1.0002f;
    t.hold_release = hold_release_multiplier(t.release);
    GainComputer g;
    g.hold_end = HOLD_END_START_MID;
    int32_t j = 81;
    // A burst with target 0.5: one attack step per sample, never below the target.
    float before = g.gain;
    for (; j < 120; ++j) {
        g.step(0.5f, t, HOLD_MID, j);
        ASSERT_GE(g.gain, 0.5f * t.hold_release * 0.9999f);
        ASSERT_LE(g.gain, std::max(before * t.attack * t.hold_release, 0.5f * t.hold_release) * 1.0001f);
        before = g.gain;
    }
    EXPECT_NEAR(g.gain, 0.5f * t.hold_release, 1e-6);
    EXPECT_FLOAT_EQ(g.smallest, 0.5f * t.hold_release);
    // After the burst: only the hold-release step for the hold length ...
    const int32_t hold_end = g.hold_end;
    EXPECT_EQ(hold_end, 119 + HOLD_MID);
    float g0 = g.gain;
    for (; j <= hold_end; ++j) {
        g.step(1.0f, t, HOLD_MID, j);
        ASSERT_FLOAT_EQ(g.gain, g0 * t.hold_release);
        g0 = g.gain;
    }
    // ... then release times hold release per sample, up to 1.0.
    g.step(1.0f, t, HOLD_MID, j++);
    EXPECT_FLOAT_EQ(g.gain, std::min(1.0f, g0 * t.release * t.hold_release));
    for (int k = 0; k < 20000; ++k) g.step(1.0f, t, HOLD_MID, j++);
    EXPECT_EQ(g.gain, 1.0f);
}

TEST(GainComputer, InstantTimesStayDefined) {
    SectionTimes t{attack_multiplier(0), release_multiplier(0), 0};
    t.hold_release = hold_release_multiplier(t.release);
    GainComputer g;
    g.step(0.25f, t, 10, 81);
    EXPECT_EQ(g.gain, 1.0f);  // infinite release lifts the gain at once
    EXPECT_EQ(g.smallest, 1.0f);
    t.release = t.hold_release = 1.0f;
    g.step(0.25f, t, 10, 82);
    EXPECT_EQ(g.gain, 0.25f);  // zero attack lands on the target
}

TEST(Leveler, AttacksAboveTargetReleasesBelowNoHold) {
    SectionTimes t{0.5f, 1.1f, 1.0f};
    Leveler l;
    l.step(0.8f, t);
    EXPECT_EQ(l.gain, 0.8f);
    l.step(0.9f, t);
    EXPECT_FLOAT_EQ(l.gain, 0.88f);
    l.step(1.0f, t);
    EXPECT_FLOAT_EQ(l.gain, 0.968f);  // below the target: release
    for (int i = 0; i < 10; ++i) l.step(1.0f, t);
    EXPECT_EQ(l.gain, 1.0f);
    EXPECT_EQ(l.smallest, 0.8f);
}

TEST(Gate, ClosesToTheFloorAndReopens) {
    GateSetting s{true, 1851, 2906, 1.5f, 0.5f};
    Gate g;
    g.step(100, s);
    EXPECT_EQ(g.gain, 0.5f);
    for (int i = 0; i < 10; ++i) g.step(100, s);
    EXPECT_EQ(g.gain, GATE_FLOOR);
    g.step(2000, s);  // between the thresholds: kept
    EXPECT_EQ(g.gain, GATE_FLOOR);
    g.step(2906, s);
    EXPECT_FLOAT_EQ(g.gain, GATE_FLOOR * 1.5f);
    for (int i = 0; i < 10; ++i) g.step(5000, s);
    EXPECT_EQ(g.gain, 1.0f);
}

TEST(Detectors, HeldLevelKeepsThePeakAndDecays) {
    EXPECT_EQ(held_level(0, 1000, 0.5f), 500);
    EXPECT_EQ(held_level(1000, 10, 0.5f), 500);
    EXPECT_EQ(held_level(5, 0, 0.5f), 2);  // 2.5 to even
    EXPECT_EQ(low_detector_value(1000, 600), 2 * (1000 - 300));
    EXPECT_EQ(low_detector_value(-1000, -601), 2 * (1000 - 300));
    EXPECT_EQ(table_index(4003, 82000), 1000);
    EXPECT_EQ(table_index(1000000, 82000), 82000);
}

TEST(Detectors, StereoLinkTakesTheQuieterSideUpToFactor1_4) {
    EXPECT_EQ(linked_level(1000, 1000, 1.0f), 1000);
    EXPECT_EQ(linked_level(1200, 1000, 1.0f), 1000);  // within 1.4: the quieter side
    EXPECT_EQ(linked_level(1000, 1300, 1.0f), 1000);
    EXPECT_EQ(linked_level(2800, 1000, 1.0f), 2000);  // beyond: louder / 1.4
    EXPECT_EQ(linked_level(1, 14000, 1.0f), 10000);
    EXPECT_EQ(linked_level(1000, 1000, 0.5f), 500);   // no held maximum, only the decay
}

}  // namespace sc::engine
