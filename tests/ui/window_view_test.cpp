#include "ui/window_view.h"

#include <gtest/gtest.h>

#include <csignal>

#include "platform/interruption.h"
#include "platform/keys.h"
#include "platform/scripted_window.h"
#include "settings/program_exit.h"
#include "tests/ui/screen_text.h"

namespace sc::ui {
namespace {

class WindowViewTest : public ::testing::Test {
protected:
    WindowViewTest() {
        view.open_screen();
        view.set_palette_ranges();
        view.attach(params, state);
    }
    std::string text(int row, int column, int n) { return test::screen_text(window.shown(), row, column, n); }
    double now() { return window.clock().timer(); }

    platform::ScriptedWindow window;
    WindowView view{window};
    ParameterSet params;
    ProgramState state;
};

TEST_F(WindowViewTest, InfoLinesAreDrawnOnlyWhenTheyChange) {
    view.redraw_panel();
    view.info_text(" CLICK= Infopages.", "second line");
    EXPECT_EQ(text(46, 3, 18), " CLICK= Infopages.");
    EXPECT_EQ(text(48, 3, 11), "second line");
    const int presents = window.presents();
    view.info_text(" CLICK= Infopages.", "second line");
    EXPECT_EQ(window.presents(), presents);
    view.info_text_grey(" CLICK= Infopages.", "second line");
    EXPECT_EQ(window.presents(), presents + 1);
    EXPECT_EQ(window.shown().at(8 * 3 + 3, 8 * 45), 8);  // the top of the C in grey
    view.info_text(" KLICK= Sprache wechseln.", "");
    EXPECT_EQ(text(46, 3, 25), " KLICK= Sprache wechseln.");
    EXPECT_EQ(text(48, 3, 11), "           ");
}

TEST_F(WindowViewTest, HintBlinksUntilAKey) {
    HintMessage hint{" Datei wurde vermutlich bereits bearbeitet.", "       Tipp: ...", 2, "", 0, 0};
    window.key_at(5.0, "x");
    const double start = now();
    view.blink_hint(hint, false);
    EXPECT_GE(now() - start, 5.0);
    EXPECT_LT(now() - start, 5.2);
    EXPECT_EQ(text(52, 75, 19), "Bel. Taste drücken.");
    EXPECT_EQ(text(46, 3, 43), " Datei wurde vermutlich bereits bearbeitet.");
    EXPECT_EQ(window.inkey(), "");  // the key was taken
}

TEST_F(WindowViewTest, HintTimesOutAfterEightyOrThirteenSeconds) {
    state.LANGUAGE = LANGUAGE_EN;
    HintMessage hint{"a", "b", 1, " the tip ", 20, 10};
    double start = now();
    view.blink_hint(hint, false);
    EXPECT_NEAR(now() - start, 80.0, 1.01);
    EXPECT_EQ(text(52, 75, 14), "Press any key.");
    EXPECT_EQ(text(20, 10, 11), "  the tip  ");
    start = now();
    view.blink_hint(hint, true);
    EXPECT_NEAR(now() - start, 13.0, 1.01);
}

TEST_F(WindowViewTest, CloseButtonEndsTheProgramWhereverKeysAreRead) {
    int closed = 0;
    view.on_close([&] {
        ++closed;
        throw ProgramExit{0};  // as the orderly exit does
    });
    window.key(platform::KEY_CLOSE);
    EXPECT_THROW(view.TASTE_EINGEBEN(), ProgramExit);
    window.key_at(now() + 1.0, platform::KEY_CLOSE);
    EXPECT_THROW(view.blink_hint(HintMessage{"a", "b", 3, "", 0, 0}, false), ProgramExit);
    window.key_at(now() + 0.5, platform::KEY_CLOSE);
    EXPECT_THROW(view.sleep_or_key(1000), ProgramExit);
    EXPECT_EQ(closed, 3);
}

TEST_F(WindowViewTest, CloseButtonOrSignalDuringAJobIsPassedOnAndEndsTheWait) {
    int closed = 0;
    view.on_close([&] { ++closed; });  // a job runs: it is asked to end
    window.key_at(now() + 0.5, platform::KEY_CLOSE);
    double start = now();
    view.sleep_or_key(3000);
    EXPECT_NEAR(now() - start, 0.5, 0.11);
    EXPECT_EQ(closed, 1);

    // an ending signal counts as the close button
    platform::record_ending_signal(SIGTERM);
    EXPECT_EQ(view.poll_key(), platform::KEY_CLOSE);
    platform::clear_ending_signal();
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(view.poll_key(), "");
}

TEST_F(WindowViewTest, KeyWaitsAndSleeps) {
    window.key_at(now() + 2.0, platform::extended_key(platform::ext::F11));
    EXPECT_EQ(view.TASTE_EINGEBEN(), platform::extended_key(platform::ext::F11));
    double start = now();
    view.sleep_or_key(300);
    EXPECT_NEAR(now() - start, 0.3, 0.011);
    window.key_at(now() + 0.1, "a");
    start = now();
    view.sleep_or_key(3000);
    EXPECT_NEAR(now() - start, 0.1, 0.011);
    window.key("1");
    window.key("2");
    view.wait_no_key();
    EXPECT_EQ(window.inkey(), "");
}

TEST_F(WindowViewTest, TextScreenAndPanelRedraw) {
    view.text_screen({"first", " second"}, false);
    EXPECT_EQ(text(1, 1, 5), "first");
    EXPECT_EQ(text(2, 1, 7), " second");
    state.last_full_redraw = -1;
    view.redraw_panel();
    EXPECT_EQ(text(15, 7, 8), "IN GAIN ");
    EXPECT_EQ(state.last_full_redraw, now());
}

TEST(WindowViewOpen, AWindowThatCannotOpenIsARunTimeError) {
    platform::ScriptedWindow window;
    window.refuse_open();
    WindowView view(window);
    EXPECT_THROW(view.open_screen(), RunTimeError);
}

TEST(PointerNudge, MovesLeftAndBackUnlessAtTheEdge) {
    platform::ScriptedWindow window;
    window.pointer_at(0, 100, 50);
    MAUS_SCHUBSEN(window);
    ASSERT_EQ(window.pointer_moves().size(), 2u);
    EXPECT_EQ(window.pointer_moves()[0], std::make_pair(99, 50));
    EXPECT_EQ(window.pointer_moves()[1], std::make_pair(100, 50));
    EXPECT_TRUE(window.pointer_visible());
    window.pointer_at(0, 1, 50);
    MAUS_SCHUBSEN(window);
    EXPECT_EQ(window.pointer_moves().size(), 2u);
}

// The hand cursor nudges the pointer in the same pass that reads the click:
// a click made just before the nudge is still there for the main loop.
TEST(PointerNudge, LeavesAClickMadeJustBeforeToTheNextReading) {
    platform::ScriptedWindow window;
    window.pointer_at(0, 100, 50, platform::BUTTON_LEFT_BIT);
    window.pointer_at(0, 100, 50, 0);
    MAUS_SCHUBSEN(window);
    const platform::PointerState p = window.pointer();
    EXPECT_EQ(p.pressed, platform::BUTTON_LEFT_BIT);
    EXPECT_EQ(window.pointer().pressed, 0);
}

}  // namespace
}  // namespace sc::ui
