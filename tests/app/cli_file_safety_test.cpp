// The real program against hostile files, concurrent runs, kills, signals
// and a full disk: the source and an older result always survive, and the
// exit status tells whether a result was written.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/cli_test_support.h"

extern "C" char** environ;

namespace {

namespace fs = std::filesystem;
using sc::test::Outcome;
using sc::test::slurp;
using sc::test::u32_at;

// A canonical 16-bit file of a noisy sine; rate as the header says it.
void write_wav(const fs::path& p, uint32_t frames, int channels = 2, uint32_t rate = 44100) {
    std::ofstream out(p, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t align = 2 * static_cast<uint32_t>(channels);
    const uint32_t data = frames * align;
    out << "RIFF";
    u32(36 + data);
    out << "WAVEfmt ";
    u32(16);
    u16(1);
    u16(static_cast<uint16_t>(channels));
    u32(rate);
    u32(rate * align);
    u16(static_cast<uint16_t>(align));
    u16(16);
    out << "data";
    u32(data);
    std::vector<int16_t> samples(static_cast<std::size_t>(frames) * channels);
    uint32_t noise = 1;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        samples[i] = static_cast<int16_t>(9000 * std::sin(static_cast<double>(i) * 0.031) +
                                          static_cast<int32_t>(noise >> 21) - 1024);
    }
    out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
}

// A complete result: its RIFF size matches its length.
bool complete_result(const std::string& bytes) {
    return bytes.size() > 44 && bytes.compare(0, 4, "RIFF") == 0 && u32_at(bytes, 4) == bytes.size() - 8;
}

class FileSafety : public sc::test::ProcessTest {
protected:
    fs::path tmp;  // TMPDIR of the runs

    void SetUp() override {
        ProcessTest::SetUp();
        tmp = dir / "tmp";
        fs::create_directories(tmp);
    }

    std::string q(const fs::path& p) const { return "'" + p.string() + "'"; }

    Outcome run(const std::string& args) {
        return ProcessTest::run("--process --lang en " + args, "TMPDIR=" + q(tmp) + " LANG=C LC_ALL= LC_MESSAGES=");
    }

