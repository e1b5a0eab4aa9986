#include "ui/panel.h"

#include <gtest/gtest.h>

#include "platform/scripted_window.h"
#include "settings/parameter_steps.h"
#include "tests/ui/screen_text.h"
#include "ui/palette.h"

namespace sc::ui {
namespace {

class PanelTest : public ::testing::Test {
protected:
    PanelTest() { load_default_palette(window.frame()); }

    std::string text(int row, int column, int n) { return test::screen_text(window.frame(), row, column, n); }
    // The text in a knob's value window.
    std::string knob_text(KnobId id) { return text(knob(id).row + 7, knob(id).column + 1, 4); }

    platform::ScriptedWindow window;
    Canvas canvas{window};
    InfoBox info{canvas};
    ParameterSet params;  // the start-up preset's values
    ProgramState state;
    Panel panel{canvas, info, params, state};
};

TEST_F(PanelTest, WholePanelShowsTheStartUpValues) {
    panel.D__DECKELZEIGEN();
    EXPECT_EQ(knob_text(KnobId::INPUTGAIN), "   4");
    EXPECT_EQ(knob_text(KnobId::KOMPR_THRHIGH), " -14");
    EXPECT_EQ(knob_text(KnobId::KOMPR_THRMIDD), "  -9");
    EXPECT_EQ(knob_text(KnobId::KOMPR_THRBASS), " -10");
    EXPECT_EQ(knob_text(KnobId::KOMPR_RATMIDD), " 2.5");
    EXPECT_EQ(knob_text(KnobId::KOMPR_ATTHIGH), " 0.5");
    EXPECT_EQ(knob_text(KnobId::KOMPR_RELBASS), "1.6s");
    EXPECT_EQ(knob_text(KnobId::KOMPR_OUTBASS), "   0");
    EXPECT_EQ(knob_text(KnobId::LIMI_THR), "  -1");
    EXPECT_EQ(knob_text(KnobId::LIMI_ATT), "   9");
    EXPECT_EQ(knob_text(KnobId::LIMI_REL), " 130");
    EXPECT_EQ(knob_text(KnobId::LIMI_OUTGAIN), "   0");
    // Fixed texts at their cells.
    EXPECT_EQ(text(15, 7, 8), "IN GAIN ");
    EXPECT_EQ(text(15, 24, 37), "COMPRESSOR  Multiband  vorausschauend");
    EXPECT_EQ(text(33, 73, 5), "SETUP");
    EXPECT_EQ(text(33, 81, 6), "MEHR V");
    EXPECT_EQ(text(36, 72, 8), "VOC_soft");
    EXPECT_EQ(text(42, 72, 8), "MUS_hard");
    EXPECT_EQ(text(42, 91, 3), "u12");
    EXPECT_EQ(text(38, 95, 3), "u14");
    EXPECT_EQ(text(40, 95, 3), "WAV");
    EXPECT_EQ(text(42, 95, 3), "ENG");
    EXPECT_EQ(text(11, 4, 7), "Datei: ");
    EXPECT_EQ(text(2, 94, 4), "EXIT");
    EXPECT_EQ(text(11, 93, 7), " START ");
    EXPECT_EQ(text(17, 50, 4), "GAIN");
    EXPECT_EQ(text(19, 49, 11), "18....86421");
    EXPECT_EQ(text(28, 86, 11), "18....86421");
    EXPECT_EQ(text(25, 50, 6), "Gate 0");
    EXPECT_EQ(text(42, 20, 2), "By");
    // The band names run downwards beside the knob rows, umlaut included.
    EXPECT_EQ(text(20, 21, 1) + text(21, 21, 1) + text(22, 21, 1) + text(23, 21, 1), "HÖHE");
    EXPECT_EQ(text(36, 21, 1) + text(39, 21, 1), "BS");
    EXPECT_EQ(window.frame().at(20, 400), 29);  // the source strip
    EXPECT_EQ(window.frame().at(9, 398), 0);    // and its frame
}

TEST_F(PanelTest, EnglishPanel) {
    state.LANGUAGE = LANGUAGE_EN;
    state.display_source_name = "/music/song.wav";
    panel.D__DECKELZEIGEN();
    EXPECT_EQ(text(15, 76, 19), "LIMITER foresighted");
    EXPECT_EQ(text(33, 90, 6), "MORE I");
    EXPECT_EQ(text(42, 95, 3), "DEU");
    EXPECT_EQ(text(11, 4, 22), "File:  /music/song.wav");
    EXPECT_EQ(text(36, 21, 1) + text(37, 21, 1) + text(38, 21, 1), "LOW");
}

TEST_F(PanelTest, RedrawLeavesWholeDbSettingsOnTheirGrid) {
    params.INPUTGAIN = 2.1f;
    params.LIMI_THR = amplitude_of_db(-3) - 40;
    threshold_of(params, Band::High) = amplitude_of_db(-20) + 30;
    panel.D__DECKELZEIGEN();
    ParameterSet snapped = params;
    snap_displayed_settings(snapped);
    EXPECT_EQ(snapped, params);
    EXPECT_EQ(knob_text(KnobId::KOMPR_THRHIGH), " -20");
    EXPECT_EQ(knob_text(KnobId::LIMI_THR), "  -3");
    // A preset make-up factor stays as it is: the display does not snap it.
    makeup_of(params, Band::Midd) = 1.13f;
    panel.ZEIGE_KOMPR_OUTMIDD();
    EXPECT_EQ(makeup_of(params, Band::Midd), 1.13f);
    EXPECT_EQ(knob_text(KnobId::KOMPR_OUTMIDD), "   1");
}

TEST_F(PanelTest, SwitchesShowTheirState) {
    params.HPF = 120;
    params.INPUTAUTO = 2;
    gate_of(params, Band::Bass) = 5;
    params.OUTFORMAT = 5;
    panel.source_channels = 2;
    panel.D__DECKELZEIGEN();
    EXPECT_EQ(text(25, 12, 3), "120");
    EXPECT_EQ(text(40, 4, 4), "SLOW");
    EXPECT_EQ(text(41, 50, 6), "Gate 5");
    EXPECT_EQ(text(40, 95, 3), "192");
    params.HPF = 0;
    panel.ZEIGE_HPF();
    EXPECT_EQ(text(25, 12, 3), "off");
}

TEST_F(PanelTest, BypassDotsTheCompressorArea) {
    panel.D__DECKELZEIGEN();
    EXPECT_NE(window.frame().at(440, 130), 8);
    params.KOMPR_BYPASS = 1;
    panel.D__DECKELZEIGEN();
    const auto& f = window.frame();
    EXPECT_EQ(f.at(440, 130), 8);
    EXPECT_EQ(f.at(441, 131), 7);
    EXPECT_EQ(f.at(150, 126), 8);
    EXPECT_NE(f.at(480, 130), 8);  // the make-up gains stay clear
}

TEST_F(PanelTest, EqualizerBarsFollowTheGains) {
    params.EQ[0] = 9.0f;
    params.EQ[11] = -9.0f;
    panel.ZEIGE_EQ();
    EXPECT_EQ(window.frame().at(20, 240 - 17), 4);   // band 1 up by 18 pixels
    EXPECT_EQ(window.frame().at(119, 240 + 17), 1);  // band 12 down
    EXPECT_EQ(window.frame().at(29, 230), 30);       // band 2 at 0 dB
}

TEST_F(PanelTest, StartButtonByLoadedFile) {
    panel.ZEIGE_STARTBUTTON();
    EXPECT_EQ(text(11, 93, 7), " START ");
    EXPECT_EQ(window.frame().at(8 * 93 + 8 + 1, 8 * 10 + 1), 7);  // 'S' stroke in grey
    state.display_source_name = "x.wav";
    panel.start_hint = true;
    panel.ZEIGE_STARTBUTTON();
    EXPECT_EQ(text(11, 93, 7), "_START_");
}

TEST_F(PanelTest, AttentionColourRunsBackAndForthThroughTheRamp) {
    int lowest = 1000, highest = 0;
    int16_t previous = panel.cycling_colour();
    EXPECT_EQ(previous, 195);
    for (int i = 0; i < 300; ++i) {
        panel.FARBENSPIEL();
        const int16_t c = panel.cycling_colour();
        EXPECT_EQ(std::abs(c - previous), c == 191 || c == 248 ? std::abs(c - previous) : 1);
        lowest = std::min<int>(lowest, c);
        highest = std::max<int>(highest, c);
        previous = c;
    }
    EXPECT_EQ(lowest, 191);
    EXPECT_EQ(highest, 248);
    // Without a file OPEN carries the cycling colour (the left stroke of its
    // 'O'); with one, START does.
    EXPECT_EQ(window.frame().at(8 * 93, 8 * 7 + 2), panel.cycling_colour());
    state.display_source_name = "x.wav";
    panel.FARBENSPIEL();
    EXPECT_EQ(text(11, 93, 7), " START ");
    panel.FARBENSPIEL2();
    EXPECT_EQ(text(11, 93, 7), " STOP  ");
}

TEST(PanelLayout, ControlsSitInsideTheirRegions) {
    for (const KnobSpec& k : knob_table()) {
        // The plate covers 43 x 56 pixels from (8 c - 6, 8 r + 8).
        EXPECT_TRUE(k.click.contains(8 * k.column - 4, 8 * k.row + 9)) << k.name;
        EXPECT_TRUE(k.click.contains(8 * k.column + 34, 8 * k.row + 62)) << k.name;
        EXPECT_EQ(knob_at(8 * k.column + 16, 8 * k.row + 28), k.id) << k.name;
    }
    for (const ControlSpec& c : control_table()) {
        if (c.row == 0) continue;
        // Label cells start inside the rectangle.
        EXPECT_TRUE(c.click.contains(8 * (c.column - 1) + 1, 8 * (c.row - 1) + 1)) << static_cast<int>(c.id);
    }
    EXPECT_EQ(user_slot_of(ControlId::UserSlot5), 5);
    EXPECT_EQ(control(user_slot_control(5)).click.x1, 683);
    EXPECT_EQ(control(user_slot_control(5)).click.y1, 277);
    EXPECT_EQ(user_slot_of(ControlId::OutputFormat), 0);
}

}  // namespace
}  // namespace sc::ui
