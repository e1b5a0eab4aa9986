#include <gtest/gtest.h>

#include "audiofile/source_checks.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

using test::chunk;
using test::chunk_with_size;
using test::data_chunk;
using test::FmtFields;
using test::fmt_chunk;
using test::riff_wave;
using test::u32le;

// Enough data bytes for the job-start size check (5 s worth of frames).
uint32_t five_seconds(const FmtFields& f) { return f.rate % 65536 * f.channels * 5; }

using SourceChecks = test::SourceCheckTest;

TEST_F(SourceChecks, CanonicalHeaderPutsSamplesAtPosition45InBothPasses) {
    const FmtFields f;
    const std::string wav = test::canonical_wav(f, five_seconds(f));
    ASSERT_EQ(load(wav), std::nullopt);
    EXPECT_EQ(fmt.file_length, wav.size());
    EXPECT_EQ(fmt.channels, 2);
    EXPECT_EQ(fmt.sample_rate, 44100);
    EXPECT_EQ(fmt.bits_per_sample, 16);
    EXPECT_EQ(fmt.mono24, 0);
    EXPECT_EQ(fmt.data_size, 441000);
    EXPECT_EQ(fmt.chunk_position, 37);
    EXPECT_EQ(fmt.data_start, 45);
    EXPECT_EQ(fmt.data_offset(), 44u);
    EXPECT_EQ(fmt.data_end, 37 + 441000);

    fmt = SourceFormat{};
    ASSERT_EQ(job(wav), JOB_ACCEPTED);
    EXPECT_EQ(fmt.chunk_position, 45);  // positioned at the first sample byte
    EXPECT_EQ(fmt.data_end, 37 + 441000);
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(SourceChecks, ForeignChunksAreSkippedBeforeFmtAndBeforeData) {
    const FmtFields f;
    const std::string list = chunk("LIST", "INFOISFT" + u32le(4) + "test");
    const std::string wav = riff_wave({list, fmt_chunk(f), list, data_chunk(five_seconds(f))});
    ASSERT_EQ(load(wav), std::nullopt);
    EXPECT_EQ(fmt.data_start, 12 + list.size() + 24 + list.size() + 8 + 1);
    EXPECT_EQ(job(wav), JOB_ACCEPTED);

    // Any number of them, as long as the file holds them.
    std::vector<std::string> many(40, list);
    many.push_back(fmt_chunk(f));
    many.insert(many.end(), 25, list);
    many.push_back(data_chunk(five_seconds(f)));
    const std::string forty = riff_wave(many);
    ASSERT_EQ(load(forty), std::nullopt);
    EXPECT_EQ(fmt.data_start, 12 + 65 * list.size() + 24 + 8 + 1);
    EXPECT_EQ(job(forty), JOB_ACCEPTED);

    // Up to three chunks with ids of no sense are skipped as before; behind
    // them a chunk needs a proper id, so zero bytes end the walk.
    const std::string odd_id = chunk(std::string("\x01\x02\x03\x04", 4), "abcd");
    const std::string three_odd = riff_wave({odd_id, odd_id, odd_id, fmt_chunk(f), data_chunk(five_seconds(f))});
    EXPECT_EQ(load(three_odd), std::nullopt);
    const std::string four_odd =
        riff_wave({odd_id, odd_id, odd_id, odd_id, fmt_chunk(f), data_chunk(five_seconds(f))});
    EXPECT_EQ(load(four_odd), LoadReason::NoFmt);
    EXPECT_EQ(job(four_odd), JOB_NO_FMT);
    const std::string zeros = riff_wave({fmt_chunk(f), list, list, list, std::string(60000, '\0')});
    EXPECT_EQ(load(zeros), LoadReason::NoData);
    EXPECT_EQ(job(zeros), JOB_NO_DATA);
}

TEST_F(SourceChecks, OddChunksAreSkippedWithOrWithoutTheirPadByte) {
    const FmtFields f;
    const std::string odd = chunk("junk", "abc");  // 3 bytes
    const std::string bare = riff_wave({odd, fmt_chunk(f), odd, data_chunk(five_seconds(f))});
    ASSERT_EQ(load(bare), std::nullopt);
    EXPECT_EQ(fmt.chunk_position, 12 + 11 + 24 + 11 + 1);
    EXPECT_EQ(job(bare), JOB_ACCEPTED);

    const std::string pad(1, '\0');
    const std::string padded = riff_wave({odd + pad, fmt_chunk(f), odd + pad, data_chunk(five_seconds(f))});
    ASSERT_EQ(load(padded), std::nullopt);
    EXPECT_EQ(fmt.chunk_position, 12 + 12 + 24 + 12 + 1);
    EXPECT_EQ(job(padded), JOB_ACCEPTED);

    // Between foreign chunks too: the position holding a chunk header wins.
    const std::string list = chunk("LIST", "INFO");
    const std::string mixed = riff_wave({odd + pad, odd, list, odd + pad, fmt_chunk(f), data_chunk(five_seconds(f))});
    ASSERT_EQ(load(mixed), std::nullopt);
    EXPECT_EQ(fmt.chunk_position, 12 + 12 + 11 + 12 + 12 + 24 + 1);
}

TEST_F(SourceChecks, MusifilePrefixIsSkippedInAnyCaseAndAnnounced) {
    const FmtFields f;
    const std::string body = test::canonical_wav(f, five_seconds(f));
    const std::string wav = test::musifile(body, 512, "musifile");
    ASSERT_EQ(load(wav), std::nullopt);
    EXPECT_EQ(fmt.data_start, 512 + 45);
    EXPECT_EQ(fmt.musifile_flag, 0);  // cleared once announced
    ASSERT_EQ(view.infos.size(), 1u);
    EXPECT_EQ(view.infos[0].first, " Datei mit MUSIFILE-Infos, normale Audiodaten folgen.");
    EXPECT_EQ(view.infos[0].second, " Die Musifile-Infos werden ignoriert.               eine Taste drücken");
    EXPECT_EQ(view.key_sleeps, std::vector<int>{25000});
    EXPECT_DOUBLE_EQ(clock.timer(), 0.05);

    state.LANGUAGE = LANGUAGE_EN;
    ASSERT_EQ(job(wav), JOB_ACCEPTED);
    EXPECT_EQ(fmt.chunk_position, 512 + 45);
    EXPECT_EQ(view.infos[1].first, " File with MUSIFILE-infos, normal audio data following.");
    EXPECT_EQ(view.infos[1].second, " The Musifile-infos will not be copied.               Press any key.");
}

TEST_F(SourceChecks, MusifileOffsetsOutsideTheFileAreRejected) {
    const FmtFields f;
    const std::string body = test::canonical_wav(f, five_seconds(f));
    std::string beyond = test::musifile(body, 64);
    beyond.replace(8, 4, u32le(0xFFFFFFF0u));
    EXPECT_EQ(load(beyond), LoadReason::NotRiffWave);
    EXPECT_EQ(job(beyond), JOB_NOT_RIFF_WAVE);
    EXPECT_EQ(fmt.musifile_flag, 1);  // the rejection screen names the prefix
    EXPECT_EQ(load("MUSIFIL"), LoadReason::NotRiffWave);
    EXPECT_EQ(load("MUSIFILE\x10"), LoadReason::NotRiffWave);
    EXPECT_TRUE(view.infos.empty());
}

TEST_F(SourceChecks, SampleRateLimitsOverAllFourBytes) {
    struct Case {
        uint32_t rate;
        bool accepted;
    };
    // a rate beyond 65535 is rejected, never taken by its low half (176400
    // would pass as 45328, 44100 + 65536 as 44100)
    for (const Case c : {Case{48300, true}, Case{48301, false}, Case{44000, true}, Case{43999, false},
                         Case{32000, false}, Case{96000, false}, Case{176400, false}, Case{44100 + 65536, false},
                         Case{44100 + (1u << 24), false}, Case{0x8000AC44u, false}, Case{0xFFFFFFFFu, false}}) {
        FmtFields f;
        f.rate = c.rate;
        const std::string wav = test::canonical_wav(f, std::min(c.rate, 48300u) * 2 * 5);
        EXPECT_EQ(load(wav), c.accepted ? std::nullopt : std::optional(LoadReason::SampleRate)) << c.rate;
        EXPECT_EQ(job(wav), c.accepted ? JOB_ACCEPTED : JOB_SAMPLE_RATE) << c.rate;
        if (c.accepted) {
            EXPECT_EQ(fmt.sample_rate, static_cast<int32_t>(c.rate));
        }
    }
}

TEST_F(SourceChecks, BitsChannelsAndTheTwentyFourBitMonoFlag) {
    FmtFields mono24{1, 1, 48000, 24, 16};
    const std::string m24 = test::canonical_wav(mono24, five_seconds(mono24) * 3);
    ASSERT_EQ(load(m24), std::nullopt);
    EXPECT_EQ(fmt.mono24, 1);
    EXPECT_EQ(job(m24), JOB_ACCEPTED);
    EXPECT_EQ(fmt.mono24, 1);

    // The job-start pass leaves the flag as the load-time pass left it.
    const FmtFields stereo16;
    EXPECT_EQ(job(test::canonical_wav(stereo16, five_seconds(stereo16))), JOB_ACCEPTED);
    EXPECT_EQ(fmt.mono24, 1);
    fmt.mono24 = 0;
    EXPECT_EQ(job(m24), JOB_ACCEPTED);
    EXPECT_EQ(fmt.mono24, 0);

    FmtFields stereo24{1, 2, 44100, 24, 16};
    const std::string s24 = test::canonical_wav(stereo24, five_seconds(stereo24) * 3);
    EXPECT_EQ(load(s24), LoadReason::Bits);
    EXPECT_EQ(fmt.mono24, 0);
    EXPECT_EQ(job(s24), JOB_NOT_16BIT);

    FmtFields mono8{1, 1, 44100, 8, 16};
    EXPECT_EQ(load(test::canonical_wav(mono8, five_seconds(mono8))), LoadReason::Bits);

    FmtFields six{1, 6, 44100, 16, 16};
    EXPECT_EQ(load(test::canonical_wav(six, five_seconds(six))), LoadReason::NotMonoStereo);
    EXPECT_EQ(job(test::canonical_wav(six, five_seconds(six))), JOB_NOT_MONO_STEREO);
    FmtFields none{1, 0, 44100, 16, 16};
    EXPECT_EQ(load(test::canonical_wav(none, 100000)), LoadReason::NotMonoStereo);
}

TEST_F(SourceChecks, ChecksRunInTheirOrder) {
    // Not PCM comes first at load time; at job start it only warns.
    FmtFields f{3, 6, 32000, 8, 16};
    EXPECT_EQ(load(test::canonical_wav(f, 500000)), LoadReason::NotPcm);
    EXPECT_EQ(job(test::canonical_wav(f, 500000)), JOB_NOT_MONO_STEREO);
    f.channels = 2;
    EXPECT_EQ(load(test::canonical_wav(f, 500000)), LoadReason::NotPcm);
    f.tag = 1;
    EXPECT_EQ(load(test::canonical_wav(f, 500000)), LoadReason::Bits);
    EXPECT_EQ(job(test::canonical_wav(f, 500000)), JOB_NOT_16BIT);
    f.bits = 16;
    EXPECT_EQ(load(test::canonical_wav(f, 500000)), LoadReason::SampleRate);
    // Format faults are reported before a missing data chunk.
    EXPECT_EQ(load(riff_wave({fmt_chunk(f)})), LoadReason::SampleRate);
    f.rate = 44100;
    EXPECT_EQ(load(riff_wave({fmt_chunk(f)})), LoadReason::NoData);
}

TEST_F(SourceChecks, NonPcmIsRejectedAtLoadButOnlyWarnedAtJobStart) {
    FmtFields f;
    f.tag = 3;
    const std::string wav = test::canonical_wav(f, five_seconds(f));
    EXPECT_EQ(load(wav), LoadReason::NotPcm);
    EXPECT_TRUE(view.screens.empty());
    EXPECT_EQ(job(wav), JOB_ACCEPTED);
    ASSERT_EQ(view.screens.size(), 1u);
    EXPECT_EQ(view.screens[0][1], " Problem with your Original-Audio-File.");
    EXPECT_EQ(view.screens[0][3], " It seem not to be the usual [PCM].");
    EXPECT_EQ(view.screens[0].back(), " GO ON  ANY KEY");
}

TEST_F(SourceChecks, ExtendedFormatBlockGivesAHintOnlyAtLoadTime) {
    FmtFields f;
    f.size = 18;
    ASSERT_EQ(load(test::canonical_wav(f, five_seconds(f))), std::nullopt);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(fmt.data_start, 47);

    f.size = 20;
    const std::string wav = test::canonical_wav(f, five_seconds(f));
    ASSERT_EQ(load(wav), std::nullopt);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, " Datei enthält erweiterte Format-Infos. Das ist eventuell problematisch.");
    EXPECT_EQ(view.hints[0].line2, " ");
    EXPECT_EQ(view.hints[0].kind, 3);
    EXPECT_EQ(fmt.data_start, 49);
    EXPECT_EQ(job(wav), JOB_ACCEPTED);
    EXPECT_EQ(view.hints.size(), 1u);

    state.LANGUAGE = LANGUAGE_EN;
    load(wav);
    EXPECT_EQ(view.hints.back().line1, " File contains extended format-infos. That's potentially problematic.");
}

