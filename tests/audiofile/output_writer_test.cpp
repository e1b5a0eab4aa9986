#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "audiofile/job_files.h"
#include "audiofile/output_header.h"
#include "audiofile/output_names.h"
#include "audiofile/target_replacement.h"
#include "audiofile/work_files.h"
#include "settings/program_exit.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

uint32_t u32(const std::string& bytes, std::size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[at + i]);
    return v;
}
uint32_t u16(const std::string& bytes, std::size_t at) {
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}
std::string as_string(const WavHeader& h) { return std::string(h.begin(), h.end()); }

TEST(OutputNames, TargetBufferAndMp3Names) {
    EXPECT_EQ(target_name("/a/song.wav", 1), "/a/song---copy.WAV");
    EXPECT_EQ(buffer_name(target_name("/a/song.wav", 1)), "/a/song---copy.WAV.buf");
    EXPECT_EQ(target_name("/a/song.wav", 2), "/a/song--3copy.WAV");
    EXPECT_EQ(target_name("/a/song.mp3", 9), "/a/song--3copy.WAV");
    EXPECT_EQ(mp3_target_name(target_name("/a/song.mp3", 5)), "/a/song--3copy.MP3");
    EXPECT_EQ(target_name("/a/überß.wav", 1), "/a/überß---copy.WAV");
    EXPECT_EQ(target_name("/a/Song.WaV", 1), "/a/Song---copy.WAV");
    EXPECT_EQ(target_name("/a/Song.Mp3", 2), "/a/Song--3copy.WAV");
}

TEST(OutputNames, TheResultStaysInTheSourcesFolderUnderItsWholeName) {
    // only ".wav" and ".mp3" go; any other name is kept whole
    EXPECT_EQ(target_name("/a/x.flac", 1), "/a/x.flac---copy.WAV");
    EXPECT_EQ(target_name("/a/mü.ä", 1), "/a/mü.ä---copy.WAV");
    EXPECT_EQ(target_name("/album1/ab", 1), "/album1/ab---copy.WAV");
    EXPECT_EQ(target_name("/album1/song", 1), "/album1/song---copy.WAV");
    EXPECT_EQ(target_name("/album1/s.wa", 1), "/album1/s.wa---copy.WAV");
    EXPECT_EQ(target_name("/album1/.wav", 1), "/album1/.wav---copy.WAV");
    EXPECT_EQ(target_name("/a.wav", 1), "/a---copy.WAV");
    EXPECT_EQ(target_name("/a/b.wav/c.wav", 1), "/a/b.wav/c---copy.WAV");
    // another folder for the results
    EXPECT_EQ(target_name("/a/song.wav", 1, "/out"), "/out/song---copy.WAV");
    EXPECT_EQ(target_name("/a/song.wav", 1, "/out/"), "/out/song---copy.WAV");
}

TEST(OutputNames, ProcessedFilesAreToldByTheirNameNotTheirFolder) {
    EXPECT_TRUE(name_looks_processed("/m/song---copy.WAV"));
    EXPECT_TRUE(name_looks_processed("/m/song--3copy.mp3"));
    EXPECT_TRUE(name_looks_processed("/m/my copy.wav"));
    EXPECT_FALSE(name_looks_processed("/m/copy.d/song.wav"));
    EXPECT_FALSE(name_looks_processed("/m/COPY3.x/song.wav"));

    for (const char* own : {"/m/song---copy.WAV", "/m/song--3copy.MP3", "/m/song-A-copy.wav", "/m/song-U-COPY.WAV",
                            "/m/song-C3copy.MP3", "/m/a---copy.WAV.buf"})
        EXPECT_TRUE(is_result_name(own)) << own;
    for (const char* other : {"/m/my copy.wav", "/m/copy.wav", "/m/song-V-copy.WAV", "/m/song-a_copy.wav",
                              "/m/---copy.d/song.wav", "/m/x--copy.wav"})
        EXPECT_FALSE(is_result_name(other)) << other;
}

