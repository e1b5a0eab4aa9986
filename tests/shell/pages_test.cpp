// The help, memory and equalizer pages as the logic shows them, and the
// same pages in the scripted window with its close button in every wait.
#include <gtest/gtest.h>

#include "platform/keys.h"
#include "platform/scripted_window.h"
#include "settings/program_exit.h"
#include "shell/application.h"
#include "shell/page_lines.h"
#include "tests/shell/shell_fakes.h"
#include "tests/ui/screen_text.h"
#include "ui/window_view.h"

namespace sc {
namespace {

using test::FakePlatform;

// Records the page calls besides what EventView records.
class PageView : public test::EventView {
public:
    std::vector<ResponseDiagram> diagrams;
    std::map<std::pair<int, int>, std::string> texts;  // (row, column) -> text
    int keys_awaited = 0;
    std::string TASTE_EINGEBEN() override {
        ++keys_awaited;
        events.push_back("key");
        return "x";
    }
    void page_begin(bool framed) override { events.push_back(framed ? "framed page" : "page"); }
    void page_text(int row, int column, std::string_view text, bool) override {
        texts[{row, column}] = std::string(text);
    }
    void help_page(int page) override { events.push_back("help " + std::to_string(page)); }
    void response_diagram(const ResponseDiagram& d) override {
        diagrams.push_back(d);
        events.push_back("diagram");
    }
    std::string at(int row, int column) const {
        auto it = texts.find({row, column});
        return it == texts.end() ? std::string("<none>") : it->second;
    }
};

class PagesTest : public ::testing::Test {
protected:
    FakePlatform fp;
    PageView view;
    Application app{view, fp.services()};
};

TEST_F(PagesTest, HelpShowsSixPagesEachWaitingForAKeyThenThePanel) {
    app.ABOUTLE();
    EXPECT_EQ(view.events, (std::vector<std::string>{"help 1", "key", "help 2", "key", "help 3", "key", "help 4",
                                                     "key", "help 5", "key", "help 6", "key", "panel"}));
}

TEST_F(PagesTest, MemoryPageShowsTheAvailableMegabytesAtRow55) {
    app.memory_page();
    EXPECT_EQ(view.at(55, 1), "    1024 MByte RAM free");  // the fake has 1 GiB
    EXPECT_EQ(view.events, (std::vector<std::string>{"page", "key", "panel"}));
    EXPECT_EQ(memory_line(uint64_t{3} * 1024 * 1024 / 2), "       2 MByte RAM free");  // 1.5 MB rounds up
    EXPECT_EQ(memory_line(uint64_t{123456} * 1024 * 1024), "  123456 MByte RAM free");
    EXPECT_EQ(memory_line(std::nullopt), "       ? MByte RAM free");
}

TEST_F(PagesTest, MeasurementPageMeasuresEveryBandAndLeavesBandTwelveRaised) {
    app.params.EQ.fill(-3.0f);
    app.source_format.sample_rate = 48000;
    app.equalizer_measurement_page();

    EXPECT_EQ(app.source_format.sample_rate, 44100);
    EXPECT_EQ(view.at(3, 1), "   Warten ...  Filterwert Güte (Q) 12-Band-EQ wird ermittelt.");
    EXPECT_EQ(view.at(9, 1), " Grob ermittelte Werte für 9 dB Anhebung (fo, fu = 3dB unter Spitze):");
    EXPECT_EQ(view.at(12, 1), " Filternr ");
    EXPECT_EQ(view.at(12, 12), "   fu (dB)");
    EXPECT_EQ(view.at(12, 74), "Spitze dB");
    EXPECT_EQ(view.at(43, 2), "Die Filternr 1 und 2 haben kleine Güte für kürzere Rechenzeiten.");
    EXPECT_EQ(view.at(49, 2), "Fertig ... beliebige Taste drücken.");
    for (int k = 1; k <= 12; ++k) {
        const int row = 13 + 2 * k;
        EXPECT_EQ(view.at(row, 2), std::to_string(k));
        const double peak = std::stod(view.at(row, 74));
        EXPECT_NEAR(peak, 9.0, 0.5) << k;
        const double fu = std::stod(view.at(row, 12)), centre = std::stod(view.at(row, 54));
        EXPECT_LT(fu, centre) << k;
        const double nominal = EQ_FREQUENCIES[static_cast<std::size_t>(k - 1)];
        EXPECT_NEAR(centre / nominal, 1.0, 0.15) << k;
    }
    // The two lowest bands are the broad ones; the middle bands about an octave wide.
    EXPECT_LT(std::stod(view.at(15, 64)), 1.2);
    EXPECT_NEAR(std::stod(view.at(13 + 2 * 6, 64)), 1.44, 0.1);

    for (int b = 0; b < 11; ++b) EXPECT_EQ(app.params.EQ[static_cast<std::size_t>(b)], 0.0f);
    EXPECT_EQ(app.params.EQ[11], 9.0f);
    EXPECT_EQ(view.events.back(), "panel");
    EXPECT_EQ(view.keys_awaited, 1);
}

TEST(MeasurementRow, MissingEdgesPrintADash) {
    engine::PeakShape s;
    s.peak_freq = 14000;
    s.peak_db = 9.04;
    s.fu = 9970.4;
    const auto row = measurement_row(s);
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[0], (std::pair<int, std::string>{12, "      9970"}));
    EXPECT_EQ(row[1], (std::pair<int, std::string>{28, "         -"}));
    EXPECT_EQ(row[2].second, "-");
    EXPECT_EQ(row[3].second, "14000");
    EXPECT_EQ(row[4].second, "-");
    EXPECT_EQ(row[5], (std::pair<int, std::string>{74, "+9.0"}));
    EXPECT_EQ(number_text(350), " 350");
    EXPECT_EQ(number_text(-2), "-2");
}

TEST_F(PagesTest, DiagramShowsTheEqualizerAndThenTheCrossover) {
    app.params.EQ.fill(0.0f);
    app.params.EQ[0] = 9.0f;  // 100 Hz: the deepest filter
    app.params.HPF = 0;
    app.EQ_FILTERBESTIMMEN();
    app.EQ_DIAGRAMM();

    ASSERT_EQ(view.diagrams.size(), 2u);
    const ResponseDiagram& eq = view.diagrams[0];
    EXPECT_EQ(eq.lines.at(0), "EQUALIZER und HPF. Aktuelle Filtertiefe: +- 350 Samples bei Samplerate 44100");
    EXPECT_EQ(eq.lines.at(1), "Diagram is calculated by short wav-pieces, which are sent through filter.");
    EXPECT_EQ(eq.footer, " WEITER  (beliebige Taste)  to multiband-diagram");
    ASSERT_EQ(eq.curves.size(), 1u);
    const auto& points = eq.curves[0].points;
    ASSERT_GT(points.size(), 100u);
    EXPECT_DOUBLE_EQ(points.front().first, 20.0);
    double best = -100, best_f = 0;
    for (const auto& [f, db] : points)
        if (db > best) best = db, best_f = f;
    EXPECT_NEAR(best, 9.0, 0.6);
    EXPECT_NEAR(best_f, 100.0, 15.0);
    EXPECT_NEAR(points.back().second, 0.0, 0.2);

    const ResponseDiagram& bands = view.diagrams[1];
    EXPECT_EQ(bands.lines.at(0), "MULTIBAND COMPRESSOR. Feste Filtertiefe: +- 80 samples (44 & 48 kHz).");
    EXPECT_EQ(bands.footer, " WEITER  (beliebige Taste)  back to program.");
    ASSERT_EQ(bands.curves.size(), 3u);
    EXPECT_EQ(bands.curves[0].label, "LOW");
    EXPECT_EQ(bands.curves[2].label, "HIGH");
    EXPECT_NEAR(bands.curves[0].points.front().second, 0.0, 0.1);  // LOW passes 20 Hz
    EXPECT_EQ(view.events, (std::vector<std::string>{"diagram", "key", "diagram", "key", "panel"}));

    view.diagrams.clear();
    app.state.LANGUAGE = LANGUAGE_EN;
    app.source_format.sample_rate = 48000;
    app.EQ_FILTERBESTIMMEN();
    app.EQ_DIAGRAMM();
    EXPECT_EQ(view.diagrams.at(0).lines.at(0),
              "EQUALIZER and HPF. Current filter depth: +- 381samples at samplerate 48000");
    EXPECT_EQ(view.diagrams.at(1).lines.at(0), "MULTIBAND COMPRESSOR. Filter depth: +- 80 samples (44 & 48 kHz).");
    EXPECT_EQ(view.diagrams.at(1).footer, " GO ON (Any Key)  back to program.");
}

// --- in the scripted window ------------------------------------------------------

class WindowPagesTest : public ::testing::Test {
protected:
    WindowPagesTest() {
        view.open_screen();
        view.set_palette_ranges();
        view.attach(app.params, app.state);
        view.on_close([this] { app.ORDENTLICH_ENDE(); });
    }
    std::string text(int row, int column, int n) { return test::screen_text(window.shown(), row, column, n); }
    // Keys one second apart from now on.
    void keys(const std::vector<std::string>& ks) {
        double at = window.clock().timer();
        for (const auto& k : ks) window.key_at(at += 1.0, k);
    }

