#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/png_image.h"
#include "settings/parameter_steps.h"
#include "tests/shell/window_fixture.h"

namespace sc {
namespace {

using test::WindowApp;

// The pointer's y for the row number n the screens count (n = y / 8 - 34).
int y_of(int n) { return 8 * (n + 34); }

class SelectionScreens : public WindowApp {
protected:
    // A click inside the box at row n, `after` seconds from now.
    void pick(double after, int n) {
        window.pointer_at(now() + after, 650, y_of(n), 1);
        window.pointer_at(now() + after + 0.1, 650, y_of(n), 0);
    }
    // Opens a screen with the pointer on its button; `script` plays inside.
    void open_vocal() {
        window.pointer_at(now(), 660, 258);
        app.MEHR_V_SETUPS();
    }
    void open_instrument() {
        window.pointer_at(now(), 730, 258);
        app.MEHR_I_SETUPS();
    }
    // Keeps a picture of the open screen when SC_SHOT_DIR names a folder.
    void keep_picture(const std::string& name) {
        if (const char* dir = std::getenv("SC_SHOT_DIR"))
            platform::write_png(std::string(dir) + "/" + name + ".png", platform::image_of(window.shown()));
    }
};

TEST_F(SelectionScreens, AVocalPresetTakesTheAttributesOfThisVisit) {
    pick(0.5, 22);  // less muddy
    pick(1.0, 15);  // Bass_Soft
    const double start = now();
    open_vocal();
    EXPECT_GT(now() - start, 1.0);
    EXPECT_EQ(snap_threshold(app.params, Band::Bass), -14);
    EXPECT_EQ(app.params.EQ[2], -3.0f);
    EXPECT_EQ(app.params.EQ[3], -2.0f);
    EXPECT_NEAR(app.params.KOMPR_OUTBASS, 1.123f, 1e-6);
    EXPECT_EQ(app.params.HPF, 100);
    // the attributes belong to that visit only
    EXPECT_FALSE(app.vocal_flags.less_muddy);
    EXPECT_EQ(text(33, 81, 6), "MEHR V");  // the panel is back
}

TEST_F(SelectionScreens, TwoAttributesAddUp) {
    pick(0.5, 23);  // less muddy, lower half of its rows
    pick(1.0, 28);  // more presence
    pick(1.5, 2);   // Sopran_Soft, lower half
    open_vocal();
    EXPECT_EQ(app.params.EQ[2], -2.0f);  // +2 - 2 - 2
    EXPECT_EQ(app.params.EQ[8], 3.5f);   // 4 kHz +1 + 2.5
    EXPECT_EQ(app.params.HPF, 150);
}

TEST_F(SelectionScreens, AnAttributeClickedTwiceIsOffAgain) {
    pick(0.5, 26);  // less hissing on
    pick(1.0, 27);  // and off
    pick(1.5, 17);  // Bass_Medium
    open_vocal();
    EXPECT_EQ(snap_threshold(app.params, Band::High), -14);
    EXPECT_EQ(app.params.EQ[9], 0.0f);
}

TEST_F(SelectionScreens, GapRowsChooseNothingAndClose) {
    const ParameterSet before = app.params;
    for (const int gap : {7, 14, 21}) {
        pick(0.5, gap);
        open_vocal();
        EXPECT_EQ(app.params, before) << gap;
    }
    pick(0.5, 15);
    open_instrument();
    EXPECT_EQ(app.params, before);
    pick(0.5, 30);  // below the last entry
    open_instrument();
    EXPECT_EQ(app.params, before);
}

TEST_F(SelectionScreens, LeavingTheBoxClosesWithoutChangeAndForgetsTheAttributes) {
    const ParameterSet before = app.params;
    pick(0.5, 22);                          // less muddy ...
    window.pointer_at(now() + 1.0, 500, 300);  // ... then away
    open_vocal();
    EXPECT_EQ(app.params, before);
    pick(0.5, 15);
    open_vocal();
    EXPECT_EQ(snap_threshold(app.params, Band::Bass), -12);  // Bass_Soft without less muddy
    EXPECT_EQ(app.params.EQ[2], -1.0f);
}

TEST_F(SelectionScreens, EscapeLeavesToo) {
    const ParameterSet before = app.params;
    window.key_at(now() + 0.5, std::string(1, platform::KEY_ESC));
    open_instrument();
    EXPECT_EQ(app.params, before);
}

TEST_F(SelectionScreens, InstrumentEntriesChooseTheirPresets) {
    pick(0.5, 1);
    open_instrument();
    EXPECT_EQ(app.params.GATEBASS, 6);  // BassDrum general
    EXPECT_EQ(app.params.GATEHIGH, 4);
    pick(0.5, 21);
    open_instrument();
    EXPECT_EQ(app.params.LIMI_ATT.index, 13);  // Slap-Bass dense
    EXPECT_EQ(app.params.LIMI_REL.index, 15);
    pick(0.5, 29);
    open_instrument();
    EXPECT_EQ(app.params.HPF, 100);  // Strings
    EXPECT_EQ(app.params.GATEBASS, 0);
}

TEST_F(SelectionScreens, TheScreensShowTheirEntriesInBothLanguages) {
    // Each visit ends with the close button, so the box is still there to read.
    app.state.LANGUAGE = LANGUAGE_EN;
    window.pointer_at(now(), 660, 258);
    window.key_at(now() + 0.5, platform::KEY_CLOSE);
    try {
        app.MEHR_V_SETUPS();
    } catch (const ProgramExit&) {
    }
    EXPECT_EQ(text(36, 77, 19), "VOCAL: Soprano_Soft");
    EXPECT_EQ(text(54, 77, 16), "VOCAL: Bass_Hard");
    EXPECT_EQ(text(63, 81, 13), "more presence");  // behind its circle
    EXPECT_EQ(info1(22), " Select a VOCAL-SETUP.");
    keep_picture("vocal_en");

    app.state.LANGUAGE = LANGUAGE_DE;
    window.pointer_at(now(), 660, 258);
    window.pointer_at(now() + 0.3, 650, y_of(24), 1);  // less nose
    window.pointer_at(now() + 0.4, 650, y_of(24), 0);
    window.key_at(now() + 0.8, platform::KEY_CLOSE);
    try {
        app.MEHR_V_SETUPS();
    } catch (const ProgramExit&) {
    }
    EXPECT_EQ(text(36, 77, 18), "VOKAL: Sopran_Soft");
    EXPECT_EQ(text(59, 81, 12), "weniger Nase");
    EXPECT_EQ(text(61, 81, 13), "weniger Zisch");
    EXPECT_EQ(info2(60), " Die unteren vier Eigenschaften gelten NUR für diese SETUPS.");
    keep_picture("vocal_de");

    for (const int16_t language : {LANGUAGE_DE, LANGUAGE_EN}) {
        app.state.LANGUAGE = language;
        window.pointer_at(now(), 730, 258);
        window.key_at(now() + 0.5, platform::KEY_CLOSE);
        try {
            app.MEHR_I_SETUPS();
        } catch (const ProgramExit&) {
        }
        EXPECT_EQ(text(36, 77, 19), language == LANGUAGE_EN ? "BassDrum: general  " : "BassDrum: allgemein");
        EXPECT_EQ(text(63, 77, 20), language == LANGUAGE_EN ? "Strings: general    " : "Streicher: allgemein");
        keep_picture(language == LANGUAGE_EN ? "instrument_en" : "instrument_de");
    }
}

}  // namespace
}  // namespace sc
