#include "shell/application.h"

#include "audiofile/file_exists.h"
#include "audiofile/hints.h"
#include "audiofile/work_files.h"
#include "platform/interruption.h"
#include "settings/parameter_steps.h"
#include "shell/shell_texts.h"
#include "shell/startup_paths.h"

namespace sc {

Application::Application(View& view, PlatformServices platform) : view_(view), platform_(platform) {
    source_format.sample_rate = 44100;
}

void Application::startup(const std::vector<std::string>& command_line) {
    command_line_ = command_line;
    // 1. window and title
    view_.set_window_title(state.window_title);
    view_.open_screen();
    platform_.clock.sleep_ms(30);
    restart();
    // 14. the batch step runs once (it loads the first file of a batch); the
    // main loop follows.
    batch_step();
}

void Application::restart() {
    auto& clock = platform_.clock;
    // 3. restart point
    state = ProgramState{};
    source_format = SourceFormat{};
    source_format.sample_rate = 44100;
    source_channels_ = 1;
    state.start_time = clock.timer();
    view_.set_palette_ranges();

    // 4. folders, the start-up preset and the bass curve
    set_startup_paths(state, platform_.env, platform_.processes);
    use_work_folder(state, own_work_folder_);
    SETUP_VOICESOFT();
    K_KURVE_ERZEUGEN_BASS();

    // 5.-7. encoder, MP3 buffer, output format, rehearsal file, player
    params.OUTFORMAT = 1;
    params.KOMPR_BYPASS = 0;
    KOPIE2_LOESCHEN(state, view_, platform_.fs, clock);

    // 8. background, language
    view_.clear_to_background();
    state.LANGUAGE = LANGUAGE_DE;

    // 9. engine start values: unity gains of the running stages
    engine.reset_running_values();

    // 10. the start-up preset again, the leveler curve
    SETUP_VOICESOFT();
    K_KURVE_ERZEUGEN_LEVE();
    read_user_setup_names();

    // 11. no batch yet
    state.batch_count = state.batch_mp3_count = state.batch_wav_count = 0;
    command_line_import(command_line_);

    // 12. the panel
    D__DECKELZEIGEN();
    clock.sleep_ms(130);

    // 13. the engine's constant tables: the filters for the current rate
    EQ_FILTERBESTIMMEN();
    view_.set_last_palette_entries();

    // 14.
    state.job_completed = 0;
    state.batch_running = 0;
}

void Application::remove_if_present(const std::string& path) {
    if (!path.empty() && DATEI_VORHANDEN(path, state, platform_.fs)) platform_.fs.remove(path);
}

void Application::ORDENTLICH_ENDE() {
    auto& clock = platform_.clock;
    clock.sleep_ms(30);
    clock.sleep_ms(15);
    // a buffer file of this name that another running job holds is not ours
    if (!state.buffer_path.empty()) platform_.fs.remove_unless_locked(state.buffer_path);
    clock.sleep_ms(30);
    remove_if_present(state.mp3_buffer_wav);
    clock.sleep_ms(30);
    remove_if_present(state.rehearsal_file);
    throw ProgramExit{exit_code_after(platform::ending_signal())};
}

void Application::run_time_error(const RunTimeError& error) {
    std::vector<std::string> lines;
    auto box = [&](const auto& texts) {
        for (const auto& t : texts) lines.emplace_back(t);
        // the system's own words for what went wrong, below the box's texts
        if (!error.cause.empty()) lines.push_back(" " + error.cause);
        view_.alert_box(lines);
    };
    if (state.error_context == 1) {
        box(shell_texts::BUFFER_ERROR);
        restart();
        return;
    }
    if (state.error_context == 2) {
        box(shell_texts::SETUPS_FILE_ERROR);
        setups_alert_shown_ = true;
        restart();
        return;
    }
    lines = {"",
             std::string(shell_texts::UNKNOWN_ERROR),
             "",
             std::string(shell_texts::ERROR_IN_LINE) + error.what,
             "",
             std::string(shell_texts::REPORT_REQUEST),
             ""};
    for (auto& l : lines) l = pad_right(l, 66);
    view_.fatal_error_box(lines);
    ORDENTLICH_ENDE();
}

void Application::BLINK_HINWEIS_GEBEN() {
    show_blink_hint(state, view_, state.hint.line1, state.hint.line2, state.hint.kind);
}

void Application::hint(std::string line1, std::string line2, int16_t kind) {
    show_blink_hint(state, view_, std::move(line1), std::move(line2), kind);
}

void Application::D__DECKELZEIGEN() {
    snap_displayed_settings(params);
    view_.redraw_panel();
    state.last_full_redraw = platform_.clock.timer();
}


void Application::apply(PresetId id) { apply_preset(params, id, vocal_flags, *this); }

// The running gains are set to 1.0 again at every job start, and nothing
// reads them between jobs.
void Application::reset_running_gain(int /*which*/) {}

void Application::K_KURVE_ERZEUGEN_LIMI() { engine.K_KURVE_ERZEUGEN_LIMI(params); }
void Application::ATT_REL_ANRATEANPASSEN() { engine.ATT_REL_ANRATEANPASSEN(params, source_format.sample_rate); }
void Application::EQ_FILTERBESTIMMEN() { engine.EQ_FILTERBESTIMMEN(params, source_format.sample_rate); }
void Application::K_KURVE_ERZEUGEN_BASS() { engine.K_KURVE_ERZEUGEN_BASS(params, source_channels_); }
void Application::K_KURVE_ERZEUGEN_MIDD() { engine.K_KURVE_ERZEUGEN_MIDD(params, source_channels_); }
void Application::K_KURVE_ERZEUGEN_HIGH() { engine.K_KURVE_ERZEUGEN_HIGH(params, source_channels_); }
void Application::K_KURVE_ERZEUGEN_LEVE() { engine.K_KURVE_ERZEUGEN_LEVE(params, source_channels_); }

}  // namespace sc