    FakePlatform fp;
    platform::ScriptedWindow window{&fp.clock};
    ui::WindowView view{window};
    Application app{view, fp.services()};
};

TEST_F(WindowPagesTest, AnyKeyTurnsTheHelpPageAndThePanelComesBack) {
    using platform::extended_key;
    namespace ext = platform::ext;
    keys({"a", extended_key(ext::F5), " ", extended_key(ext::F12), std::string(1, platform::KEY_ESC), "\r"});
    app.ABOUTLE();
    EXPECT_NEAR(window.clock().timer(), 6.0, 0.2);
    EXPECT_EQ(text(11, 4, 5), "Datei");  // the panel's file line
}

TEST_F(WindowPagesTest, ClosingTheWindowOnAnyHelpPageEndsTheProgramInOrder) {
    for (int16_t lang : {LANGUAGE_DE, LANGUAGE_EN}) {
        for (int page = 1; page <= 6; ++page) {
            app.state.LANGUAGE = lang;
            std::vector<std::string> ks(static_cast<std::size_t>(page - 1), "k");
            ks.push_back(platform::KEY_CLOSE);
            keys(ks);
            try {
                app.ABOUTLE();
                FAIL() << "the help pages returned";
            } catch (const ProgramExit& e) {
                EXPECT_EQ(e.code, 0);
            }
            const std::string nav = lang == LANGUAGE_DE
                                        ? (page < 6 ? " WEITER  (beliebige Taste)  Zur Seite " + std::to_string(page + 1) +
                                                          " von 6."
                                                    : " WEITER  (beliebige Taste)  Zum Programm.")
                                        : (page < 6 ? " GO ON (Any Key)  TO Page " + std::to_string(page + 1) + " of 6."
                                                    : " GO ON (Any Key)  back to main page.");
            EXPECT_EQ(text(63, 2, static_cast<int>(utf8_length(nav))), nav) << page;
        }
    }
    // The first row of the first page is a heading: drawn in the second colour.
    app.state.LANGUAGE = LANGUAGE_EN;
    keys({platform::KEY_CLOSE});
    EXPECT_THROW(app.ABOUTLE(), ProgramExit);
    EXPECT_EQ(text(3, 2, 11), "SONOCLAMPER");
    bool heading_colour = false;
    for (int x = 8; x < 16; ++x)
        for (int y = 16; y < 24; ++y) heading_colour = heading_colour || window.shown().at(x, y) == 1;
    EXPECT_TRUE(heading_colour);
}

TEST_F(WindowPagesTest, ClosingTheWindowOnTheOtherPagesEndsTheProgramInOrder) {
    const std::function<void()> pages[] = {[&] { app.memory_page(); }, [&] { app.equalizer_measurement_page(); },
                                           [&] { app.EQ_DIAGRAMM(); }};
    for (const auto& show : pages) {
        keys({platform::KEY_CLOSE});
        EXPECT_THROW(show(), ProgramExit);
    }
    // On the second diagram, too.
    keys({"a", platform::KEY_CLOSE});
    EXPECT_THROW(app.EQ_DIAGRAMM(), ProgramExit);
    EXPECT_EQ(text(3, 3, 21), "MULTIBAND COMPRESSOR.");
}

TEST_F(WindowPagesTest, MemoryPageIsNotTurnedByTheKeysThatOpenedIt) {
    window.hold_at(0.0, 1.5, platform::scan::F1);
    window.key_at(0.0, platform::extended_key(platform::ext::F1));
    window.key_at(3.0, "x");
    app.memory_page();
    EXPECT_GE(window.clock().timer(), 3.0);
    EXPECT_EQ(text(11, 4, 5), "Datei");
}

}  // namespace
}  // namespace sc
