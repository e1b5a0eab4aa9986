// Batches: the files of the command line, the folder collection, F12 and
// the batch step running the jobs one after another.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/paths.h"
#include "settings/program_exit.h"
#include "shell/application.h"
#include "shell/batch_list.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

TEST(BatchArguments, AudioFilesInTheirOrderWithRelativePathsMadeAbsolute) {
    const ArgumentFiles f = audio_files_of_arguments(
        {"/music/a b.wav", "x.WAV", "--lang", "notes.txt", "x.flac", "./sub/c.Mp3", "/d.wav.bak", "/e.mp3"},
        "/home/u");
    ASSERT_EQ(f.entries.size(), 4u);
    EXPECT_EQ(f.entries[0], "/music/a b.wav");
    EXPECT_EQ(f.entries[1], "/home/u/x.WAV");
    EXPECT_EQ(f.entries[2], "/home/u/sub/c.Mp3");
    EXPECT_EQ(f.entries[3], "/e.mp3");
    EXPECT_EQ(f.wav_count, 2);
    EXPECT_EQ(f.mp3_count, 2);
    EXPECT_TRUE(audio_files_of_arguments({".wav", "wav", "a.wa"}, "/").entries.empty());
}

TEST(BatchArguments, ProcessedNamesAndTheFileLine) {
    EXPECT_TRUE(is_processed_name("song---copy.WAV"));
    EXPECT_TRUE(is_processed_name("song--3copy.mp3"));
    EXPECT_TRUE(is_processed_name("song-A-copy.wav"));
    EXPECT_FALSE(is_processed_name("copy.wav"));
    EXPECT_FALSE(is_processed_name("song.wav"));
    EXPECT_EQ(batch_file_line("/a/b.wav", 2, 3, LANGUAGE_EN), "File: " + pad_right("/a/b.wav  (Nr2/3)", 77));
    EXPECT_EQ(batch_file_line("/a/b.wav", 1, 1, LANGUAGE_DE), "Datei: " + pad_right("/a/b.wav", 77));
    const std::string long_path = "/" + std::string(90, 'x') + ".wav";
    const std::string line = batch_file_line(long_path, 4, 9, LANGUAGE_EN);
    EXPECT_EQ(line.size(), 6u + 77);
    EXPECT_EQ(line.substr(6, 13), "/xxxxxxxxx...");
    EXPECT_EQ(line.substr(line.size() - 9), "  (Nr4/9)");
}

// Records hints, titles and the file line; clicks STOP after a number of
// blocks of one chosen job.
class BatchView : public test::EventView {
public:
    int jobs = 0;
    int stop_in_job = -1;
    int blocks = 0;
    std::vector<std::string> file_lines;
    void job_begins(std::string_view) override {
        ++jobs;
        blocks = 0;
    }
    void job_block(const JobBlockInfo&) override { ++blocks; }
    bool stop_clicked() override { return jobs == stop_in_job && blocks >= 3; }
    void file_line(std::string_view t) override { file_lines.emplace_back(t); }
};

class BatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.env.vars["TEMP"] = dir.folder();
        platform.env.program = dir.path("sonoclamper");
    }
    std::string music(const std::string& name, int seconds = 3) {
        return dir.write(name, test::stereo_sine_wav(seconds));
    }
    // The main loop's part in a batch: a START request runs the job, then
    // the batch step follows.
    void run_pending_jobs() {
        for (int guard = 0; guard < 20 && app.state.start_request && !app.state.display_source_name.empty();
             ++guard) {
            app.state.start_request = 0;
            app.run_job();
            app.batch_step();
        }
    }
    bool hinted(const std::string& part) {
        for (const auto& e : view.events)
            if (e.find(part) != std::string::npos) return true;
        return false;
    }
    test::TempDir dir;
    test::FakePlatform platform;
    BatchView view;
    Application app{view, platform.services()};
};

TEST_F(BatchTest, AThousandFilesAreABatchAndOneMoreEndsTheProgram) {
    std::vector<std::string> args;
    for (int i = 0; i < 1000; ++i) args.push_back("/nowhere/f" + std::to_string(i) + ".wav");
    app.command_line_import(args);
    EXPECT_EQ(app.state.batch_count, 1000);
    EXPECT_EQ(app.state.batch_wav_count, 1000);
    EXPECT_TRUE(hinted(" Search for best setting") || hinted(" Suche bei der ersten Datei"));

    args.push_back("/nowhere/last.MP3");
    view.events.clear();
    EXPECT_THROW(app.command_line_import(args), ProgramExit);
    EXPECT_EQ(view.events.front(), "hint2:  Too many files imported. Max number is 1000. |  Closing program.");
}

TEST_F(BatchTest, OneFileIsLoadedButIsNoBatchAndF12DoesNothing) {
    const std::string song = music("one.WAV");
    app.startup({song, "readme.flac"});
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_EQ(app.state.display_source_name, song);
    EXPECT_EQ(app.state.reading_path, song);
    EXPECT_EQ(app.state.file_loaded, 1);
    EXPECT_FALSE(hinted("Search for best") || hinted("Suche bei der ersten"));
    app.start_batch();
    EXPECT_EQ(app.state.batch_running, 0);
    EXPECT_EQ(app.state.start_request, 0);
}

