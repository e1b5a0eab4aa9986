#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "settings/parameter_steps.h"
#include "tests/shell/window_fixture.h"

namespace sc {
namespace {

using test::WindowApp;

constexpr int LEFT = 1, RIGHT = 2, BOTH = 3;

class Clicks : public WindowApp {
protected:
    Clicks() {
        fp.processes.installed["lame"] = "/usr/bin/lame";
        // A setting in the middle of every range, so that both buttons move.
        app.params.LIMI_THR = amplitude_of_db(-4);
        app.params.LIMI_OUTGAIN = static_cast<float>(std::pow(10.0, 2.05 / 20));
        middle = app.params;
    }
    // A press read by GEKLICKT; the button comes up a moment later.
    void click(int x, int y, int buttons) {
        window.pointer_at(now(), x, y, buttons);
        window.pointer_at(now() + 0.1, x, y, 0);
        app.GEKLICKT();
    }
    ParameterSet middle;
};

struct Rectangle {
    int x1, x2, y1, y2;
};

// What a field does to the program, as one number, and what each button
// must make of it.
struct FieldCase {
    const char* name;
    Rectangle r;
    std::function<double(Application&)> probe;
    double left, right;  // the probe after a left / right click from the middle setting
};

std::vector<FieldCase> field_cases() {
    const int rows[3][2] = {{152, 208}, {217, 272}, {280, 336}};  // HIGH, MIDD, BASS
    const Band bands[3] = {Band::High, Band::Midd, Band::Bass};
    std::vector<FieldCase> cases = {
        {"START", {734, 792, 74, 95}, [](Application& a) { return a.state.start_request; }, 1, 1},
        {"INFO", {734, 792, 28, 44}, [](Application& a) { return a.state.help_request; }, 1, 1},
        {"By", {148, 170, 321, 343}, [](Application& a) { return a.params.KOMPR_BYPASS; }, 1, 1},
        {"OPEN", {734, 792, 52, 68}, [](Application& a) { return a.state.open_request; }, 1, 1},
        {"HPF", {82, 118, 175, 202}, [](Application& a) { return a.params.HPF; }, 100, 100},
        {"AUTO", {17, 60, 294, 331}, [](Application& a) { return a.params.INPUTAUTO; }, 1, 1},
        {"IN GAIN", {26, 69, 152, 208}, [](Application& a) { return snap_INPUTGAIN(a.params); }, 3, 5},
        {"LIMI_THR", {571, 612, 152, 208}, [](Application& a) { return snap_LIMI_THR(a.params); }, -5, -3},
        {"LIMI_ATT", {628, 669, 152, 208}, [](Application& a) { return a.params.LIMI_ATT.index; }, 7, 9},
        {"LIMI_REL", {675, 716, 152, 208}, [](Application& a) { return a.params.LIMI_REL.index; }, 4, 6},
        {"LIMI_OUTGAIN", {730, 772, 152, 208}, [](Application& a) { return shown_gain_db(a.params.LIMI_OUTGAIN); },
         1.5, 2.5},
        {"VOC_soft", {564, 636, 276, 290}, [](Application& a) { return snap_INPUTGAIN(a.params) * 10 + a.params.INPUTAUTO; },
         40, 40},
        {"VOC_hard", {564, 636, 292, 306}, [](Application& a) { return snap_INPUTGAIN(a.params) * 10 + a.params.INPUTAUTO; },
         61, 61},
        {"MUS_soft", {564, 636, 308, 322}, [](Application& a) { return snap_INPUTGAIN(a.params) * 10 + a.params.INPUTAUTO; },
         42, 42},
        {"MUS_hard", {564, 636, 324, 338}, [](Application& a) { return snap_INPUTGAIN(a.params) * 10 + a.params.INPUTAUTO; },
         61, 61},
        {"Gate HIGH", {386, 445, 190, 202}, [](Application& a) { return a.params.GATEHIGH; }, 6, 1},
        {"Gate MIDD", {386, 445, 254, 267}, [](Application& a) { return a.params.GATEMIDD; }, 6, 1},
        {"Gate BASS", {386, 445, 317, 331}, [](Application& a) { return a.params.GATEBASS; }, 6, 1},
        {"output format", {747, 777, 309, 323}, [](Application& a) { return a.params.OUTFORMAT; }, 9, 2},
        {"language", {747, 777, 325, 339}, [](Application& a) { return a.state.LANGUAGE; }, 2, 2},
    };
    for (int i = 0; i < 3; ++i) {
        const Band b = bands[i];
        const int y1 = rows[i][0], y2 = rows[i][1];
        ParameterSet start;  // the VOC_soft values the middle setting holds
        const double thr = std::floor(db_of_amplitude(threshold_of(start, b)) + 0.5);
        cases.push_back({"threshold", {179, 220, y1, y2},
                         [b](Application& a) { return snap_threshold(a.params, b); }, thr - 1, thr + 1});
        cases.push_back({"ratio", {226, 269, y1, y2}, [b](Application& a) { return ratio_of(a.params, b); }, 2.25, 3.0});
        const int att = attack_of(start, b).index, rel = release_of(start, b).index;
        cases.push_back({"attack", {283, 325, y1, y2}, [b](Application& a) { return attack_of(a.params, b).index; },
                         att - 1.0, att + 1.0});
        cases.push_back({"release", {331, 372, y1, y2}, [b](Application& a) { return release_of(a.params, b).index; },
                         rel - 1.0, rel + 1.0});
        cases.push_back({"make-up", {491, 533, y1, y2},
                         [b](Application& a) { return shown_gain_db(makeup_of(a.params, b)); }, -1.0, 0.5});
    }
    return cases;
}

TEST_F(Clicks, EveryFieldActsAtItsFourCornersWithEitherButton) {
    for (const FieldCase& c : field_cases()) {
        const int xs[2] = {c.r.x1, c.r.x2}, ys[2] = {c.r.y1, c.r.y2};
        for (const int x : xs)
            for (const int y : ys)
                for (const int button : {LEFT, RIGHT}) {
                    app.params = middle;
                    app.state.start_request = app.state.help_request = app.state.open_request = 0;
                    app.state.LANGUAGE = LANGUAGE_DE;
                    click(x, y, button);
                    EXPECT_DOUBLE_EQ(c.probe(app), button == LEFT ? c.left : c.right)
                        << c.name << " at (" << x << ", " << y << ") button " << button;
                }
    }
}

TEST_F(Clicks, OneStepOutsideEachCornerLeavesTheFieldAlone) {
    // Diagonally beside a field there is no field at all.
    for (const FieldCase& c : field_cases()) {
        const double before = c.probe(app);
        for (const auto& [x, y] : {std::pair{c.r.x1 - 1, c.r.y1 - 1}, std::pair{c.r.x2 + 1, c.r.y2 + 1}}) {
            app.params = middle;
            app.state.start_request = app.state.help_request = app.state.open_request = 0;
            app.state.LANGUAGE = LANGUAGE_DE;
            click(x, y, LEFT);
            EXPECT_DOUBLE_EQ(c.probe(app), before) << c.name << " at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(Clicks, TheEqualizerBandFollowsThePointerColumn) {
    click(9, 240, LEFT);  // the computed 0 is raised to band 1
    click(128, 240, RIGHT);
    click(20, 240, LEFT);  // (20 - 11) / 9 = 1
    click(65, 240, LEFT);  // 6
    click(65, 240, LEFT);
    EXPECT_EQ(app.params.EQ[0], 1.0f);
    EXPECT_EQ(app.params.EQ[11], -0.5f);
    EXPECT_EQ(app.params.EQ[5], 1.0f);
    for (int k : {1, 2, 3, 4, 6, 7, 8, 9, 10}) EXPECT_EQ(app.params.EQ[k], 0.0f) << k;
}

TEST_F(Clicks, ExitEndsTheProgramInOrderAtEveryCorner) {
    for (const auto& [x, y] : {std::pair{734, 4}, std::pair{792, 4}, std::pair{734, 20}, std::pair{792, 20}})
        for (const int button : {LEFT, RIGHT}) {
            window.pointer_at(now(), x, y, button);
            try {
                app.GEKLICKT();
                ADD_FAILURE() << "EXIT at " << x << ", " << y << " did not end the program";
            } catch (const ProgramExit& e) {
                EXPECT_EQ(e.code, 0);
            }
        }
}

TEST_F(Clicks, TheEnvelopeRowsPlayOnlyWithAFileAndLeaveTheGapDead) {
    const double before = app.state.last_full_redraw;
    fp.clock.advance(1.0);
    click(400, 430, LEFT);  // no file: nothing there
    EXPECT_EQ(app.state.last_full_redraw, before);
    app.state.display_source_name = app.state.source_path = "/music/song.wav";
    for (const int y : {457, 458, 459, 460}) {
        click(400, y, LEFT);
        EXPECT_EQ(app.state.last_full_redraw, before) << y;
    }
    click(9, 400, RIGHT);  // the source row overlaps no control
    EXPECT_NEAR(app.state.last_full_redraw, now() - 0.05, 1e-9);  // played, then the panel comes back
    fp.clock.advance(1.0);
    const double played = app.state.last_full_redraw;
    click(792, 521, LEFT);  // no result yet
    EXPECT_EQ(app.state.last_full_redraw, played);
    app.state.result_exists = 1;
    click(792, 521, LEFT);
    EXPECT_GT(app.state.last_full_redraw, played);
}

TEST_F(Clicks, BothButtonsPlayTheSourceInsteadOfAnyControl) {
    app.state.display_source_name = app.state.source_path = "/music/song.wav";
    const ParameterSet before = app.params;
    for (const auto& [x, y] : {std::pair{40, 180}, std::pair{150, 330}, std::pair{760, 316}, std::pair{760, 85}}) {
        fp.clock.advance(1.0);
        click(x, y, BOTH);
        EXPECT_NEAR(app.state.last_full_redraw, now() - 0.05, 1e-9) << x << ", " << y;
    }
    EXPECT_EQ(app.params, before);
    EXPECT_EQ(app.state.start_request, 0);
}

TEST_F(Clicks, TheBypassHoldsTheBandKnobsAndGatesButNotTheMakeUpGains) {
    click(159, 332, LEFT);
    ASSERT_EQ(app.params.KOMPR_BYPASS, 1);
    const ParameterSet held = app.params;
    for (const auto& [x, y] : {std::pair{200, 180}, std::pair{240, 240}, std::pair{300, 300}, std::pair{350, 180},
                               std::pair{400, 195}, std::pair{400, 260}, std::pair{400, 320}})
        for (const int button : {LEFT, RIGHT}) click(x, y, button);
    EXPECT_EQ(app.params, held);
    click(510, 300, RIGHT);
    EXPECT_DOUBLE_EQ(shown_gain_db(app.params.KOMPR_OUTBASS), 0.5);
    click(159, 332, RIGHT);
    EXPECT_EQ(app.params.KOMPR_BYPASS, 0);
    click(200, 180, RIGHT);
    EXPECT_EQ(snap_threshold(app.params, Band::High), -13);
}

TEST_F(Clicks, OnlyTheClickedKnobIsDrawnAgain) {
    // A mark on the neighbouring knob survives; the clicked knob shows its new value.
    window.pointer_at(now(), 400, 130);
    app.D__DECKELZEIGEN();
    view.canvas().point(240, 190, 4);
    click(200, 190, RIGHT);
    EXPECT_EQ(text(25, 24, 4), " -13");
    EXPECT_EQ(window.shown().at(240, 190), 4);
    click(40, 180, RIGHT);
    EXPECT_EQ(text(25, 5, 4), "   5");
    EXPECT_EQ(window.shown().at(240, 190), 4);
}

TEST_F(Clicks, TheOutputFormatWrapsBothWays) {
    click(760, 316, LEFT);
    EXPECT_EQ(app.params.OUTFORMAT, 9);
    click(760, 316, RIGHT);
    EXPECT_EQ(app.params.OUTFORMAT, 1);
    for (int i = 0; i < 8; ++i) click(760, 316, RIGHT);
    EXPECT_EQ(app.params.OUTFORMAT, 9);
    click(760, 316, RIGHT);
    EXPECT_EQ(app.params.OUTFORMAT, 1);
    EXPECT_EQ(text(40, 95, 3), "WAV");
}

TEST_F(Clicks, WithoutTheEncoderTheOutputFormatStaysWavAndSaysWhy) {
    fp.processes.installed.clear();
    window.key_at(now() + 2.0, "x");  // ends the blinking hint
    click(760, 316, RIGHT);
    EXPECT_EQ(app.params.OUTFORMAT, 1);
    EXPECT_EQ(app.state.hint.line1, " LAME.EXE nicht gefunden.  MP3 erzeugen nicht möglich. WAV ist OK.");
    EXPECT_EQ(app.state.hint.line2, "... /opt/tools/" + platform::program_file_name("lame"));
    EXPECT_EQ(text(40, 95, 3), "WAV");

    app.state.LANGUAGE = LANGUAGE_EN;
    app.state.encoder_path = "/" + std::string(70, 'd') + "/lame";
    window.key_at(now() + 2.0, "x");
    click(760, 316, LEFT);
    EXPECT_EQ(app.params.OUTFORMAT, 1);
    EXPECT_EQ(app.state.hint.line1, " LAME.EXE not found.  Creating MP3 not possible.  WAV is OK.");
    EXPECT_EQ(app.state.hint.line2, "... " + std::string(57, 'd') + "/lame");

    // Found later on PATH: the format moves and the path is kept.
    fp.processes.installed["lame"] = "/usr/local/bin/lame";
    click(760, 316, RIGHT);
    EXPECT_EQ(app.params.OUTFORMAT, 2);
    EXPECT_EQ(app.state.encoder_path, "/usr/local/bin/lame");
}

TEST_F(Clicks, ARefusedLimiterClickSaysWhyForHalfASecond) {
    app.params = ParameterSet{};  // -1 dB and 0 dB: neither may rise
    const double start = now();
    click(590, 180, RIGHT);
    EXPECT_NEAR(now() - start, 0.55 + 0.05, 1e-9);
    EXPECT_EQ(text(46, 3, 26), "Interaktiv mit OUT-Regler.");
    EXPECT_EQ(text(48, 3, 22), "Sperre gegen Overload.");
    app.state.LANGUAGE = LANGUAGE_EN;
    click(750, 180, RIGHT);
    EXPECT_EQ(text(46, 3, 33), "Interacting with threshold-value.");
    EXPECT_EQ(text(48, 3, 35), "Action blocked to prevent overload.");
    EXPECT_EQ(app.params, ParameterSet{});
}

TEST_F(Clicks, TheLanguageFieldSwitchesThePanel) {
    click(760, 332, LEFT);
    EXPECT_EQ(app.state.LANGUAGE, LANGUAGE_EN);
    EXPECT_EQ(text(42, 95, 3), "DEU");
    EXPECT_EQ(text(33, 81, 6), "MORE V");
    click(760, 332, RIGHT);
    EXPECT_EQ(app.state.LANGUAGE, LANGUAGE_DE);
    EXPECT_EQ(text(42, 95, 3), "ENG");
    EXPECT_EQ(text(33, 81, 6), "MEHR V");
}

TEST_F(Clicks, AGateClickRefreshesItsHoverText) {
    click(400, 195, RIGHT);
    EXPECT_EQ(app.params.GATEHIGH, 1);
    EXPECT_EQ(info2(52), " Langsam (35dB/s)   &   wenig empfindlich (-60 dBFS)");
    click(400, 195, LEFT);
    click(400, 195, LEFT);
    EXPECT_EQ(app.params.GATEHIGH, 6);
    EXPECT_EQ(info2(51), " Schnell (70dB/s)   &   sehr empfindlich (-30 dBFS)");
}

}  // namespace
}  // namespace sc
