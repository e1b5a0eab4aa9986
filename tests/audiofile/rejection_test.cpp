#include <gtest/gtest.h>

#include "audiofile/source_checks.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

class Rejections : public test::FileTest {
protected:

    void SetUp() override {
        state.mp3_buffer_wav = dir.write("000-SONOCLAMPER-MP3-BUFFER.WAV", "x");
        state.source_path = state.display_source_name = dir.path("song.wav");
        state.file_loaded = 1;
    }
};

TEST_F(Rejections, LoadTimeRejectionClearsTheFileAndShowsTheReason) {
    const std::string path = dir.write("song.wav", test::riff_wave({test::fmt_chunk({})}));
    EXPECT_EQ(load_source(path, fmt, state, view, fs, clock), nullptr);
    EXPECT_EQ(state.source_path, "");
    EXPECT_EQ(state.display_source_name, "");
    EXPECT_EQ(state.file_loaded, 0);
    EXPECT_EQ(view.key_drains, 1);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, " Fehler: Audiodaten nicht gefunden.");
    EXPECT_EQ(view.hints[0].line2, "      ");
    EXPECT_EQ(view.hints[0].kind, 2);
    EXPECT_FALSE(test::exists(state.mp3_buffer_wav));

    state.LANGUAGE = LANGUAGE_EN;
    reject_loaded_file(LoadReason::NotRiffWave, state, view, fs, clock);
    EXPECT_EQ(view.hints.back().line1, " Failure: File isn't RIFF / WAVE.");
    reject_loaded_file(LoadReason::NoData, state, view, fs, clock);
    EXPECT_EQ(view.hints.back().line1, " Failure:Audiodata not found.");
}

TEST_F(Rejections, LoadTimeRejectionEndsARunningBatch) {
    state.batch_running = 1;
    state.batch_count = 7;
    reject_loaded_file(LoadReason::SampleRate, state, view, fs, clock);
    EXPECT_EQ(state.batch_running, 0);
    EXPECT_EQ(state.batch_count, 0);
    EXPECT_EQ(view.hints[0].line1, " Stapel wird beendet. Grund:  Samplerate nicht 44-48 kHz.");
    state.LANGUAGE = LANGUAGE_EN;
    state.batch_running = 1;
    reject_loaded_file(LoadReason::TooBig, state, view, fs, clock);
    EXPECT_EQ(view.hints[1].line1, " Batch is closed. Reason: File too big.");
}

TEST_F(Rejections, LoadingAcceptedMissingAndEmptyPaths) {
    const test::FmtFields f;
    const std::string path = dir.write("ok.wav", test::canonical_wav(f, 1000));
    auto file = load_source(path, fmt, state, view, fs, clock);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->length(), 1044u);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(state.file_loaded, 1);

    EXPECT_EQ(load_source("", fmt, state, view, fs, clock), nullptr);
    EXPECT_TRUE(view.hints.empty());

    EXPECT_EQ(load_source(dir.path("missing.wav"), fmt, state, view, fs, clock), nullptr);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, " Fehler:  unknown  ... nicht bekannt.");
    EXPECT_FALSE(test::exists(dir.path("missing.wav")));
}

TEST_F(Rejections, JobStartRejectionScreenAndCleanUp) {
    state.LANGUAGE = LANGUAGE_EN;
    state.batch_running = 1;
    state.batch_count = 3;
    state.source_is_mp3 = 1;
    state.source_validation_code = JOB_NO_FMT;
    fmt.musifile_flag = 1;
    const std::string path = state.source_path;
    KEINEDATEI(state, fmt, view, fs, clock);
    ASSERT_EQ(view.screens.size(), 1u);
    const std::vector<std::string> expected{
        " Problem with your Original-Audio-File.",
        "",
        " " + path,
        "",
        " The Fileheader begins with [MUSIFILE] instead of [RIFF....WAVE].",
        "",
        " Fileheader [Musifile], found [RIFF----WAVE] but no [fmt]",
        "",
        " EXIT TO SYSTEM - PRESS ANY KEY",
    };
    EXPECT_EQ(view.screens[0], expected);
    EXPECT_FALSE(test::exists(state.mp3_buffer_wav));
    EXPECT_EQ(state.source_path, "");
    EXPECT_EQ(state.display_source_name, "");
    EXPECT_EQ(state.batch_running, 0);
    EXPECT_EQ(state.batch_count, 0);
    EXPECT_EQ(state.file_loaded, 0);
    EXPECT_EQ(state.source_is_mp3, 0);
    EXPECT_EQ(view.redraws, 1);
}

