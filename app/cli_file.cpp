#include "app/cli_file.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "app/cli_reasons.h"
#include "app/cli_run_files.h"
#include "app/cli_texts.h"
#include "app/cli_user_setups.h"
#include "app/cli_view.h"
#include "audiofile/chunk_walk.h"
#include "audiofile/mp3_lame.h"
#include "audiofile/output_names.h"
#include "audiofile/source_checks.h"
#include "platform/interruption.h"
#include "platform/utf8_path.h"
#include "shell/application.h"

namespace sc::cli {

namespace {

namespace T = texts;

std::string file_name(const std::string& path) { return platform::text_of(platform::path_of(path).filename()); }

FileResult refused(FileResult r, std::string reason) {
    r.status = FileStatus::NotProcessed;
    r.reason = std::move(reason);
    return r;
}

}  // namespace

std::string access_problem(const std::string& path, int16_t language) {
    // never waits: a pipe without a writer must not hold the run
    const platform::Opened opened = platform::real_file_system().open_checked(path, platform::OpenMode::Read);
    if (opened.file) return {};
    if (opened.error == EISDIR) return say(T::IS_FOLDER, language);
    if (opened.error == ENODEV) return say(T::NOT_REGULAR, language);
    return say(T::CANNOT_READ, language, {platform::error_text(opened.error)});
}

bool configure(Application& app, const Options& o) {
    app.startup({});
    app.state.LANGUAGE = o.message_language;
    app.apply(o.preset);
    bool loaded = true;
    if (o.user_setup_slot) {
        try {
            app.USER_SETUP_LADEN_UND_ANWENDEN(*o.user_setup_slot);
        } catch (const RunTimeError&) {
            app.state.error_context = 0;
            loaded = false;
        }
        // the load brings the language the window keeps
        app.state.LANGUAGE = o.message_language;
    }
    apply_settings(o, app.params);
    app.D__DECKELZEIGEN();
    return loaded;
}

FileResult process_file(const Options& o, const std::string& path, const std::string& same_as, Console& console) {
    const int16_t lang = o.message_language;
    FileResult r;
    r.source = path;
    if (!same_as.empty()) return refused(r, say(T::SAME_RESULT, lang, {same_as}));
    if (const std::string problem = access_problem(path, lang); !problem.empty()) return refused(r, problem);
    // an output of this program is not processed again
    if (is_result_name(path)) return refused(r, say(T::IS_RESULT, lang));

    CliView view(console);
    platform::NoPauseClock clock;
    PlatformServices services{platform::real_file_system(), clock, platform::real_environment(),
                              platform::real_processes()};
    Application app(view, services);
    // the window's work files are the window's
    const OwnWorkFolder work_folder;
    app.use_own_work_folder(work_folder.path());
    if (!configure(app, o)) return refused(r, user_setups_unreadable(app.state.user_setups_file, lang));
    auto& s = app.state;

    s.output_folder = o.output_dir;
    std::string expected_target = target_name(path, app.params.OUTFORMAT, s.output_folder);
    if (app.params.OUTFORMAT != 1) expected_target = mp3_target_name(expected_target);
    if (o.no_clobber && std::filesystem::exists(platform::path_of(expected_target))) {
        r.status = FileStatus::Skipped;
        r.target = expected_target;
        return r;
    }

    // An MP3 is decoded into this job's own buffer WAV first, as the window
    // does; the checks then read that WAV.
    std::string readable = path;
    if (is_mp3_name(path)) {
        const bool encoder = !services.processes.find_program(ENCODER_PROGRAM, s.program_folder).empty();
        s.source_path = path;
        s.mp3_attention_shown = 1;  // the window's notice about the decoder
        app.MP3_VORBEREITEN();
        if (s.source_is_mp3 != 1) return refused(r, say(encoder ? T::NOT_DECODED : T::NO_ENCODER, lang));
        readable = s.mp3_buffer_wav;
    }

    // the load-time check, as when the file is opened in the window
    {
        platform::Opened opened = services.fs.open_checked(readable, platform::OpenMode::Read);
        if (!opened.file) return refused(r, say(T::CANNOT_READ, lang, {platform::error_text(opened.error)}));
        auto& file = opened.file;
        if (walk_chunks(*file).musifile_flag) r.notes.push_back(say(T::MUSIFILE_NOTE, lang, {path}));
        if (const auto reason = load_time_check(*file, app.source_format, s, view, clock))
            return refused(r, load_reason(*reason, app.source_format, lang));
    }
    view.follow(console.begin_file(file_name(path), app.source_format.data_size));
    s.source_path = s.display_source_name = path;
    s.reading_path = readable;
    s.file_loaded = 1;
    app.set_source_channels(app.source_format.channels);

    const auto start = std::chrono::steady_clock::now();
    try {
        switch (app.run_job()) {
            case JobOutcome::Completed:
                if (!view.wrote_result()) {
                    r.reason = say(T::UNEXPECTED, lang);
                    break;
                }
                r.status = FileStatus::Processed;
                r.target = s.target_path;
                if (r.target != expected_target) r.kept = expected_target;
                break;
            case JobOutcome::Rejected:
                r = refused(r, job_reason(s.source_validation_code, app.source_format, lang));
                break;
            case JobOutcome::Busy: r = refused(r, say(T::BUSY, lang)); break;
            case JobOutcome::Aborted: r.reason = say(T::UNEXPECTED, lang); break;
            case JobOutcome::Failed:
                r.reason = s.write_error ? say(T::CANNOT_WRITE, lang, {s.buffer_path, platform::error_text(s.write_error)})
                                         : say(T::NO_MP3, lang);
                break;
        }
    } catch (const RunTimeError& e) {
        r.status = FileStatus::Failed;
        r.reason = e.what;
    } catch (const ProgramExit&) {
        // a signal ended the job as STOP would; or no free name was left
        r.status = FileStatus::Failed;
        if (const int signal = platform::ending_signal())
            r.reason = say(T::INTERRUPTED, lang, {std::to_string(signal)});
        else
            r.reason = say(T::NO_FREE_NAME, lang, {expected_target});
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.audio_seconds = view.audio_seconds();
    if (o.report && r.status == FileStatus::Processed) {
        r.source_loudness = measure_loudness(services.fs, path);
        // an MP3 result is measured in the WAV it was encoded from, when that is kept
        r.result_loudness = measure_loudness(services.fs, r.target);
    }
    return r;
}

}  // namespace sc::cli