TEST(OutputNames, AlternativeNamesRunFromAToU) {
    EXPECT_EQ(alternative_name("/a/song---copy.WAV", 0), "/a/song-A-copy.WAV");
    EXPECT_EQ(alternative_name("/a/song-A-copy.WAV", 1), "/a/song-B-copy.WAV");
    EXPECT_EQ(alternative_name("/a/song---copy.WAV", 20), "/a/song-U-copy.WAV");
    EXPECT_EQ(alternative_name("/a/song--3copy.MP3", 0), "/a/song-A3copy.MP3");
    EXPECT_EQ(alternative_name("/ä/ö---copy.WAV", 2), "/ä/ö-C-copy.WAV");
}

TEST(OutputHeader, LayoutFromTheSourceFormat) {
    SourceFormat fmt;
    fmt.channels = 2;
    fmt.sample_rate = 44100;
    fmt.data_size = 441001;
    const std::string stereo = as_string(output_header(fmt));
    EXPECT_EQ(stereo.substr(0, 16), "RIFFxxxxWAVEfmt ");
    EXPECT_EQ(u32(stereo, 16), 16u);
    EXPECT_EQ(u16(stereo, 20), 1u);
    EXPECT_EQ(u16(stereo, 22), 2u);
    EXPECT_EQ(u32(stereo, 24), 44100u);
    EXPECT_EQ(u32(stereo, 28), 4u * 44100);
    EXPECT_EQ(u16(stereo, 32), 4u);
    EXPECT_EQ(u16(stereo, 34), 16u);
    EXPECT_EQ(stereo.substr(36, 4), "data");
    EXPECT_EQ(u32(stereo, 40), 441001u);

    // The 24-bit mono flag decides, not the bits field.
    fmt.channels = 1;
    fmt.sample_rate = 48000;
    fmt.bits_per_sample = 24;
    fmt.mono24 = 1;
    const std::string mono24 = as_string(output_header(fmt));
    EXPECT_EQ(u32(mono24, 28), 3u * 48000);
    EXPECT_EQ(u16(mono24, 32), 3u);
    EXPECT_EQ(u16(mono24, 34), 24u);
    fmt.mono24 = 0;
    const std::string mono16 = as_string(output_header(fmt));
    EXPECT_EQ(u32(mono16, 28), 2u * 48000);
    EXPECT_EQ(u16(mono16, 32), 2u);
    EXPECT_EQ(u16(mono16, 34), 16u);

    const std::string clip = as_string(rehearsal_header(1, 48000));
    EXPECT_EQ(u16(clip, 32), 2u);
    EXPECT_EQ(u16(clip, 34), 16u);
    EXPECT_EQ(u32(clip, 40), 0u);
}

class JobFiles : public ::testing::Test {
protected:
    test::TempDir dir;
    ProgramState state;
    test::RecordingView view;
    platform::VirtualClock clock;
    test::ProtectingFileSystem fs;
    SourceFormat fmt;

    void SetUp() override {
        state.source_path = dir.write("song.wav", "source");
        fmt.channels = 2;
        fmt.sample_rate = 44100;
        fmt.data_size = 5;
    }
    std::string target() const { return dir.path("song---copy.WAV"); }
};

TEST_F(JobFiles, BufferFileGetsTheHeaderAndIsPatchedAtTheEnd) {
    dir.write("song---copy.WAV.buf", std::string(100000, 'o'));  // left by an aborted job
    auto buffer = create_buffer_file(fmt, 1, state, view, fs, clock);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(state.target_path, target());
    EXPECT_EQ(state.buffer_path, target() + ".buf");
    EXPECT_EQ(state.error_context, 0);
    ASSERT_TRUE(buffer->write("abcde", 5));
    ASSERT_TRUE(pad_odd_data(*buffer, 5));
    ASSERT_TRUE(buffer->close());
    buffer.reset();
    patch_riff_size(fs, state.buffer_path);

    const std::string bytes = test::read_file(state.buffer_path);
    ASSERT_EQ(bytes.size(), 44u + 6);
    EXPECT_EQ(u32(bytes, 4), bytes.size() - 8);  // counts the pad byte
    EXPECT_EQ(u32(bytes, 40), 5u);               // the data size stays the source's
    EXPECT_EQ(bytes.substr(44), std::string("abcde\0", 6));
    EXPECT_DOUBLE_EQ(clock.timer(), 0.06);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(test::read_file(state.source_path), "source");
}

