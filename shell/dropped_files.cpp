// Files dropped onto the window while the main loop waits: taken as the
// program's arguments are at start-up. One file is loaded as after "O";
// several become a batch list that the user tunes on its first file and
// starts with F12.
#include "audiofile/work_files.h"
#include "shell/application.h"
#include "shell/batch_list.h"
#include "shell/batch_texts.h"

namespace sc {

void Application::files_dropped(const std::vector<std::string>& paths) {
    auto& s = state;
    const ArgumentFiles files = audio_files_of_arguments(paths, platform_.env.working_folder());
    if (files.entries.empty()) return;  // nothing the program reads
    if (files.entries.size() > static_cast<std::size_t>(BATCH_MAX)) {
        // unlike at start-up the program runs on with what it has
        hint(std::string(batch_texts::TOO_MANY_1), " ", 2);
        return;
    }
    s.open_request = 0;
    s.source_is_mp3 = 0;
    s.zoom_shown = 0;
    LAME_PUFFER_WAV_LOESCHEN(s, view_, platform_.fs, platform_.clock);
    if (files.entries.size() == 1) {
        load_one_file(files.entries.front());
        return;
    }
    s.result_exists = 0;
    s.job_completed = 0;
    s.batch_running = 0;
    s.mp3_hint_shown = 0;
    take_batch_list(files);
    load_first_batch_entry();
    D__DECKELZEIGEN();
}

}  // namespace sc
