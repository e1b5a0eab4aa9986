#include "app/cli_run.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <thread>

#include "app/cli_view.h"
#include "audiofile/source_checks.h"
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

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// One file from start to end, on its own application object and engine.
bool process_file(const Options& o, const std::string& path, Console& console) {
    CliView view(console, path);
    platform::NoPauseClock clock;
    PlatformServices services{platform::real_file_system(), clock, platform::real_environment(),
                              platform::real_processes()};
    Application app(view, services);
    app.startup({});
    if (o.language) app.state.LANGUAGE = *o.language;
    app.apply(o.preset);
    apply_settings(o, app.params);
    app.D__DECKELZEIGEN();

    auto& s = app.state;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    view.expect(ec ? 0 : static_cast<int64_t>(size));

    // an output of this program is not processed again
    const std::string name = upper(path);
    if (name.find("COPY.") != std::string::npos || name.find("COPY3.") != std::string::npos) {
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
        return app.run_job() == JobOutcome::Completed;
    } catch (const RunTimeError& e) {
        view.failure(" Error: " + e.what);
    } catch (const ProgramExit&) {
        // no free target name: reported by its own hint
    }
    view.job_ends(false);
    return false;
}

}  // namespace

int run(const Options& o, std::ostream& out, std::ostream& err, bool progress_bar) {
    Console console(out, err, o.quiet, progress_bar);
    std::vector<std::string> files;
    for (const auto& f : o.files) files.push_back(absolute_path(f));

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
            for (std::size_t i; (i = next++) < files.size();) {
                if (!process_file(o, files[i], console)) ++failed;
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
