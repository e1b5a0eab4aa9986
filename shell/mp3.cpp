// MP3 sources and results through the encoder program: the check that the
// program is there, the decoding of a source into the buffer WAV, and the
// encoding of a finished result.
#include "shell/mp3.h"

#include "audiofile/file_exists.h"
#include "audiofile/hints.h"
#include "audiofile/job_files.h"
#include "audiofile/load_save_dialog.h"
#include "audiofile/mp3_lame.h"
#include "audiofile/mp3_tags.h"
#include "audiofile/mp3_texts.h"
#include "audiofile/output_names.h"
#include "audiofile/source_checks.h"
#include "audiofile/target_replacement.h"
#include "audiofile/work_files.h"
#include "shell/application.h"
#include "platform/paths.h"

namespace sc {

namespace {

std::string file_name_of(const std::string& path) {
    const auto slash = platform::last_separator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void clear_loaded_file(ProgramState& s) {
    s.source_path.clear();
    s.display_source_name.clear();
    s.file_loaded = 0;
}

}  // namespace

bool Application::LAME_EXE_PRUEFEN() {
    auto& s = state;
    // Looked up again: the program may have been installed since start-up.
    const std::string found = platform_.processes.find_program(ENCODER_PROGRAM, s.program_folder);
    if (!found.empty() && file_name_of(found) == platform::program_file_name(ENCODER_PROGRAM)) {
        s.encoder_path = found;
        return true;
    }
    hint(std::string(mp3_texts::ENCODER_MISSING_1(s.LANGUAGE)),
        std::string(mp3_texts::ENCODER_MISSING_2(s.LANGUAGE)), 2);
    clear_loaded_file(s);
    return false;
}

void Application::MP3_VORBEREITEN() {
    auto& s = state;
    auto& fs = platform_.fs;
    auto& clock = platform_.clock;
    // 1.
    if (!LAME_EXE_PRUEFEN()) return;
    // 2.
    s.mp3_buffer_wav = s.mp3_buffer_override.empty() ? s.last_used_folder + MP3_BUFFER_NAME : s.mp3_buffer_override;
    // 3.
    if (s.batch_count == 0 && s.display_source_name.empty() && s.source_path.empty() && platform_.dialog) {
        s.source_path = LOADSAVEDIALOG(false, 2, s.last_used_folder, "", DialogPurpose::Files, s, view_,
                                       *platform_.dialog);
    }
    // 4.
    if (!is_mp3_name(s.source_path)) return;
    view_.file_line(display_name_line(s.source_path, s));
    if (!s.mp3_attention_shown && s.batch_count == 0) {
        hint(std::string(mp3_texts::ATTENTION_1(s.LANGUAGE)), std::string(mp3_texts::ATTENTION_2(s.LANGUAGE)), 1);
        s.mp3_attention_shown = 1;
    }
    view_.info_text(mp3_texts::DECODER_WORKS(s.LANGUAGE), "");
    s.decoder_result = 999;
    const int code =
        platform_.processes.run(s.encoder_path, decode_arguments(s.source_path, s.mp3_buffer_wav));
    s.decoder_result = static_cast<int16_t>(code);
    // 5.
    if (code != 0) {
        hint(std::string(mp3_texts::DECODE_FAILED(s.LANGUAGE)), " ", 2);
        LAME_PUFFER_WAV_LOESCHEN(s, view_, fs, clock);
        clear_loaded_file(s);
        s.batch_running = 0;
        s.batch_count = 0;
        s.result_exists = 0;
        s.last_decoded_mp3.clear();
        return;
    }
    // 6.
    HUELLKURVE_ERMITTELN(s.mp3_buffer_wav);
    if (s.source_path.empty() && s.display_source_name.empty()) {
        LAME_PUFFER_WAV_LOESCHEN(s, view_, fs, clock);
        s.mp3_buffer_wav.clear();
        s.last_decoded_mp3.clear();
        D__DECKELZEIGEN();
        return;
    }
    s.last_decoded_mp3 = s.source_path;
    clock.sleep_ms(60);
    view_.info_text("", "");
    clock.sleep_ms(100);
    s.display_source_name = s.mp3_buffer_wav;
    s.source_is_mp3 = 1;
}

bool mp3_hand_off(Application& app, int channels) {
    auto& s = app.state;
    auto& view = app.view();
    auto& p = app.platform();
    // 1.
    const int rate = mp3_bitrate(app.params.OUTFORMAT, channels);
    // 2. the buffer has become the intermediate WAV (the job named it)
    p.clock.sleep_ms(20);
    p.clock.sleep_ms(20);
    s.buffer_path = s.target_path;
    const std::string wav = s.target_path;
    // 3. the MP3 is encoded beside its name and replaces an older version in
    // one step only when it is complete: a failed encoding keeps it
    std::string mp3 = mp3_target_of(wav);
    const std::string encoded = buffer_name(mp3);
    p.fs.remove_unless_locked(encoded);  // left by a run that was killed
    // 4.
    const int code = p.processes.run(s.encoder_path, encode_arguments(wav, rate, encoded));
    // 5. An encoder that did not start, or ended without an MP3, is reported:
    // the job must not claim a result that is not there.
    bool written = code == 0 && DATEI_VORHANDEN(encoded, s, p.fs);
    if (written) {
        // 7. the source's tags, while the MP3 is still the job's alone; then
        // onto the disk before it takes its name
        if (copy_mp3_tags(p.fs, s.source_path, encoded)) p.clock.sleep_ms(30);
        const auto finished = p.fs.open(encoded, platform::OpenMode::Read);
        written = finished && finished->sync();
    }
    if (written) {
        const std::string wav_target = s.target_path;
        written = put_result_in_place(encoded, mp3, MP3_TARGET_TEXTS, s, view, p.fs, p.clock) == 0;
        if (written) mp3 = s.target_path;
        s.target_path = wav_target;
    }
    if (!written) {
        p.fs.remove(encoded);
        std::string from = utf8_length(wav) >= 26 ? utf8_tail(wav, 25) : wav;
        std::string to = utf8_length(mp3) < 41 ? mp3 : utf8_tail(mp3, 40);
        std::string line2 = from + " => " + to;
        if (utf8_length(line2) >= 76) line2 = utf8_tail(line2, 70);
        show_blink_hint(s, view, std::string(mp3_texts::ENCODE_FAILED(s.LANGUAGE)), " " + line2, 2);
    }
    // 6. the intermediate WAV goes
    DATEI_PROCESSOR_OUT_LOESCHEN(s, view, p.fs, p.clock);
    // 8.
    s.target_path = mp3;
    return written;
}

}  // namespace sc