TEST_F(JobFiles, EvenDataGetsNoPadAndMp3OutputUsesTheIntermediateName) {
    auto buffer = create_buffer_file(fmt, 3, state, view, fs, clock);
    EXPECT_EQ(state.target_path, dir.path("song--3copy.WAV"));
    ASSERT_TRUE(pad_odd_data(*buffer, 4));
    buffer->close();
    EXPECT_EQ(test::read_file(state.buffer_path).size(), 44u);
}

TEST_F(JobFiles, BufferFileThatCannotBeCreatedLeavesErrorContextOne) {
    fs.fail_create = true;
    EXPECT_THROW(create_buffer_file(fmt, 1, state, view, fs, clock), RunTimeError);
    EXPECT_EQ(state.error_context, 1);
    EXPECT_THROW(patch_riff_size(fs, dir.path("none.buf")), RunTimeError);
}

TEST_F(JobFiles, UndeletableOldBufferIsReportedAndStopsTheNewOne) {
    state.LANGUAGE = LANGUAGE_EN;
    const std::string old = dir.write("song---copy.WAV.buf", "old");
    fs.protected_paths.insert(old);
    try {
        create_buffer_file(fmt, 1, state, view, fs, clock);
        FAIL() << "a buffer was created over the old one";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.cause, "File exists");
    }
    EXPECT_EQ(state.error_context, 1);
    EXPECT_EQ(test::read_file(old), "old");
    ASSERT_EQ(view.hints.size(), 2u);
    EXPECT_EQ(view.hints[0].line1, " Failure: WAV buffer-file couldn't be deleted.");
    EXPECT_EQ(view.hints[0].line2, utf8_tail(old, 60));
    EXPECT_EQ(view.hints[0].kind, 2);
    EXPECT_EQ(view.hints[1].line1, " Probably write-protected folder.");
    EXPECT_EQ(view.hints[1].line2, " It is highly recommendet to remove the protection.");
}

TEST_F(JobFiles, ALiveBufferIsLeftAloneAndTheNewJobRefused) {
    state.LANGUAGE = LANGUAGE_EN;
    state.target_path = "/earlier/result---copy.WAV";
    auto first = create_buffer_file(fmt, 1, state, view, fs, clock);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(first->write("first", 5));
    const std::string buffer = state.buffer_path;

    ProgramState other;
    other.source_path = dir.path("song.WAV");  // the same target by another spelling
    other.target_path = "/earlier/other---copy.WAV";
    other.LANGUAGE = LANGUAGE_EN;
    EXPECT_EQ(create_buffer_file(fmt, 1, other, view, fs, clock), nullptr);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, " Another SONOCLAMPER is processing this file right now.");
    EXPECT_EQ(view.hints[0].kind, 2);
    EXPECT_EQ(other.target_path, "/earlier/other---copy.WAV");
    EXPECT_TRUE(other.buffer_path.empty());
    EXPECT_EQ(other.error_context, 0);

    // neither the orderly removal nor a second job may remove it
    EXPECT_EQ(fs.remove_unless_locked(buffer), platform::RemoveResult::Locked);
    EXPECT_EQ(test::read_file(buffer).substr(44), "first");

    // once the first job has let go, what it left is old and goes
    first.reset();
    EXPECT_NE(create_buffer_file(fmt, 1, other, view, fs, clock), nullptr);
    EXPECT_EQ(test::read_file(buffer).size(), 44u);
}

