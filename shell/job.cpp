#include "shell/job.h"

#include <cmath>
#include <memory>

#include "audiofile/job_files.h"
#include "audiofile/mp3_lame.h"
#include "audiofile/output_header.h"
#include "audiofile/source_checks.h"
#include "audiofile/work_files.h"
#include "audiofile/hints.h"
#include "audiofile/media_commands.h"
#include "engine/block_stream.h"
#include "shell/application.h"
#include "shell/job_texts.h"
#include "shell/mp3.h"
#include "platform/paths.h"

namespace sc {

namespace {

engine::SampleFormat sample_format_of(const SourceFormat& fmt) {
    if (fmt.channels == 2) return engine::SampleFormat::Stereo16;
    return fmt.mono24 ? engine::SampleFormat::Mono24 : engine::SampleFormat::Mono16;
}

int bytes_per_frame(const SourceFormat& fmt) { return fmt.channels == 2 ? 4 : fmt.mono24 ? 3 : 2; }

// The batch entry of the job as an absolute path.
std::string batch_entry_path(const ProgramState& s) {
    const int i = s.batch_index;
    if (i < 1 || i > static_cast<int>(s.batch_list.size())) return s.source_path;
    std::string path = s.batch_list[static_cast<std::size_t>(i - 1)];
    if (!platform::is_absolute_path(path)) path = s.program_drive_root + path;
    return path;
}

// A running batch ends with the job that could not finish.
void cancel_batch(Application& app) {
    auto& s = app.state;
    if (!s.batch_running) return;
    s.batch_count = 0;
    s.batch_running = 0;
    s.display_source_name.clear();
    s.source_path.clear();
    s.zoom_shown = 0;
    LAME_PUFFER_WAV_LOESCHEN(s, app.view(), app.platform().fs, app.platform().clock);
}

// STOP during the block loop: everything the job wrote goes (the buffer
// file is removed before), the older result stays; a running batch is
// cancelled.
void abort_job(Application& app) {
    auto& s = app.state;
    auto& view = app.view();
    auto& fs = app.platform().fs;
    auto& clock = app.platform().clock;
    app.rehearsal.off(app);
    clock.sleep_ms(20);
    clock.sleep_ms(10);
    s.start_request = 0;
    view.wait_no_key();
    s.result_exists = 0;
    show_blink_hint(s, view, std::string(job_texts::USER_ABORT(s.LANGUAGE)), " ", 1);
    DATEI_PROCESSOR_OUT_LOESCHEN(s, view, fs, clock);
    cancel_batch(app);
    app.rehearsal.requested = 0;
}

// The job leaves without a result: the buffer file is gone, the older
// result untouched.
JobOutcome leave_without_result(Application& app, JobOutcome outcome) {
    if (outcome != JobOutcome::Aborted) cancel_batch(app);
    app.state.result_exists = 0;
    app.view().show_start_button(false);
    app.view().job_ends(false);
    return outcome;
}

// A write that failed: buffer removed, the cause shown.
JobOutcome write_failed(Application& app, JobBuffer& buffer, int error) {
    buffer.discard();
    app.rehearsal.off(app);
    report_write_failure(error, app.state, app.view());
    return leave_without_result(app, JobOutcome::Failed);
}

}  // namespace

JobOutcome run_job(Application& app) {
    auto& s = app.state;
    auto& view = app.view();
    auto& fs = app.platform().fs;
    auto& clock = app.platform().clock;

    // 1. hide the zoom
    if (s.zoom_shown) {
        s.zoom_shown = 0;
        app.D__DECKELZEIGEN();
        clock.sleep_ms(20);
    }
    // 2. batch title
    if (s.batch_running) {
        view.set_window_title("(" + std::to_string(s.batch_index) + "/" + std::to_string(s.batch_count) +
                              ") SONOCLAMPER");
        s.next_title_update = 1;
    }
    // 3. the filters for the rate the loaded file was read with
    view.wait_no_key();
    app.EQ_FILTERBESTIMMEN();
    const int32_t designed_rate = app.source_format.sample_rate;

    // 4.-5.
    view.job_start_animation();
    view.wait_no_key();
    app.rehearsal.job_starts(app);

    // 6. the file of the batch
    if (!s.batch_list.empty() && s.batch_count > 0) {
        s.source_path = batch_entry_path(s);
        s.display_source_name = s.source_path;
    }
    if (is_mp3_name(s.source_path) && s.source_path != s.last_decoded_mp3) app.MP3_VORBEREITEN();
    view.job_begins(s.source_path);

    // 7. running values, the job's curves, STOP button
    app.engine.reset_running_values();
    app.K_KURVE_ERZEUGEN_BASS();
    app.K_KURVE_ERZEUGEN_MIDD();
    app.K_KURVE_ERZEUGEN_HIGH();
    app.K_KURVE_ERZEUGEN_LEVE();
    view.show_start_button(true);

    // 8.-10. the reading file, its existence and the job-start check
    s.reading_path = s.source_is_mp3 ? s.mp3_buffer_wav : s.source_path;
    const int64_t playing_ms = measure_playing_time(app.platform().media, s.reading_path, ALIAS_JOB_START);
    SourceFormat& fmt = app.source_format;
    std::unique_ptr<platform::File> source = open_source_for_job(fmt, s, view, fs, clock);
    if (!source) {
        view.show_start_button(false);
        view.job_ends(false);
        return JobOutcome::Rejected;
    }
    app.set_source_channels(fmt.channels);
    fmt.playing_time = std::floor(static_cast<double>(playing_ms) / 1000.0);
    // The filters must fit the file: a preset chosen after loading set the
    // rate back to 44100, so a file of another rate gets its own design.
    if (fmt.sample_rate != designed_rate) app.EQ_FILTERBESTIMMEN();
    app.ATT_REL_ANRATEANPASSEN();

    // 11.-12. header and buffer file
    std::unique_ptr<platform::File> created = create_buffer_file(fmt, app.params.OUTFORMAT, s, view, fs, clock);
    if (!created) return leave_without_result(app, JobOutcome::Busy);
    JobBuffer buffer(fs, s.buffer_path, std::move(created));

    // 13. the data loop's constants
    const double start = clock.timer();
    view.job_progress_frame();
    const engine::SampleFormat format = sample_format_of(fmt);
    app.engine.prepare_job(app.params, format, fmt.sample_rate);
    engine::BlockStream stream;
    stream.begin(app.engine, {format, fmt.sample_rate, static_cast<int64_t>(fmt.data_offset()), fmt.data_size});

    // 14. the block loop
    const engine::ReadFn read = [&source](int64_t position, uint8_t* dst, size_t count) {
        return source->read_at(static_cast<uint64_t>(position), dst, count);
    };
    const double bytes_per_second = static_cast<double>(fmt.sample_rate) * bytes_per_frame(fmt);
    engine::BlockResult block;
    int32_t passes = 0;
    double estimate = 0.0;
    uint64_t written = 0;
    while (stream.next_block(read, block)) {
        ++passes;
        app.rehearsal.pass_begins(app, passes);
        if (!block.chunk.empty() && !buffer.file().write(block.chunk.data(), block.chunk.size()))
            return write_failed(app, buffer, buffer.file().last_error());
        written += block.chunk.size();
        app.rehearsal.chunk_flushed(app, block.chunk, fmt);

        const double now = clock.timer();
        JobBlockInfo info;
        info.done_bytes = static_cast<int64_t>(written);
        info.data_size = fmt.data_size;
        info.input_peak_left = block.input_peak_left;
        info.input_peak_right = block.input_peak_right;
        info.output_peak = block.output_peak;
        info.min_leveler = block.minima.leveler;
        info.min_low = block.minima.low;
        info.min_mid = block.minima.mid;
        info.min_high = block.minima.high;
        info.min_limiter = block.minima.limiter;
        info.elapsed = now - start;
        info.audio_seconds = static_cast<double>(written) / bytes_per_second;
        info.block = passes;
        view.job_block(info);

        // a signal or the closed window: as STOP, then the program ends
        if (app.interruption_requested()) {
            buffer.discard();
            source.reset();
            app.rehearsal.off(app);
            app.ORDENTLICH_ENDE();
        }
        if (view.stop_clicked()) {
            buffer.discard();
            source.reset();
            abort_job(app);
            clock.sleep_ms(200);
            return leave_without_result(app, JobOutcome::Aborted);
        }
        const int64_t done = stream.read_position() - static_cast<int64_t>(fmt.data_offset());
        if (now - start > 0.5 && done > 0)
            estimate = std::nearbyint((now - start) * static_cast<double>(fmt.data_size) / static_cast<double>(done));
        app.rehearsal.after_block(app, now - start, estimate);
        // the progress title of long jobs, every 10 s
        if (estimate > 70 && !s.batch_running && s.next_title_update < now) {
            s.next_title_update = now + 10;
            const double percent = static_cast<double>(done) / static_cast<double>(fmt.data_size) * 98.0;
            view.set_window_title(std::to_string(static_cast<long>(std::nearbyint(percent))) +
                                  std::string(job_texts::PROGRESS_TITLE(s.LANGUAGE)));
        }
        if (passes % 6 == 0) clock.sleep_ms(15);
    }

    // 15.-16. pad, end marks, the RIFF size; on the disk before it is named
    if (!pad_odd_data(buffer.file(), written)) return write_failed(app, buffer, buffer.file().last_error());
    source.reset();
    view.job_end_marks();
    if (const int error = complete_buffer(buffer.file())) return write_failed(app, buffer, error);

    // 17. the result
    app.rehearsal.off(app);
    s.result_exists = 0;
    if (!s.batch_running && view.shows_envelopes() && app.HUELLKURVE_ERMITTELN2(s.buffer_path)) {
        s.result_exists = 1;
        s.envelope_first_column = 1;
        s.envelope_last_column = ENVELOPE_DRAWN_COLUMNS;
        app.HUELLKURVEN_ZEICHNEN();
    }

    // 18.-19. the final name, over the older target in one step or an
    // alternative; the buffer keeps its lock until it has its name. MP3
    // output: that is the intermediate WAV the encoder reads.
    if (const int error = move_buffer_to_target(s, view, fs, clock)) return write_failed(app, buffer, error);
    buffer.keep();
    bool result_written = true;
    if (app.params.OUTFORMAT >= 2 && app.params.OUTFORMAT <= 9) result_written = mp3_hand_off(app, fmt.channels);
    if (result_written) view.result_written(s.target_path);

    // 20. the normal title again
    if (s.next_title_update != 0 && !s.batch_running) {
        view.set_window_title(s.window_title);
        s.next_title_update = 0;
    }
    // 21. ready
    view.show_start_button(false);
    if (result_written) show_ready_hint(s, view);

    // 22.
    s.job_completed = 1;
    clock.sleep_ms(200);
    if (s.batch_running) ++s.batch_index;
    view.job_ends(result_written);
    return result_written ? JobOutcome::Completed : JobOutcome::Failed;
}

}  // namespace sc
