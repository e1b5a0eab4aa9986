// The zoom area of the space key: its bytes, its alignment in the three
// formats, the fades and the clip file.
#include <gtest/gtest.h>

#include <cmath>

#include "audiofile/zoom_area.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

TEST(ZoomArea, TwelveColumnsEachSideOfTheMouseInWholeFramesOneShort) {
    // stereo, D = 3 900 000: 5000 bytes per column
    ZoomArea a = zoom_area(400, 3900000, 2, 16);
    EXPECT_EQ(a.start, 1895000);  // (400 - 9 - 12) x 5000
    EXPECT_EQ(a.length, 120000 - 4);
    // mono: a start in the middle of a sample moves down to its first byte
    a = zoom_area(400, 1000000, 1, 16);  // from byte 485897
    EXPECT_EQ(a.start, 485896);
    EXPECT_EQ(a.length % 2, 0);
}

TEST(ZoomArea, NearTheLeftEdgeTheStartIsClampedToTheFirstDataByte) {
    // Column c = x - 9; the start round(D (c - 12) / 780) is below 1 from
    // x 20 leftwards and is then clamped to 1 (aligned down: 0 for 16 bit).
    for (int x : {9, 15, 20}) {
        EXPECT_EQ(zoom_area(x, 3900000, 2, 16).start, 0) << x;
        EXPECT_EQ(zoom_area(x, 3900000, 1, 24).start, 2) << x;
    }
    // at x 30 the formula gives 9 columns' worth
    EXPECT_EQ(zoom_area(30, 3900000, 2, 16).start, 45000);
    // a tiny file is clamped even there
    EXPECT_EQ(zoom_area(30, 80, 1, 16).start, 0);
    // the end is clamped to the data size
    const ZoomArea right = zoom_area(789, 3900000, 2, 16);
    EXPECT_EQ(right.start + right.length + 4, 3900000);
}

TEST(ZoomArea, TwentyFourBitStartsOnAFrameCountedFromTheDataHeader) {
    for (int x = 9; x < 800; x += 7) {
        const ZoomArea a = zoom_area(x, 1000000, 1, 24);
        const int64_t from = std::max<int64_t>(1, std::lround(1000000.0 * (x - 21) / 780));
        EXPECT_EQ((a.start - 8) % 3, 0) << x;  // the first sample lies 8 bytes behind the header
        EXPECT_EQ(a.start, from / 3 * 3 + 2) << x;
        EXPECT_EQ(a.length % 3, 0) << x;
    }
}

TEST(ZoomArea, AQuarterSecondAtLeast) {
    EXPECT_TRUE(zoom_area_long_enough({0, 44100}, 2, 16, 44100));
    EXPECT_FALSE(zoom_area_long_enough({0, 44096}, 2, 16, 44100));
    EXPECT_TRUE(zoom_area_long_enough({0, 36000}, 1, 24, 48000));
    EXPECT_FALSE(zoom_area_long_enough({0, 35997}, 1, 24, 48000));
    // the area of a 0.4 s stereo file is far shorter
    EXPECT_FALSE(zoom_area_long_enough(zoom_area(400, 70560, 2, 16), 2, 16, 44100));
}

std::vector<uint8_t> samples16(int frames, int channels, int16_t value) {
    std::vector<uint8_t> b;
    for (int i = 0; i < frames * channels; ++i) {
        const int16_t v = static_cast<int16_t>(i % channels == 0 ? value : -value);
        b.push_back(static_cast<uint8_t>(v & 0xFF));
        b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    return b;
}
int16_t sample(const std::vector<uint8_t>& b, std::size_t i) {
    return static_cast<int16_t>(static_cast<uint16_t>(b[2 * i] | b[2 * i + 1] << 8));
}

TEST(ZoomArea, SixteenBitFadesRoundDownInBothChannels) {
    std::vector<uint8_t> b = samples16(5000, 2, 1000);
    fade_16bit_area(b, 2);
    for (int f : {0, 1, 3, 1000, 1999}) {
        const double gain = f / 2000.0;  // 0.0005 per frame
        EXPECT_EQ(sample(b, 2 * f), static_cast<int16_t>(std::floor(1000 * gain))) << f;
        EXPECT_EQ(sample(b, 2 * f + 1), static_cast<int16_t>(std::floor(-1000 * gain))) << f;
        const std::size_t back = 2 * static_cast<std::size_t>(4999 - f);
        EXPECT_EQ(sample(b, back), static_cast<int16_t>(std::floor(1000 * gain))) << f;
    }
    EXPECT_EQ(sample(b, 2 * 1), 0);
    EXPECT_EQ(sample(b, 2 * 1 + 1), -1);  // -0.5 rounds down
    EXPECT_EQ(sample(b, 2 * 2000), 1000);
    EXPECT_EQ(sample(b, 2 * 2999 + 1), -1000);
}

class ZoomFileTest : public test::FileTest {};

TEST_F(ZoomFileTest, TheAreaIsReadFromTheDataHeaderOnAndWrittenWithAPatchedHeader) {
    // 24-bit mono behind a MUSIFILE prefix of 100 bytes: data header at 137
    const std::string body = test::canonical_wav({1, 1, 44100, 24, 16}, 300000);
    const std::string path = dir.write("m.wav", test::musifile(body, 100));
    auto file = fs.open(path, platform::OpenMode::Read);
    const auto src = zoom_source(*file);
    ASSERT_TRUE(src);
    EXPECT_EQ(src->data_header, 137);
    EXPECT_EQ(src->data_size, 300000);
    const ZoomArea area = zoom_area(400, src->data_size, 1, 24);
    const std::vector<uint8_t> bytes = read_zoom_area(*file, *src, area);
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(area.length));
    const std::string whole = test::read_file(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), whole.substr(136 + area.start, area.length))
        << "24-bit areas are not faded";

    const std::string clip = dir.path("clip.wav");
    write_zoom_file(fs, clip, *src, bytes);
    const std::string out = test::read_file(clip);
    ASSERT_EQ(out.size(), 44 + bytes.size());
    EXPECT_EQ(out.substr(0, 4), "RIFF");
    EXPECT_EQ(out.substr(4, 4), test::u32le(static_cast<uint32_t>(out.size() - 8)));
    EXPECT_EQ(out.substr(22, 2), test::u16le(1));
    EXPECT_EQ(out.substr(32, 4), test::u16le(3) + test::u16le(24));
    EXPECT_EQ(out.substr(40, 4), test::u32le(static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(out.substr(44), std::string(bytes.begin(), bytes.end()));
}

TEST_F(ZoomFileTest, FilesThatAreNoSourceOrTooBigAreNotPlayed) {
    auto open = [&](const std::string& bytes) {
        return fs.open(dir.write("z.wav", bytes), platform::OpenMode::Read);
    };
    EXPECT_FALSE(zoom_source(*open(std::string(500, 'z'))));
    EXPECT_FALSE(zoom_source(*open(test::canonical_wav({1, 2, 44100, 24, 16}, 6000))));  // 24-bit stereo
    EXPECT_FALSE(zoom_source(*open(test::canonical_wav({1, 1, 44100, 8, 16}, 6000))));
    EXPECT_TRUE(zoom_source(*open(test::canonical_wav({1, 2, 44100, 16, 16}, 6000))));
}

}  // namespace
}  // namespace sc