TEST_F(JobFiles, APlantedLinkIsRemovedNotFollowed) {
    const std::string elsewhere = dir.path("elsewhere.wav");
    std::filesystem::create_symlink(elsewhere, target() + ".buf");  // leads nowhere yet
    auto buffer = create_buffer_file(fmt, 1, state, view, fs, clock);
    ASSERT_NE(buffer, nullptr);
    EXPECT_FALSE(test::exists(elsewhere));
    EXPECT_FALSE(std::filesystem::is_symlink(state.buffer_path));
    EXPECT_EQ(test::read_file(state.buffer_path).size(), 44u);

    // a link under the result's name is replaced itself; what it leads to stays
    dir.write("victim.wav", "victim");
    std::filesystem::create_symlink(dir.path("victim.wav"), target());
    buffer.reset();
    ASSERT_EQ(move_buffer_to_target(state, view, fs, clock), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(target()));
    EXPECT_EQ(test::read_file(dir.path("victim.wav")), "victim");
}

TEST_F(JobFiles, TheBufferIsCreatedWithTheUsersPermissions) {
    const mode_t before = ::umask(027);
    auto buffer = create_buffer_file(fmt, 1, state, view, fs, clock);
    ::umask(before);
    ASSERT_NE(buffer, nullptr);
    const auto perms = std::filesystem::status(state.buffer_path).permissions();
    EXPECT_EQ(static_cast<int>(perms), 0640);
}

TEST_F(JobFiles, TheOlderTargetIsReplacedInOneStep) {
    state.target_path = target();
    state.buffer_path = dir.write("song---copy.WAV.buf", "new");
    dir.write("song---copy.WAV", "old");
    ASSERT_EQ(move_buffer_to_target(state, view, fs, clock), 0);
    EXPECT_EQ(state.target_path, target());
    EXPECT_EQ(test::read_file(target()), "new");
    EXPECT_FALSE(test::exists(state.buffer_path));
    EXPECT_TRUE(view.hints.empty());
    EXPECT_DOUBLE_EQ(clock.timer(), 0.0);  // nothing deleted, nothing to wait for
    // no buffer left: the cause comes back and the result stays
    EXPECT_EQ(move_buffer_to_target(state, view, fs, clock), ENOENT);
    EXPECT_EQ(test::read_file(target()), "new");
}

TEST_F(JobFiles, WriteProtectedTargetGivesTheFirstFreeLetter) {
    state.target_path = target();
    state.buffer_path = dir.write("song---copy.WAV.buf", "new");
    fs.protected_paths = {dir.write("song---copy.WAV", "keep"), dir.write("song-A-copy.WAV", "keep too")};
    dir.write("song-B-copy.WAV", "an older alternative");
    ASSERT_EQ(move_buffer_to_target(state, view, fs, clock), 0);
    EXPECT_EQ(state.target_path, dir.path("song-B-copy.WAV"));
    EXPECT_EQ(test::read_file(state.target_path), "new");
    EXPECT_EQ(test::read_file(target()), "keep");
    EXPECT_EQ(test::read_file(dir.path("song-A-copy.WAV")), "keep too");
    ASSERT_EQ(view.hints.size(), 2u);
    EXPECT_EQ(view.hints[0].line1, " Fehler beim Löschen der Zieldatei (alte Fassung). Vermutlich Schreibschutz.");
    EXPECT_EQ(view.hints[0].line2, "..." + target());
    EXPECT_EQ(view.hints[0].kind, 2);
    EXPECT_EQ(view.hints[1].line1, " Versuche anderen Namen der Zieldatei.");
    EXPECT_EQ(view.hints[1].line2, "......." + state.target_path);
    EXPECT_EQ(view.hints[1].kind, 1);
}

