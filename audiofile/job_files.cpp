#include "audiofile/job_files.h"

#include "settings/program_exit.h"
#include "audiofile/hints.h"
#include "audiofile/output_header.h"
#include "audiofile/output_names.h"
#include "audiofile/output_texts.h"
#include "audiofile/target_replacement.h"
#include "audiofile/work_files.h"

namespace sc {

namespace T = output_texts;

std::unique_ptr<platform::File> create_buffer_file(const SourceFormat& fmt, int16_t outformat, ProgramState& state,
                                                   View& view, platform::FileSystem& fs, platform::Clock& clock) {
    state.error_context = 1;
    state.target_path = target_name(state.source_path, outformat);
    state.buffer_path = buffer_name(state.target_path);
    DATEI_PROCESSOR_OUT_LOESCHEN(state, view, fs, clock);
    auto file = fs.open(state.buffer_path, platform::OpenMode::CreateTruncate);
    if (!file) throw RunTimeError{"cannot create the buffer file: " + state.buffer_path};
    const WavHeader header = output_header(fmt);
    if (!file->write(header.data(), header.size())) throw RunTimeError{"cannot write the header: " + state.buffer_path};
    state.error_context = 0;
    return file;
}

void pad_odd_data(platform::File& buffer, uint64_t written_data_bytes, const std::string& path) {
    if (written_data_bytes % 2 == 0) return;
    const uint8_t zero = 0;
    if (!buffer.write(&zero, 1)) throw RunTimeError{"cannot write the pad byte: " + path};
}

void replace_old_target(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock) {
    state.target_path = free_target_name(state.target_path, WAV_TARGET_TEXTS, state, view, fs, clock);
}

void move_buffer_to_target(ProgramState& state, platform::FileSystem& fs) {
    if (!fs.rename(state.buffer_path, state.target_path)) {
        throw RunTimeError{"cannot rename " + state.buffer_path + " to " + state.target_path};
    }
}

void show_ready_hint(ProgramState& state, View& view) {
    if (state.batch_running) return;
    const std::string& target = state.target_path;
    std::string line1 =
        std::string(T::READY(state.LANGUAGE)) + (utf8_length(target) > 67 ? utf8_tail(target, 67) : target);
    std::string line2(T::READY_LINE2(state.LANGUAGE));
    if (state.batch_count > 0) line2 += T::READY_BATCH(state.LANGUAGE);
    state.hint.tip = std::string(T::READY_TIP(state.LANGUAGE));
    state.hint.tip_row = T::READY_TIP_ROW;
    state.hint.tip_column = T::READY_TIP_COLUMN;
    show_blink_hint(state, view, std::move(line1), std::move(line2), 1);
}

}  // namespace sc
