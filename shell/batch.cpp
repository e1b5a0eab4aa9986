// Batches: the files of the command line, the files of one folder (F11),
// the start with F12 and the step after every job that loads the next file.
#include <algorithm>

#include "audiofile/load_save_dialog.h"
#include "audiofile/work_files.h"
#include "shell/application.h"
#include "shell/batch_list.h"
#include "settings/text.h"
#include "shell/batch_texts.h"
#include "platform/paths.h"

namespace sc {

namespace {

bool names_cleared(const ProgramState& s) { return s.source_path.empty() && s.display_source_name.empty(); }

}  // namespace

void Application::command_line_import(const std::vector<std::string>& command_line) {
    const ArgumentFiles files = audio_files_of_arguments(command_line, platform_.env.working_folder());
    if (files.entries.empty()) return;
    if (files.entries.size() > static_cast<std::size_t>(BATCH_MAX)) {
        hint(std::string(batch_texts::TOO_MANY_1), std::string(batch_texts::TOO_MANY_2), 2);
        ORDENTLICH_ENDE();
    }
    take_batch_list(files);
    batch_startup_pending_ = true;
}

void Application::take_batch_list(const ArgumentFiles& files) {
    auto& s = state;
    if (files.entries.size() > 1) {
        D__DECKELZEIGEN();
        hint(std::string(batch_texts::SLOW_SETTINGS_1(s.LANGUAGE)),
            std::string(batch_texts::NO_CHANGES_BETWEEN_FILES(s.LANGUAGE)), 1);
        hint(std::string(batch_texts::TUNE_FIRST_1(s.LANGUAGE)), std::string(batch_texts::TUNE_FIRST_2(s.LANGUAGE)), 1);
    }
    s.batch_list = files.entries;
    s.batch_count = static_cast<int16_t>(files.entries.size());
    s.batch_mp3_count = static_cast<int16_t>(files.mp3_count);
    s.batch_wav_count = static_cast<int16_t>(files.wav_count);
}

void Application::folder_batch_import() {
    auto& s = state;
    auto& clock = platform_.clock;
    // 1.
    s.open_request = 0;
    s.source_is_mp3 = 0;
    s.last_decoded_mp3.clear();
    LAME_PUFFER_WAV_LOESCHEN(s, view_, platform_.fs, clock);
    hint(std::string(batch_texts::FOLDER_1(s.LANGUAGE)), std::string(batch_texts::FOLDER_2(s.LANGUAGE)), 1);
    clock.sleep_ms(100);
    hint(std::string(batch_texts::FOLDER_3(s.LANGUAGE)), std::string(batch_texts::FOLDER_4(s.LANGUAGE)), 1);
    clock.sleep_ms(100);
    hint(std::string(batch_texts::SLOW_SETTINGS_1(s.LANGUAGE)),
        std::string(batch_texts::NO_CHANGES_AFTER_F12(s.LANGUAGE)), 1);
    clock.sleep_ms(50);
    // 2.
    const std::string chosen =
        platform_.dialog ? LOADSAVEDIALOG(false, 1, s.last_used_folder, "", DialogPurpose::WholeFolder, s, view_,
                                          *platform_.dialog)
                         : std::string();
    const std::string u = to_upper(chosen);
    // 3. a processed file is no start for a batch
    if (u.find("COPY.") != std::string::npos || u.find("COPY3.") != std::string::npos) {
        hint(std::string(batch_texts::PROCESSED_ALREADY_1(s.LANGUAGE)),
            std::string(batch_texts::PROCESSED_ALREADY_2(s.LANGUAGE)), 2);
        s.source_path.clear();
        s.display_source_name.clear();
        s.zoom_shown = 0;
        s.reading_path.clear();
        s.result_exists = 0;
        LAME_PUFFER_WAV_LOESCHEN(s, view_, platform_.fs, clock);
        D__DECKELZEIGEN();
        return;
    }
    // 4.
    if (chosen.empty()) {
        s.reading_path.clear();
        s.result_exists = 0;
        return;
    }
    // 5.
    s.last_used_folder = folder_of_path(chosen);
    const std::size_t folder_length = s.last_used_folder.size();
    if (folder_length >= 3 && folder_length <= 99) store_last_used_folder();
    view_.wait_no_key();
    s.result_exists = 0;
    s.source_path = chosen;
    if (ends_with_extension(chosen, ".mp3")) {
        MP3_VORBEREITEN();
        s.source_is_mp3 = 1;
        STAPEL_DATEIEN_SAMMELN();
    } else if (ends_with_extension(chosen, ".wav")) {
        s.source_is_mp3 = 0;
        STAPEL_DATEIEN_SAMMELN();
        HUELLKURVE_ERMITTELN(chosen);
        if (names_cleared(s)) {
            s.reading_path.clear();
            D__DECKELZEIGEN();
        } else {
            s.reading_path = chosen;
        }
    } else {
        s.source_path.clear();
    }
    D__DECKELZEIGEN();
}

void Application::STAPEL_DATEIEN_SAMMELN() {
    auto& s = state;
    // 1.-2.
    const std::string folder = s.last_used_folder;
    const std::string pattern = s.source_is_mp3 ? "*.MP3" : "*.WAV";
    s.batch_mp3_count = s.source_is_mp3 ? 1 : 0;
    s.batch_wav_count = 0;
    const std::string first = s.source_path;
    s.batch_list.assign(1, first);
    s.batch_count = 1;
    s.display_source_name = first;
    ++(ends_with_extension(first, ".mp3") ? s.batch_mp3_count : s.batch_wav_count);
    // 3.-4. the folder in byte order of the names, so that a batch runs in a
    // predictable order
    std::vector<std::string> names = platform_.fs.list(folder, pattern);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (s.batch_count >= BATCH_MAX) break;
        const std::string path = folder + name;
        if (to_upper(path) == to_upper(first) || is_processed_name(name)) continue;
        s.batch_list.push_back(path);
        ++s.batch_count;
        ++(ends_with_extension(name, ".mp3") ? s.batch_mp3_count : s.batch_wav_count);
    }
    // 5.
    s.job_completed = 0;
    s.batch_running = 0;
    s.batch_index = 1;
    D__DECKELZEIGEN();
}

