#include "audiofile/job_files.h"

#include <cerrno>

#include "settings/program_exit.h"
#include "audiofile/hints.h"
#include "audiofile/output_header.h"
#include "audiofile/output_names.h"
#include "audiofile/output_texts.h"
#include "audiofile/target_replacement.h"
#include "audiofile/work_files.h"

namespace sc {

namespace T = output_texts;

namespace {

// Two creations may race for the name; a third failure is not a race.
constexpr int CREATE_ATTEMPTS = 3;

void show_busy(const std::string& buffer_path, ProgramState& state, View& view) {
    show_blink_hint(state, view, std::string(T::BUFFER_BUSY(state.LANGUAGE)), "..." + utf8_tail(buffer_path, 63), 2);
}

}  // namespace

std::unique_ptr<platform::File> create_buffer_file(const SourceFormat& fmt, int16_t outformat, ProgramState& state,
                                                   View& view, platform::FileSystem& fs, platform::Clock& clock) {
    const std::string old_target = state.target_path;
    const std::string old_buffer = state.buffer_path;
    auto busy = [&] {
        show_busy(state.buffer_path, state, view);
        state.target_path = old_target;
        state.buffer_path = old_buffer;
        state.error_context = 0;
        return nullptr;
    };

    state.error_context = 1;
    state.target_path = target_name(state.source_path, outformat, state.output_folder);
    state.buffer_path = buffer_name(state.target_path);
    for (int attempt = 1;; ++attempt) {
        const platform::RemoveResult old_buffer_gone = DATEI_PROCESSOR_OUT_LOESCHEN(state, view, fs, clock);
        if (old_buffer_gone == platform::RemoveResult::Locked) return busy();
        platform::Opened created = fs.open_checked(state.buffer_path, platform::OpenMode::CreateLocked);
        if (created.file) {
            const WavHeader header = output_header(fmt);
            if (!created.file->write(header.data(), header.size())) {
                const int error = created.file->last_error();
                fs.remove(state.buffer_path);
                throw RunTimeError{"cannot write " + state.buffer_path + ": " + platform::error_text(error),
                                   platform::error_text(error)};
            }
            state.error_context = 0;
            return std::move(created.file);
        }
        // another job may have created the name since; an old buffer that
        // could not be removed stays in the way
        if (created.error != EEXIST || old_buffer_gone == platform::RemoveResult::Failed ||
            attempt == CREATE_ATTEMPTS) {
            throw RunTimeError{"cannot create " + state.buffer_path + ": " + platform::error_text(created.error),
                               platform::error_text(created.error)};
        }
    }
}

void JobBuffer::discard() {
    if (!file_) return;
    fs_.remove(path_);
    file_.reset();
}

void JobBuffer::keep() { file_.reset(); }

bool pad_odd_data(platform::File& buffer, uint64_t written_data_bytes) {
    if (written_data_bytes % 2 == 0) return true;
    const uint8_t zero = 0;
    return buffer.write(&zero, 1);
}

int complete_buffer(platform::File& buffer) {
    if (!patch_riff_size(buffer) || !buffer.sync()) return buffer.last_error() != 0 ? buffer.last_error() : EIO;
    return 0;
}

int move_buffer_to_target(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock) {
    return put_result_in_place(state.buffer_path, state.target_path, WAV_TARGET_TEXTS, state, view, fs, clock);
}

void report_write_failure(int error, ProgramState& state, View& view) {
    state.write_error = error;
    const std::string cause = platform::error_text(error);
    show_blink_hint(state, view, std::string(T::WRITE_FAILED(state.LANGUAGE)),
                    " " + cause + ":  ..." + utf8_tail(state.buffer_path, 50), 2);
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
