// "O" and the OPEN button: one file chosen in the open dialog becomes the
// loaded source; a single file dropped onto the window is loaded the same way.

#include "audiofile/load_save_dialog.h"
#include "audiofile/output_names.h"
#include "audiofile/work_files.h"
#include "shell/application.h"
#include "settings/text.h"
#include "shell/loop_texts.h"
#include "platform/paths.h"

namespace sc {

namespace {

constexpr std::size_t STORED_FOLDER_MIN = 3, STORED_FOLDER_MAX = 99;

}  // namespace

void Application::open_one_file() {
    auto& fs = platform_.fs;
    auto& clock = platform_.clock;
    state.open_request = 0;
    state.source_is_mp3 = 0;
    LAME_PUFFER_WAV_LOESCHEN(state, view_, fs, clock);

    // Without a dialog (none built in) the request counts as cancelled.
    const std::string name = platform_.dialog ? LOADSAVEDIALOG(false, 1, state.last_used_folder, "",
                                                               DialogPurpose::Files, state, view_, *platform_.dialog)
                                              : std::string();
    if (name.empty()) {
        // Cancelled: the loaded file (if any) stays.
        state.reading_path.clear();
        state.result_exists = 0;
        D__DECKELZEIGEN();
        state.start_request = 0;
        return;
    }
    load_one_file(name);
}

void Application::load_one_file(const std::string& name) {
    // the file's name, not the folders it lies in (copy.d/song.wav is fine)
    if (name_looks_processed(name)) {
        const int16_t l = state.LANGUAGE;
        hint(std::string(loop_texts::ALREADY_PROCESSED(l)), std::string(loop_texts::REMOVE_COPY_TIP(l)), 2);
        state.source_path.clear();
        state.display_source_name.clear();
        state.zoom_shown = 0;
        state.reading_path.clear();
        state.result_exists = 0;
    } else {
        // The result strip shows and plays the result of the file it was
        // made from; another file has none yet.
        if (name != state.source_path) state.result_exists = 0;
        const auto slash = platform::last_separator(name);
        if (slash != std::string::npos) state.last_used_folder = name.substr(0, slash + 1);
        const std::size_t length = utf8_length(state.last_used_folder);
        if (length >= STORED_FOLDER_MIN && length <= STORED_FOLDER_MAX) store_last_used_folder();
        view_.wait_no_key();
        const std::string u = to_upper(name);
        state.source_path = name;
        if (u.ends_with(".MP3")) {
            MP3_VORBEREITEN();
        } else if (u.ends_with(".WAV")) {
            HUELLKURVE_ERMITTELN(name);
            state.reading_path = state.source_path;
        } else {
            state.source_path.clear();
            state.reading_path.clear();
        }
    }
    // One file replaces a batch list.
    state.batch_list.clear();
    state.batch_count = 0;
    state.batch_running = 0;
    state.display_source_name = state.source_path;
    D__DECKELZEIGEN();
    state.start_request = 0;
}

}  // namespace sc
