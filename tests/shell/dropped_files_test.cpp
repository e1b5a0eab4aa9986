// Files dropped onto the window: taken while the main loop waits, let go
// while a screen of its own or a job runs.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/paths.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/window_fixture.h"

namespace sc {
namespace {

class DroppedFiles : public test::WindowApp {
protected:
    DroppedFiles() { app.state.LANGUAGE = LANGUAGE_EN; }
    // Seconds of a stereo sine.
    std::string music(const std::string& name, int seconds = 3) {
        return dir.write(name, test::stereo_sine_wav(seconds));
    }
    std::string result_of(const std::string& source) { return source.substr(0, source.size() - 4) + "---copy.WAV"; }
    test::TempDir dir;
};

TEST_F(DroppedFiles, OneFileIsLoadedAsIfOpenedAndOtherFilesAreLeftAlone) {
    const std::string song = music("song.WAV");
    app.state.batch_count = 2;
    app.state.batch_list = {"/a.wav", "/b.wav"};
    window.drop_at(0.5, {dir.path("notes.txt")});
    window.drop_at(1.0, {song, dir.path("cover.png")});
    run_for(4.0);
    EXPECT_EQ(app.state.display_source_name, song);
    EXPECT_EQ(app.state.reading_path, song);
    EXPECT_EQ(app.state.file_loaded, 1);
    EXPECT_EQ(app.state.last_used_folder, platform::with_separator(dir.folder()));
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_TRUE(app.state.batch_list.empty());
    EXPECT_EQ(text(11, 11, 20), song.substr(0, 20));

    // a result dropped is refused as "O" refuses it, and nothing stays loaded
    window.drop_at(now() + 0.5, {result_of(song)});
    window.key_at(now() + 2.0, "x");
    run_for(3.0);
    EXPECT_EQ(app.state.hint.line1, " File has probably been processed already.");
    EXPECT_TRUE(app.state.display_source_name.empty());

    // more than a batch holds: a warning, and the program runs on unchanged
    std::vector<std::string> many;
    for (int i = 0; i <= 1000; ++i) many.push_back("/nowhere/f" + std::to_string(i) + ".wav");
    window.drop_at(now() + 0.5, many);
    window.key_at(now() + 2.0, "x");
    run_for(3.0);
    EXPECT_EQ(app.state.hint.line1, " Too many files imported. Max number is 1000.");
    EXPECT_EQ(app.state.hint.kind, 2);
    EXPECT_EQ(app.state.batch_count, 0);
}

TEST_F(DroppedFiles, SeveralBecomeABatchTunedOnTheFirstAndStartedWithF12) {
    const std::string a = music("a.wav"), b = music("b.wav");
    window.drop_at(0.5, {a, dir.path("notes.txt"), b});
    window.key_at(2.0, "x");  // the two hints
    window.key_at(3.0, "x");
    run_for(6.0);
    EXPECT_EQ(app.state.hint.line1, " Search for best setting for the first file.  Use START-Button for test.");
    ASSERT_EQ(app.state.batch_count, 2);
    EXPECT_EQ(app.state.batch_list, (std::vector<std::string>{a, b}));
    EXPECT_EQ(app.state.display_source_name, a);
    EXPECT_EQ(app.state.reading_path, a);
    EXPECT_EQ(app.state.batch_running, 0);

    window.key_at(now() + 0.5, platform::extended_key(platform::ext::F12));
    run_for(120.0);
    EXPECT_TRUE(test::exists(result_of(a)));
    EXPECT_TRUE(test::exists(result_of(b)));
    EXPECT_EQ(app.state.hint.line1, " Batch processing is finished.  Go on in single-file-mode.");
    EXPECT_EQ(app.state.batch_count, 0);
}

TEST_F(DroppedFiles, ADropDuringAScreenOrAJobIsLetGo) {
    const std::string song = music("song.wav"), other = music("other.wav");
    // the help pages
    click_at(0.5, 760, 36, 1);
    window.drop_at(1.5, {song});
    for (int page = 1; page <= 6; ++page) window.key_at(2.0 + 0.5 * page, "k");
    run_for(6.0);
    EXPECT_EQ(app.state.help_request, 0);
    EXPECT_TRUE(app.state.display_source_name.empty());

    // afterwards drops are served again
    window.drop_at(now() + 0.5, {song});
    run_for(4.0);
    ASSERT_EQ(app.state.display_source_name, song);

    // a job, and its ready hint
    const double start = now() + 0.5;
    click_at(start, 760, 85, 1);
    window.drop_at(start + 1.0, {other});
    window.drop_at(start + 30.0, {other, song});
    window.key_at(start + 40.0, "x");
    run_for(45.0);
    EXPECT_TRUE(test::exists(result_of(song)));
    EXPECT_EQ(app.state.hint.line1.substr(0, 7), " Ready.");
    EXPECT_EQ(app.state.display_source_name, song);
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_FALSE(test::exists(result_of(other)));
    EXPECT_EQ(app.state.result_exists, 1);

    // the result stays with its own file: dropped again it is still shown,
    // another file dropped has none
    window.drop_at(now() + 0.5, {song});
    run_for(4.0);
    EXPECT_EQ(app.state.result_exists, 1);
    window.drop_at(now() + 0.5, {other});
    run_for(4.0);
    EXPECT_EQ(app.state.display_source_name, other);
    EXPECT_EQ(app.state.result_exists, 0);
}

}  // namespace
}  // namespace sc
