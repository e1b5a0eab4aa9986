// The user setups and the language: loading a slot, saving one under a typed
// name, storing the language and the last-used folder.
#include <cmath>

#include "settings/user_setups_file.h"
#include "shell/application.h"
#include "shell/shell_texts.h"
#include "shell/user_setup_texts.h"
#include "shell/user_setups_store.h"
#include "ui/setup_name_field.h"

namespace sc {

namespace {

namespace texts = user_setup_texts;

// The cursor of the name field blinks: shown, then the character under it.
constexpr double CURSOR_PERIOD = 0.8;
constexpr double CURSOR_SHOWN = 0.55;
constexpr int KEY_POLL_MS = 25;
// Paths in the save messages are cut to their last characters behind "...".
constexpr std::size_t MESSAGE_PATH_MAX = 64;

std::string shortened_path(const std::string& path) {
    if (utf8_length(path) <= MESSAGE_PATH_MAX) return path;
    return "..." + utf8_tail(path, MESSAGE_PATH_MAX - 4);
}

bool valid_slot(int slot) { return slot >= 1 && slot <= USER_SETUP_SLOTS; }

}  // namespace

void Application::locate_user_setups_file() {
    auto& s = state;
    s.user_setups_folder = user_setups_folder_from(platform_.env, s.program_folder);
    s.user_setups_file = s.user_setups_folder + USER_SETUPS_NAME;
    // A file brought along in the program folder is taken over once.
    const std::string brought = s.program_folder + USER_SETUPS_NAME;
    auto& fs = platform_.fs;
    if (s.program_folder.empty() || brought == s.user_setups_file || fs.find_first(s.user_setups_file) ||
        !fs.find_first(brought))
        return;
    patch_setups_file(fs, s.user_setups_folder, s.user_setups_file, {}, brought);
}

void Application::read_user_setup_names() {
    locate_user_setups_file();
    state.user_setup_mode = USER_SETUP_NAMES_ONLY;
    try {
        for (int slot = 1; slot <= USER_SETUP_SLOTS; ++slot) {
            USER_SETUP_LADEN_UND_ANWENDEN(slot);
            platform_.clock.sleep_ms(5);
        }
    } catch (const RunTimeError&) {
        // Restarting here would meet the same file again: the program
        // starts without the names instead.
        if (!setups_alert_shown_) {
            std::vector<std::string> lines(std::begin(shell_texts::SETUPS_FILE_ERROR),
                                           std::end(shell_texts::SETUPS_FILE_ERROR));
            view_.alert_box(lines);
        }
        state.error_context = 0;
    }
    state.user_setup_mode = 0;
    setups_alert_shown_ = false;
}

void Application::USER_SETUP_LADEN_UND_ANWENDEN(int slot) {
    if (state.user_setups_file.empty()) locate_user_setups_file();
    auto& s = state;
    s.error_context = 2;
    const SetupsFileBytes file = read_setups_file(platform_.fs, s.user_setups_file);
    if (file.status == SetupsFileStatus::Unreadable)
        throw RunTimeError{"cannot read the user setups file " + s.user_setups_file};
    s.error_context = 0;

    const bool names_only = s.user_setup_mode == USER_SETUP_NAMES_ONLY;
    ParameterSet loaded = params;
    const setups_file::SlotLoad load =
        setups_file::read_slot(file.bytes, slot, s.program_drive_root, names_only ? nullptr : &loaded);
    if (!load.has_content) return;
    s.LANGUAGE = load.language;
    s.last_used_folder = load.folder;
    if (!load.used) return;
    s.user_setup_names[slot - 1] = from_cp437(load.name);
    if (names_only) return;

    params = loaded;
    platform_.clock.sleep_ms(10);
    source_format.sample_rate = 44100;
    K_KURVE_ERZEUGEN_LIMI();
    ATT_REL_ANRATEANPASSEN();
    if (s.error_context != 2) D__DECKELZEIGEN();
}

void Application::USER_SETUP_SPEICHERN(int slot) {
    if (!valid_slot(slot)) return;
    if (state.user_setups_file.empty()) locate_user_setups_file();
    auto& s = state;
    auto& clock = platform_.clock;
    const int16_t lang = s.LANGUAGE;

    // 1.-2. the prompt and the edit field
    const std::string prompt =
        std::string(texts::PROMPT_HEAD(lang)) + std::to_string(slot) + std::string(texts::PROMPT_TAIL(lang));
    ui::SetupNameField field(to_cp437(s.user_setup_names[slot - 1]));
    double cursor_since = clock.timer();
    std::string shown;
    for (bool done = false; !done;) {
        const bool cursor_on = std::fmod(clock.timer() - cursor_since, CURSOR_PERIOD) < CURSOR_SHOWN;
        const std::string now = from_cp437(field.shown(cursor_on));
        if (now != shown) {
            view_.setup_name_prompt(prompt, texts::ENTER_HINT(lang), now);
            shown = now;
        }
        const std::string key = view_.poll_key();
        if (key.empty()) {
            clock.sleep_ms(KEY_POLL_MS);
            continue;
        }
        cursor_since = clock.timer();
        switch (field.key(key)) {
            case ui::SetupNameField::Outcome::Editing: break;
            case ui::SetupNameField::Outcome::Enter: done = true; break;
            case ui::SetupNameField::Outcome::Escape: view_.info_text("", ""); return;
            case ui::SetupNameField::Outcome::Close: ORDENTLICH_ENDE();
        }
    }

    // 3. the name
    const std::string name = ui::setup_name_of(field.text());
    s.user_setup_names[slot - 1] = from_cp437(name);

    // 4.-5. the folder and the record, written as a whole new file
    view_.info_text(texts::OPEN_FOR_OUTPUT(lang), "");
    std::vector<BytePatch> patches;
    // A folder too long for its field would come back cut: the field keeps
    // the folder stored before.
    if (setups_file::folder_storable(s.last_used_folder))
        patches.push_back({setups_file::FOLDER_AT, setups_file::encode_folder(s.last_used_folder)});
    const setups_file::Record record = setups_file::encode_record(name, params);
    patches.push_back({setups_file::record_at(slot), std::string(record.begin(), record.end())});
    const bool written = patch_setups_file(platform_.fs, s.user_setups_folder, s.user_setups_file, patches);
    clock.sleep_ms(40);

    // 6. the length test
    uint64_t length = 0;
    if (written) {
        if (auto f = platform_.fs.open(s.user_setups_file, platform::OpenMode::Read)) {
            length = f->length();
            f->close();
        }
    }
    if (written && length > 0) {
        view_.info_text(texts::SAVED(lang), "");
        clock.sleep_ms(600);
        return;
    }
    view_.info_text(std::string(texts::WRITE_PROTECTION(lang)) + shortened_path(s.user_setups_folder) +
                        std::string(texts::WRITE_PROTECTION_END),
                    texts::SAVING_IMPOSSIBLE(lang));
    clock.sleep_ms(3000);
    clock.sleep_ms(600);
}

void Application::SETUP_SPRACHE_SPEICHERN() {
    if (state.user_setups_file.empty()) locate_user_setups_file();
    const SetupsFileBytes file = read_setups_file(platform_.fs, state.user_setups_file);
    // The language is kept only once the file has content.
    if (file.status != SetupsFileStatus::Read || file.bytes.empty()) return;
    patch_setups_file(platform_.fs, state.user_setups_folder, state.user_setups_file,
                      {{setups_file::LANGUAGE_AT, std::string(1, static_cast<char>(state.LANGUAGE))}});
}

void Application::store_last_used_folder() {
    if (!setups_file::folder_storable(state.last_used_folder)) return;
    if (state.user_setups_file.empty()) locate_user_setups_file();
    patch_setups_file(platform_.fs, state.user_setups_folder, state.user_setups_file,
                      {{setups_file::FOLDER_AT, setups_file::encode_folder(state.last_used_folder)}});
}

}  // namespace sc