    // Started in the background; its standard error goes to err_file.
    pid_t start(const std::vector<std::string>& files, const fs::path& err_file) {
        std::vector<std::string> args{SONOCLAMPER_BIN, "--process", "--lang", "en"};
        args.insert(args.end(), files.begin(), files.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string tmpdir = "TMPDIR=" + tmp.string();
        std::vector<char*> env{const_cast<char*>(tmpdir.c_str())};
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "TMPDIR=", 7) != 0) env.push_back(*e);
        env.push_back(nullptr);
        pid_t pid = 0;
        const int rc = ::posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), env.data());
        posix_spawn_file_actions_destroy(&actions);
        return rc == 0 ? pid : -1;
    }

    // Waits until the job's buffer file holds more than its header, then
    // holds the process there.
    static bool stop_while_writing(pid_t pid, const fs::path& buffer) {
        std::error_code ec;
        for (int i = 0; i < 5000; ++i) {
            if (fs::exists(buffer, ec) && fs::file_size(buffer, ec) > 44) {
                int status = 0;
                return ::kill(pid, SIGSTOP) == 0 && ::waitpid(pid, &status, WUNTRACED) == pid && WIFSTOPPED(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    static int wait_status(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    }

    // The result of a file run alone (a copy under another name).
    std::string lone_result(const fs::path& source) {
        const fs::path copy = dir / "lone" / "lone.wav";
        fs::create_directories(copy.parent_path());
        fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
        EXPECT_EQ(run(q(copy)).status, 0);
        return slurp(dir / "lone" / "lone---copy.WAV");
    }
};

TEST_F(FileSafety, TwoRunsOnOneSourceAtOnceOneWritesTheOtherIsRefused) {
    const fs::path src = dir / "song.wav";
    write_wav(src, 44100 * 20);
    const std::string lone = lone_result(src);
    ASSERT_TRUE(complete_result(lone));
    const fs::path buffer = dir / "song---copy.WAV.buf";

    const pid_t first = start({src.string()}, dir / "first.txt");
    ASSERT_GT(first, 0);
    ASSERT_TRUE(stop_while_writing(first, buffer));
    const std::string partial = slurp(buffer);
    // the second run: the same file by another spelling of its name
    fs::create_hard_link(src, dir / "song.WAV");
    const Outcome second = run(q(dir / "song.WAV"));
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find("song.WAV: not processed: another SONOCLAMPER is processing this file right now\n"), std::string::npos)
        << second.err;
    EXPECT_EQ(second.out, "");
    EXPECT_TRUE(slurp(buffer) == partial);  // not touched
    ::kill(first, SIGCONT);
    EXPECT_EQ(wait_status(first), 0) << slurp(dir / "first.txt");
    EXPECT_TRUE(slurp(dir / "song---copy.WAV") == lone);
    EXPECT_FALSE(fs::exists(buffer));
}

TEST_F(FileSafety, TheSameResultTwiceInOneCommandIsWrittenOnce) {
    const fs::path src = dir / "song.wav";
    write_wav(src, 44100 * 6);
    const std::string lone = lone_result(src);
    fs::copy_file(src, dir / "song.WAV");
    for (const std::string jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        fs::remove(dir / "song---copy.WAV");
        const Outcome r = run("--jobs " + jobs + " " + q(src) + " " + q(src) + " " + q(dir / "song.WAV"));
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(slurp(dir / "song---copy.WAV") == lone);
        // the name written, once; the others refused with the reason
        EXPECT_EQ(r.out.find((dir / "song---copy.WAV").string() + "\n"), r.out.rfind((dir / "song---copy.WAV").string()));
        std::size_t refused = 0;
        for (auto p = r.err.find("same result as"); p != std::string::npos; p = r.err.find("same result as", p + 1))
            ++refused;
        EXPECT_EQ(refused, 2u) << r.err;
    }
}

TEST_F(FileSafety, AKillBetweenTheLastWriteAndTheRenameLeavesOneCompleteResult) {
    if (std::system("strace -o /dev/null true >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace cannot trace here";
    const fs::path src = dir / "song.wav";
    write_wav(src, 44100 * 6);
    const fs::path target = dir / "song---copy.WAV";
    std::ofstream(target) << "older result";
    // killed at the flush of the finished buffer (after its last write) and
    // at the rename itself
    for (const char* at : {"fsync:when=1", "rename,renameat,renameat2"}) {
        SCOPED_TRACE(at);
        const std::string cmd = "TMPDIR=" + q(tmp) + " strace -f -o /dev/null -e inject=" + at + ":signal=KILL " +
                                SONOCLAMPER_BIN + " --process --quiet " + q(src) + " >/dev/null 2>&1";
        const int rc = std::system(cmd.c_str());
        EXPECT_NE(rc, 0);
        const std::string now = slurp(target);
        EXPECT_TRUE(now == "older result" || complete_result(now)) << now.size();
    }
    // the next run clears what the killed one left and writes its result
    const Outcome r = run(q(src));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(complete_result(slurp(target)));
    EXPECT_FALSE(fs::exists(dir / "song---copy.WAV.buf"));
}

TEST_F(FileSafety, SignalsEndTheJobAsStopAndThenTheProgram) {
    const fs::path src = dir / "song.wav";
    write_wav(src, 44100 * 20);
    const fs::path buffer = dir / "song---copy.WAV.buf";
    std::ofstream(dir / "song---copy.WAV") << "older result";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        const pid_t pid = start({src.string()}, dir / "err.txt");
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(stop_while_writing(pid, buffer));
        ::kill(pid, signal);
        ::kill(pid, SIGCONT);
        EXPECT_EQ(wait_status(pid), 128 + signal);
        EXPECT_NE(slurp(dir / "err.txt").find(": failed: interrupted by signal " + std::to_string(signal) + "; an older result stays as it was\n"), std::string::npos);
        EXPECT_FALSE(fs::exists(buffer));
        EXPECT_EQ(slurp(dir / "song---copy.WAV"), "older result");
        EXPECT_TRUE(fs::is_empty(tmp));  // its work folder went with it
    }
}

TEST_F(FileSafety, AFullDiskNamesItsCauseAndLeavesNoBuffer) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting the small file system needs the superuser";
    const fs::path disk = dir / "disk";
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=800k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    struct Unmount {
        fs::path p;
        ~Unmount() { ::umount2(p.c_str(), MNT_DETACH); }
    } unmount{disk};
    const fs::path src = disk / "song.wav";
    write_wav(src, 44100 * 6, 1);  // 529 kB: no room for a second one
    std::ofstream(disk / "song---copy.WAV") << "older result";
    const std::string before = slurp(src);

    const Outcome r = run(q(src));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("song---copy.WAV\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(disk / "song---copy.WAV.buf"));
    EXPECT_EQ(slurp(disk / "song---copy.WAV"), "older result");
    EXPECT_EQ(slurp(src), before);
}

TEST_F(FileSafety, OnlyRegularFilesAreOpenedAndWrongRatesRefused) {
    ASSERT_EQ(::mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
    fs::create_directories(dir / "folder.wav");
    Outcome r = run("'" + (dir / "pipe.wav").string() + "' '" + (dir / "folder.wav").string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("pipe.wav: not processed: not a regular file (a device, pipe or socket)\n"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("folder.wav: not processed: a folder, not an audio file\n"), std::string::npos) << r.err;

    // 176400 Hz must not pass as its low sixteen bits (45328 Hz)
    write_wav(dir / "fast.wav", 176400 * 6, 1, 176400);
    r = run(q(dir / "fast.wav"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("fast.wav: not processed: sample rate 176400 Hz; only 44000 to 48300 Hz are processed\n"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(dir / "fast---copy.WAV"));
}

TEST_F(FileSafety, ResultNamesStayBesideTheSourceAndOwnResultsAreRefused) {
    fs::create_directories(dir / "album1");
    fs::create_directories(dir / "copy.d");
    write_wav(dir / "album1" / "ab", 44100 * 6, 1);  // a WAV without an extension
    write_wav(dir / "copy.d" / "song.wav", 44100 * 6, 1);
    Outcome r = run(q(dir / "album1" / "ab") + " " + q(dir / "copy.d" / "song.wav"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(complete_result(slurp(dir / "album1" / "ab---copy.WAV")));
    EXPECT_TRUE(complete_result(slurp(dir / "copy.d" / "song---copy.WAV")));
    EXPECT_FALSE(fs::exists(dir / "album---copy.WAV"));
    EXPECT_NE(r.out.find((dir / "album1" / "ab---copy.WAV").string() + "\n"), std::string::npos) << r.out;

    for (const char* own : {"song-B-copy.wav", "song--3COPY.wav"}) {
        fs::copy_file(dir / "copy.d" / "song.wav", dir / own);
        r = run(q(dir / own));
        EXPECT_EQ(r.status, 1) << own;
        EXPECT_NE(r.err.find("not processed: already a result of this program"), std::string::npos) << r.err;
    }
    fs::copy_file(dir / "copy.d" / "song.wav", dir / "my copy.wav");
    EXPECT_EQ(run(q(dir / "my copy.wav")).status, 0);
}

TEST_F(FileSafety, ProtectedOlderResultsFoldersAndLinksUnderTheNames) {
    const fs::path src = dir / "song.wav";
    write_wav(src, 44100 * 6, 1);
    const fs::path target = dir / "song---copy.WAV";
    std::ofstream(target) << "keep me";
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_symlink(dir / "elsewhere.wav", dir / "song---copy.WAV.buf");

    // write-protected (chmod 444, also for the superuser): kept, -A- written
    Outcome r = run(q(src));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(target), "keep me");
    const fs::path a = dir / "song-A-copy.WAV";
    EXPECT_TRUE(complete_result(slurp(a)));
    EXPECT_NE(r.out.find(a.string() + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("song---copy.WAV could not be replaced; written as " + a.string() + "\n"), std::string::npos)
        << r.out;
    // the planted link was removed, not followed
    EXPECT_FALSE(fs::exists(dir / "elsewhere.wav"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "song---copy.WAV.buf")));

    // a folder under the result's name: the next letter, and no buffer left
    write_wav(dir / "tune.wav", 44100 * 6, 1);
    fs::create_directories(dir / "tune---copy.WAV");
    r = run(q(dir / "tune.wav"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_directory(dir / "tune---copy.WAV"));
    EXPECT_TRUE(complete_result(slurp(dir / "tune-A-copy.WAV")));
    EXPECT_FALSE(fs::exists(dir / "tune---copy.WAV.buf"));

    // names with "?" and "*" are names like others
    write_wav(dir / "what?*.wav", 44100 * 6, 1);
    r = run(q(dir / "what?*.wav"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(complete_result(slurp(dir / "what?*---copy.WAV")));
}

TEST_F(FileSafety, TheWindowsWorkFilesAreLeftAlone) {
    // The window keeps its MP3 buffer in the program's folder: the program
    // runs from a folder of its own here, where no window of another test
    // (which removes the buffer when it ends) can reach.
    fs::create_directories(dir / "program");
    program = dir / "program" / "sonoclamper";
    fs::copy_file(SONOCLAMPER_BIN, program);
    const fs::path rehearsal = tmp / "000-SONOCLAMPER-Rehearsal.WAV";
    const fs::path mp3_buffer = dir / "program" / "000-SONOCLAMPER-MP3-BUFFER.WAV";
    std::ofstream(rehearsal) << "the window's rehearsal";
    std::ofstream(mp3_buffer) << "the window's decoded MP3";
    write_wav(dir / "song.wav", 44100 * 6, 1);
    std::ofstream(dir / "text.wav") << std::string(50000, 'x');

    const Outcome r = run(q(dir / "song.wav") + " " + q(dir / "text.wav"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(slurp(rehearsal), "the window's rehearsal");
    EXPECT_EQ(slurp(mp3_buffer), "the window's decoded MP3");
    fs::remove(mp3_buffer);
    fs::remove(rehearsal);
    EXPECT_TRUE(fs::is_empty(tmp));  // and none of its own left behind
}

}  // namespace