TEST_F(SourceChecks, JobStartSizeChecks) {
    const FmtFields f;
    std::string small = test::canonical_wav(f, 44999 - 44);
    ASSERT_EQ(small.size(), 44999u);
    EXPECT_EQ(job(small), JOB_TOO_SMALL);
    EXPECT_EQ(load(small), std::nullopt);  // no size limit at load time
    EXPECT_EQ(job(small + "x"), JOB_TOO_SMALL);  // 45000 bytes, but less than 5 s of data

    EXPECT_EQ(job(test::canonical_wav(f, 440999)), JOB_TOO_SMALL);
    EXPECT_EQ(job(test::canonical_wav(f, 441000)), JOB_ACCEPTED);
    FmtFields mono = f;
    mono.channels = 1;
    EXPECT_EQ(job(test::canonical_wav(mono, 220499)), JOB_TOO_SMALL);
    EXPECT_EQ(job(test::canonical_wav(mono, 220500)), JOB_ACCEPTED);
    // Not even the header is read: a garbage file of 44999 bytes is too small.
    EXPECT_EQ(job(std::string(44999, 'x')), JOB_TOO_SMALL);
    EXPECT_EQ(job(std::string(45000, 'x')), JOB_NOT_RIFF_WAVE);
}

TEST_F(SourceChecks, DataSizeFieldsBeyondTheLimitOrTheFile) {
    const FmtFields f;
    const std::string head = riff_wave({fmt_chunk(f)});
    const std::string samples(500000, '\x11');

    // 0xFFFFFFFF (a writer that could not go back) and any field that
    // promises more than the file holds mean "to the end of the file", so
    // the processing never reads behind its end.
    for (uint32_t field : {0xFFFFFFFFu, 1999888001u, 0x80000000u, 1999888000u, 500001u}) {
        const std::string wav = head + chunk_with_size("data", field, samples);
        ASSERT_EQ(load(wav), std::nullopt) << field;
        EXPECT_EQ(fmt.data_size, 500000) << field;
        EXPECT_EQ(fmt.data_start + fmt.data_size - 1, static_cast<int64_t>(wav.size()));
        EXPECT_EQ(fmt.data_end, fmt.chunk_position + 500000);
        ASSERT_EQ(job(wav), JOB_ACCEPTED) << field;
        EXPECT_EQ(fmt.data_size, 500000);
    }
    // A field inside the file stands, whatever follows it.
    const std::string trailing = head + chunk_with_size("data", 450000, samples);
    ASSERT_EQ(load(trailing), std::nullopt);
    EXPECT_EQ(fmt.data_size, 450000);

    // What the file really holds decides "too small".
    const std::string short_body = head + chunk_with_size("data", 441000, std::string(400000, '\0'));
    EXPECT_EQ(job(short_body), JOB_TOO_SMALL);
    ASSERT_EQ(load(short_body), std::nullopt);
    EXPECT_EQ(fmt.data_size, 400000);
}

