#include <gtest/gtest.h>

#include <cmath>

#include "settings/parameter_steps.h"
#include "settings/presets.h"

namespace sc {
namespace {

double db(float gain) { return 20.0 * std::log10(static_cast<double>(gain)); }

// Clicks a setting n times with one button and returns the dB values seen.
template <typename Click>
std::vector<int> walk(ParameterSet& p, int n, Click click, int (*shown)(ParameterSet&)) {
    std::vector<int> seen;
    for (int i = 0; i < n; ++i) {
        click(p);
        seen.push_back(shown(p));
    }
    return seen;
}

TEST(WholeDbSettings, InputGainMovesOneDbPerClickWithinItsRange) {
    ParameterSet p;  // 1.6 -> shown as +4
    EXPECT_EQ(snap_INPUTGAIN(p), 4);
    auto up = walk(p, 16, [](ParameterSet& q) { click_INPUTGAIN(q, BUTTON_RIGHT); }, snap_INPUTGAIN);
    EXPECT_EQ(up.front(), 5);
    EXPECT_EQ(up.back(), 18);  // stops at +18
    EXPECT_EQ(up[13], 18);
    auto down = walk(p, 25, [](ParameterSet& q) { click_INPUTGAIN(q, BUTTON_LEFT); }, snap_INPUTGAIN);
    EXPECT_EQ(down.front(), 17);
    EXPECT_EQ(down[20], -3);
    EXPECT_EQ(down.back(), -3);  // stops at -3
}

TEST(WholeDbSettings, GridValuesNeverDriftByRepeatedDisplay) {
    for (int d = -3; d <= 18; ++d) {
        ParameterSet p;
        p.INPUTGAIN = static_cast<float>(std::pow(10.0, d / 20.0));
        for (int k = 0; k < 50; ++k) ASSERT_EQ(snap_INPUTGAIN(p), d);
    }
    for (int d = -30; d <= -1; ++d) {
        ParameterSet p;
        p.KOMPR_THRMIDD = amplitude_of_db(d);
        for (int k = 0; k < 50; ++k) ASSERT_EQ(snap_threshold(p, Band::Midd), d);
        ASSERT_EQ(p.KOMPR_THRMIDD, amplitude_of_db(d));
    }
    for (int d = -6; d <= -1; ++d) {
        ParameterSet p;
        p.LIMI_THR = amplitude_of_db(d);
        for (int k = 0; k < 50; ++k) ASSERT_EQ(snap_LIMI_THR(p), d);
    }
    ParameterSet p;
    p.KOMPR_OUTBASS = 1.0f;
    for (int k = 0; k < 30; ++k) click_makeup(p, Band::Bass, BUTTON_RIGHT);
    const float top = p.KOMPR_OUTBASS;
    for (int k = 0; k < 20; ++k) p.KOMPR_OUTBASS = snap_half_db(p.KOMPR_OUTBASS);
    EXPECT_EQ(p.KOMPR_OUTBASS, top);
}

TEST(WholeDbSettings, BandThresholdsStepWithinMinus30ToMinus1) {
    for (Band b : {Band::Bass, Band::Midd, Band::High}) {
        ParameterSet r;
        threshold_of(r, b) = amplitude_of_db(-12);
        std::vector<int> seen;
        for (int i = 0; i < 14; ++i) {
            click_threshold(r, b, BUTTON_RIGHT);
            seen.push_back(snap_threshold(r, b));
        }
        EXPECT_EQ(seen.front(), -11);
        EXPECT_EQ(seen[10], -1);
        EXPECT_EQ(seen.back(), -1);
        seen.clear();
        for (int i = 0; i < 35; ++i) {
            click_threshold(r, b, BUTTON_LEFT);
            seen.push_back(snap_threshold(r, b));
        }
        EXPECT_EQ(seen.front(), -2);
        EXPECT_EQ(seen[28], -30);
        EXPECT_EQ(seen.back(), -30);
    }
}

TEST(MakeupGains, WalkTheHalfDbGridWithMute) {
    ParameterSet p;
    click_makeup(p, Band::Midd, BUTTON_RIGHT);
    EXPECT_NEAR(db(p.KOMPR_OUTMIDD), 0.55, 1e-4);
    click_makeup(p, Band::Midd, BUTTON_RIGHT);
    EXPECT_NEAR(db(p.KOMPR_OUTMIDD), 1.05, 1e-4);

    p.KOMPR_OUTMIDD = 1.0f;
    click_makeup(p, Band::Midd, BUTTON_LEFT);
    EXPECT_NEAR(db(p.KOMPR_OUTMIDD), -0.95, 1e-4);
    EXPECT_DOUBLE_EQ(shown_gain_db(p.KOMPR_OUTMIDD), -1.0);
    for (int i = 0; i < 16; ++i) click_makeup(p, Band::Midd, BUTTON_LEFT);
    EXPECT_NEAR(db(p.KOMPR_OUTMIDD), -8.95, 1e-4);
    click_makeup(p, Band::Midd, BUTTON_LEFT);
    EXPECT_EQ(p.KOMPR_OUTMIDD, 0.0f);  // mute
    click_makeup(p, Band::Midd, BUTTON_LEFT);
    EXPECT_EQ(p.KOMPR_OUTMIDD, 0.0f);  // stays muted
    click_makeup(p, Band::Midd, BUTTON_RIGHT);
    EXPECT_NEAR(db(p.KOMPR_OUTMIDD), -9.45, 1e-4);
    EXPECT_DOUBLE_EQ(shown_gain_db(p.KOMPR_OUTMIDD), -9.5);

    p.KOMPR_OUTMIDD = 1.0f;
    for (int i = 0; i < 40; ++i) click_makeup(p, Band::Midd, BUTTON_RIGHT);
    EXPECT_NEAR(db(p.KOMPR_OUTMIDD), 16.05, 1e-4);
}

TEST(MakeupGains, APresetFactorStaysUntilClicked) {
    ParameterSet p;
    p.KOMPR_OUTBASS = 1.13f;
    snap_displayed_settings(p);
    EXPECT_EQ(p.KOMPR_OUTBASS, 1.13f);
    click_makeup(p, Band::Bass, BUTTON_RIGHT);
    EXPECT_NEAR(db(p.KOMPR_OUTBASS), 1.55, 1e-4);
}

TEST(Ratios, StepByQuartersUpTo2Point5AndHalvesAbove) {
    ParameterSet p;
    p.KOMPR_RATHIGH = 2.5f;
    click_ratio(p, Band::High, BUTTON_RIGHT);
    EXPECT_EQ(p.KOMPR_RATHIGH, 3.0f);
    click_ratio(p, Band::High, BUTTON_LEFT);
    EXPECT_EQ(p.KOMPR_RATHIGH, 2.5f);
    click_ratio(p, Band::High, BUTTON_LEFT);
    EXPECT_EQ(p.KOMPR_RATHIGH, 2.25f);

    p.KOMPR_RATHIGH = 1.0f;
    std::vector<float> seen;
    for (int i = 0; i < 16; ++i) {
        click_ratio(p, Band::High, BUTTON_RIGHT);
        seen.push_back(p.KOMPR_RATHIGH);
    }
    const std::vector<float> expected = {1.25f, 1.5f, 1.75f, 2.0f, 2.25f, 2.5f, 3.0f, 3.5f,
                                         4.0f, 4.5f, 5.0f, 5.5f, 6.0f, 6.0f, 6.0f, 6.0f};
    EXPECT_EQ(seen, expected);
    for (int i = 0; i < 20; ++i) click_ratio(p, Band::High, BUTTON_LEFT);
    EXPECT_EQ(p.KOMPR_RATHIGH, 1.0f);
}

TEST(LimiterPair, RefusesOverloadBothWays) {
    ParameterSet p;  // LIMI_THR -1 dB, OUT 0 dB
    snap_LIMI_THR(p);
    EXPECT_EQ(click_LIMI_OUTGAIN(p, BUTTON_RIGHT), LimiterClick::Refused);
    EXPECT_EQ(p.LIMI_OUTGAIN, 1.0f);
    EXPECT_EQ(click_LIMI_THR(p, BUTTON_RIGHT), LimiterClick::Refused);

    // lowering the threshold to -6 dB lets the output gain rise to +5.05 dB
    for (int i = 0; i < 8; ++i) click_LIMI_THR(p, BUTTON_LEFT);
    EXPECT_EQ(snap_LIMI_THR(p), -6);
    int changed = 0;
    for (int i = 0; i < 20; ++i)
        if (click_LIMI_OUTGAIN(p, BUTTON_RIGHT) == LimiterClick::Changed) ++changed;
    EXPECT_EQ(changed, 10);
    EXPECT_NEAR(db(p.LIMI_OUTGAIN), 5.05, 1e-4);

    // with the output gain above 0 dB the threshold cannot get back to -1 dB
    for (int i = 0; i < 10; ++i) click_LIMI_THR(p, BUTTON_RIGHT);
    EXPECT_LT(snap_LIMI_THR(p), -1);
    EXPECT_EQ(click_LIMI_THR(p, BUTTON_RIGHT), LimiterClick::Refused);

    // the output gain never goes below 0 dB
    for (int i = 0; i < 20; ++i) click_LIMI_OUTGAIN(p, BUTTON_LEFT);
    EXPECT_EQ(p.LIMI_OUTGAIN, 1.0f);
    EXPECT_EQ(click_LIMI_OUTGAIN(p, BUTTON_LEFT), LimiterClick::Unchanged);
}

TEST(LimiterPair, ThresholdStepsBetweenMinus6AndMinus1) {
    ParameterSet p;
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i) {
        click_LIMI_THR(p, BUTTON_LEFT);
        seen.push_back(snap_LIMI_THR(p));
    }
    EXPECT_EQ(seen, (std::vector<int>{-2, -3, -4, -5, -6, -6, -6}));
    seen.clear();
    for (int i = 0; i < 6; ++i) {
        click_LIMI_THR(p, BUTTON_RIGHT);
        seen.push_back(snap_LIMI_THR(p));
    }
    EXPECT_EQ(seen, (std::vector<int>{-5, -4, -3, -2, -1, -1}));
}

TEST(IndexAndCyclingSettings, StepWithAndWithoutWrap) {
    ParameterSet p;
    set_time_index(p.KOMPR_RELBASS, TimeTable::RelBass, 16);
    EXPECT_EQ(p.KOMPR_RELBASS.value, 150000);
    EXPECT_EQ(time_value_text(p.KOMPR_RELBASS.value), "15s");
    EXPECT_FALSE(click_time(p.KOMPR_RELBASS, TimeTable::RelBass, BUTTON_RIGHT));
    set_time_index(p.KOMPR_RELBASS, TimeTable::RelBass, 9);
    EXPECT_EQ(time_value_text(p.KOMPR_RELBASS.value), "1.1s");
    set_time_index(p.KOMPR_ATTMIDD, TimeTable::AttMidd, 1);
    EXPECT_EQ(p.KOMPR_ATTMIDD.value, 8);
    EXPECT_EQ(time_value_text(8), "0.8");
    EXPECT_FALSE(click_time(p.KOMPR_ATTMIDD, TimeTable::AttMidd, BUTTON_LEFT));
    EXPECT_TRUE(click_time(p.KOMPR_ATTMIDD, TimeTable::AttMidd, BUTTON_RIGHT));
    EXPECT_EQ(p.KOMPR_ATTMIDD.value, 11);

    p.GATEBASS = 0;
    click_gate(p, Band::Bass, BUTTON_LEFT);
    EXPECT_EQ(p.GATEBASS, 6);
    click_gate(p, Band::Bass, BUTTON_RIGHT);
    EXPECT_EQ(p.GATEBASS, 0);

    p.OUTFORMAT = 9;
    click_OUTFORMAT(p, BUTTON_RIGHT);
    EXPECT_EQ(p.OUTFORMAT, 1);
    click_OUTFORMAT(p, BUTTON_LEFT);
    EXPECT_EQ(p.OUTFORMAT, 9);
    EXPECT_STREQ(outformat_text(9, 1), " 48");
    EXPECT_STREQ(outformat_text(2, 2), "320");
    EXPECT_STREQ(outformat_text(1, 2), "WAV");

    p.HPF = 0;
    std::vector<int> hpf;
    for (int i = 0; i < 4; ++i) {
        click_HPF(p);
        hpf.push_back(p.HPF);
    }
    EXPECT_EQ(hpf, (std::vector<int>{100, 120, 150, 0}));

    p.INPUTAUTO = 0;
    p.LEVE_ATT = 1;
    p.LEVE_REL = 2;
    click_INPUTAUTO(p);
    EXPECT_EQ(p.LEVE_ATT, 4000);
    EXPECT_EQ(p.LEVE_REL, 60000);
    click_INPUTAUTO(p);
    EXPECT_EQ(p.LEVE_ATT, 8000);
    EXPECT_EQ(p.LEVE_REL, 100000);
    click_INPUTAUTO(p);
    EXPECT_EQ(p.INPUTAUTO, 0);
    EXPECT_EQ(p.LEVE_ATT, 8000);  // switching off keeps the times

    p.EQ[11] = 8.5f;
    click_EQ(p, 12, BUTTON_LEFT);
    click_EQ(p, 12, BUTTON_LEFT);
    EXPECT_EQ(p.EQ[11], 9.0f);
    p.EQ[0] = -9.0f;
    click_EQ(p, 1, BUTTON_RIGHT);
    EXPECT_EQ(p.EQ[0], -9.0f);
}

class SilentHost : public PresetHost {
public:
    explicit SilentHost(ParameterSet& p) : p_(p) {}
    void reset_time_sample_rate() override {}
    void reset_running_gain(int) override {}
    void K_KURVE_ERZEUGEN_LIMI() override {}
    void ATT_REL_ANRATEANPASSEN() override {}
    void D__DECKELZEIGEN() override { snap_displayed_settings(p_); }

private:
    ParameterSet& p_;
};

TEST(VocalFlags, ActBeforeTheThresholdsAreRounded) {
    ParameterSet p;
    SilentHost host(p);
    VocalFlags muddy;
    muddy.less_muddy = true;
    apply_preset(p, PresetId::BASS_SOFT, muddy, host);
    EXPECT_EQ(p.KOMPR_THRBASS, amplitude_of_db(-14));
    EXPECT_EQ(p.EQ[2], -3.0f);
    EXPECT_EQ(p.EQ[3], -2.0f);
    EXPECT_FLOAT_EQ(p.KOMPR_OUTBASS, 1.123f);

    VocalFlags hiss;
    hiss.less_hissing = true;
    apply_preset(p, PresetId::ALT_SOFT, hiss, host);
    EXPECT_EQ(p.KOMPR_THRHIGH, amplitude_of_db(-19));  // 5 dB lower
    EXPECT_EQ(p.EQ[9], -2.5f);

    VocalFlags both;
    both.less_muddy = both.more_presence = true;
    apply_preset(p, PresetId::SOPRAN_HARD, both, host);
    EXPECT_EQ(p.EQ[2], -2.0f);  // +2 lowered by 4
    EXPECT_EQ(p.EQ[8], 3.5f);
    EXPECT_FLOAT_EQ(p.KOMPR_OUTHIGH, 1.26f * 1.26f);

    // the flags act on vocal presets only, and the EQ stays within +-9 dB
    apply_preset(p, PresetId::MUSICSOFT, both, host);
    EXPECT_EQ(p.EQ[2], 0.0f);
    ParameterSet q;
    q.EQ[2] = -8.0f;
    SETUP_MEHR_V_FLAGS(q, both);
    EXPECT_EQ(q.EQ[2], -9.0f);
}

TEST(PresetNames, PanelLabelAndProcedureNamesAllResolve) {
    EXPECT_EQ(find_preset("VOC_soft"), PresetId::VOICESOFT);
    EXPECT_EQ(find_preset("SETUP_VOICESOFT"), PresetId::VOICESOFT);
    EXPECT_EQ(find_preset("voicesoft"), PresetId::VOICESOFT);
    EXPECT_EQ(find_preset("VOKAL: Bass_Soft"), PresetId::BASS_SOFT);
    EXPECT_EQ(find_preset("Soprano_Hard"), PresetId::SOPRAN_HARD);
    EXPECT_EQ(find_preset("Slap-Bass: dense"), PresetId::SLB_DICHT);
    EXPECT_EQ(find_preset("Streicher: allgemein"), PresetId::ST_ALLG);
    EXPECT_FALSE(find_preset("nonsense").has_value());
    EXPECT_FALSE(find_preset("").has_value());
    for (const auto& r : factory_presets()) {
        EXPECT_EQ(find_preset(r.procedure), r.id);
        EXPECT_EQ(find_preset(r.label.de), r.id) << r.label.de;
        EXPECT_EQ(find_preset(r.label.en), r.id) << r.label.en;
    }
}

}  // namespace
}  // namespace sc
