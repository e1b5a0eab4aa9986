// Ctrl+D: the takes of the last 100 days in the DIGAS sound folder, newest
// first; the one picked by its letter is copied beside them under a
// time-stamped MP3 name and loaded like any MP3 source.
#include <cctype>
#include <string>
#include <vector>

#include "audiofile/digas.h"
#include "audiofile/digas_texts.h"
#include "shell/application.h"

namespace sc {

namespace {

std::string read_whole(platform::FileSystem& fs, const std::string& path, bool& ok) {
    ok = false;
    auto f = fs.open(path, platform::OpenMode::Read);
    if (!f) return {};
    const uint64_t n = f->length();
    std::string bytes(static_cast<std::size_t>(n), '\0');
    if (n > 0 && f->read_at(0, bytes.data(), bytes.size()) != bytes.size()) return {};
    ok = true;
    return bytes;
}

std::string take_line(char letter, const std::string& line, const TakeDescription& d) {
    // date and time as the listing gives them: "dd.mm.yyyy  hh:mm"
    return std::string(" ") + letter + "   " + line.substr(0, 17) + "   " + d.length + "   " + d.title;
}

}  // namespace

void Application::DIGAS() {
    auto& s = state;
    auto& fs = platform_.fs;
    auto& clock = platform_.clock;
    platform::DirectoryLister& lister = platform_.lister ? *platform_.lister : platform::real_directory_lister();

    // 1.
    s.mp3_buffer_wav.clear();
    s.last_decoded_mp3.clear();
    s.result_exists = 0;
    s.batch_count = 0;
    s.batch_running = 0;

    // 2.-3.
    const std::vector<std::string> listing = lister.lines(s.digas_folder);
    std::vector<std::string> screen{std::string(digas_texts::READING(s.LANGUAGE))};
    view_.text_screen(screen, false);
    view_.wait_no_key();
    const platform::LocalTime now = lister.now();
    std::vector<std::string> takes = recent_takes(listing, {now.year, now.month, now.day});

    // 4.
    if (takes.empty()) {
        clock.sleep_ms(100);
        D__DECKELZEIGEN();
        return;
    }
    // 5.
    if (takes.size() >= 3) {
        screen.emplace_back(digas_texts::SORTING(s.LANGUAGE));
        view_.text_screen(screen, false);
        const bool sorted = sort_newest_first(takes, [this] { return !view_.poll_key().empty(); });
        if (!sorted) {
            screen.emplace_back(digas_texts::SORT_ABORTED);
            view_.text_screen(screen, false);
            clock.sleep_ms(1500);
            takes.clear();
        }
    }
    // 6.
    if (takes.size() > DIGAS_MAX_TAKES) takes.resize(DIGAS_MAX_TAKES);
    screen.emplace_back(digas_texts::IMPORTING(s.LANGUAGE));
    view_.text_screen(screen, false);
    std::vector<std::string> names;
    std::vector<TakeDescription> descriptions;
    for (const auto& line : takes) {
        names.push_back(line_file_name(line));
        bool ok = false;
        const std::string text = read_whole(fs, s.digas_folder + description_name(names.back()), ok);
        descriptions.push_back(ok ? parse_description(text) : TakeDescription{});
    }
    // 7.
    screen = {std::string(digas_texts::LIST_TITLE), "", std::string(digas_texts::CHOOSE), ""};
    for (std::size_t i = 0; i < takes.size(); ++i)
        screen.push_back(take_line(static_cast<char>('A' + i), takes[i], descriptions[i]));
    view_.text_screen(screen, false);

    // 8.
    const std::string key = view_.TASTE_EINGEBEN();
    const char last = static_cast<char>('A' + static_cast<int>(takes.size()) - 1);
    const char c = key.size() == 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(key[0]))) : 0;
    if (takes.empty() || c < 'A' || c > last) {
        D__DECKELZEIGEN();
        return;
    }
    // 9. The copy goes beside the take under a new name (never through a
    // link planted there); the program folder (and with it the
    // user setups file and the encoder) stays where it is.
    const std::size_t pick = static_cast<std::size_t>(c - 'A');
    s.source_is_mp3 = 1;
    bool ok = false;
    const std::string bytes = read_whole(fs, s.digas_folder + names[pick], ok);
    const platform::LocalTime t = lister.now();
    const std::string copy = take_copy_name(s.digas_folder, {t.year, t.month, t.day}, t.hour, t.minute, t.second);
    bool written = false;
    if (ok) {
        if (auto out = fs.open(copy, platform::OpenMode::CreateLocked)) {
            written = out->write(bytes.data(), bytes.size()) && out->close();
            if (!written) fs.remove(copy);
        }
    }
    if (!written) {
        s.source_is_mp3 = 0;
        D__DECKELZEIGEN();
        return;
    }
    s.source_path = s.display_source_name = copy;
    clock.sleep_ms(100);
    D__DECKELZEIGEN();
    MP3_VORBEREITEN();
    D__DECKELZEIGEN();
}

}  // namespace sc
