#include "ui/knob.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/scripted_window.h"
#include "settings/parameter_steps.h"
#include "settings/time_tables.h"
#include "tests/ui/screen_text.h"

namespace sc::ui {
namespace {

TEST(KnobValueText, CutsTrimsAndPadsToFourCharacters) {
    EXPECT_EQ(knob_value_text("1.6s", STYLE_AS_GIVEN, 0, 0), "1.6s");
    EXPECT_EQ(knob_value_text("15s", STYLE_AS_GIVEN, 0, 0), " 15s");
    EXPECT_EQ(knob_value_text("-14", STYLE_AS_GIVEN, 0, 0), " -14");
    EXPECT_EQ(knob_value_text("12345", STYLE_AS_GIVEN, 0, 0), "1234");
    EXPECT_EQ(knob_value_text("3.0", STYLE_AS_GIVEN, 0, 0), "   3");
    EXPECT_EQ(knob_value_text("12.0", STYLE_AS_GIVEN, 0, 0), "  12");
    EXPECT_EQ(knob_value_text("16.", STYLE_AS_GIVEN, 0, 0), "  16");
    EXPECT_EQ(knob_value_text("0,5", STYLE_AS_GIVEN, 0, 0), " 0.5");
    // Cut to four first, then the trailing ".0" goes: "-9.05" -> "-9.0" -> "-9".
    EXPECT_EQ(knob_value_text("-9.05", STYLE_AS_GIVEN, 0, 0), "  -9");
}

TEST(KnobValueText, StylesFormatTheirNumber) {
    EXPECT_EQ(knob_value_text("", STYLE_RATIO_QUARTERS, 0, 2.25), "2.25");
    EXPECT_EQ(knob_value_text("", STYLE_RATIO_QUARTERS, 0, 3.0), "   3");
    EXPECT_EQ(knob_value_text("", STYLE_RATIO_QUARTERS, 0, 1.75f), "1.75");
    EXPECT_EQ(knob_value_text("", STYLE_MUTE, 0, 0), "MUTE");
    // One decimal of the dB value, floored: -9.45 dB shows -9.5, +0.55 shows 0.5.
    EXPECT_EQ(knob_value_text("", STYLE_DB_ONE_DECIMAL, -9.45, 0), "-9.5");
    EXPECT_EQ(knob_value_text("", STYLE_DB_ONE_DECIMAL, 0.55, 0), " 0.5");
    EXPECT_EQ(knob_value_text("", STYLE_DB_ONE_DECIMAL, 16.05, 0), "  16");
    EXPECT_EQ(knob_value_text("", STYLE_DB_ONE_DECIMAL, 0.0, 0), "   0");
    EXPECT_EQ(knob_value_text("", STYLE_DB_ONE_DECIMAL, -0.0001, 0), "   0");
}

TEST(KnobReading, EdgeCasesOfThePanel) {
    ParameterSet p;
    makeup_of(p, Band::Midd) = 0.0f;
    const KnobReading muted = read_knob(KnobKind::Makeup, Band::Midd, p);
    EXPECT_EQ(muted.position, 1);
    EXPECT_EQ(knob_value_text(muted.text, muted.style, muted.db, muted.ratio), "MUTE");

    set_time_index(release_of(p, Band::Bass), release_table(Band::Bass), 10);
    EXPECT_EQ(read_knob(KnobKind::Release, Band::Bass, p).text, "1.6s");
    set_time_index(release_of(p, Band::Bass), release_table(Band::Bass), 16);
    const KnobReading slowest = read_knob(KnobKind::Release, Band::Bass, p);
    EXPECT_EQ(knob_value_text(slowest.text, slowest.style, 0, 0), " 15s");
    EXPECT_EQ(slowest.position, 99);  // round(6.55 * 16 - 6)

    ratio_of(p, Band::High) = 2.25f;
    const KnobReading r = read_knob(KnobKind::Ratio, Band::High, p);
    EXPECT_EQ(knob_value_text(r.text, r.style, r.db, r.ratio), "2.25");
    EXPECT_EQ(r.position, 26);  // floor(115 * 2.25 / 6 - 17)
    ratio_of(p, Band::High) = 3.0f;
    const KnobReading r3 = read_knob(KnobKind::Ratio, Band::High, p);
    EXPECT_EQ(knob_value_text(r3.text, r3.style, r3.db, r3.ratio), "   3");

    p.LIMI_THR = amplitude_of_db(-6);
    EXPECT_EQ(read_knob(KnobKind::LimiterThreshold, Band::Midd, p).position, 4);
    p.LIMI_THR = amplitude_of_db(-1);
    EXPECT_EQ(read_knob(KnobKind::LimiterThreshold, Band::Midd, p).position, 84);

    p.LIMI_OUTGAIN = 1.0f;
    const KnobReading out = read_knob(KnobKind::LimiterOutput, Band::Midd, p);
    EXPECT_EQ(out.position, -100);
    EXPECT_EQ(knob_value_text(out.text, out.style, out.db, out.ratio), "   0");
    EXPECT_EQ(out.gain_family, 1);
}

TEST(KnobReading, WholeDbKnobsSnapTheirSetting) {
    ParameterSet p;
    p.INPUTGAIN = 1.7f;  // +4.6 dB, between the grid points
    const KnobReading in = read_knob(KnobKind::InputGain, Band::Midd, p);
    EXPECT_EQ(in.text, "4");
    EXPECT_FLOAT_EQ(p.INPUTGAIN, static_cast<float>(std::pow(10.0, 4 / 20.0)));
    EXPECT_EQ(in.position, 35);  // floor(100 * 4 / 23 + 18)
    // Reading again does not move it.
    const float snapped = p.INPUTGAIN;
    read_knob(KnobKind::InputGain, Band::Midd, p);
    EXPECT_EQ(p.INPUTGAIN, snapped);

    threshold_of(p, Band::Bass) = amplitude_of_db(-10) + 7;
    EXPECT_EQ(read_knob(KnobKind::Threshold, Band::Bass, p).text, "-10");
    EXPECT_EQ(threshold_of(p, Band::Bass), amplitude_of_db(-10));
    EXPECT_EQ(read_knob(KnobKind::Threshold, Band::Bass, p).position, 70);
}

// The knob's pixels: face by column, value text in its window, pointer.
class KnobDrawing : public ::testing::Test {
protected:
    platform::ScriptedWindow window;
    Canvas canvas{window};
    KnobCells cells;
};

TEST_F(KnobDrawing, ValueTextSitsInTheWindowBelowTheKnob) {
    REGLER(canvas, cells, 23, 18, 58, 0, "-14");
    const auto& f = window.frame();
    EXPECT_EQ(test::screen_text(f, 25, 24, 4), " -14");
    EXPECT_EQ(f.at(8 * 23 - 4, 8 * 18 + 46), 22);       // the window's outline
    EXPECT_EQ(f.at(8 * 23 + 1, 8 * 18 + 55), 103);      // its face below the text
    EXPECT_EQ(f.at(8 * 23 - 5, 8 * 18 + 20), 214);      // the plate
    EXPECT_EQ(f.at(8 * 23 - 4, 8 * 18 + 10), 7);        // a screw
    EXPECT_EQ(f.at(8 * 23 + 16, 8 * 18 + 28), 15);      // the centre
}

TEST_F(KnobDrawing, FaceColourByColumnAndGainFamily) {
    REGLER(canvas, cells, 36, 18, 50, 0, "5");
    EXPECT_EQ(window.frame().at(8 * 36 - 5, 8 * 18 + 20), 117);
    REGLER(canvas, cells, 85, 18, 50, 0, "5");
    EXPECT_EQ(window.frame().at(8 * 85 - 5, 8 * 18 + 20), 117);
    REGLER(canvas, cells, 72, 18, 50, 0, "5");
    EXPECT_EQ(window.frame().at(8 * 72 - 5, 8 * 18 + 20), 214);
    cells.gain_family = 1;
    REGLER(canvas, cells, 36, 26, 50, 0, "5");
    EXPECT_EQ(window.frame().at(8 * 36 - 5, 8 * 26 + 20), 218);
}

TEST_F(KnobDrawing, PointerFollowsThePosition) {
    // 50 points straight up: the pointer disc centre 11 pixels above the middle.
    REGLER(canvas, cells, 42, 26, 50, 0, "1");
    EXPECT_EQ(window.frame().at(8 * 42 + 16, 8 * 26 + 17), 27);
    // -100 (the limiter output at 0 dB) lies up and to the left.
    REGLER(canvas, cells, 92, 18, -100, 0, "0");
    const double a = (3.1416 / 2 + 3.1416) * 1.55;
    EXPECT_EQ(window.frame().at(static_cast<int>(std::nearbyint(8 * 92 + 16 - 11 * std::sin(a))),
                                static_cast<int>(std::nearbyint(8 * 18 + 28 - 11 * std::cos(a)))),
              27);
    EXPECT_LT(std::sin(a), 0.0 + 1.0);
    EXPECT_GT(std::sin(a), 0.5);  // left of the centre
    EXPECT_GT(std::cos(a), 0.3);  // above it
}

TEST_F(KnobDrawing, StyleIsResetAfterEachKnob) {
    cells.style = STYLE_MUTE;
    REGLER(canvas, cells, 62, 34, 1, 0, "");
    EXPECT_EQ(test::screen_text(window.frame(), 41, 63, 4), "MUTE");
    EXPECT_EQ(cells.style, STYLE_AS_GIVEN);
    REGLER(canvas, cells, 62, 34, 50, 0, "2");
    EXPECT_EQ(test::screen_text(window.frame(), 41, 63, 4), "   2");
}

TEST_F(KnobDrawing, AKnobAppearsAtOnceAndLocksOnlyWhenNobodyHolds) {
    const int before = window.presents();
    REGLER(canvas, cells, 29, 18, 50, 0, "2");
    EXPECT_EQ(window.presents(), before + 1);
    EXPECT_EQ(test::screen_text(window.shown(), 25, 30, 4), "   2");

    // Inside a held lock the knob neither shows nor unlocks.
    platform::ScreenLock& lock = canvas.screen_lock();
    ASSERT_TRUE(lock.take(platform::ScreenLock::GENERAL));
    REGLER(canvas, cells, 29, 18, 50, 0, "4");
    EXPECT_TRUE(window.locked());
    EXPECT_EQ(window.presents(), before + 1);
    EXPECT_EQ(test::screen_text(window.shown(), 25, 30, 4), "   2");
    lock.release(platform::ScreenLock::GENERAL);
    EXPECT_EQ(test::screen_text(window.shown(), 25, 30, 4), "   4");
}

}  // namespace
}  // namespace sc::ui