TEST_F(SourceChecks, BrokenSizesAndCutFilesAreRejectedByTheirStage) {
    const FmtFields f;
    const std::string fmt16 = fmt_chunk(f);
    const std::string data = data_chunk(five_seconds(f));
    const std::string pad(50000, '\0');
    struct Case {
        const char* what;
        std::string bytes;
        LoadReason load;
        int16_t job;
    };
    const std::vector<Case> cases{
        {"empty file", "", LoadReason::NotRiffWave, JOB_TOO_SMALL},
        {"cut inside RIFF", "RIFF" + u32le(16) + "WAV", LoadReason::NotRiffWave, JOB_TOO_SMALL},
        {"RIFF without WAVE", "RIFF" + u32le(100) + "AVI " + pad, LoadReason::NotRiffWave, JOB_NOT_RIFF_WAVE},
        {"lower-case riff", "riff" + u32le(100) + "WAVE" + fmt16 + data, LoadReason::NotRiffWave, JOB_NOT_RIFF_WAVE},
        {"chunk past the end", riff_wave({chunk_with_size("LIST", 0xFFFFFFF0u, pad), fmt16, data}), LoadReason::NoFmt,
         JOB_NO_FMT},
        {"negative chunk size", riff_wave({chunk_with_size("LIST", 0xFFFFFFF8u, ""), fmt16, data}), LoadReason::NoFmt,
         JOB_NO_FMT},
        {"cut inside a chunk header", riff_wave({"LIS"}), LoadReason::NoFmt, JOB_TOO_SMALL},
        {"cut inside fmt", riff_wave({fmt16.substr(0, 20)}), LoadReason::NoFmt, JOB_TOO_SMALL},
        {"fmt shorter than 16", riff_wave({chunk_with_size("fmt ", 14, fmt16.substr(8, 14)), data}),
         LoadReason::NoFmt, JOB_NO_FMT},
        {"huge fmt size", riff_wave({chunk_with_size("fmt ", 0xFFFFFFF0u, fmt16.substr(8)), data}), LoadReason::NoData,
         JOB_NO_DATA},
        {"no data chunk", riff_wave({fmt16, chunk("LIST", pad)}), LoadReason::NoData, JOB_NO_DATA},
        {"cut inside data header", riff_wave({fmt16, chunk("LIST", pad), "dat"}), LoadReason::NoData, JOB_NO_DATA},
        {"data past the end", riff_wave({fmt16, chunk_with_size("LIST", 0x7FFFFFFFu, pad), data}), LoadReason::NoData,
         JOB_NO_DATA},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.bytes), c.load) << c.what;
        EXPECT_EQ(job(c.bytes), c.job) << c.what;
    }
}

