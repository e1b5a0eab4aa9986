// The envelope: block sizes, peaks of the three layouts, the block walk and
// the header walk of the result file.
#include "audiofile/envelope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

// A file in memory that counts its reads.
class MemoryFile : public platform::File {
public:
    explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}
    uint64_t length() override { return bytes_.size(); }
    std::size_t read_at(uint64_t pos, void* buf, std::size_t n) override {
        ++reads;
        if (pos >= bytes_.size()) return 0;
        const std::size_t got = std::min<std::size_t>(n, bytes_.size() - pos);
        std::memcpy(buf, bytes_.data() + pos, got);
        return got;
    }
    bool write(const void*, std::size_t) override { return false; }
    bool write_at(uint64_t, const void*, std::size_t) override { return false; }
    bool close() override { return true; }
    int reads = 0;

private:
    std::string bytes_;
};

std::vector<uint8_t> s16(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<uint8_t>(v & 0xFF));
        out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    return out;
}

TEST(EnvelopeBlockSize, FollowsTheDataSizeAndTheFrameSize) {
    EXPECT_EQ(envelope_block_size(3900000, EnvelopeLayout::Stereo16), 1000);
    EXPECT_EQ(envelope_block_size(3900001, EnvelopeLayout::Mono16), 1002);
    EXPECT_EQ(envelope_block_size(11700000, EnvelopeLayout::Mono24), 3000);
    // stereo rounds down to whole frames and grows by one frame
    EXPECT_EQ(envelope_block_size(3900000 + 3900 * 3, EnvelopeLayout::Stereo16), 1004);
    // 24-bit: whole samples, grown by one sample when short
    EXPECT_EQ(envelope_block_size(3900 * 10, EnvelopeLayout::Mono24), 12);
    // tiny files still advance
    EXPECT_EQ(envelope_block_size(100, EnvelopeLayout::Mono16), 2);
    for (int64_t d : {45000, 1234567, 99999999})
        for (auto layout : {EnvelopeLayout::Mono16, EnvelopeLayout::Stereo16})
            EXPECT_GE(envelope_block_size(d, layout) * 3900, d);
}

TEST(EnvelopePeaks, TheMostNegativeValueNeverWins) {
    auto mono = s16({-32768, 100, -200, -32768});
    EXPECT_EQ(scan_envelope_block(mono.data(), mono.size(), EnvelopeLayout::Mono16).left, 200);
    auto only = s16({-32768, -32768});
    EXPECT_EQ(scan_envelope_block(only.data(), only.size(), EnvelopeLayout::Mono16).left, 0);
    EXPECT_EQ(envelope_peak(-32767), 32767);
    EXPECT_EQ(envelope_peak(-32768), -32768);
}

TEST(EnvelopePeaks, StereoKeepsBothSidesApart) {
    auto pairs = s16({10, -3000, -500, 20, 30, -32768});
    const BlockPeaks p = scan_envelope_block(pairs.data(), pairs.size(), EnvelopeLayout::Stereo16);
    EXPECT_EQ(p.left, 500);
    EXPECT_EQ(p.right, 3000);
    // a half frame at the end is not read
    const BlockPeaks cut = scan_envelope_block(pairs.data(), 10, EnvelopeLayout::Stereo16);
    EXPECT_EQ(cut.right, 3000);
    EXPECT_EQ(cut.left, 500);
}

TEST(EnvelopePeaks, TwentyFourBitSamplesGiveTheirUpperTwoBytes) {
    const std::vector<uint8_t> samples = {
        0xFF, 0x34, 0x12,  // 0x1234ff -> 0x1234
        0x00, 0x00, 0x80,  // most negative -> -32768, never wins
        0xFF, 0xFF, 0xFF,  // -1 -> 0xffff = -1 -> 1
        0x77, 0x00, 0xF0,  // 0xf00077 -> 0xf000 = -4096 -> 4096
    };
    EXPECT_EQ(scan_envelope_block(samples.data(), 3, EnvelopeLayout::Mono24).left, 0x1234);
    EXPECT_EQ(scan_envelope_block(samples.data() + 3, 6, EnvelopeLayout::Mono24).left, 1);
    EXPECT_EQ(scan_envelope_block(samples.data(), samples.size(), EnvelopeLayout::Mono24).left, 0x1234);
    EXPECT_EQ(scan_envelope_block(samples.data() + 9, 3, EnvelopeLayout::Mono24).left, 4096);
}

// A canonical file whose data bytes are set by fill(index).
std::string wav_with(int channels, int bits, uint32_t data_bytes, uint8_t (*fill)(uint32_t)) {
    test::FmtFields f;
    f.channels = channels;
    f.bits = bits;
    std::string bytes = test::canonical_wav(f, data_bytes);
    for (uint32_t i = 0; i < data_bytes; ++i) bytes[44 + i] = static_cast<char>(fill(i));
    return bytes;
}

TEST(EnvelopeRead, WalksFromBehindTheHeaderUntilTheNextBlockWouldReachTheEnd) {
    // stereo, D = 3 900 000: B = 1000; the walk starts 36 bytes into the data
    MemoryFile file(wav_with(2, 16, 3900000, [](uint32_t) -> uint8_t { return 0x10; }));
    EnvelopeWalk walk;
    walk.layout = EnvelopeLayout::Stereo16;
    walk.block_size = envelope_block_size(3900000, walk.layout);
    walk.data_header = 37;
    walk.data_end = 37 + 3900000;
    Envelope env;
    env.fine_left[3990] = 7;  // cleared before the walk
    std::vector<int> progress;
    read_envelope(file, walk, env, [&](int p) { progress.push_back(p); });
    EXPECT_EQ(file.reads, 3899);
    EXPECT_EQ(env.fine_left[1], 0x1010);
    EXPECT_EQ(env.fine_right[3899], 0x1010);
    EXPECT_EQ(env.fine_left[3900], 0);
    EXPECT_EQ(env.fine_left[3990], 0);
    EXPECT_EQ(env.column_left[779], 0x1010);  // four of its five blocks were read
    EXPECT_EQ(env.column_left[780], 0);
    ASSERT_EQ(progress.size(), 3899u / 99 + 1);
    EXPECT_EQ(progress.front(), static_cast<int>((37 + 44 + 99 * 1000) * 100LL / (37 + 3900000)));
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(env.stereo());
}

