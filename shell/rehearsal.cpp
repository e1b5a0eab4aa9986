#include "shell/rehearsal.h"

#include <algorithm>
#include <cmath>

#include "audiofile/clip_fades.h"
#include "audiofile/file_exists.h"
#include "audiofile/media_commands.h"
#include "audiofile/output_header.h"
#include "audiofile/work_files.h"
#include "settings/program_exit.h"
#include "shell/application.h"
#include "shell/playback_texts.h"

namespace sc {

namespace T = playback_texts;

namespace {

constexpr int32_t HINT_EVERY = 25;
constexpr double LONGEST_LOCKED_JOB = 22.0;   // estimates up to this never allow P
constexpr double EARLIEST = 1.3;              // seconds into the job
constexpr double LATEST_START = 18.0;         // before the estimated end
constexpr double LOCKED_BEFORE_END = 7.0;
constexpr double AFTER_CLIP = 0.5;

bool is_p(const std::string& key) { return key == "P" || key == "p"; }

}  // namespace

std::vector<uint8_t> reduce_to_16bit(const std::vector<uint8_t>& samples24) {
    std::vector<uint8_t> out;
    out.reserve(samples24.size() / 3 * 2);
    for (std::size_t i = 0; i + 3 <= samples24.size(); i += 3) {
        out.push_back(samples24[i + 1]);
        out.push_back(samples24[i + 2]);
    }
    return out;
}

void fade_rehearsal_clip(std::vector<uint8_t>& samples16, int channels) {
    fade_clip_ends(samples16, channels, REHEARSAL_FADE_FRAMES, FadeRounding::Nearest);
}

void Rehearsal::job_starts(Application& app) {
    requested = allowed = playing = 0;
    flush_count = 0;
    buffer.clear();
    buffer.shrink_to_fit();
    off(app);
}

void Rehearsal::show_hint(Application& app) {
    const int16_t lang = app.state.LANGUAGE;
    const std::string line1 = std::string(T::REHEARSAL_HINT(lang)) +
                              std::string(allowed ? T::REHEARSAL_ALLOWED(lang) : T::REHEARSAL_LOCKED(lang));
    if (allowed)
        app.view().info_text(line1, T::REHEARSAL_STOP(lang));
    else
        app.view().info_text_grey(line1, T::REHEARSAL_STOP(lang));
}

void Rehearsal::pass_begins(Application& app, int32_t pass) {
    // Only the window rehearses; the command line has no sound.
    if (app.platform().media && pass % HINT_EVERY == 0) show_hint(app);
}

void Rehearsal::chunk_flushed(Application& app, std::span<const uint8_t> chunk, const SourceFormat& fmt) {
    if (requested != 1 || chunk.empty()) return;
    ++flush_count;
    buffer.insert(buffer.end(), chunk.begin(), chunk.end());
    if (flush_count == REHEARSAL_FLUSHES) build_and_start(app, fmt);
}

void Rehearsal::build_and_start(Application& app, const SourceFormat& fmt) {
    auto& s = app.state;
    auto& clock = app.platform().clock;
    auto& fs = app.platform().fs;
    platform::MediaControl* media = app.platform().media;
    clock.sleep_ms(15);
    if (DATEI_VORHANDEN(s.rehearsal_file, s, fs)) {
        MEDIA_COMMAND(media, "aus", ALIAS_REHEARSAL);
        open = false;
        clock.sleep_ms(20);
    }
    KOPIE2_LOESCHEN(s, app.view(), fs, clock);
    clock.sleep_ms(40);
    std::vector<uint8_t> clip = fmt.mono24 ? reduce_to_16bit(buffer) : std::move(buffer);
    buffer.clear();
    const int channels = fmt.channels == 2 ? 2 : 1;
    fade_rehearsal_clip(clip, channels);
    try {
        write_rehearsal_clip(fs, clock, s.rehearsal_file, channels, fmt.sample_rate, clip);
    } catch (const RunTimeError&) {
        // No room for the clip: the job goes on without it.
        requested = 0;
        flush_count = 0;
        return;
    }
    MEDIA_OPEN(media, s.rehearsal_file, ALIAS_REHEARSAL);
    const int64_t length = MEDIA_COMMAND(media, "len", ALIAS_REHEARSAL);
    MEDIA_COMMAND(media, "an", ALIAS_REHEARSAL);
    open = true;
    playing = 1;
    end_time = clock.timer() + static_cast<double>(length) / 1000.0 + AFTER_CLIP;
    requested = 0;
    flush_count = 0;
}

void Rehearsal::after_block(Application& app, double elapsed, double estimate) {
    auto& clock = app.platform().clock;
    if (playing && clock.timer() > end_time) off(app);
    const int16_t before = allowed;
    if (!playing && estimate > LONGEST_LOCKED_JOB && elapsed > EARLIEST && elapsed < estimate - LATEST_START &&
        !requested)
        allowed = 1;
    if (elapsed > estimate - LOCKED_BEFORE_END) allowed = 0;
    if (allowed != before && app.platform().media) show_hint(app);
    if (!app.platform().media) return;
    const std::string key = app.view().poll_key();
    if (is_p(key) && requested == 0 && allowed == 1) {
        requested = 1;
        flush_count = 0;
    }
}

void Rehearsal::off(Application& app) {
    if (open || playing) MEDIA_COMMAND(app.platform().media, "aus", ALIAS_REHEARSAL);
    open = false;
    playing = 0;
}

}  // namespace sc
