// Loading a file's envelope and the job's result envelope through the
// application, on real files with the virtual clock.
#include <gtest/gtest.h>

#include "shell/application.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

class EnvelopeView : public test::EventView {
public:
    std::vector<int> progress;
    std::vector<double> grey_times, normal_times;
    platform::Clock* clock = nullptr;
    int draws = 0;
    const Envelope* drawn_result = nullptr;
    void envelope_progress(int p) override { progress.push_back(p); }
    void info_text(std::string_view a, std::string_view b) override {
        test::EventView::info_text(a, b);
        if (clock) normal_times.push_back(clock->timer());
    }
    void info_text_grey(std::string_view, std::string_view) override {
        if (clock) grey_times.push_back(clock->timer());
    }
    void draw_envelopes(const Envelope&, const Envelope* result, int, int, bool) override {
        ++draws;
        drawn_result = result;
    }
};

class EnvelopeCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.env.vars["TEMP"] = dir.folder();
        app.startup({});
        view.events.clear();
        view.clock = &platform.clock;
    }
    test::TempDir dir;
    test::FakePlatform platform;
    EnvelopeView view;
    Application app{view, platform.services()};
};

TEST_F(EnvelopeCallsTest, ALoadedFileGetsItsEnvelopeProgressAndABlinkingAfterword) {
    test::FmtFields f;
    f.channels = 1;
    std::string bytes = test::canonical_wav(f, 44100 * 2 * 3);  // three seconds of a ramp
    const std::string path = dir.write("song.wav", bytes);
    app.state.source_path = app.state.display_source_name = path;
    const double start = platform.clock.timer();
    app.HUELLKURVE_ERMITTELN(path);
    EXPECT_EQ(app.state.file_loaded, 1);
    EXPECT_EQ(app.source_format.playing_time, 3.0);
    // about 3900 blocks: a report every 99 and a last one at 100
    ASSERT_GE(view.progress.size(), 39u);
    EXPECT_EQ(view.progress.back(), 100);
    EXPECT_LE(view.progress.front(), 3);
    EXPECT_GT(app.state.source_envelope.column_left[400], 0);
    EXPECT_EQ(app.state.source_envelope.column_right[400], 0);
    EXPECT_EQ(view.events.front(), "info: " + std::string(" Bitte warten...    Grafik wird ermittelt  ....") + " | " +
                                       std::string(25, ' ') + "Datei jetzt nicht in andren Programmen benutzen.");
    // the afterword blinks until two seconds after the reading began
    ASSERT_FALSE(view.grey_times.empty());
    for (double t : view.grey_times) EXPECT_LT(t - std::floor(t), 0.14);
    EXPECT_GE(platform.clock.timer() - start, 2.0 + 0.04);
    EXPECT_LT(platform.clock.timer() - start, 2.0 + 0.04 + 0.1);
    EXPECT_EQ(view.events.back(), "info:  | ");
}

TEST_F(EnvelopeCallsTest, AShortFileWarnsAboutItsPlayingTimeAndARejectedOneLoadsNothing) {
    test::FmtFields f;
    const std::string path = dir.write("short.wav", test::canonical_wav(f, 44100 * 2));  // half a second
    app.HUELLKURVE_ERMITTELN(path);
    ASSERT_FALSE(view.events.empty());
    EXPECT_EQ(view.events.front(), "hint1:  Spieldauer via Windows nicht ermittelbar. |  Normal weiter arbeiten. "
                                   "Hüllkurve ungültig.");
    EXPECT_EQ(app.state.file_loaded, 1);

    view.events.clear();
    app.state.source_path = app.state.display_source_name = "x";
    app.HUELLKURVE_ERMITTELN(dir.write("noise.wav", std::string(50000, 'x')));
    EXPECT_EQ(app.state.file_loaded, 0);
    EXPECT_TRUE(app.state.display_source_name.empty());
    view.events.clear();
    app.HUELLKURVE_ERMITTELN("");
    EXPECT_TRUE(view.events.empty());
}

TEST_F(EnvelopeCallsTest, TheResultEnvelopeFailsWithItsOwnTexts) {
    test::FmtFields floats;
    floats.tag = 3;
    struct Case {
        std::string bytes;
        const char* text;
    } cases[] = {
        {test::riff_wave({test::fmt_chunk(floats), test::data_chunk(100)}), "Ausgabedatei: Audioformat ist nicht PCM."},
        {test::riff_wave({test::chunk("junk", "ab"), test::chunk("junk", "cd"), test::data_chunk(100)}),
         "Ausgabedatei: FMT-Eintrag wurde nicht gefunden."},
        {test::riff_wave({test::fmt_chunk(test::FmtFields{})}), "Ausgabedatei: Audiodaten nicht gefunden."},
    };
    for (const Case& c : cases) {
        app.state.source_path = app.state.display_source_name = "/a/song.wav";
        view.events.clear();
        const double start = platform.clock.timer();
        EXPECT_FALSE(app.HUELLKURVE_ERMITTELN2(dir.write("out.buf", c.bytes)));
        EXPECT_EQ(view.events.back(), std::string("info: ") + c.text + " | ");
        EXPECT_GE(platform.clock.timer() - start, 3.0);
        EXPECT_TRUE(app.state.display_source_name.empty());
    }
    test::FmtFields stereo;
    EXPECT_TRUE(app.HUELLKURVE_ERMITTELN2(dir.write("good.buf", test::canonical_wav(stereo, 40000))));
    EXPECT_TRUE(app.state.result_envelope.stereo());
    EXPECT_GT(app.state.result_envelope.column_right[10], 0);
}

TEST_F(EnvelopeCallsTest, DrawingNeedsALoadedFileAndShowsTheResultOnlyWhenThereIsOne) {
    app.HUELLKURVEN_ZEICHNEN();
    EXPECT_EQ(view.draws, 0);
    app.state.display_source_name = "/a/song.wav";
    app.HUELLKURVEN_ZEICHNEN();
    EXPECT_EQ(view.draws, 1);
    EXPECT_EQ(view.drawn_result, nullptr);
    app.state.result_exists = 1;
    app.HUELLKURVEN_ZEICHNEN();
    EXPECT_EQ(view.drawn_result, &app.state.result_envelope);
}

}  // namespace
}  // namespace sc
