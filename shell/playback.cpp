// Playing the source, the result and the zoom area through the media layer,
// with the external player as the fallback and for the W key.
#include <algorithm>
#include <cctype>

#include "audiofile/file_exists.h"
#include "audiofile/load_save_dialog.h"
#include "audiofile/media_commands.h"
#include "audiofile/zoom_area.h"
#include "settings/program_exit.h"
#include "shell/application.h"
#include "shell/playback_texts.h"
#include "platform/paths.h"

namespace sc {

namespace T = playback_texts;

namespace {

constexpr int SOURCE_BASELINE = 458;
constexpr int RESULT_BASELINE = 522;
constexpr int RESULT_STRIP_FIRST_Y = 459;
constexpr int64_t SHORTEST_PLAYABLE_MS = 499;
constexpr int POLL_MS = 65;
constexpr double START_DEADLINE_S = 3.0;
constexpr int64_t STARTED_MS = 200;
constexpr std::size_t PATH_TAIL = 67;
// A mouse button held longer than this no longer holds the playback back.
constexpr double BUTTON_WAIT_LIMIT_S = 30.0;
constexpr int ZOOM_COLUMN_MIN = 10;
constexpr int ZOOM_COLUMN_MAX = 789;

std::string base_name(const std::string& path) {
    const auto slash = platform::last_separator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether the player is the Windows Media Player (its path ends in
// "wmplayer.exe", in any case).
bool is_windows_media_player(const std::string& player) {
    if (player.size() < 12) return false;
    std::string tail = player.substr(player.size() - 12);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == "wmplayer.exe";
}

// The texts name the player the program runs; the Windows Media Player
// they name already.
std::string naming_player(std::string_view text, const std::string& player) {
    std::string s(text);
    if (player.empty() || is_windows_media_player(player)) return s;
    const std::string name = base_name(player);
    for (const char* wmp : {"Windows-Media-Player", "Windows Media Player", "WMPlayer"}) {
        const auto at = s.find(wmp);
        if (at != std::string::npos) s.replace(at, std::string_view(wmp).size(), name);
    }
    return s;
}

}  // namespace

void Application::OBEN_GRAU_PUNKTELN() { view_.grey_upper_screen(); }

void Application::release_cursor_and_drain() {
    auto& clock = platform_.clock;
    remove_cursor_hook();
    clock.sleep_ms(65);
    while (!view_.poll_key().empty()) clock.sleep_ms(35);
    const double give_up = clock.timer() + BUTTON_WAIT_LIMIT_S;
    while (view_.pointer().buttons != 0 && clock.timer() < give_up) clock.sleep_ms(35);
}

void Application::SPIELE_DATEI(const std::string& path) {
    auto& clock = platform_.clock;
    release_cursor_and_drain();
    if (path.empty()) return;
    if (state.file_loaded) {
        state.file_loaded = 0;
        HUELLKURVEN_ZEICHNEN();
    }
    // An MP3 source sounds through its decoded buffer WAV.
    const bool source = path == state.source_path || (state.source_is_mp3 && path == state.mp3_buffer_wav);
    const std::string sound = source && state.source_is_mp3 ? state.mp3_buffer_wav : path;
    if (!DATEI_VORHANDEN(sound, state, platform_.fs)) {
        clock.sleep_ms(15);
        return;
    }
    MEDIA_OPEN(platform_.media, sound, ALIAS_PLAY);
    const int64_t length = MEDIA_COMMAND(platform_.media, "len", ALIAS_PLAY);
    if (length <= SHORTEST_PLAYABLE_MS) {
        clock.sleep_ms(100);
        MEDIA_COMMAND(platform_.media, "aus", ALIAS_PLAY);
        hint(std::string(T::NOT_PLAYABLE1(state.LANGUAGE)), std::string(T::NOT_PLAYABLE2(state.LANGUAGE)), 2);
        return;
    }
    OBEN_GRAU_PUNKTELN();
    view_.player_box(std::string(T::PLAY_PREFIX) + utf8_tail(path, PATH_TAIL));
    clock.sleep_ms(90);
    play_in_box(sound, length, source ? SOURCE_BASELINE : RESULT_BASELINE);
}

void Application::play_in_box(const std::string& path, int64_t length, int baseline) {
    auto& clock = platform_.clock;
    MEDIA_COMMAND(platform_.media, "an", ALIAS_PLAY);
    const double deadline = clock.timer() + START_DEADLINE_S;
    for (;;) {
        const int64_t position = MEDIA_COMMAND(platform_.media, "pos", ALIAS_PLAY);
        view_.player_progress(position, length, baseline);
        if (length - 10 < position) {
            clock.sleep_ms(20);
            break;
        }
        if (!view_.poll_key().empty() || view_.pointer().buttons != 0) break;
        if (clock.timer() > deadline && position < STARTED_MS) {
            // The media layer does not play it: the external player does.
            MEDIA_COMMAND(platform_.media, "aus", ALIAS_PLAY);
            play_by_external_player(path);
            return;
        }
        clock.sleep_ms(POLL_MS);
    }
    MEDIA_COMMAND(platform_.media, "aus", ALIAS_PLAY);
}

void Application::play_by_external_player(const std::string& path) {
    const int16_t lang = state.LANGUAGE;
    std::string player = state.media_player_path;
    if (!player.empty() && DATEI_VORHANDEN(player, state, platform_.fs)) {
        view_.info_text(naming_player(T::FALLBACK1(lang), player), T::FALLBACK2(lang));
    } else {
        // A player picked here serves this one playback only.
        state.media_player_path.clear();
        hint(std::string(T::NO_PLAYER1(lang)), std::string(T::NO_PLAYER2(lang)), 2);
        platform_.clock.sleep_ms(60);
        player = platform_.dialog ? LOADSAVEDIALOG(false, 1, state.last_used_folder, "", DialogPurpose::MediaPlayer,
                                                   state, view_, *platform_.dialog)
                                  : std::string();
        if (!platform_.processes.is_program(player)) {
            hint(std::string(T::PLAYER_NOT_FOUND(lang)), "", 2);
            return;
        }
        view_.info_text(naming_player(T::WAIT_FOR_PICKED(lang), player), " ");
    }
    platform_.processes.run(player, {path});
}

void Application::SPIELE_ZOOM(int mouse_y) {
    auto& clock = platform_.clock;
    auto& fs = platform_.fs;
    const int mouse_x = view_.pointer().x;
    release_cursor_and_drain();
    const bool result = mouse_y >= RESULT_STRIP_FIRST_Y;
    const std::string path = result ? state.target_path : state.source_is_mp3 ? state.mp3_buffer_wav : state.source_path;
    if (path.empty() || !DATEI_VORHANDEN(path, state, fs)) return;
    auto file = fs.open(path, platform::OpenMode::Read);
    if (!file) return;
    const std::optional<ZoomSource> source = zoom_source(*file);
    if (!source) return;
    const ZoomArea area = zoom_area(mouse_x, source->data_size, source->channels, source->bits);
    if (!zoom_area_long_enough(area, source->channels, source->bits, source->sample_rate)) return;
    view_.info_text(T::ZOOM_PREPARING(state.LANGUAGE), "");
    const std::vector<uint8_t> bytes = read_zoom_area(*file, *source, area);
    file.reset();
    try {
        write_zoom_file(fs, state.rehearsal_file, *source, bytes);
    } catch (const RunTimeError&) {
        return;  // no room for the clip in the temporary folder: nothing to play
    }
    clock.sleep_ms(15);
    MEDIA_OPEN(platform_.media, state.rehearsal_file, ALIAS_PLAY);
    const int64_t length = MEDIA_COMMAND(platform_.media, "len", ALIAS_PLAY);
    OBEN_GRAU_PUNKTELN();
    view_.player_box(T::PLAY_ZOOM);
    play_in_box(state.rehearsal_file, length, result ? RESULT_BASELINE : SOURCE_BASELINE);
    HUELLKURVE_ZOOMEN(std::clamp(mouse_x, ZOOM_COLUMN_MIN, ZOOM_COLUMN_MAX));
}

void Application::play_with_media_player(const std::string& path) {
    const std::string& player = state.media_player_path;
    if (player.empty() || path.empty()) return;
    view_.info_text(naming_player(T::W_WAIT1(state.LANGUAGE), player), T::W_WAIT2(state.LANGUAGE));
    if (state.zoom_shown) {
        state.zoom_shown = 0;
        HUELLKURVEN_ZEICHNEN();
    }
    OBEN_GRAU_PUNKTELN();
    platform_.processes.run(player, {path});
    D__DECKELZEIGEN();
}

}  // namespace sc
