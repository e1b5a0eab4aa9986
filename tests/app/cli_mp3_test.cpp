// MP3 sources and results on the command line, with the real encoder.
#include <sys/file.h>
#include <fcntl.h>

#include "tests/app/cli_test_support.h"

namespace sc::test {
namespace {

class CliMp3Test : public ProcessTest {
protected:
    fs::path tmp;

    void SetUp() override {
        ProcessTest::SetUp();
        tmp = dir / "tmp";
        fs::create_directories(tmp);
    }

    std::string env() const { return "LANG=C LC_ALL= LC_MESSAGES= TMPDIR=" + tmp.string(); }

    // Ten seconds of music as an MP3 with an ID3 version 1 tag behind it.
    bool mp3(const std::string& name, const std::string& title) {
        if (!music("gen.wav", 2, 16) || !have("lame")) return false;
        const std::string cmd = "lame --quiet -b 192 " + q("gen.wav") + " " + q(name);
        if (std::system(cmd.c_str()) != 0) return false;
        fs::remove(dir / "gen.wav");
        std::string tag = "TAG" + title;
        tag.resize(128, ' ');
        std::ofstream(dir / name, std::ios::binary | std::ios::app) << tag;
        return true;
    }

    // Seconds of audio lame decodes from a file.
    double decoded_seconds(const std::string& name) {
        const std::string wav = (dir / (name + ".dec.wav")).string();
        if (std::system(("lame --quiet --decode " + q(name) + " \"" + wav + "\"").c_str()) != 0) return -1;
        const std::string bytes = slurp(wav);
        fs::remove(wav);
        return bytes.size() < 44 ? -1 : (bytes.size() - 44) / (44100.0 * 4);
    }

    bool work_folders_left() const {
        for (const auto& e : fs::directory_iterator(tmp))
            if (e.path().filename().string().rfind("sonoclamper-", 0) == 0) return true;
        return false;
    }
};

TEST_F(CliMp3Test, AnMp3BecomesAnMp3WithItsTagOrAWav) {
    if (!mp3("song.mp3", "Carried")) GTEST_SKIP() << "needs sox, lame and the soundtrack";
    Outcome r = run("--process --outformat 2 song.mp3", env());
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(fs::exists(dir / "song--3copy.MP3"));
    EXPECT_FALSE(fs::exists(dir / "song--3copy.WAV"));
    const std::string result = slurp(dir / "song--3copy.MP3");
    const std::string source = slurp(dir / "song.mp3");
    EXPECT_EQ(result.substr(result.size() - 128), source.substr(source.size() - 128));
    EXPECT_NEAR(decoded_seconds("song--3copy.MP3"), decoded_seconds("song.mp3"), 0.1);
    EXPECT_NE(r.out.find("song--3copy.MP3"), std::string::npos);

    r = run("--process --outformat=1 song.mp3", env());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string wav = slurp(dir / "song---copy.WAV");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_FALSE(work_folders_left());
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find("000-SONOCLAMPER"), std::string::npos);
}

TEST_F(CliMp3Test, ParallelFilesKeepTheirOwnBuffersAndLeaveNone) {
    if (!mp3("a.mp3", "A") || !mp3("b.mp3", "B")) GTEST_SKIP() << "needs sox, lame and the soundtrack";
    const Outcome r = run("--process --jobs 2 --outformat 9 a.mp3 b.mp3", env());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "a--3copy.MP3"));
    EXPECT_TRUE(fs::exists(dir / "b--3copy.MP3"));
    EXPECT_FALSE(work_folders_left());
}

TEST_F(CliMp3Test, AKilledRunsBufferIsClearedByTheNextRunButALiveOneIsNot) {
    // what a run killed while decoding leaves, and one still running
    const fs::path dead = tmp / "sonoclamper-dead01";
    const fs::path live = tmp / "sonoclamper-live01";
    for (const auto& f : {dead, live}) {
        fs::create_directories(f);
        std::ofstream(f / "000-SONOCLAMPER-MP3-BUFFER.WAV") << "decoded";
        std::ofstream(f / ".lock") << "";
    }
    const int held = ::open((live / ".lock").c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    music("x.wav", 2, 16);
    run("--process x.wav", env());
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(live / "000-SONOCLAMPER-MP3-BUFFER.WAV"));
    ::close(held);
}

TEST_F(CliMp3Test, WithoutTheEncoderAnMp3IsRefusedWithTheReason) {
    if (!mp3("song.mp3", "x")) GTEST_SKIP() << "needs sox, lame and the soundtrack";
    const Outcome r = run("--process song.mp3", env() + " PATH=/nonexistent");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE((r.out + r.err).find("lame"), std::string::npos) << r.out << r.err;
    EXPECT_FALSE(fs::exists(dir / "song---copy.WAV"));
    EXPECT_FALSE(work_folders_left());
}

}  // namespace
}  // namespace sc::test
