// The envelopes of source and result: read, drawn, zoomed.
#include <cmath>
#include <memory>

#include "audiofile/envelope.h"
#include "audiofile/envelope_texts.h"
#include "audiofile/source_checks.h"
#include "shell/application.h"

namespace sc {

namespace {

constexpr double AFTERWORD_SECONDS = 2.0;
constexpr double GREY_PHASE = 0.14;
constexpr int AFTERWORD_STEP_MS = 30;
constexpr int RESULT_FAILURE_MS = 3000;

}  // namespace

// Progress of an envelope read: the percentage, a short pause, and the
// window's close button served.
void Application::envelope_read_progress(int percent) {
    view_.envelope_progress(percent);
    platform_.clock.sleep_ms(10);
    view_.poll_key();
}

void Application::HUELLKURVE_ERMITTELN(const std::string& path) {
    if (path.empty()) return;
    auto& clock = platform_.clock;
    std::unique_ptr<platform::File> file = load_source(path, source_format, state, view_, platform_.fs, clock);
    if (!file) return;
    set_source_channels(source_format.channels);

    // 1. the playing time
    source_format.playing_time = measure_playing_time(path);
    if (source_format.playing_time < 1.0)
        hint(std::string(envelope_texts::NO_PLAYING_TIME_1(state.LANGUAGE)),
            std::string(envelope_texts::NO_PLAYING_TIME_2(state.LANGUAGE)), 1);

    // 2.-4. the strip, the name, the blocks, the info text
    view_.clear_source_strip();
    view_.file_line(display_name_line(path, state));
    EnvelopeWalk walk;
    walk.layout = envelope_layout(source_format.channels, source_format.mono24 != 0);
    walk.block_size = envelope_block_size(source_format.data_size, walk.layout);
    walk.data_header = source_format.chunk_position;
    walk.data_end = source_format.data_end;
    view_.info_text(envelope_texts::READING_1(state.LANGUAGE), envelope_texts::READING_2(state.LANGUAGE));
    const double began = clock.timer();

    // 5.-8. the blocks, the columns
    read_envelope(*file, walk, state.source_envelope, [this](int p) { envelope_read_progress(p); });
    file.reset();
    state.file_loaded = 1;

    // 9. the afterword blinks until two seconds have passed
    while (clock.timer() - began < AFTERWORD_SECONDS) {
        const double now = clock.timer();
        if (now - std::floor(now) < GREY_PHASE)
            view_.info_text_grey(" ", envelope_texts::AFTER_2(state.LANGUAGE));
        else
            view_.info_text(" ", envelope_texts::AFTER_2(state.LANGUAGE));
        clock.sleep_ms(AFTERWORD_STEP_MS);
    }
    view_.info_text("", "");
    clock.sleep_ms(40);
    // the new envelope on the whole strip
    state.envelope_first_column = 1;
    state.envelope_last_column = ENVELOPE_DRAWN_COLUMNS;
    HUELLKURVEN_ZEICHNEN();
}

bool Application::HUELLKURVE_ERMITTELN2(const std::string& path) {
    auto& clock = platform_.clock;
    view_.info_text(envelope_texts::READING_RESULT(state.LANGUAGE), "");
    std::unique_ptr<platform::File> file = platform_.fs.open(path, platform::OpenMode::Read);
    ResultFormat fmt;
    const ResultHeader header = file ? read_result_header(*file, fmt) : ResultHeader::NoFmt;
    if (header != ResultHeader::Ok) {
        file.reset();
        const std::string_view text = header == ResultHeader::NotPcm ? envelope_texts::RESULT_NOT_PCM
                                      : header == ResultHeader::NoData ? envelope_texts::RESULT_NO_DATA
                                                                       : envelope_texts::RESULT_NO_FMT;
        view_.info_text(text, "");
        clock.sleep_ms(RESULT_FAILURE_MS);
        state.source_path.clear();
        state.display_source_name.clear();
        state.file_loaded = 0;
        return false;
    }
    EnvelopeWalk walk;
    walk.layout = envelope_layout(fmt.channels, fmt.channels == 1 && fmt.bits_per_sample == 24);
    walk.block_size = envelope_block_size(fmt.data_size, walk.layout);
    walk.data_header = fmt.data_header;
    walk.data_end = fmt.data_header + fmt.data_size;
    walk.read_to_end = true;
    walk.progress_every = 80;
    read_envelope(*file, walk, state.result_envelope, [this](int p) { envelope_read_progress(p); });
    return true;
}

void Application::HUELLKURVEN_ZEICHNEN() {
    if (state.display_source_name.empty()) return;
    view_.draw_envelopes(state.source_envelope, state.result_exists ? &state.result_envelope : nullptr,
                         state.envelope_first_column, state.envelope_last_column, state.file_loaded != 0);
}

void Application::HUELLKURVE_ZOOMEN(int mouse_x) {
    view_.draw_zoom(mouse_x, state.source_envelope, state.result_exists ? &state.result_envelope : nullptr);
}

}  // namespace sc