// A file of 4 GiB and more, without writing one.
class HugeFile final : public platform::File {
public:
    std::string head;
    uint64_t size = 0;
    uint64_t length() override { return size; }
    std::size_t read_at(uint64_t pos, void* buf, std::size_t n) override {
        if (pos >= size) return 0;
        const std::size_t count = static_cast<std::size_t>(std::min<uint64_t>(n, size - pos));
        for (std::size_t i = 0; i < count; ++i) {
            static_cast<char*>(buf)[i] = pos + i < head.size() ? head[pos + i] : '\0';
        }
        return count;
    }
    bool write(const void*, std::size_t) override { return false; }
    bool write_at(uint64_t, const void*, std::size_t) override { return false; }
    bool close() override { return true; }
};

TEST_F(SourceChecks, FilesOfFourGibibytesAreTooBigNotWrappedAround) {
    HugeFile file;
    file.head = riff_wave({fmt_chunk(FmtFields{}), chunk_with_size("data", 441000, "")});
    file.size = (uint64_t{1} << 32) + 1000;
    EXPECT_EQ(load_time_check(file, fmt, state, view, clock), LoadReason::TooBig);
    EXPECT_EQ(job_start_check(file, fmt, state, view), JOB_TOO_BIG);
    file.size = (uint64_t{1} << 32) - 1;
    EXPECT_EQ(load_time_check(file, fmt, state, view, clock), std::nullopt);
    EXPECT_EQ(fmt.data_size, 441000);

    // Data "to the end" of a file that holds more than the limit is too big,
    // and so is a size field above the limit inside such a file.
    for (uint32_t field : {0xFFFFFFFFu, 1999888001u}) {
        file.head = riff_wave({fmt_chunk(FmtFields{}), chunk_with_size("data", field, "")});
        file.size = 3000000000u;
        EXPECT_EQ(load_time_check(file, fmt, state, view, clock), LoadReason::TooBig) << field;
        EXPECT_EQ(job_start_check(file, fmt, state, view), JOB_TOO_BIG) << field;
    }
    file.size = 1999888000u + 44;
    EXPECT_EQ(load_time_check(file, fmt, state, view, clock), std::nullopt);
    EXPECT_EQ(fmt.data_size, 1999888000);
}

}  // namespace
}  // namespace sc
