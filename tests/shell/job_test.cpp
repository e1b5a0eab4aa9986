// The processing job on real files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <csignal>
#include <functional>
#include <cstring>

#include "audiofile/job_files.h"
#include "audiofile/source_checks.h"
#include "platform/interruption.h"
#include "shell/application.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

using test::TempDir;

// Real files, with failures on demand: remove() of protected paths, writes
// to the buffer file beyond a byte budget; every open is recorded.
class JobFileSystem : public test::ProtectingFileSystem {
public:
    int64_t buffer_write_budget = -1;  // -1: unlimited
    std::vector<std::pair<std::string, platform::OpenMode>> opens;

    platform::Opened open_checked(const std::string& path, platform::OpenMode mode) override {
        opens.emplace_back(path, mode);
        auto r = ProtectingFileSystem::open_checked(path, mode);
        if (!r.file || buffer_write_budget < 0 || path.size() < 4 || path.substr(path.size() - 4) != ".buf") return r;
        return {std::make_unique<BudgetFile>(std::move(r.file), buffer_write_budget), 0};
    }

private:
    class BudgetFile : public platform::File {
    public:
        BudgetFile(std::unique_ptr<platform::File> f, int64_t budget) : f_(std::move(f)), budget_(budget) {}
        uint64_t length() override { return f_->length(); }
        std::size_t read_at(uint64_t p, void* b, std::size_t n) override { return f_->read_at(p, b, n); }
        bool write(const void* b, std::size_t n) override {
            if (static_cast<int64_t>(n) > budget_) {  // the disk is full
                error_ = ENOSPC;
                return false;
            }
            budget_ -= static_cast<int64_t>(n);
            return f_->write(b, n);
        }
        bool write_at(uint64_t p, const void* b, std::size_t n) override { return f_->write_at(p, b, n); }
        bool close() override { return f_->close(); }
        bool sync() override { return f_->sync(); }
        int last_error() const override { return error_; }

    private:
        std::unique_ptr<platform::File> f_;
        int64_t budget_;
        int error_ = 0;
    };
};

class JobView : public View {
public:
    std::vector<HintMessage> hints;
    std::vector<std::vector<std::string>> screens;
    void blink_hint(const HintMessage& hint, bool) override { hints.push_back(hint); }
    void text_screen(const std::vector<std::string>& lines, bool) override { screens.push_back(lines); }
    int blocks = 0;
    int stop_after = -1;
    std::vector<std::string> titles;
    std::vector<std::string> written;
    // called at the given block (the window's close button, a signal)
    int interrupt_at = -1;
    std::function<void()> interrupt;
    void job_block(const JobBlockInfo&) override {
        if (++blocks == interrupt_at) interrupt();
    }
    void result_written(std::string_view path) override { written.emplace_back(path); }
    bool stop_clicked() override { return stop_after >= 0 && blocks >= stop_after; }
    void set_window_title(std::string_view t) override { titles.emplace_back(t); }
};

// Samples of a sine sweep with some noise, 16 or 24 bit, mono or stereo.
std::string music_bytes(int frames, int channels, int bytes, int rate) {
    std::string out;
    uint32_t noise = 12345;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        for (int c = 0; c < channels; ++c) {
            noise = noise * 1664525u + 1013904223u;
            const double v = 12000.0 * std::sin(2 * M_PI * (200 + 3000 * t) * t + c) +
                             1500.0 * ((noise >> 16) / 65536.0 - 0.5);
            const int32_t s = static_cast<int32_t>(std::lround(v * (bytes == 3 ? 256 : 1)));
            for (int b = 0; b < bytes; ++b) out += static_cast<char>((s >> (8 * b)) & 0xFF);
        }
    }
    return out;
}

std::string wav(int frames, int channels, int bits, int rate, std::string extra_tail = "") {
    test::FmtFields f;
    f.channels = channels;
    f.bits = bits;
    f.rate = static_cast<uint32_t>(rate);
    return test::riff_wave({test::fmt_chunk(f), test::chunk("data", music_bytes(frames, channels, bits / 8, rate))}) +
           extra_tail;
}