TEST_F(Rejections, RejectionScreenCutsPathsFromSeventyCharacters) {
    const std::string p69 = "/" + std::string(63, 'a') + "ü.wav";
    const std::string p70 = "/b" + std::string(63, 'a') + "ü.wav";
    ASSERT_EQ(utf8_length(p69), 69u);
    state.source_validation_code = JOB_TOO_SMALL;
    state.source_path = p69;
    KEINEDATEI(state, fmt, view, fs, clock);
    state.source_path = p70;
    KEINEDATEI(state, fmt, view, fs, clock);
    EXPECT_EQ(view.screens[0][2], " " + p69);
    EXPECT_EQ(view.screens[1][2], " " + p70.substr(2));
    EXPECT_EQ(view.screens[0][0], " Problem mit der  Original-Audio-Datei.");
    EXPECT_EQ(view.screens[0][4], " File too small.  Datei zu klein.");
    EXPECT_EQ(view.screens[0][6], " ZURÜCK zum SYSTEM - Beliebige Taste.");
}

TEST_F(Rejections, ReasonLinesNameAMusifilePrefix) {
    EXPECT_EQ(job_reason_line(JOB_NOT_RIFF_WAVE, 0), " According to Fileheader no [RIFF----WAVE]");
    EXPECT_EQ(job_reason_line(JOB_NOT_RIFF_WAVE, 1), " Fileheader [Musifile] and no [RIFF----WAVE] following.");
    EXPECT_EQ(job_reason_line(JOB_NO_FMT, 0), " Fileheader [RIFF----WAVE] but no [fmt]");
    EXPECT_EQ(job_reason_line(JOB_NO_FMT, 1), " Fileheader [Musifile], found [RIFF----WAVE] but no [fmt]");
    EXPECT_EQ(job_reason_line(JOB_NO_DATA, 1), " No Data-Chunk found.  Data-Chunk nicht zu finden.");
}

TEST_F(Rejections, JobOpensOnlyExistingReadableSources) {
    const test::FmtFields f;
    state.reading_path = dir.write("ok.wav", test::canonical_wav(f, 441000));
    auto file = open_source_for_job(fmt, state, view, fs, clock);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(state.source_validation_code, JOB_ACCEPTED);
    EXPECT_EQ(fmt.chunk_position, 45);
    EXPECT_TRUE(view.screens.empty());

    for (const std::string& missing : {dir.path("gone.wav"), std::string("ok.wav"), std::string()}) {
        state.source_path = state.display_source_name = state.reading_path = missing;
        EXPECT_EQ(open_source_for_job(fmt, state, view, fs, clock), nullptr);
        EXPECT_EQ(state.source_validation_code, JOB_NOT_FOUND);
        EXPECT_EQ(view.screens.back()[4], " File not found.  Datei nicht gefunden.");
    }
    state.reading_path = state.source_path = dir.write("short.wav", test::canonical_wav(f, 1000));
    EXPECT_EQ(open_source_for_job(fmt, state, view, fs, clock), nullptr);
    EXPECT_EQ(state.source_validation_code, JOB_TOO_SMALL);
}

TEST_F(Rejections, DisplayNameLine) {
    EXPECT_EQ(display_name_line("/a/song.wav", state), "Datei: " + pad_right("/a/song.wav", 77));
    state.LANGUAGE = LANGUAGE_EN;
    EXPECT_EQ(display_name_line("/a/song.wav", state), "File:  " + pad_right("/a/song.wav", 77));

    const std::string long77 = "/" + std::string(72, 'x') + ".wav";
    const std::string long78 = "/" + std::string(73, 'x') + ".wav";
    EXPECT_EQ(display_name_line(long77, state).substr(7), long77);
    EXPECT_EQ(display_name_line(long78, state).substr(7), long78.substr(0, 10) + "..." + long78.substr(14));

    state.batch_count = 12;
    state.batch_index = 13;
    EXPECT_EQ(display_name_line("/a/song.wav", state).substr(7), pad_right("/a/song.wav  (Nr12/12)", 77));
    const std::string with = display_name_line(long77, state).substr(7);
    EXPECT_EQ(utf8_length(with), 77u);
    EXPECT_EQ(with, long77.substr(0, 10) + "..." + (long77 + "  (Nr12/12)").substr(long77.size() + 11 - 64));
}

}  // namespace
}  // namespace sc
