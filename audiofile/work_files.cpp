#include "audiofile/work_files.h"

#include "audiofile/file_exists.h"
#include "audiofile/hints.h"
#include "audiofile/output_texts.h"

namespace sc {

namespace {

namespace T = output_texts;

void report_protected_folder(ProgramState& state, View& view) {
    show_blink_hint(state, view, std::string(T::PROTECTED_FOLDER_1(state.LANGUAGE)),
                    std::string(T::PROTECTED_FOLDER_2(state.LANGUAGE)), 2);
}

}  // namespace

bool delete_and_look_again(const std::string& path, int wait_ms, ProgramState& state, platform::FileSystem& fs,
                           platform::Clock& clock) {
    if (path.empty() || !DATEI_VORHANDEN(path, state, fs)) return true;
    fs.remove(path);
    clock.sleep_ms(wait_ms);
    return DATEI_VORHANDEN(path, state, fs) == 0;
}

platform::RemoveResult DATEI_PROCESSOR_OUT_LOESCHEN(ProgramState& state, View& view, platform::FileSystem& fs,
                                                    platform::Clock& clock) {
    const std::string& path = state.buffer_path;
    if (path.empty() || !DATEI_VORHANDEN(path, state, fs)) return platform::RemoveResult::Missing;
    // the buffer of a job that is still running (here or in another
    // process) is its job's, never an old one
    const platform::RemoveResult removed = fs.remove_unless_locked(path);
    if (removed == platform::RemoveResult::Locked) return removed;
    clock.sleep_ms(60);
    if (!DATEI_VORHANDEN(path, state, fs)) return platform::RemoveResult::Removed;
    show_blink_hint(state, view, std::string(T::BUFFER_NOT_DELETED(state.LANGUAGE)), utf8_tail(path, 60), 2);
    report_protected_folder(state, view);
    return platform::RemoveResult::Failed;
}

void KOPIE2_LOESCHEN(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock) {
    if (delete_and_look_again(state.rehearsal_file, 60, state, fs, clock)) return;
    show_blink_hint(state, view, std::string(T::REHEARSAL_NOT_DELETED(state.LANGUAGE)),
                    utf8_tail(state.rehearsal_file, 60), 2);
}

void LAME_PUFFER_WAV_LOESCHEN(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock) {
    if (delete_and_look_again(state.mp3_buffer_wav, 60, state, fs, clock)) return;
    show_blink_hint(state, view, std::string(T::MP3_BUFFER_NOT_DELETED(state.LANGUAGE)),
                    utf8_tail(state.mp3_buffer_wav, 60), 2);
    report_protected_folder(state, view);
}

}  // namespace sc
