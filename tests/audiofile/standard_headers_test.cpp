// Headers that common recorders and converters write: the extensible format
// block, broadcast files with many chunks before the audio.
#include <gtest/gtest.h>

#include "audiofile/source_checks.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

using test::chunk;
using test::data_chunk;
using test::FmtFields;
using test::fmt_chunk;
using test::riff_wave;
using test::u16le;
using test::u32le;

const std::string kPcmGuid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
const std::string kFloatGuid("\x03\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);

// A WAVE_FORMAT_EXTENSIBLE "fmt " chunk of 40 bytes.
std::string extensible_fmt(int channels, uint32_t rate, int bits, const std::string& guid, uint32_t size = 40) {
    const int block = channels * bits / 8;
    std::string body = u16le(0xFFFE) + u16le(channels) + u32le(rate) + u32le(rate * block) + u16le(block) +
                       u16le(bits) + u16le(22) + u16le(bits) + u32le(channels == 1 ? 4 : 3) + guid;
    body.resize(size, '\0');
    return chunk("fmt ", body);
}

using StandardHeaders = test::SourceCheckTest;

TEST_F(StandardHeaders, ExtensiblePcmCountsAsPcmAndKeepsTheExtendedFormatHint) {
    const std::string wav = riff_wave({extensible_fmt(1, 48000, 24, kPcmGuid), data_chunk(48000 * 3 * 5)});
    ASSERT_EQ(load(wav), std::nullopt);
    EXPECT_EQ(fmt.format_tag, 1);
    EXPECT_EQ(fmt.mono24, 1);
    EXPECT_EQ(fmt.fmt_size, 40u);
    EXPECT_EQ(fmt.data_start, 12 + 48 + 8 + 1);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, " Datei enthält erweiterte Format-Infos. Das ist eventuell problematisch.");
    EXPECT_EQ(job(wav), JOB_ACCEPTED);
    EXPECT_TRUE(view.screens.empty());  // no non-PCM warning

    const std::string stereo = riff_wave({extensible_fmt(2, 44100, 16, kPcmGuid), data_chunk(44100 * 4 * 5)});
    EXPECT_EQ(load(stereo), std::nullopt);
    EXPECT_EQ(fmt.channels, 2);
    EXPECT_EQ(job(stereo), JOB_ACCEPTED);
}

TEST_F(StandardHeaders, ExtensibleOfAnotherKindKeepsItsRejection) {
    // Another sub-format, a block too short for its GUID, and a GUID cut off
    // by the end of the file are not PCM.
    for (const std::string& f : {extensible_fmt(2, 44100, 16, kFloatGuid), extensible_fmt(2, 44100, 16, kPcmGuid, 22)}) {
        const std::string wav = riff_wave({f, data_chunk(44100 * 4 * 5)});
        EXPECT_EQ(load(wav), LoadReason::NotPcm);
        EXPECT_EQ(job(wav), JOB_ACCEPTED);  // warned, as every other non-PCM file
        ASSERT_FALSE(view.screens.empty());
        EXPECT_EQ(view.screens.back()[3], " It seem not to be the usual [PCM].");
    }
    const std::string cut = riff_wave({extensible_fmt(2, 44100, 16, kPcmGuid).substr(0, 40)});
    EXPECT_EQ(load(cut), LoadReason::NotPcm);

    // 24-bit stereo stays refused, extensible or not.
    const std::string s24 = riff_wave({extensible_fmt(2, 44100, 24, kPcmGuid), data_chunk(44100 * 6 * 5)});
    EXPECT_EQ(load(s24), LoadReason::Bits);
    EXPECT_EQ(job(s24), JOB_NOT_16BIT);
}

TEST_F(StandardHeaders, BroadcastFileWithItsChunksBeforeTheAudio) {
    const FmtFields f;
    const std::string bext = chunk("bext", std::string(602, 'b'));
    const std::string ixml = chunk("iXML", "<BWFXML><PROJECT>take</PROJECT></BWFXML>x");  // odd
    ASSERT_EQ(ixml.size() % 2, 1u);
    const std::string list = chunk("LIST", "INFOISFT" + u32le(5) + "tool" + std::string(1, '\0'));
    const std::string cue = chunk("cue ", u32le(1) + std::string(24, '\0'));
    const std::string pad(1, '\0');
    const std::string wav = riff_wave({bext, ixml + pad, fmt_chunk(f), list, cue, chunk("junk", "odd") + pad,
                                       data_chunk(44100 * 4 * 5), chunk("LIST", "INFO")});
    ASSERT_EQ(load(wav), std::nullopt);
    const int64_t data_header = 1 + 12 + bext.size() + ixml.size() + 1 + 24 + list.size() + cue.size() + 12;
    EXPECT_EQ(fmt.chunk_position, data_header);
    EXPECT_EQ(fmt.data_size, 44100 * 4 * 5);
    ASSERT_EQ(job(wav), JOB_ACCEPTED);
    EXPECT_EQ(fmt.chunk_position, data_header + 8);
    EXPECT_TRUE(view.hints.empty());
}

}  // namespace
}  // namespace sc
