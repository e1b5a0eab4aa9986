// Files as other tools write them are processed like their plain twins.
#include <gtest/gtest.h>

#include "tests/app/cli_test_support.h"

namespace {

using namespace sc::test;

TEST_F(ProcessTest, ExtensibleTwentyFourBitMonoFromSoxGivesTheBytesOfItsPlainTwin) {
    if (!music("ext.wav", 1, 24, "wav") || !music("plain.wav", 1, 24, "wavpcm")) GTEST_SKIP() << "sox is needed";
    const std::string ext = slurp(dir / "ext.wav");
    ASSERT_EQ(u32_at(ext, 20) & 0xFFFF, 0xFFFEu) << "sox no longer writes an extensible header";
    const Outcome r = run("--process --lang en " + q("ext.wav") + " " + q("plain.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string a = slurp(dir / "ext---copy.WAV");
    ASSERT_GT(a.size(), 44u);
    EXPECT_EQ(u32_at(a, 20) & 0xFFFF, 1u);  // the result has the plain header
    EXPECT_EQ(a, slurp(dir / "plain---copy.WAV"));
}

TEST_F(ProcessTest, UnknownDataSizeOfAPipeReachesToTheEndOfTheFile) {
    if (!music("plain.wav", 2, 16)) GTEST_SKIP() << "sox is needed";
    std::string piped = slurp(dir / "plain.wav");
    if (have("ffmpeg")) {
        // ffmpeg writing to a pipe: no sizes, a LIST chunk in front of the data
        ASSERT_EQ(std::system(("ffmpeg -v error -i " + q("plain.wav") + " -c:a pcm_s16le -f wav - | cat > " +
                               q("piped.wav")).c_str()),
                  0);
        piped = slurp(dir / "piped.wav");
        ASSERT_EQ(u32_at(piped, 4), 0xFFFFFFFFu);
    } else {
        piped.replace(4, 4, std::string(4, '\xFF'));
        piped.replace(40, 4, std::string(4, '\xFF'));
        std::ofstream(dir / "piped.wav", std::ios::binary) << piped;
    }
    const Outcome r = run("--process --quiet " + q("piped.wav") + " " + q("plain.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string a = slurp(dir / "piped---copy.WAV");
    const std::string b = slurp(dir / "plain---copy.WAV");
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(a, b);
}

}  // namespace