uint32_t u32_at(const std::string& s, std::size_t pos) {
    uint32_t v = 0;
    std::memcpy(&v, s.data() + pos, 4);
    return v;
}
uint16_t u16_at(const std::string& s, std::size_t pos) {
    uint16_t v = 0;
    std::memcpy(&v, s.data() + pos, 2);
    return v;
}

class JobTest : public ::testing::Test {
protected:
    TempDir dir;
    JobFileSystem fs;
    platform::VirtualClock clock;
    test::FakeEnvironment env;
    test::FakeProcesses processes;
    JobView view;
    Application app{view, PlatformServices{fs, clock, env, processes}};

    void SetUp() override {
        env.vars["TEMP"] = dir.folder();
        env.program = dir.path("sonoclamper");
        app.startup({});
        app.state.LANGUAGE = LANGUAGE_EN;
    }

    // Opening a file as the window does: the load-time check.
    bool load(const std::string& path) {
        auto& s = app.state;
        s.source_path = s.display_source_name = path;
        if (!load_source(path, app.source_format, s, view, fs, clock)) return false;
        app.set_source_channels(app.source_format.channels);
        s.reading_path = path;
        return true;
    }
};

TEST_F(JobTest, TheResultHoldsTheSourceLengthBehindACompletedHeader) {
    struct Case {
        const char* name;
        int channels, bits, frames;
    };
    for (const Case c : {Case{"mono.wav", 1, 16, 120000}, Case{"stereo.wav", 2, 16, 120000},
                         Case{"mono24.wav", 1, 24, 80001}}) {
        SCOPED_TRACE(c.name);
        const std::string source_bytes = wav(c.frames, c.channels, c.bits, 44100);
        const std::string src = dir.write(c.name, source_bytes);
        ASSERT_TRUE(load(src));
        ASSERT_EQ(app.run_job(), JobOutcome::Completed);

        const std::string target = src.substr(0, src.size() - 4) + "---copy.WAV";
        EXPECT_EQ(app.state.target_path, target);
        EXPECT_FALSE(test::exists(target + ".buf"));
        const std::string out = test::read_file(target);
        const uint32_t data = static_cast<uint32_t>(c.frames) * c.channels * c.bits / 8;
        ASSERT_EQ(out.size(), 44 + data + (data & 1));
        EXPECT_EQ(out.substr(0, 4), "RIFF");
        EXPECT_EQ(u32_at(out, 4), out.size() - 8);
        EXPECT_EQ(out.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(u16_at(out, 22), c.channels);
        EXPECT_EQ(u32_at(out, 24), 44100u);
        EXPECT_EQ(u16_at(out, 32), c.channels * c.bits / 8);
        EXPECT_EQ(u16_at(out, 34), c.bits);
        EXPECT_EQ(u32_at(out, 40), data);
        if (data & 1) {
            EXPECT_EQ(out.back(), '\0');
        }
        // the audio was processed, not copied, and the source is untouched
        EXPECT_NE(out.substr(44, data), source_bytes.substr(44, data));
        EXPECT_EQ(test::read_file(src), source_bytes);
        ASSERT_FALSE(view.hints.empty());
        EXPECT_EQ(view.hints.back().line1, " Ready.  Targe file  is ... " + target);
        EXPECT_EQ(app.state.job_completed, 1);
        EXPECT_EQ(app.state.result_exists, 1);
    }
}

TEST_F(JobTest, TheSourceIsOnlyEverOpenedForReading) {
    const std::string src = dir.write("song.wav", wav(120000, 2, 16, 44100));
    ASSERT_TRUE(load(src));
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    for (const auto& [path, mode] : fs.opens)
        if (path == src) {
            EXPECT_EQ(mode, platform::OpenMode::Read);
        }
}

TEST_F(JobTest, ASecondRunReplacesTheFirstResult) {
    const std::string src = dir.write("song.wav", wav(120000, 1, 16, 44100));
    const std::string target = dir.path("song---copy.WAV");
    dir.write("song---copy.WAV", "an older result");
    ASSERT_TRUE(load(src));
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    const std::string first = test::read_file(target);
    EXPECT_EQ(first.substr(0, 4), "RIFF");
    app.SETUP_MUSICHARD();
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    const std::string second = test::read_file(target);
    EXPECT_EQ(second.size(), first.size());
    EXPECT_NE(second, first);
}

TEST_F(JobTest, AWriteProtectedResultIsKeptAndTheNextLetterTaken) {
    const std::string src = dir.write("song.wav", wav(120000, 1, 16, 44100));
    dir.write("song---copy.WAV", "protected");
    fs.protected_paths.insert(dir.path("song---copy.WAV"));
    ASSERT_TRUE(load(src));
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(test::read_file(dir.path("song---copy.WAV")), "protected");
    EXPECT_EQ(app.state.target_path, dir.path("song-A-copy.WAV"));
    EXPECT_EQ(test::read_file(dir.path("song-A-copy.WAV")).substr(0, 4), "RIFF");
}

TEST_F(JobTest, StopKeepsTheOlderResultAndCancelsTheBatch) {
    const std::string src = dir.write("song.wav", wav(200000, 2, 16, 44100));
    dir.write("song---copy.WAV", "older");
    ASSERT_TRUE(load(src));
    app.state.batch_list = {src, src};
    app.state.batch_count = 2;
    app.state.batch_index = 1;
    app.state.batch_running = 1;
    view.stop_after = 3;
    ASSERT_EQ(app.run_job(), JobOutcome::Aborted);
    EXPECT_EQ(view.blocks, 3);
    EXPECT_EQ(test::read_file(dir.path("song---copy.WAV")), "older");
    EXPECT_FALSE(test::exists(dir.path("song---copy.WAV.buf")));
    ASSERT_FALSE(view.hints.empty());
    EXPECT_EQ(view.hints.back().line1, " Interrupt by user.  Latest copy stays alive.");
    EXPECT_EQ(app.state.batch_running, 0);
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_TRUE(app.state.source_path.empty());
    EXPECT_EQ(app.state.job_completed, 0);
}

TEST_F(JobTest, AFullDiskEndsTheJobWithItsCauseAndLeavesNoBuffer) {
    const std::string bytes = wav(150000, 2, 16, 44100);
    const std::string src = dir.write("song.wav", bytes);
    dir.write("song---copy.WAV", "older");
    ASSERT_TRUE(load(src));
    fs.buffer_write_budget = 60000;
    EXPECT_EQ(app.run_job(), JobOutcome::Failed);
    EXPECT_EQ(test::read_file(src), bytes);
    EXPECT_EQ(test::read_file(dir.path("song---copy.WAV")), "older");
    EXPECT_FALSE(test::exists(dir.path("song---copy.WAV.buf")));
    ASSERT_FALSE(view.hints.empty());
    EXPECT_EQ(view.hints.back().line1, " Failure writing the copy.  Latest copy stays alive.");
    EXPECT_EQ(view.hints.back().line2.rfind(" No space left on device:  ...", 0), 0u) << view.hints.back().line2;
    EXPECT_EQ(view.hints.back().kind, 2);
    EXPECT_EQ(app.state.result_exists, 0);
    EXPECT_EQ(app.state.job_completed, 0);

    fs.buffer_write_budget = -1;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(test::read_file(dir.path("song---copy.WAV")).size(), bytes.size());
}

TEST_F(JobTest, AFileTooSmallForTheJobIsRejectedWithItsScreen) {
    const std::string src = dir.write("short.wav", wav(20000, 1, 16, 44100));  // 40044 bytes
    ASSERT_TRUE(load(src));
    EXPECT_EQ(app.run_job(), JobOutcome::Rejected);
    ASSERT_FALSE(view.screens.empty());
    bool reason = false;
    for (const auto& l : view.screens.back()) reason |= l == " File too small.  Datei zu klein.";
    EXPECT_TRUE(reason);
    EXPECT_FALSE(test::exists(dir.path("short---copy.WAV")));
    EXPECT_FALSE(test::exists(dir.path("short---copy.WAV.buf")));
    EXPECT_TRUE(app.state.display_source_name.empty());
}

TEST_F(JobTest, AFileOfAnotherRateGetsFiltersAndTimesForItsRate) {
    const std::string src = dir.write("song48.wav", wav(130000, 1, 16, 48000));
    ASSERT_TRUE(load(src));
    app.SETUP_SN_ALLG();  // high-pass 100 Hz; a preset sets the rate back to 44100
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(app.engine.equalizer().N(), 327);  // the 160 Hz band at 48 kHz: round(48000 * 300 / 44100)
    EXPECT_EQ(app.engine.times().sample_rate, 48000);
}

TEST_F(JobTest, ABatchJobNamesItsEntryInTheTitleAndSkipsTheReadyHint) {
    const std::string a = dir.write("a.wav", wav(120000, 1, 16, 44100));
    const std::string b = dir.write("b.wav", wav(120000, 1, 16, 44100));
    ASSERT_TRUE(load(a));
    app.state.batch_list = {a, b};
    app.state.batch_count = 2;
    app.state.batch_index = 2;
    app.state.batch_running = 1;
    ASSERT_TRUE(load(b));
    const auto hints = view.hints.size();
    view.titles.clear();
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(app.state.source_path, b);
    EXPECT_EQ(app.state.batch_index, 3);
    EXPECT_EQ(view.hints.size(), hints);
    ASSERT_FALSE(view.titles.empty());
    EXPECT_EQ(view.titles.front(), "(2/2) SONOCLAMPER");
    EXPECT_TRUE(test::exists(dir.path("b---copy.WAV")));
}

TEST_F(JobTest, TheNameWrittenIsAnnouncedAlsoInABatch) {
    const std::string src = dir.write("song.wav", wav(120000, 1, 16, 44100));
    ASSERT_TRUE(load(src));
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(view.written, std::vector<std::string>{dir.path("song---copy.WAV")});
}

// The window closed or a signal during the block loop: the job ends as STOP
// ends it, then the program, with the work files of this run removed.
class InterruptedJob : public JobTest {
protected:
    std::string src, rehearsal, mp3_buffer;
    void SetUp() override {
        JobTest::SetUp();
        src = dir.write("song.wav", wav(200000, 2, 16, 44100));
        dir.write("song---copy.WAV", "older");
        rehearsal = dir.write("000-SONOCLAMPER-Rehearsal.WAV", "r");
        mp3_buffer = dir.write("000-SONOCLAMPER-MP3-BUFFER.WAV", "m");
        app.state.rehearsal_file = rehearsal;
        app.state.mp3_buffer_wav = mp3_buffer;
        ASSERT_TRUE(load(src));
    }
    void TearDown() override { platform::clear_ending_signal(); }

    int exit_code() {
        try {
            app.run_job();
        } catch (const ProgramExit& e) {
            return e.code;
        }
        ADD_FAILURE() << "the job ended normally";
        return -1;
    }
    void expect_nothing_left() {
        EXPECT_EQ(test::read_file(dir.path("song---copy.WAV")), "older");
        EXPECT_FALSE(test::exists(dir.path("song---copy.WAV.buf")));
        EXPECT_FALSE(test::exists(rehearsal));
        EXPECT_FALSE(test::exists(mp3_buffer));
        EXPECT_TRUE(test::exists(src));
        EXPECT_TRUE(view.written.empty());
    }
};

TEST_F(InterruptedJob, TheWindowClosedDuringTheJob) {
    view.interrupt_at = 3;
    view.interrupt = [this] { app.window_closed(); };
    EXPECT_EQ(exit_code(), 0);
    EXPECT_EQ(view.blocks, 3);
    expect_nothing_left();
    EXPECT_TRUE(view.hints.empty());  // no hint waits for a key on the way out
}

TEST_F(InterruptedJob, ASignalDuringTheJob) {
    for (const int signal : {SIGINT, SIGTERM, platform::HANGUP_SIGNAL}) {
        SCOPED_TRACE(signal);
        SetUp();
        view.blocks = 0;
        view.interrupt_at = 2;
        view.interrupt = [signal] { platform::record_ending_signal(signal); };
        EXPECT_EQ(exit_code(), 128 + signal);
        EXPECT_EQ(view.blocks, 2);
        expect_nothing_left();
        platform::clear_ending_signal();
    }
}

TEST_F(JobTest, ABufferHeldByAnotherJobLeavesEverythingAsItWas) {
    const std::string src = dir.write("song.wav", wav(120000, 1, 16, 44100));
    dir.write("song---copy.WAV", "older");
    ASSERT_TRUE(load(src));
    auto other = platform::real_file_system().open(dir.path("song---copy.WAV.buf"), platform::OpenMode::CreateLocked);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(other->write("other job", 9));
    app.state.batch_list = {src, src};
    app.state.batch_count = 2;
    app.state.batch_index = 1;
    app.state.batch_running = 1;

    EXPECT_EQ(app.run_job(), JobOutcome::Busy);
    EXPECT_EQ(test::read_file(dir.path("song---copy.WAV.buf")), "other job");
    EXPECT_EQ(test::read_file(dir.path("song---copy.WAV")), "older");
    ASSERT_FALSE(view.hints.empty());
    EXPECT_EQ(view.hints.back().line1, " Another SONOCLAMPER is processing this file right now.");
    EXPECT_EQ(app.state.batch_running, 0);
    EXPECT_TRUE(app.state.buffer_path.empty());
    EXPECT_TRUE(view.written.empty());

    // the orderly exit leaves it alone too
    EXPECT_THROW(app.ORDENTLICH_ENDE(), ProgramExit);
    EXPECT_EQ(test::read_file(dir.path("song---copy.WAV.buf")), "other job");
}

TEST_F(JobTest, AFolderUnderTheTargetNameTakesTheNextLetterAndLeavesNoBuffer) {
    const std::string src = dir.write("song.wav", wav(120000, 1, 16, 44100));
    std::filesystem::create_directories(dir.path("song---copy.WAV"));
    ASSERT_TRUE(load(src));
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(app.state.target_path, dir.path("song-A-copy.WAV"));
    EXPECT_EQ(test::read_file(dir.path("song-A-copy.WAV")).substr(0, 4), "RIFF");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path("song---copy.WAV")));
    EXPECT_FALSE(test::exists(dir.path("song---copy.WAV.buf")));
}

TEST_F(JobTest, PipesAndFoldersAreRefusedAtOnce) {
    const std::string pipe = test::make_special_file(dir, "pipe.wav");
    ASSERT_FALSE(pipe.empty());
    app.state.source_path = app.state.display_source_name = pipe;
    EXPECT_EQ(load_source(pipe, app.source_format, app.state, view, fs, clock), nullptr);
    ASSERT_FALSE(view.hints.empty());
    EXPECT_EQ(view.hints.back().line1, " Failure: Not a regular file (folder, device or pipe).");

    // at the start of the job (the file became a pipe after it was loaded)
    app.state.source_path = app.state.display_source_name = app.state.reading_path = pipe;
    EXPECT_EQ(app.run_job(), JobOutcome::Rejected);
    ASSERT_FALSE(view.screens.empty());
    bool reason = false;
    for (const auto& l : view.screens.back()) reason |= l == " Not a regular file.  Keine normale Datei.";
    EXPECT_TRUE(reason);
    EXPECT_FALSE(test::exists(dir.path("pipe---copy.WAV.buf")));
}

}  // namespace
}  // namespace sc