TEST_F(JobFiles, ReadOnlyFoldersAndFailedRenamesAreNotReplaced) {
    // on the real file system: no write permission at all (also for the
    // superuser), a folder of that name, a rename that is refused
    platform::FileSystem& real = platform::real_file_system();
    const std::string readonly = dir.write("song---copy.WAV", "read only");
    std::filesystem::permissions(readonly, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                               std::filesystem::perms::others_read);
    EXPECT_FALSE(real.may_replace(readonly));
    EXPECT_TRUE(real.may_replace(dir.write("song-B-copy.WAV", "writable")));
    std::filesystem::create_directories(dir.path("song-A-copy.WAV"));
    EXPECT_FALSE(name_may_take_result(real, dir.path("song-A-copy.WAV")));
    EXPECT_TRUE(name_may_take_result(real, dir.path("song-C-copy.WAV")));

    state.target_path = target();
    state.buffer_path = dir.write("song---copy.WAV.buf", "new");
    fs.protected_paths = {dir.path("song-B-copy.WAV")};  // its rename is refused
    ASSERT_EQ(move_buffer_to_target(state, view, fs, clock), 0);
    EXPECT_EQ(state.target_path, dir.path("song-C-copy.WAV"));
    EXPECT_EQ(test::read_file(readonly), "read only");
    EXPECT_EQ(test::read_file(dir.path("song-B-copy.WAV")), "writable");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path("song-A-copy.WAV")));
    EXPECT_FALSE(test::exists(state.buffer_path));
}

TEST_F(JobFiles, NoFreeAlternativeEndsTheProgram) {
    state.LANGUAGE = LANGUAGE_EN;
    state.target_path = target();
    state.buffer_path = dir.write("song---copy.WAV.buf", "new");
    fs.protected_paths.insert(dir.write("song---copy.WAV", "x"));
    for (int n = 0; n < ALTERNATIVE_LETTERS; ++n) {
        fs.protected_paths.insert(dir.write("song-" + std::string(1, static_cast<char>('A' + n)) + "-copy.WAV", "x"));
    }
    try {
        move_buffer_to_target(state, view, fs, clock);
        FAIL() << "the program goes on";
    } catch (const ProgramExit& e) {
        EXPECT_NE(e.code, 0);
    }
    ASSERT_EQ(view.hints.size(), 2u);
    EXPECT_EQ(view.hints[1].line1, " No alternative filename free. Program must be quit.");
    EXPECT_EQ(view.hints[1].line2, "");
    EXPECT_EQ(view.hints[1].kind, 1);
    EXPECT_NEAR(clock.timer(), 0.1, 1e-9);

    // The letter after U is never tried: V stays untouched.
    const std::string v = dir.write("song-V-copy.WAV", "x");
    EXPECT_THROW(move_buffer_to_target(state, view, fs, clock), ProgramExit);
    EXPECT_EQ(test::read_file(v), "x");
    EXPECT_EQ(test::read_file(state.buffer_path), "new");
}

TEST_F(JobFiles, Mp3TargetVariantAndLongNames) {
    state.LANGUAGE = LANGUAGE_EN;
    const std::string folder = dir.path(std::string(70, 'f'));
    std::filesystem::create_directories(folder);
    const std::string name = folder + "/song--3copy.MP3";
    fs.protected_paths.insert(dir.write(std::string(70, 'f') + "/song--3copy.MP3", "x"));
    const std::string taken = free_target_name(name, MP3_TARGET_TEXTS, state, view, fs, clock);
    EXPECT_EQ(taken, folder + "/song-A3copy.MP3");
    EXPECT_EQ(view.hints[0].line1,
              " Failure:  target file couldn't be deleted (old version). Probably Write-Protection..");
    EXPECT_EQ(view.hints[0].line2, "..." + utf8_tail(name, 63));
    EXPECT_EQ(view.hints[1].line1, " SONOCLAMPER tries other target filename.");
    EXPECT_EQ(view.hints[1].line2, ".... ..." + utf8_tail(taken, 64));
}

