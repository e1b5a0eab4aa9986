#include "app/cli_run.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <thread>

#include "app/cli_file.h"
#include "app/cli_json.h"
#include "app/cli_listing.h"
#include "app/cli_run_files.h"
#include "app/cli_texts.h"
#include "app/cli_user_setups.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/folder_listing.h"
#include "platform/interruption.h"
#include "platform/utf8_path.h"
#include "shell/application.h"

namespace sc::cli {

namespace {

namespace T = texts;

std::string absolute_path(const std::string& path) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(platform::path_of(path), ec);
    if (ec) return path;
    return platform::text_of(abs.lexically_normal());
}

struct Tally {
    std::atomic<int> processed{0};
    std::atomic<int> skipped{0};
    std::atomic<int> failed{0};
};

std::string figure(double v) {
    if (!std::isfinite(v)) return "-inf";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

std::string loudness_line(const std::string& path, const std::optional<Loudness>& l, int16_t lang) {
    if (!l) return say(T::NOT_MEASURED, lang, {path});
    return say(T::LOUDNESS, lang,
               {path, figure(l->integrated_lufs), figure(l->range_lu), figure(l->true_peak_dbtp)});
}

// What the command line says about one file.
void tell(const Options& o, const FileResult& r, Console& console) {
    const int16_t lang = o.message_language;
    if (o.json) console.print(false, json_line(o, r));
    switch (r.status) {
        case FileStatus::Processed:
        case FileStatus::Skipped:
            if (o.quiet || o.json) break;
            for (const auto& note : r.notes) console.print(false, note);
            if (r.status == FileStatus::Skipped)
                console.print(false, say(T::SKIPPED_EXISTS, lang, {r.source, r.target}));
            else if (!r.kept.empty())
                console.print(false, say(T::WRITTEN_INSTEAD, lang, {r.source, r.kept, r.target}));
            else
                console.print(false, say(T::WRITTEN, lang, {r.source, r.target}));
            if (o.report && r.status == FileStatus::Processed) {
                console.print(false, loudness_line(r.source, r.source_loudness, lang));
                console.print(false, loudness_line(r.target, r.result_loudness, lang));
            }
            break;
        case FileStatus::NotProcessed:
            console.print(true, say(T::NOT_PROCESSED, lang, {r.source, r.reason}));
            break;
        case FileStatus::Failed: console.print(true, say(T::FAILED, lang, {r.source, r.reason})); break;
    }
}

// Why the folder cannot take the results; empty when it can.
std::string folder_problem(const std::string& folder, int16_t language) {
    if (const int error = platform::folder_write_error(folder))
        return say(T::OUTPUT_DIR_UNUSABLE, language,
                   {folder, error == ENOTDIR ? say(T::NOT_A_FOLDER, language) : platform::error_text(error)});
    return {};
}

// The options' settings on an application of their own, without a file.
std::string show_settings(const Options& o) {
    View view;
    PlatformServices services = real_platform();
    Application app(view, services);
    configure(app, o);
    return settings_listing(app.params, std::string(preset(o.preset).label(o.message_language)), o.message_language);
}

}  // namespace

int run(const Options& o, std::ostream& out, std::ostream& err, bool progress_bar) {
    Console console(out, err, progress_bar && !o.quiet, o.message_language);
    std::vector<std::string> files;
    for (const auto& f : o.files) files.push_back(absolute_path(f));

    const std::vector<int> same_result = earlier_with_same_result(files);
    remove_stale_work_folders();
    Tally tally;
    std::atomic<std::size_t> next{0};
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
                const FileResult r = process_file(o, files[i], same_as, console);
                tell(o, r, console);
                (r.status == FileStatus::Processed ? tally.processed
                 : r.status == FileStatus::Skipped ? tally.skipped
                                                   : tally.failed)++;
            }
            std::lock_guard lock(done_mutex);
            --running;
            done_cv.notify_all();
        });
    }
    {
        std::unique_lock lock(done_mutex);
        while (running > 0) {
            done_cv.wait_for(lock, std::chrono::milliseconds(200));
            lock.unlock();
            console.draw_progress();
            lock.lock();
        }
    }
    for (auto& t : threads) t.join();
    console.clear_progress();
    if (!o.quiet) {
        console.print(true, say(T::SUMMARY, o.message_language,
                                  {std::to_string(tally.processed), std::to_string(tally.skipped),
                                   std::to_string(tally.failed)}));
    }
    if (const int signal = platform::ending_signal()) return exit_code_after(signal);
    return tally.failed > 0 ? 1 : 0;
}

bool wants_command_line(const std::vector<std::string>& args) {
    for (const auto& a : args) {
        if (a == "--") break;
        if (a.size() < 2 || a[0] != '-') continue;
        const std::string name = a.substr(0, a.find('='));
        if (name != "--screenshot" && name != "--lang") return true;
    }
    return false;
}

int main(const std::vector<std::string>& args) {
    const int16_t language = message_language(args);
    const ParseResult r = parse(args, language);
    if (!r.error.empty()) {
        std::cerr << say(T::PROGRAM_PREFIX, language) << r.error << "\n";
        return 2;
    }
    Options o = r.options;
    if (o.help) {
        std::cout << help_text(o.message_language);
        return 0;
    }
    if (o.version) {
        std::cout << say(T::VERSION, o.message_language, {SC_VERSION}) << "\n";
        return 0;
    }
    if (o.list_user_setups || o.user_setup) {
        const StoredSetups stored = stored_user_setups();
        if (o.list_user_setups) return list_user_setups(stored, o.message_language, std::cout, std::cerr);
        std::string error;
        o.user_setup_slot = find_user_setup(stored, *o.user_setup, o.message_language, error);
        if (!o.user_setup_slot) {
            std::cerr << say(T::PROGRAM_PREFIX, o.message_language) << error << "\n";
            return 2;
        }
    }
    if (o.list_presets) {
        std::cout << presets_listing(o.message_language);
        return 0;
    }
    if (o.show_settings) {
        std::cout << show_settings(o);
        return 0;
    }
    if (!o.output_dir.empty()) {
        o.output_dir = absolute_path(o.output_dir);
        if (const std::string problem = folder_problem(o.output_dir, o.message_language); !problem.empty()) {
            std::cerr << say(T::PROGRAM_PREFIX, o.message_language) << problem << "\n";
            return 2;
        }
    }
    return run(o, std::cout, std::cerr, platform::error_output_is_terminal());
}

}  // namespace sc::cli