TEST(EnvelopeRead, ColumnsAreTheLoudestOfFiveBlocks) {
    // mono, B = 20: block k (from 1) starts at data byte 36 + 20 (k - 1)
    const uint32_t d = 3900 * 20;
    MemoryFile file(wav_with(1, 16, d, [](uint32_t i) -> uint8_t {
        const uint32_t k = (i - 36) / 20 + 1;
        if (i < 36) return 0;
        return (i % 2 == 1) ? static_cast<uint8_t>(k == 7 ? 0x30 : k == 12 ? 0x50 : 0x01) : 0;
    }));
    EnvelopeWalk walk;
    walk.block_size = envelope_block_size(d, EnvelopeLayout::Mono16);
    ASSERT_EQ(walk.block_size, 20);
    walk.data_header = 37;
    walk.data_end = 37 + d;
    Envelope env;
    read_envelope(file, walk, env, nullptr);
    EXPECT_EQ(env.fine_left[7], 0x3000);
    EXPECT_EQ(env.column_left[0], 0x0100);
    EXPECT_EQ(env.column_left[1], 0x3000);  // blocks 6 ... 10
    EXPECT_EQ(env.column_left[2], 0x5000);  // blocks 11 ... 15
    EXPECT_EQ(env.column_right[2], 0);      // mono leaves the right side empty
}

TEST(EnvelopeRead, TheResultWalkReadsWhileTheBlockStartsBeforeTheEnd) {
    const uint32_t d = 4000;  // B = 2 (mono)
    const std::string bytes = wav_with(1, 16, d, [](uint32_t) -> uint8_t { return 1; });
    MemoryFile file(bytes);
    EnvelopeWalk walk;
    walk.block_size = envelope_block_size(d, EnvelopeLayout::Mono16);
    walk.data_header = 37;
    walk.data_end = 37 + d;
    walk.read_to_end = true;
    walk.progress_every = 80;
    Envelope env;
    int reports = 0;
    read_envelope(file, walk, env, [&](int) { ++reports; });
    EXPECT_EQ(file.reads, (4000 - 44) / 2 + 1 - 1);  // 81 + 2k < 4037
    EXPECT_EQ(reports, file.reads / 80 + 1);
    EXPECT_EQ(env.fine_left[file.reads], 0x0101);

    // a file cut short reads as silence behind its end
    MemoryFile cut(bytes.substr(0, 44 + 3000));
    read_envelope(cut, walk, env, nullptr);
    EXPECT_EQ(cut.reads, file.reads);
    EXPECT_EQ(env.fine_left[(3000 - 36) / 2], 0x0101);
    EXPECT_EQ(env.fine_left[(3000 - 36) / 2 + 1], 0);
}

TEST(EnvelopeRead, NeverWritesBeyondTheFineEntries) {
    // a block size far too small for the data: the walk stops at entry 4000
    MemoryFile file(wav_with(1, 16, 20000, [](uint32_t) -> uint8_t { return 2; }));
    EnvelopeWalk walk;
    walk.block_size = 2;
    walk.data_header = 37;
    walk.data_end = 37 + 20000;
    Envelope env;
    read_envelope(file, walk, env, nullptr);
    EXPECT_EQ(file.reads, ENVELOPE_FINE);
}

TEST(ResultHeader, FindsFormatAndDataBehindForeignChunks) {
    const std::string canonical = test::canonical_wav(test::FmtFields{}, 100);
    MemoryFile plain(canonical);
    ResultFormat f;
    ASSERT_EQ(read_result_header(plain, f), ResultHeader::Ok);
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.data_header, 37);
    EXPECT_EQ(f.data_size, 100);

    const std::string fmt = test::fmt_chunk(test::FmtFields{});
    const std::string junk = test::chunk("junk", "abcd");
    MemoryFile one_before(test::riff_wave({junk, fmt, junk, junk, test::data_chunk(50)}));
    ASSERT_EQ(read_result_header(one_before, f), ResultHeader::Ok);
    EXPECT_EQ(f.data_size, 50);

    MemoryFile two_before(test::riff_wave({junk, junk, fmt, test::data_chunk(50)}));
    EXPECT_EQ(read_result_header(two_before, f), ResultHeader::NoFmt);
    MemoryFile three_between(test::riff_wave({fmt, junk, junk, junk, test::data_chunk(50)}));
    EXPECT_EQ(read_result_header(three_between, f), ResultHeader::NoData);
    test::FmtFields floats;
    floats.tag = 3;
    MemoryFile not_pcm(test::riff_wave({test::fmt_chunk(floats), test::data_chunk(50)}));
    EXPECT_EQ(read_result_header(not_pcm, f), ResultHeader::NotPcm);
    MemoryFile cut(canonical.substr(0, 20));
    EXPECT_EQ(read_result_header(cut, f), ResultHeader::NoFmt);
    // a data size field beyond the file is cut to what is there
    MemoryFile short_data(canonical.substr(0, 44 + 60));
    ASSERT_EQ(read_result_header(short_data, f), ResultHeader::Ok);
    EXPECT_EQ(f.data_size, 60);
}

}  // namespace
}  // namespace sc
