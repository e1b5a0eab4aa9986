// The equalizer pages: the measurement of the twelve bands ("X") and the
// response diagrams of the equalizer and of the band split (F2).
#include <algorithm>
#include <cstdio>

#include "engine/response_probe.h"
#include "shell/application.h"
#include "shell/page_lines.h"
#include "shell/page_texts.h"

namespace sc {

namespace {

constexpr int MEASURE_RATE = 44100;
constexpr float TEST_GAIN_DB = 9.0f;
// Each band is searched between these fractions / multiples of its centre.
constexpr double SEARCH_SPAN = 6.0;
// The diagrams run from 20 Hz to 20 kHz (or just below half the sample rate).
constexpr double DIAGRAM_LOW_HZ = 20.0;
constexpr double DIAGRAM_HIGH_HZ = 20000.0;
constexpr int DIAGRAM_STEPS_PER_OCTAVE = 12;
// A little room below half the sample rate, where no sine piece is a sine.
constexpr double NYQUIST_MARGIN = 0.495;

std::string fixed(double v, int decimals, bool sign = false) {
    char buf[32];
    std::snprintf(buf, sizeof buf, sign ? "%+.*f" : "%.*f", decimals, v);
    return buf;
}

std::string right(std::string s, std::size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::vector<double> diagram_frequencies(int32_t sample_rate) {
    return engine::log_frequencies(DIAGRAM_LOW_HZ, std::min(DIAGRAM_HIGH_HZ, NYQUIST_MARGIN * sample_rate),
                                   DIAGRAM_STEPS_PER_OCTAVE);
}

}  // namespace

std::string number_text(long value) { return (value >= 0 ? " " : "") + std::to_string(value); }

std::vector<std::pair<int, std::string>> measurement_row(const engine::PeakShape& shape) {
    const auto& c = page_texts::MEASURE_COLUMNS;
    const auto hz = [](double f) { return f > 0.0 ? fixed(f, 0) : std::string(page_texts::MEASURE_NONE); };
    std::vector<std::pair<int, std::string>> row;
    row.emplace_back(c[0].column, right(hz(shape.fu), c[0].title.size()));
    row.emplace_back(c[1].column, right(hz(shape.fo), c[1].title.size()));
    row.emplace_back(c[2].column, shape.complete() ? fixed(shape.width(), 0) : std::string(page_texts::MEASURE_NONE));
    row.emplace_back(c[3].column, fixed(shape.centre(), 0));
    row.emplace_back(c[4].column, shape.complete() ? fixed(shape.q(), 2) : std::string(page_texts::MEASURE_NONE));
    row.emplace_back(c[5].column, fixed(shape.peak_db, 1, true));
    return row;
}

void Application::equalizer_measurement_page() {
    view_.page_begin(true);
    view_.page_text(3, 1, page_texts::MEASURE_WAIT);
    view_.page_text(5, 1, page_texts::MEASURE_SIGNALS);
    source_format.sample_rate = MEASURE_RATE;
    view_.page_text(9, 1,
                    std::string(page_texts::MEASURE_VALUES_FOR) + std::to_string(static_cast<int>(TEST_GAIN_DB)) +
                        std::string(page_texts::MEASURE_BOOST));
    view_.page_text(12, 1, page_texts::MEASURE_HEADER, true);
    for (const auto& column : page_texts::MEASURE_COLUMNS) view_.page_text(12, column.column, column.title, true);
    platform_.clock.sleep_ms(5);
    for (int k = 1; k <= EQ_BANDS; ++k) {
        view_.page_text(13 + 2 * k, 2, std::to_string(k));
        params.EQ.fill(0.0f);
        params.EQ[static_cast<std::size_t>(k - 1)] = TEST_GAIN_DB;
        EQ_FILTERBESTIMMEN();
        EQ_Q_BESTIMMEN(k);
    }
    view_.page_text(43, 2, page_texts::MEASURE_LOW_Q);
    view_.page_text(49, 2, page_texts::MEASURE_DONE);
    view_.TASTE_EINGEBEN();
    D__DECKELZEIGEN();
}

void Application::EQ_Q_BESTIMMEN(int band) {
    const engine::Equalizer& eq = engine.equalizer();
    const int32_t rate = source_format.sample_rate;
    const double centre = EQ_FREQUENCIES[static_cast<std::size_t>(std::clamp(band, 1, EQ_BANDS) - 1)];
    const engine::PeakShape shape =
        engine::measure_peak([&](double f) { return engine::equalizer_level_db(eq, f, rate); },
                             centre / SEARCH_SPAN, std::min(centre * SEARCH_SPAN, NYQUIST_MARGIN * rate));
    for (const auto& [column, text] : measurement_row(shape)) view_.page_text(13 + 2 * band, column, text);
    // Shows the row before the next band is measured.
    platform_.clock.sleep_ms(5);
}

void Application::EQ_DIAGRAMM() {
    const int32_t rate = source_format.sample_rate;
    const int16_t lang = state.LANGUAGE;
    const std::vector<double> freqs = diagram_frequencies(rate);

    ResponseDiagram eq_page;
    eq_page.lines = {std::string(page_texts::EQ_DEPTH(lang)) + number_text(engine.equalizer().N()) +
                         std::string(page_texts::EQ_AT_RATE(lang)) + number_text(rate),
                     std::string(page_texts::DIAGRAM_METHOD)};
    ResponseCurve eq_curve;
    for (double f : freqs) eq_curve.points.emplace_back(f, engine::equalizer_level_db(engine.equalizer(), f, rate));
    eq_page.curves.push_back(std::move(eq_curve));
    eq_page.footer = std::string(page_texts::GO_ON(lang)) + std::string(page_texts::TO_MULTIBAND);
    view_.response_diagram(eq_page);
    view_.TASTE_EINGEBEN();

    ResponseDiagram bands_page;
    bands_page.lines = {std::string(page_texts::MULTIBAND_DEPTH(lang)), std::string(page_texts::DIAGRAM_METHOD)};
    ResponseCurve low{std::string(page_texts::CURVE_LOW), {}}, mid{std::string(page_texts::CURVE_MID), {}},
        high{std::string(page_texts::CURVE_HIGH), {}};
    for (double f : freqs) {
        const engine::CrossoverLevels l = engine::crossover_levels_db(engine.crossover(), f, rate);
        low.points.emplace_back(f, l.low);
        mid.points.emplace_back(f, l.mid);
        high.points.emplace_back(f, l.high);
    }
    bands_page.curves = {std::move(low), std::move(mid), std::move(high)};
    bands_page.footer = std::string(page_texts::GO_ON(lang)) + std::string(page_texts::BACK_TO_PROGRAM);
    view_.response_diagram(bands_page);
    view_.TASTE_EINGEBEN();
    D__DECKELZEIGEN();
}

}  // namespace sc