// Start-up with a batch from the command line: entry 1 becomes the loaded
// file; a list of one entry is no batch.
void Application::load_first_batch_entry() {
    auto& s = state;
    while (s.batch_count != 0) {
        s.source_path = s.display_source_name = s.batch_list.front();
        s.batch_index = 1;
        if (s.batch_mp3_count != 0 && s.mp3_hint_shown == 0)
            hint(std::string(batch_texts::MP3_IN_BATCH_1(s.LANGUAGE)),
                std::string(batch_texts::MP3_IN_BATCH_2(s.LANGUAGE)), 1);
        if (ends_with_extension(s.source_path, ".mp3")) {
            MP3_VORBEREITEN();
            s.reading_path = s.mp3_buffer_wav;
            s.mp3_hint_shown = 1;
        } else {
            s.source_is_mp3 = 0;
            HUELLKURVE_ERMITTELN(s.source_path);
            s.reading_path = s.source_path;
        }
        if (names_cleared(s)) {
            // The file could not be loaded: the batch ends here, whether the
            // loader ended it or not.
            LAME_PUFFER_WAV_LOESCHEN(s, view_, platform_.fs, platform_.clock);
            s.reading_path.clear();
            s.batch_running = 0;
            s.batch_count = 0;
            D__DECKELZEIGEN();
            continue;
        }
        if (s.batch_count == 1) s.batch_count = 0;
        break;
    }
}

void Application::next_batch_file() {
    auto& s = state;
    s.batch_index = static_cast<int16_t>(std::clamp<int>(s.batch_index, 1, static_cast<int>(s.batch_list.size())));
    std::string path = s.batch_list[static_cast<std::size_t>(s.batch_index - 1)];
    if (!platform::is_absolute_path(path)) path = s.program_drive_root + path;
    s.source_path = s.display_source_name = path;
    s.source_is_mp3 = 0;
    if (ends_with_extension(path, ".mp3")) MP3_VORBEREITEN();
    if (s.source_is_mp3 == 0) {
        HUELLKURVE_ERMITTELN(s.source_path);
        if (names_cleared(s)) {
            s.reading_path.clear();
            s.batch_running = 0;
            s.batch_count = 0;
            D__DECKELZEIGEN();
            return;
        }
    }
    s.reading_path = s.source_is_mp3 ? s.mp3_buffer_wav : s.source_path;
    s.start_request = 1;
    view_.file_line(batch_file_line(path, s.batch_index, s.batch_count, s.LANGUAGE));
}

void Application::batch_step() {
    auto& s = state;
    if (batch_startup_pending_) {
        batch_startup_pending_ = false;
        load_first_batch_entry();
    } else {
        D__DECKELZEIGEN();
    }
    // 3. the batch is done
    if (s.batch_running && s.batch_index > s.batch_count) {
        s.batch_running = 0;
        s.batch_count = 0;
        s.next_title_update = 1;
        view_.set_window_title(batch_texts::FINISHED_TITLE(s.LANGUAGE));
        platform_.clock.sleep_ms(90);
        hint(std::string(batch_texts::FINISHED_1(s.LANGUAGE)), std::string(batch_texts::FINISHED_2(s.LANGUAGE)), 1);
        s.source_path.clear();
        s.display_source_name.clear();
        s.zoom_shown = 0;
        LAME_PUFFER_WAV_LOESCHEN(s, view_, platform_.fs, platform_.clock);
        D__DECKELZEIGEN();
        return;
    }
    // 4. the next file; the caller's closing step starts its job
    if (s.batch_running && s.batch_count > 0 && !s.batch_list.empty()) {
        next_batch_file();
        if (s.start_request) return;
    }
    // 5.
    if (s.next_title_update != 0) {
        view_.set_window_title(s.window_title);
        s.next_title_update = 0;
    }
}

}  // namespace sc
