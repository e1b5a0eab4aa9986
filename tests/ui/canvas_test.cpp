#include "ui/canvas.h"

#include <gtest/gtest.h>

#include "platform/font8x8.h"
#include "platform/scripted_window.h"
#include "tests/ui/screen_text.h"
#include "ui/palette.h"

namespace sc::ui {
namespace {

class CanvasTest : public ::testing::Test {
protected:
    platform::ScriptedWindow window;
    Canvas canvas{window};
    const platform::Framebuffer& f() { return window.frame(); }
};

TEST_F(CanvasTest, TextCellsCountFromOne) {
    canvas.clear(3);
    canvas.print_at(1, 1, "A", 15, 0);
    EXPECT_EQ(test::screen_text(f(), 1, 1, 1), "A");
    EXPECT_EQ(f().at(0, 0), 0);      // 'A' has a blank first column
    EXPECT_EQ(f().at(2, 0), 15);     // ..and its top stroke
    EXPECT_EQ(f().at(8, 0), 3);      // the next cell is untouched
    canvas.print_at(46, 3, "xy", 0, 45);
    EXPECT_EQ(test::screen_text(f(), 46, 3, 2), "xy");
    EXPECT_EQ(f().at(16, 360), 45);  // cell (46, 3) starts at (16, 360)
    EXPECT_EQ(f().at(15, 360), 3);
    EXPECT_EQ(canvas.row(), 46);
    EXPECT_EQ(canvas.column(), 5);
}

TEST_F(CanvasTest, PrintWrapsAtColumnHundredAndClipsAtTheBottom) {
    canvas.print_at(2, 99, "abcd", 15, 0);
    EXPECT_EQ(test::screen_text(f(), 2, 99, 2), "ab");
    EXPECT_EQ(test::screen_text(f(), 3, 1, 2), "cd");
    canvas.print_at(66, 1, "zz", 15, 1);  // the last row is cut at pixel 524
    EXPECT_EQ(f().at(0, 524), 1);
}

TEST_F(CanvasTest, UmlautsComeFromTheCodePage) {
    canvas.print_at(5, 1, "ÄÖÜäöü", 15, 0);
    const char* expected[] = {"\x8E", "\x99", "\x9A", "\x84", "\x94", "\x81"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(std::string(1, test::cell_char(f(), 5, 1 + i)), expected[i]);
    EXPECT_EQ(test::screen_text(f(), 5, 1, 6), "ÄÖÜäöü");
}

TEST_F(CanvasTest, BoxesIncludeBothCorners) {
    canvas.clear(0);
    canvas.line(10, 20, 30, 40, 5, LineMode::BoxFill);
    EXPECT_EQ(f().at(10, 20), 5);
    EXPECT_EQ(f().at(30, 40), 5);
    EXPECT_EQ(f().at(31, 40), 0);
    EXPECT_EQ(f().at(10, 41), 0);
    canvas.line(30, 40, 10, 20, 6, LineMode::Box);  // corners in any order
    EXPECT_EQ(f().at(10, 30), 6);
    EXPECT_EQ(f().at(20, 30), 5);  // the inside stays
    canvas.line(0, 0, 9, 3, 7);
    EXPECT_EQ(f().at(0, 0), 7);
    EXPECT_EQ(f().at(9, 3), 7);
    canvas.line(-50, -50, 900, 900, 1, LineMode::BoxFill);  // clipped, no crash
    EXPECT_EQ(f().at(799, 524), 1);
}

TEST_F(CanvasTest, CirclesDiscsAndArcs) {
    canvas.clear(0);
    canvas.disc(100, 100, 17.3, 9);
    EXPECT_EQ(f().at(117, 100), 9);
    EXPECT_EQ(f().at(100, 83), 9);
    EXPECT_EQ(f().at(118, 100), 0);
    EXPECT_EQ(f().at(113, 113), 0);  // outside the rounded edge
    canvas.clear(0);
    canvas.circle(100, 100, 16, 2);
    EXPECT_EQ(f().at(116, 100), 2);
    EXPECT_EQ(f().at(100, 84), 2);
    EXPECT_EQ(f().at(100, 100), 0);
    // An arc from 0.3 to 1.8 rad lies in the upper half (angles turn
    // counter-clockwise on a screen whose y runs down).
    canvas.clear(0);
    canvas.circle(100, 100, 14, 3, 0.3, 1.8);
    EXPECT_EQ(f().at(100, 86), 3);
    EXPECT_EQ(f().at(100, 114), 0);
    EXPECT_EQ(f().at(86, 100), 0);
    // Start beyond end runs through 0.
    canvas.clear(0);
    canvas.circle(100, 100, 10, 4, 5.5, 0.5);
    EXPECT_EQ(f().at(110, 100), 4);
    EXPECT_EQ(f().at(90, 100), 0);
    // Aspect below 1 flattens.
    canvas.clear(0);
    canvas.circle(100, 100, 20, 5, 0, TWO_PI, 0.5);
    EXPECT_EQ(f().at(100, 90), 5);
    EXPECT_EQ(f().at(120, 100), 5);
}

TEST(Palette, StartRangesAndRoles) {
    platform::Framebuffer fb;
    load_default_palette(fb);
    EXPECT_EQ(fb.palette(0), (platform::Rgb6{0, 0, 0}));
    EXPECT_EQ(fb.palette(15), (platform::Rgb6{63, 63, 63}));
    EXPECT_EQ(fb.palette(7), (platform::Rgb6{42, 42, 42}));
    // The grey ramp 16 ... 31 rises.
    for (int i = 17; i <= 31; ++i) EXPECT_GT(fb.palette(i).r, fb.palette(i - 1).r);
    set_start_palette(fb);
    EXPECT_EQ(fb.palette(140), (platform::Rgb6{13, 0, 0}));
    EXPECT_EQ(fb.palette(150), (platform::Rgb6{38, 0, 0}));  // round(37.65)
    EXPECT_EQ(fb.palette(160), (platform::Rgb6{63, 0, 0}));
    EXPECT_EQ(fb.palette(170), (platform::Rgb6{47, 47, 47}));
    EXPECT_EQ(fb.palette(180), (platform::Rgb6{57, 57, 57}));
    EXPECT_EQ(fb.palette(250), (platform::Rgb6{0, 0, 0}));
    EXPECT_EQ(fb.palette(240), (platform::Rgb6{10, 10, 40}));
    EXPECT_EQ(fb.palette(230), (platform::Rgb6{20, 20, 16}));  // 80 mod 64
    EXPECT_EQ(fb.palette(190), (platform::Rgb6{60, 60, 48}));
    EXPECT_EQ(fb.palette(41), (platform::Rgb6{43, 0, 0}));
    EXPECT_EQ(fb.palette(43), (platform::Rgb6{20, 0, 0}));
    // Shown at component * 255 / 63, truncated.
    EXPECT_EQ(platform::shown_component(63), 255);
    EXPECT_EQ(platform::shown_component(1), 4);
    EXPECT_EQ(platform::shown_component(13), 52);
    fb.set(0, 0, 140);
    EXPECT_EQ(fb.rgb_at(0, 0), 0x340000u);
}

}  // namespace
}  // namespace sc::ui
