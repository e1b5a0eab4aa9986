// The headless mode end to end: the real program on real music.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kMusic = "/usr/share/games/singularity/music/Awakening.ogg";

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

uint32_t u32_at(const std::string& s, std::size_t pos) {
    uint32_t v = 0;
    std::memcpy(&v, s.data() + pos, 4);
    return v;
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

class ProcessTest : public ::testing::Test {
protected:
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() / ("sc-cli-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    Outcome run(const std::string& args) {
        Outcome r;
        const std::string cmd = std::string(SONOCLAMPER_BIN) + " " + args + " >" + (dir / "out.txt").string() +
                                " 2>" + (dir / "err.txt").string();
        const int rc = std::system(cmd.c_str());
        r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        r.out = slurp(dir / "out.txt");
        r.err = slurp(dir / "err.txt");
        return r;
    }

    // Ten seconds of the soundtrack in one of the accepted formats.
    bool music(const std::string& name, int channels, int bits) {
        if (!fs::exists(kMusic) || std::system("command -v sox >/dev/null") != 0) return false;
        const std::string cmd = "sox \"" + std::string(kMusic) + "\" -r 44100 -c " + std::to_string(channels) +
                                " -b " + std::to_string(bits) + " -t wavpcm \"" + (dir / name).string() +
                                "\" trim 20 10 2>/dev/null";
        return std::system(cmd.c_str()) == 0;
    }

    std::string q(const std::string& name) { return "\"" + (dir / name).string() + "\""; }
};

TEST_F(ProcessTest, RealMusicInAllThreeFormatsComesOutWithItsHeaderAndLength) {
    if (!music("stereo.wav", 2, 16) || !music("mono.wav", 1, 16) || !music("mono24.wav", 1, 24))
        GTEST_SKIP() << "sox and the soundtrack are needed";
    const Outcome r = run("--process --lang en " + q("stereo.wav") + " " + q("mono.wav") + " " + q("mono24.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::size_t ready = 0;
    for (auto p = r.out.find(" Ready.  Targe file  is ... "); p != std::string::npos; p = r.out.find(" Ready.", p + 1))
        ++ready;
    EXPECT_EQ(ready, 3u);
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

TEST_F(ProcessTest, RejectedFilesAndUsageErrorsHaveTheirExitStatus) {
    std::ofstream(dir / "text.wav") << std::string(50000, 'x');
    Outcome r = run("--process --lang en " + q("text.wav"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find((dir / "text.wav").string() + ":"), std::string::npos);
    EXPECT_NE(r.err.find(" File isn't RIFF / WAVE."), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "text---copy.WAV"));

    r = run("--process --lang de " + q("missing.wav"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err, "");

    std::ofstream(dir / "song---copy.WAV") << "x";
    r = run("--process --lang en " + q("song---copy.WAV"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(" File has probably been processed already."), std::string::npos);

    EXPECT_EQ(run("--process --preset nosuch " + q("a.wav")).status, 2);
    EXPECT_EQ(run("--process").status, 2);
    r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--jobs N"), std::string::npos);
}

}  // namespace