TEST_F(JobFiles, ReadyHint) {
    state.target_path = "/m/song---copy.WAV";
    show_ready_hint(state, view);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, " Fertig. Zieldatei ist  ... /m/song---copy.WAV");
    EXPECT_EQ(view.hints[0].line2, "             Neue Bearbeitungen (START) überschreiben diese Datei.");
    EXPECT_EQ(view.hints[0].tip, " Diese Version sichern: umbenennen oder Schreibschutz (Windows-Explorer).");
    EXPECT_EQ(view.hints[0].tip_row, 20);
    EXPECT_EQ(view.hints[0].tip_column, 63);
    EXPECT_EQ(view.hints[0].kind, 1);
    EXPECT_EQ(state.hint.tip, "");  // shown once

    state.LANGUAGE = LANGUAGE_EN;
    state.batch_count = 4;
    state.target_path = "/" + std::string(60, 'x') + "---copy.WAV";
    show_ready_hint(state, view);
    EXPECT_EQ(view.hints[1].line1, " Ready.  Targe file  is ... " + state.target_path.substr(5));
    EXPECT_EQ(view.hints[1].line2, "             New processing (START) will overwrite this file.  F12=batch.");
    EXPECT_EQ(view.hints[1].tip, " Hold this version:  rename  or  write-protect (Windows-Explorer).");

    state.batch_running = 1;
    show_ready_hint(state, view);
    EXPECT_EQ(view.hints.size(), 2u);
}

TEST_F(JobFiles, RehearsalClipIsWrittenAndPatched) {
    state.rehearsal_file = dir.write("000-SONOCLAMPER-Rehearsal.WAV", std::string(5000, 'o'));
    write_rehearsal_clip(fs, clock, state.rehearsal_file, 2, 44100, std::vector<uint8_t>(400, 7));
    const std::string bytes = test::read_file(state.rehearsal_file);
    ASSERT_EQ(bytes.size(), 444u);
    EXPECT_EQ(u32(bytes, 4), 436u);
    EXPECT_EQ(u32(bytes, 40), 400u);
    EXPECT_EQ(u16(bytes, 34), 16u);
    EXPECT_DOUBLE_EQ(clock.timer(), 0.27);

    // in the shared temporary folder a link planted under the name is not
    // written through
    const std::string victim = dir.write("victim.txt", "victim");
    std::filesystem::remove(state.rehearsal_file);
    std::filesystem::create_symlink(victim, state.rehearsal_file);
    write_rehearsal_clip(fs, clock, state.rehearsal_file, 1, 44100, std::vector<uint8_t>(100, 7));
    EXPECT_EQ(test::read_file(victim), "victim");
    EXPECT_FALSE(std::filesystem::is_symlink(state.rehearsal_file));
    EXPECT_EQ(test::read_file(state.rehearsal_file).size(), 144u);
}

TEST_F(JobFiles, RehearsalAndMp3BufferRemoval) {
    state.rehearsal_file = dir.write("000-SONOCLAMPER-Rehearsal.WAV", "r");
    state.mp3_buffer_wav = dir.write("000-SONOCLAMPER-MP3-BUFFER.WAV", "m");
    fs.protected_paths = {state.rehearsal_file, state.mp3_buffer_wav};
    KOPIE2_LOESCHEN(state, view, fs, clock);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, " Fehler beim Löschen der alten Datei Probehören.");
    EXPECT_EQ(view.hints[0].line2, utf8_tail(state.rehearsal_file, 60));
    LAME_PUFFER_WAV_LOESCHEN(state, view, fs, clock);
    ASSERT_EQ(view.hints.size(), 3u);
    EXPECT_EQ(view.hints[1].line1, " Fehler beim Löschen der MP3 Zwischenspeicherung.");
    EXPECT_EQ(view.hints[2].line1, " Vermutlich ist der Ordner schreibgeschützt.");
    EXPECT_EQ(view.hints[2].line2, " Bitte dringend den Schreibschutz deaktivieren.");

    fs.protected_paths.clear();
    KOPIE2_LOESCHEN(state, view, fs, clock);
    LAME_PUFFER_WAV_LOESCHEN(state, view, fs, clock);
    state.buffer_path.clear();
    DATEI_PROCESSOR_OUT_LOESCHEN(state, view, fs, clock);
    EXPECT_FALSE(test::exists(state.rehearsal_file));
    EXPECT_FALSE(test::exists(state.mp3_buffer_wav));
    EXPECT_EQ(view.hints.size(), 3u);
}

}  // namespace
}  // namespace sc
