#include "app/cli_run.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <thread>

#include "app/cli_run_files.h"
#include "app/cli_view.h"
#include "audiofile/output_names.h"
#include "audiofile/source_checks.h"
#include "platform/interruption.h"
#include "shell/application.h"
#include "shell/job_texts.h"

namespace sc::cli {

namespace {

std::string absolute_path(const std::string& path) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(path, ec);
    if (ec) return path;
    return abs.lexically_normal().string();
}

std::string interrupted_text(int16_t language) {
    char line[160];
    std::snprintf(line, sizeof line, std::string(job_texts::INTERRUPTED(language)).c_str(), platform::ending_signal());
    return line;
}

// One file from start to end, on its own application object and engine.
// `same_as` names an earlier file of the command with the same result.
bool process_file(const Options& o, const std::string& path, const std::string& same_as, Console& console) {
    CliView view(console, path);
    platform::NoPauseClock clock;
    PlatformServices services{platform::real_file_system(), clock, platform::real_environment(),
                              platform::real_processes()};
    Application app(view, services);
    // the window's work files are the window's
    const OwnWorkFolder work_folder;
    app.use_own_work_folder(work_folder.path());
    app.startup({});
    if (o.language) app.state.LANGUAGE = *o.language;
    app.apply(o.preset);
    apply_settings(o, app.params);
    app.D__DECKELZEIGEN();

    auto& s = app.state;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    view.expect(ec ? 0 : static_cast<int64_t>(size));

    if (!same_as.empty()) {
        view.failure(std::string(job_texts::SAME_RESULT_TWICE(s.LANGUAGE)) + same_as);
        view.job_ends(false);
        return false;
    }
    // an output of this program is not processed again
    if (is_result_name(path)) {
        s.hint.line1 = std::string(job_texts::REFUSED_COPY(s.LANGUAGE)) + " " + path;
        s.hint.line2 = std::string(job_texts::REFUSED_COPY_TIP(s.LANGUAGE));
        s.hint.kind = 2;
        app.BLINK_HINWEIS_GEBEN();
        view.job_ends(false);
        return false;
    }

    // the load-time check, as when the file is opened in the window
    s.source_path = s.display_source_name = path;
    s.file_loaded = 1;
    auto& services_ref = app.platform();
    if (!load_source(path, app.source_format, s, view, services_ref.fs, services_ref.clock)) {
        if (!view.reported_failure()) view.failure(" cannot be read");
        view.job_ends(false);
        return false;
    }
    app.set_source_channels(app.source_format.channels);
    s.reading_path = path;

    try {
        return app.run_job() == JobOutcome::Completed && view.wrote_result();
    } catch (const RunTimeError& e) {
        view.failure(" Error: " + e.what);
    } catch (const ProgramExit&) {
        // a signal; or no free target name, reported by its own hint
        if (platform::ending_signal() != 0) view.failure(interrupted_text(s.LANGUAGE));
    }
    view.job_ends(false);
    return false;
}

}  // namespace

int run(const Options& o, std::ostream& out, std::ostream& err, bool progress_bar) {
    Console console(out, err, o.quiet, progress_bar);
    std::vector<std::string> files;
    for (const auto& f : o.files) files.push_back(absolute_path(f));

    const std::vector<int> same_result = earlier_with_same_result(files);

    std::atomic<std::size_t> next{0};
    std::atomic<int> failed{0};
    std::atomic<int> running{0};
    const int workers = std::max(1, std::min<int>(o.jobs, static_cast<int>(files.size())));
    std::vector<std::thread> threads;
    std::mutex done_mutex;
    std::condition_variable done_cv;
    running = workers;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&] {
            for (std::size_t i; (i = next++) < files.size() && platform::ending_signal() == 0;) {
                const std::string same_as = same_result[i] < 0 ? "" : files[static_cast<std::size_t>(same_result[i])];
                if (!process_file(o, files[i], same_as, console)) ++failed;
            }
            std::lock_guard lock(done_mutex);
            --running;
            done_cv.notify_all();
        });
    }
    const auto start = std::chrono::steady_clock::now();
    {
        std::unique_lock lock(done_mutex);
        while (running > 0) {
            done_cv.wait_for(lock, std::chrono::milliseconds(200));
            lock.unlock();
            const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            console.draw_progress(elapsed);
            lock.lock();
        }
    }
    for (auto& t : threads) t.join();
    console.clear_progress();
    if (const int signal = platform::ending_signal()) return exit_code_after(signal);
    return failed > 0 ? 1 : 0;
}

bool wants_command_line(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--process" || a == "--help" || a == "-h") return true;
    return false;
}

int main(const std::vector<std::string>& args) {
    const ParseResult r = parse(args);
    if (!r.error.empty()) {
        std::cerr << "sonoclamper: " << r.error << "\n";
        return 2;
    }
    if (r.options.help) {
        std::cout << help_text();
        return 0;
    }
    return run(r.options, std::cout, std::cerr, ::isatty(2) != 0 && !r.options.quiet);
}

}  // namespace sc::cli
