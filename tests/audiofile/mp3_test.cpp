// The encoder's command lines and the tag rules of an MP3 result.
#include <gtest/gtest.h>

#include <string>

#include "audiofile/mp3_lame.h"
#include "audiofile/mp3_tags.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

using namespace std::string_literals;

TEST(Mp3Lame, BitRatesAndOptionsFollowTheOutputFormatAndChannels) {
    EXPECT_EQ(encoder_options_text(mp3_bitrate(2, 2)), " -h -b 320 -p -o ");
    EXPECT_EQ(encoder_options_text(mp3_bitrate(9, 1)), " -h -b 48 -p -o ");
    const int mono[] = {160, 128, 112, 96, 80, 64, 56, 48};
    const int stereo[] = {320, 256, 224, 192, 160, 128, 112, 96};
    for (int16_t f = 2; f <= 9; ++f) {
        EXPECT_EQ(mp3_bitrate(f, 1), mono[f - 2]);
        EXPECT_EQ(mp3_bitrate(f, 2), stereo[f - 2]);
    }
    EXPECT_EQ(mp3_bitrate(1, 2), 0);
    EXPECT_EQ(mp3_bitrate(10, 2), 0);
    // Every path is one argument, whatever it holds.
    const std::string odd = "/a b/\"q\" $(rm -rf x) Ä.mp3";
    EXPECT_EQ(decode_arguments(odd, "/t/buf.WAV"),
              (std::vector<std::string>{"--decode", "--nohist", odd, "/t/buf.WAV"}));
    EXPECT_EQ(encode_arguments("/x/s--3copy.WAV", 96, odd),
              (std::vector<std::string>{"/x/s--3copy.WAV", "-h", "-b", "96", "-p", "-o", odd}));
    EXPECT_EQ(mp3_target_of("/x/song--3copy.WAV"), "/x/song--3copy.MP3");
    EXPECT_TRUE(is_mp3_name("/x/a.mp3"));
    EXPECT_TRUE(is_mp3_name("/x/a.Mp3"));
    EXPECT_FALSE(is_mp3_name("/x/a.wav"));
    EXPECT_FALSE(is_mp3_name("mp3"));
}

std::string id3v1(const std::string& title) {
    std::string t = "TAG" + title;
    t.resize(128, ' ');
    return t;
}

std::string ape(const std::string& items) {
    // header, items, footer: the copy takes everything from the first marker
    return "APETAGEX" + std::string(24, '\x01') + items + "APETAGEX" + std::string(24, '\x02');
}

std::string tail_of(const std::string& file) { return tag_tail(file.size() >= 1024 ? file.substr(file.size() - 1024) : file, file.size()); }

TEST(Mp3Tags, Id3AndApeTagsAreCarriedOverByTheirRules) {
    const std::string audio(3000, '\x55');
    {
        SCOPED_TRACE("ID3v1 alone");
        const auto tags = tags_to_append(tail_of(audio + id3v1("Song")));
        ASSERT_EQ(tags.size(), 1u);
        EXPECT_EQ(tags[0], id3v1("Song"));
    }
    {
        SCOPED_TRACE("APE without gain, then ID3v1: both; the APE copy runs to the end");
        const std::string file = audio + ape("Title\0Song"s) + id3v1("Song");
        const auto tags = tags_to_append(tail_of(file));
        ASSERT_EQ(tags.size(), 2u);
        EXPECT_EQ(tags[0], id3v1("Song"));
        EXPECT_EQ(tags[1], ape("Title\0Song"s) + id3v1("Song"));
    }
    {
        SCOPED_TRACE("APE holding a gain item: no APE data, the ID3v1 tag all the same");
        const std::string file = audio + ape("REPLAYGAIN_TRACK_GAIN\0-3 dB"s) + id3v1("Song");
        const auto tags = tags_to_append(tail_of(file));
        ASSERT_EQ(tags.size(), 1u);
        EXPECT_EQ(tags[0], id3v1("Song"));
    }
    {
        SCOPED_TRACE("APE marker in the last 134 bytes: no ID3v1 copy");
        std::string last = "TAG" + std::string(17, 'x') + "APETAGEX";
        last.resize(128, 'z');
        const std::string file = audio + last;
        const auto tags = tags_to_append(tail_of(file));
        ASSERT_EQ(tags.size(), 1u);
        EXPECT_EQ(tags[0].substr(0, 8), "APETAGEX");
    }
    {
        SCOPED_TRACE("no tags");
        EXPECT_TRUE(tags_to_append(tail_of(audio)).empty());
    }
    {
        SCOPED_TRACE("a file shorter than the tail still gives its ID3v1 tag");
        const std::string file = std::string(200, '\x11') + id3v1("Short");
        const std::string tail = tail_of(file);
        EXPECT_EQ(tail.size(), file.size() + 1);
        const auto tags = tags_to_append(tail);
        ASSERT_EQ(tags.size(), 1u);
        EXPECT_EQ(tags[0], id3v1("Short"));
    }
}

TEST(Mp3Tags, CopyAppendsToTheResultFile) {
    test::TempDir dir;
    const std::string src = dir.write("s.mp3", std::string(5000, '\x33') + id3v1("Carried"));
    const std::string out = dir.write("o.MP3", std::string(700, '\x44'));
    ASSERT_TRUE(copy_mp3_tags(platform::real_file_system(), src, out));
    const std::string result = test::read_file(out);
    ASSERT_EQ(result.size(), 828u);
    EXPECT_EQ(result.substr(700), id3v1("Carried"));
    EXPECT_FALSE(copy_mp3_tags(platform::real_file_system(), dir.path("missing.mp3"), out));
}

}  // namespace
}  // namespace sc