TEST_F(BatchTest, AFailingFirstFileEndsTheBatchAtStartUp) {
    const std::string bad = dir.write("bad.wav", std::string(60000, 'z'));
    app.startup({bad, music("two.wav")});
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_TRUE(app.state.display_source_name.empty());
}

TEST_F(BatchTest, F12RunsEveryFileAndEndsWithTheFinishedHint) {
    const std::string a = music("a.wav"), b = music("b.wav"), c = music("c.wav");
    app.startup({a, b, c});
    app.state.LANGUAGE = LANGUAGE_EN;
    EXPECT_EQ(app.state.batch_count, 3);
    EXPECT_EQ(app.state.display_source_name, a);
    view.events.clear();
    app.start_batch();
    EXPECT_EQ(app.state.start_request, 1);
    run_pending_jobs();
    for (const auto& p : {a, b, c}) EXPECT_TRUE(test::exists(p.substr(0, p.size() - 4) + "---copy.WAV")) << p;
    EXPECT_EQ(view.jobs, 3);
    EXPECT_EQ(view.file_lines.back(), "File: " + pad_right(c + "  (Nr3/3)", 77));
    EXPECT_TRUE(hinted("title: (2/3) SONOCLAMPER"));
    EXPECT_TRUE(hinted("title: Finished SONOCLAMPER"));
    EXPECT_TRUE(hinted("hint1:  Batch processing is finished."));
    EXPECT_FALSE(hinted("Ready."));  // no ready hint inside a batch
    EXPECT_EQ(app.state.batch_running, 0);
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_TRUE(app.state.display_source_name.empty());
    // the next step gives the window its own title back
    view.events.clear();
    app.batch_step();
    EXPECT_TRUE(hinted("title:  SONOCLAMPER | DYNAMIC-PROCESSOR"));
    app.start_batch();  // the list is done: F12 does nothing
    EXPECT_EQ(app.state.start_request, 0);
}

TEST_F(BatchTest, StopInABatchKeepsEveryEarlierResultAndCancelsTheRest) {
    const std::string a = music("a.wav"), b = music("b.wav", 6), c = music("c.wav");
    const std::string old_b = dir.write("b---copy.WAV", "the older result");
    app.startup({a, b, c});
    view.stop_in_job = 2;
    app.start_batch();
    run_pending_jobs();
    EXPECT_EQ(view.jobs, 2);
    EXPECT_TRUE(test::exists(dir.path("a---copy.WAV")));
    EXPECT_EQ(test::read_file(old_b), "the older result");
    EXPECT_FALSE(test::exists(dir.path("b---copy.WAV.buf")));
    EXPECT_FALSE(test::exists(dir.path("c---copy.WAV")));
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_EQ(app.state.batch_running, 0);
    EXPECT_TRUE(app.state.display_source_name.empty());
}

TEST_F(BatchTest, TheFolderCollectionSkipsProcessedFilesAndRunsInNameOrder) {
    const std::string song = music("song.wav", 1);
    for (const char* n : {"song---copy.WAV", "song--3copy.MP3", "zeta.WAV", "b.wav", "take-A-copy.wav", "x.mp3"})
        dir.write(n, "x");
    app.state.last_used_folder = platform::with_separator(dir.folder());
    app.state.source_path = song;
    app.state.source_is_mp3 = 0;
    app.STAPEL_DATEIEN_SAMMELN();
    ASSERT_EQ(app.state.batch_count, 3);
    EXPECT_EQ(app.state.batch_list[0], song);
    EXPECT_EQ(app.state.batch_list[1], dir.path("b.wav"));
    EXPECT_EQ(app.state.batch_list[2], dir.path("zeta.WAV"));
    EXPECT_EQ(app.state.batch_mp3_count, 0);
    EXPECT_EQ(app.state.batch_index, 1);
    EXPECT_EQ(app.state.batch_running, 0);

    // an MP3 chosen: only the MP3 files of the folder
    app.state.source_path = dir.path("x.mp3");
    app.state.source_is_mp3 = 1;
    dir.write("y.MP3", "y");
    app.STAPEL_DATEIEN_SAMMELN();
    ASSERT_EQ(app.state.batch_count, 2);
    EXPECT_EQ(app.state.batch_list[1], dir.path("y.MP3"));
    EXPECT_NE(app.state.batch_mp3_count, 0);
}

TEST_F(BatchTest, F11RefusesAProcessedFileAndCollectsTheFolderOfAnother) {
    test::ScriptedDialog dialog;
    PlatformServices services = platform.services();
    services.dialog = &dialog;
    Application f11{view, services};
    f11.startup({});
    dialog.answer = dir.path("song---copy.WAV");
    f11.folder_batch_import();
    EXPECT_TRUE(hinted("hint2:  Datei wurde vermutlich bereits bearbeitet."));
    EXPECT_EQ(f11.state.batch_count, 0);

    const std::string song = music("song.wav", 1);
    music("other.wav", 1);
    dialog.answer = song;
    f11.folder_batch_import();
    EXPECT_EQ(f11.state.batch_count, 2);
    EXPECT_EQ(f11.state.display_source_name, song);
    EXPECT_EQ(f11.state.reading_path, song);
    EXPECT_EQ(f11.state.last_used_folder, platform::with_separator(dir.folder()));
    EXPECT_EQ(f11.state.file_loaded, 1);
}

}  // namespace
}  // namespace sc
