// The headless mode end to end: the real program on real music.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/cli_test_support.h"

extern "C" char** environ;

namespace {

using namespace sc::test;

TEST_F(ProcessTest, RealMusicInAllThreeFormatsComesOutWithItsHeaderAndLength) {
    if (!music("stereo.wav", 2, 16) || !music("mono.wav", 1, 16) || !music("mono24.wav", 1, 24))
        GTEST_SKIP() << "sox and the soundtrack are needed";
    const Outcome r = run("--process --lang en " + q("stereo.wav") + " " + q("mono.wav") + " " + q("mono24.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "3 processed, 0 skipped, 0 failed\n");
    std::size_t written = 0;
    for (auto p = r.out.find(": written as "); p != std::string::npos; p = r.out.find(": written as ", p + 1))
        ++written;
    EXPECT_EQ(written, 3u);
    for (const char* base : {"stereo", "mono", "mono24"}) {
        SCOPED_TRACE(base);
        const std::string src = slurp(dir / (std::string(base) + ".wav"));
        const std::string out = slurp(dir / (std::string(base) + "---copy.WAV"));
        EXPECT_NE(r.out.find("/" + std::string(base) + "---copy.WAV\n"), std::string::npos);
        ASSERT_GE(out.size(), 44u);
        const uint32_t data = u32_at(src, 40);  // sox writes the plain 44-byte header
        EXPECT_EQ(out.size(), 44 + data + (data & 1));
        EXPECT_EQ(u32_at(out, 4), out.size() - 8);
        EXPECT_EQ(u32_at(out, 40), data);
        EXPECT_EQ(out.substr(20, 16), src.substr(20, 16));  // format, channels, rate, align, bits
        EXPECT_NE(out.substr(44), src.substr(44));
        EXPECT_FALSE(fs::exists(dir / (std::string(base) + "---copy.WAV.buf")));
    }

    // a second run replaces the first result
    const std::string first = slurp(dir / "mono---copy.WAV");
    const Outcome again = run("--process --quiet --preset MUS_hard " + q("mono.wav"));
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, "");
    const std::string second = slurp(dir / "mono---copy.WAV");
    EXPECT_EQ(second.size(), first.size());
    EXPECT_NE(second, first);
}

TEST_F(ProcessTest, ResultsDoNotDependOnOrderOrParallelJobs) {
    if (!music("a.wav", 2, 16) || !music("b.wav", 1, 16)) GTEST_SKIP() << "sox and the soundtrack are needed";
    ASSERT_EQ(run("--process --quiet --preset \"Strings: general\" " + q("a.wav") + " " + q("b.wav")).status, 0);
    const std::string a1 = slurp(dir / "a---copy.WAV"), b1 = slurp(dir / "b---copy.WAV");
    ASSERT_EQ(run("--process --quiet --jobs 2 --preset SETUP_ST_ALLG " + q("b.wav") + " " + q("a.wav")).status, 0);
    EXPECT_EQ(slurp(dir / "a---copy.WAV"), a1);
    EXPECT_EQ(slurp(dir / "b---copy.WAV"), b1);
}

// A stereo file of the given length: canonical header, a noisy sine.
void write_long_wav(const fs::path& p, uint32_t frames) {
    std::ofstream out(p, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t data = frames * 4;
    out << "RIFF";
    u32(36 + data);
    out << "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    out << "data";
    u32(data);
    std::vector<int16_t> buf(2 * 44100);
    uint32_t noise = 1;
    for (uint32_t done = 0; done < frames; done += 44100) {
        for (std::size_t i = 0; i < buf.size(); ++i) {
            noise = noise * 1664525u + 1013904223u;
            buf[i] = static_cast<int16_t>(8000 * std::sin(i * 0.05) + static_cast<int32_t>(noise >> 20) - 2048);
        }
        const uint32_t n = std::min<uint32_t>(44100, frames - done);
        out.write(reinterpret_cast<const char*>(buf.data()), n * 4);
    }
}

TEST_F(ProcessTest, AKilledJobLeavesSourceAndOlderResultAndOnlyItsBuffer) {
    const fs::path src = dir / "long.wav";
    write_long_wav(src, 44100 * 360);
    const std::string source_before = slurp(src);
    std::ofstream(dir / "long---copy.WAV") << "older result";
    const fs::path buf = dir / "long---copy.WAV.buf";

    const std::string bin = SONOCLAMPER_BIN;
    const std::string path = src.string();
    std::vector<char*> argv = {const_cast<char*>(bin.c_str()), const_cast<char*>("--process"),
                               const_cast<char*>("--quiet"), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, bin.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    // kill it once the buffer file is growing
    std::error_code ec;
    for (int i = 0; i < 2000 && !(fs::exists(buf) && fs::file_size(buf, ec) > 1000000); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the job ended before it could be killed";

    EXPECT_EQ(slurp(src), source_before);
    EXPECT_EQ(slurp(dir / "long---copy.WAV"), "older result");
    EXPECT_TRUE(fs::exists(buf));

    // the next job removes the buffer and replaces the older result
    ASSERT_EQ(run("--process --quiet " + q("long.wav")).status, 0);
    EXPECT_FALSE(fs::exists(buf));
    EXPECT_EQ(fs::file_size(dir / "long---copy.WAV"), source_before.size());
}

// A job on the command line starts without the window's and the sound's
// libraries (the dynamic loader names every library it loads).
TEST_F(ProcessTest, AJobLoadsNoDisplayOrSoundLibrary) {
    if (!music("a.wav", 2, 16)) GTEST_SKIP() << "sox or the music is missing";
    const Outcome r = run("--process --quiet " + q("a.wav"), "LANG=C LC_ALL= LD_DEBUG=libs");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "a---copy.WAV"));
    EXPECT_NE(r.err.find("libc.so"), std::string::npos) << "the loader said nothing";
    for (const char* library : {"libSDL2", "libX11", "libwayland", "libpulse", "libasound"})
        EXPECT_EQ(r.err.find(library), std::string::npos) << library << " was loaded";
}

TEST_F(ProcessTest, RejectedFilesAndUsageErrorsHaveTheirExitStatus) {
    std::ofstream(dir / "text.wav") << std::string(50000, 'x');
    Outcome r = run("--process --lang en " + q("text.wav"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, (dir / "text.wav").string() +
                         ": not processed: not a WAV file (no RIFF/WAVE header)\n0 processed, 0 skipped, 1 failed\n");
    EXPECT_FALSE(fs::exists(dir / "text---copy.WAV"));

    r = run("--process --lang de " + q("missing.wav"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err, "");

    std::ofstream(dir / "song---copy.WAV") << "x";
    r = run("--process --lang en " + q("song---copy.WAV"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("already a result of this program"), std::string::npos);

    EXPECT_EQ(run("--process --preset nosuch " + q("a.wav")).status, 2);
    EXPECT_EQ(run("--process").status, 2);
    r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--jobs, -j N"), std::string::npos);
}

}  // namespace
