#include "audiofile/source_checks.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "audiofile/chunk_walk.h"
#include "audiofile/file_exists.h"
#include "audiofile/hints.h"
#include "audiofile/source_texts.h"
#include "audiofile/work_files.h"

namespace sc {

namespace {

// Copies what the walk read from the "fmt " chunk into the record.
void take_format(const ChunkWalk& walk, SourceFormat& fmt) {
    fmt.chunk_position = walk.fmt_position;
    fmt.fmt_size = walk.fmt_size;
    fmt.format_tag = walk.format_tag;
    fmt.channels = walk.channels;
    fmt.sample_rate = walk.sample_rate;
    fmt.bits_per_sample = walk.bits_per_sample;
}

// The data chunk as far as the file holds it: a size field that promises
// more than the file has, or none at all, reaches to the end of the file, so
// that nothing behind it is ever read as audio.
void take_data(const ChunkWalk& walk, SourceFormat& fmt) {
    const uint64_t size = walk.data_bytes();
    fmt.data_size = static_cast<int32_t>(std::min<uint64_t>(size, DATA_SIZE_LIMIT));
    fmt.chunk_position = walk.data_position;
    fmt.data_end = walk.data_position + fmt.data_size;
    fmt.data_start = walk.data_position + 8;
}

bool rate_accepted(int32_t rate) { return rate >= SAMPLE_RATE_MIN && rate <= SAMPLE_RATE_MAX; }

std::string shorten_display(const std::string& name) {
    if (utf8_length(name) < 78) return name;
    return utf8_head(name, 10) + "..." + utf8_tail(name, 64);
}

}  // namespace

std::optional<LoadReason> load_time_check(platform::File& file, SourceFormat& fmt, ProgramState& state, View& view,
                                          platform::Clock& clock) {
    const ChunkWalk walk = walk_chunks(file);
    if (walk.stage == WalkStage::FileTooBig) return LoadReason::TooBig;
    fmt.file_length = static_cast<uint32_t>(walk.file_length);
    fmt.musifile_flag = walk.musifile_flag;
    if (walk.musifile_flag) clock.sleep_ms(50);
    if (walk.stage == WalkStage::NotRiffWave) return LoadReason::NotRiffWave;
    if (walk.stage == WalkStage::NoFmt) return LoadReason::NoFmt;

    take_format(walk, fmt);
    if (fmt.format_tag != 1) return LoadReason::NotPcm;
    if (fmt.channels != 1 && fmt.channels != 2) return LoadReason::NotMonoStereo;
    fmt.mono24 = (fmt.bits_per_sample == 24 && fmt.channels == 1) ? 1 : 0;
    if (fmt.bits_per_sample != 16 && fmt.mono24 == 0) return LoadReason::Bits;
    if (!rate_accepted(fmt.sample_rate)) return LoadReason::SampleRate;
    if (fmt.fmt_size > 18) {
        show_blink_hint(state, view, std::string(source_texts::EXTENDED_FORMAT(state.LANGUAGE)), " ", 3);
    }

    if (walk.stage == WalkStage::NoData) return LoadReason::NoData;
    fmt.chunk_position = walk.data_position;
    if (fmt.musifile_flag) {
        MUSIFILE(state, view);
        fmt.musifile_flag = 0;
    }
    if (walk.data_bytes() > DATA_SIZE_LIMIT) return LoadReason::TooBig;
    take_data(walk, fmt);
    return std::nullopt;
}

std::string load_reason_text(LoadReason reason, int16_t language) {
    switch (reason) {
        case LoadReason::Unknown: break;
        case LoadReason::NotRiffWave: return std::string(source_texts::REASON_NOT_RIFF_WAVE(language));
        case LoadReason::NoFmt: return std::string(source_texts::REASON_NO_FMT(language));
        case LoadReason::NotPcm: return std::string(source_texts::REASON_NOT_PCM(language));
        case LoadReason::NotMonoStereo: return std::string(source_texts::REASON_NOT_MONO_STEREO(language));
        case LoadReason::Bits: return std::string(source_texts::REASON_BITS(language));
        case LoadReason::SampleRate: return std::string(source_texts::REASON_SAMPLE_RATE(language));
        case LoadReason::NoData: return std::string(source_texts::REASON_NO_DATA(language));
        case LoadReason::TooBig: return std::string(source_texts::REASON_TOO_BIG(language));
        case LoadReason::NotAFile: return std::string(source_texts::REASON_NOT_A_FILE(language));
    }
    return std::string(source_texts::REASON_UNKNOWN(language));
}

void reject_loaded_file(LoadReason reason, ProgramState& state, View& view, platform::FileSystem& fs,
                        platform::Clock& clock) {
    const std::string text = load_reason_text(reason, state.LANGUAGE);
    state.source_path.clear();
    state.display_source_name.clear();
    state.file_loaded = 0;
    view.wait_no_key();
    std::string line1 = std::string(source_texts::FAILURE_PREFIX(state.LANGUAGE)) + text;
    if (state.batch_running) {
        state.batch_running = 0;
        state.batch_count = 0;
        line1 = std::string(source_texts::BATCH_CLOSED_PREFIX(state.LANGUAGE)) + text;
    }
    show_blink_hint(state, view, line1, std::string(source_texts::LOAD_REJECT_LINE2), 2);
    LAME_PUFFER_WAV_LOESCHEN(state, view, fs, clock);
}

std::unique_ptr<platform::File> load_source(const std::string& path, SourceFormat& fmt, ProgramState& state,
                                            View& view, platform::FileSystem& fs, platform::Clock& clock) {
    if (path.empty()) return nullptr;
    // a pipe or a device is never opened in a way that could wait
    platform::Opened opened = fs.open_checked(path, platform::OpenMode::Read);
    auto& file = opened.file;
    if (!file) {
        const bool not_a_file = opened.error == ENODEV || opened.error == EISDIR;
        reject_loaded_file(not_a_file ? LoadReason::NotAFile : LoadReason::Unknown, state, view, fs, clock);
        return nullptr;
    }
    if (const auto reason = load_time_check(*file, fmt, state, view, clock)) {
        file.reset();
        reject_loaded_file(*reason, state, view, fs, clock);
        return nullptr;
    }
    return std::move(file);
}

int16_t job_start_check(platform::File& file, SourceFormat& fmt, ProgramState& state, View& view) {
    const uint64_t length = file.length();
    fmt.file_length = static_cast<uint32_t>(std::min<uint64_t>(length, UINT32_MAX));
    if (length < JOB_MIN_FILE_LENGTH) return JOB_TOO_SMALL;

    const ChunkWalk walk = walk_chunks(file);
    if (walk.stage == WalkStage::FileTooBig) return JOB_TOO_BIG;
    fmt.musifile_flag = walk.musifile_flag;
    if (walk.stage == WalkStage::NotRiffWave) return JOB_NOT_RIFF_WAVE;
    if (walk.stage == WalkStage::NoFmt) return JOB_NO_FMT;

    take_format(walk, fmt);
    if (fmt.format_tag != 1) DATEIFORMAT_NICHTPCM(view);
    if (fmt.channels != 1 && fmt.channels != 2) return JOB_NOT_MONO_STEREO;
    if (fmt.bits_per_sample != 16 && fmt.channels != 1) return JOB_NOT_16BIT;
    if (!rate_accepted(fmt.sample_rate)) return JOB_SAMPLE_RATE;

    if (walk.stage == WalkStage::NoData) return JOB_NO_DATA;
    fmt.chunk_position = walk.data_position;
    const uint64_t held = walk.data_bytes();
    if (held < static_cast<uint64_t>(fmt.sample_rate) * static_cast<uint64_t>(fmt.channels) * 5) return JOB_TOO_SMALL;
    if (held > DATA_SIZE_LIMIT) return JOB_TOO_BIG;
    if (fmt.musifile_flag) {
        MUSIFILE(state, view);
        fmt.musifile_flag = 0;
    }
    take_data(walk, fmt);
    fmt.chunk_position = fmt.data_start;
    return JOB_ACCEPTED;
}

std::unique_ptr<platform::File> open_source_for_job(SourceFormat& fmt, ProgramState& state, View& view,
                                                    platform::FileSystem& fs, platform::Clock& clock) {
    std::unique_ptr<platform::File> file;
    int16_t code = JOB_NOT_FOUND;
    if (DATEI_VORHANDEN(state.reading_path, state, fs)) {
        platform::Opened opened = fs.open_checked(state.reading_path, platform::OpenMode::Read);
        file = std::move(opened.file);
        if (file) code = job_start_check(*file, fmt, state, view);
        else if (opened.error == ENODEV || opened.error == EISDIR) code = JOB_NOT_A_FILE;
    }
    state.source_validation_code = code;
    if (code == JOB_ACCEPTED) return file;
    file.reset();
    KEINEDATEI(state, fmt, view, fs, clock);
    return nullptr;
}

void MUSIFILE(const ProgramState& state, View& view) {
    view.info_text(source_texts::MUSIFILE_LINE1(state.LANGUAGE), source_texts::MUSIFILE_LINE2(state.LANGUAGE));
    view.sleep_or_key(25000);
}

void DATEIFORMAT_NICHTPCM(View& view) {
    view.text_screen(std::vector<std::string>(
        std::begin(source_texts::NOT_PCM_SCREEN), std::end(source_texts::NOT_PCM_SCREEN)), true);
    view.redraw_panel();
}

std::string job_reason_line(int16_t code, int16_t musifile_flag) {
    switch (code) {
        case JOB_NOT_MONO_STEREO: return std::string(source_texts::JOB_REASON_NOT_MONO_STEREO);
        case JOB_NOT_RIFF_WAVE:
            return std::string(musifile_flag
                ? source_texts::JOB_REASON_MUSIFILE_NO_RIFF
                : source_texts::JOB_REASON_NO_RIFF);
        case JOB_NO_DATA: return std::string(source_texts::JOB_REASON_NO_DATA);
        case JOB_NOT_16BIT: return std::string(source_texts::JOB_REASON_NOT_16BIT);
        case JOB_NO_FMT: return std::string(musifile_flag
            ? source_texts::JOB_REASON_MUSIFILE_NO_FMT
            : source_texts::JOB_REASON_NO_FMT);
        case JOB_TOO_SMALL: return std::string(source_texts::JOB_REASON_TOO_SMALL);
        case JOB_TOO_BIG: return std::string(source_texts::JOB_REASON_TOO_BIG);
        case JOB_SAMPLE_RATE: return std::string(source_texts::JOB_REASON_SAMPLE_RATE);
        case JOB_NOT_FOUND: return std::string(source_texts::JOB_REASON_NOT_FOUND);
        case JOB_NOT_A_FILE: return std::string(source_texts::JOB_REASON_NOT_A_FILE);
        default: return "";
    }
}

void KEINEDATEI(ProgramState& state, const SourceFormat& fmt, View& view, platform::FileSystem& fs,
                platform::Clock& clock) {
    const std::string& path = state.source_path;
    std::vector<std::string> lines{
        std::string(source_texts::PROBLEM_TITLE(state.LANGUAGE)),
        "",
        " " + (utf8_length(path) >= 70 ? utf8_tail(path, 68) : path),
        "",
    };
    if (fmt.musifile_flag) {
        lines.emplace_back(source_texts::MUSIFILE_INSTEAD);
        lines.emplace_back("");
    }
    lines.push_back(job_reason_line(state.source_validation_code, fmt.musifile_flag));
    lines.emplace_back("");
    lines.emplace_back(source_texts::BACK_TO_SYSTEM(state.LANGUAGE));
    view.text_screen(lines, true);

    LAME_PUFFER_WAV_LOESCHEN(state, view, fs, clock);
    state.source_path.clear();
    state.display_source_name.clear();
    state.batch_running = 0;
    state.batch_count = 0;
    state.file_loaded = 0;
    state.source_is_mp3 = 0;
    view.redraw_panel();
}

std::string display_name_line(const std::string& path, const ProgramState& state) {
    std::string name = shorten_display(path);
    if (state.batch_count >= 2) {
        const int shown = std::min<int>(state.batch_index, state.batch_count);
        name = shorten_display(name + "  (Nr" + std::to_string(shown) + "/" + std::to_string(state.batch_count) + ")");
    }
    return pad_right(source_texts::FILE_LABEL(state.LANGUAGE), 7) + pad_right(name, 77);
}

}  // namespace sc
