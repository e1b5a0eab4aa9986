#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "settings/parameter_steps.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/window_fixture.h"

namespace sc {
namespace {

using test::WindowApp;

class MainLoop : public WindowApp {
protected:
    // A press held for 0.2 s at (x, y), the pointer staying there.
    void press(double at, int x, int y, int buttons) {
        window.pointer_at(at, x, y, buttons);
        window.pointer_at(at + 0.2, x, y, 0);
    }
    void exits_by_close(const std::function<void()>& f) {
        try {
            f();
            ADD_FAILURE() << "returned instead of ending the program";
        } catch (const ProgramExit& e) {
            EXPECT_EQ(e.code, 0);
        }
    }
};

TEST_F(MainLoop, RunsUntilTheCloseButtonWithHeartbeatAndKeepsComingBackAfterKeys) {
    window.key_at(1.0, "k");
    window.key_at(2.0, platform::extended_key(platform::ext::F5));
    const double start = now();
    run_for(5.0);
    EXPECT_GE(now() - start, 5.0);
    EXPECT_EQ(window.shown().at(1, 1), 8);
    EXPECT_EQ(app.state.start_request, 0);
}

TEST_F(MainLoop, ThePanelIsDrawnAfreshEveryTwoMinutes) {
    const double drawn = app.state.last_full_redraw;
    run_for(119.0);
    EXPECT_EQ(app.state.last_full_redraw, drawn);
    run_for(3.0);
    EXPECT_GT(app.state.last_full_redraw, drawn + 119.0);
}

TEST_F(MainLoop, HoverTextsFollowThePointerWithTheHandCursorOverFields) {
    window.pointer_at(1.0, 750, 12);
    run_for(1.5);
    EXPECT_EQ(info1(27), " KLICK= BEENDE SONOCLAMPER.");
    EXPECT_TRUE(window.hand_cursor());
    // The cursor shape is asked for again: the pointer went one pixel left and back.
    ASSERT_GE(window.pointer_moves().size(), 2u);
    EXPECT_EQ(window.pointer_moves().back(), std::make_pair(750, 12));

    window.pointer_at(now() + 0.5, 760, 36);
    run_for(1.0);
    EXPECT_EQ(info1(34), " KLICK= Mehrseitige Informationen.");
    EXPECT_TRUE(window.hand_cursor());

    window.pointer_at(now() + 0.5, 400, 130);  // nothing there: the arrow, the text stays
    run_for(1.0);
    EXPECT_FALSE(window.hand_cursor());
    EXPECT_EQ(info1(34), " KLICK= Mehrseitige Informationen.");
}

TEST_F(MainLoop, EachPressActsOnceEvenWhenHeld) {
    press(1.0, 40, 180, 2);
    press(1.5, 40, 180, 2);
    press(2.0, 40, 180, 2);
    window.pointer_at(3.0, 40, 180, 1);  // held for two seconds
    window.pointer_at(5.0, 40, 180, 0);
    run_for(6.0);
    EXPECT_EQ(snap_INPUTGAIN(app.params), 4 + 3 - 1);
    EXPECT_EQ(text(25, 5, 4), "   6");
}

TEST_F(MainLoop, F12WithoutABatchDoesNothingAndWithOneStartsIt) {
    window.key_at(1.0, platform::extended_key(platform::ext::F12));
    run_for(2.0);
    EXPECT_EQ(app.state.batch_running, 0);
    EXPECT_TRUE(window.pointer_moves().empty());

    app.state.batch_count = 2;
    app.state.batch_index = 1;
    app.state.batch_list = {"/a.wav", "/b.wav"};
    window.pointer_at(now(), 300, 480);
    window.key_at(now() + 1.0, platform::extended_key(platform::ext::F12));
    run_for(2.0);
    ASSERT_FALSE(window.pointer_moves().empty());
    EXPECT_EQ(window.pointer_moves().front(), std::make_pair(300, 350));
    // the batch ran into its missing first file and was closed
    EXPECT_EQ(app.state.batch_running, 0);
    EXPECT_EQ(app.state.batch_count, 0);
}

TEST_F(MainLoop, TheZeroKeyResetsTheEqualizerOnlyUnderThePointer) {
    app.params.EQ.fill(3.0f);
    window.key_at(1.0, "0");  // the pointer rests elsewhere
    window.pointer_at(2.0, 60, 240);
    window.key_at(3.0, "0");
    run_for(2.5);
    EXPECT_EQ(app.params.EQ[4], 3.0f);
    run_for(1.0);
    for (const float g : app.params.EQ) EXPECT_EQ(g, 0.0f);
}

TEST_F(MainLoop, StartWithoutAFileIsDroppedByTheClosingStep) {
    press(1.0, 760, 85, 1);
    run_for(2.0);
    EXPECT_EQ(app.state.start_request, 0);
    EXPECT_EQ(app.state.job_completed, 0);
}

TEST_F(MainLoop, TheZoomFollowsThePointerBelowThePanelAndGoesAboveIt) {
    app.state.display_source_name = app.state.source_path = "/music/song.wav";
    window.pointer_at(1.0, 5, 430);
    run_for(1.5);
    EXPECT_EQ(app.state.zoom_shown, 1);
    EXPECT_EQ(app.state.zoom_column, 10);
    window.pointer_at(now() + 0.2, 795, 500);
    run_for(0.5);
    EXPECT_EQ(app.state.zoom_column, 789);
    EXPECT_EQ(app.state.envelope_first_column, 1);
    EXPECT_EQ(app.state.envelope_last_column, 780);
    window.pointer_at(now() + 0.2, 300, 400);
    run_for(0.5);
    EXPECT_EQ(app.state.zoom_shown, 0);
}

TEST_F(MainLoop, OpenRefusesResultNamesInAnyCase) {
    for (const char* name : {"/music/Song---Copy.wav", "/music/song--3copy.MP3", "/music/SONG---COPY.WAV"}) {
        app.state.display_source_name = app.state.source_path = "/music/old.wav";
        app.state.result_exists = 1;
        dialog.answers = {name};
        window.key_at(now() + 0.5, "o");
        window.key_at(now() + 2.0, "x");  // ends the hint
        run_for(3.0);
        EXPECT_EQ(app.state.hint.line1, " Datei wurde vermutlich bereits bearbeitet.") << name;
        EXPECT_EQ(app.state.hint.kind, 2);
        EXPECT_TRUE(app.state.display_source_name.empty()) << name;
        EXPECT_TRUE(app.state.source_path.empty());
        EXPECT_EQ(app.state.result_exists, 0);
    }
    ASSERT_EQ(dialog.requests.size(), 3u);
    EXPECT_EQ(dialog.requests[0].title, "Dateien öffnen (WAV und MP3)");
    EXPECT_EQ(dialog.requests[0].initial_folder, "/");
    EXPECT_FALSE(dialog.requests[0].save);

    // only the file's own name counts, not a folder it lies in
    test::TempDir dir;
    std::filesystem::create_directories(dir.path("copy.d"));
    const std::string song = dir.write("copy.d/song.wav", test::canonical_wav(test::FmtFields{}, 44100 * 4 * 3));
    dialog.answers = {song};
    window.key_at(now() + 0.5, "o");
    run_for(3.0);
    EXPECT_EQ(dialog.requests.size(), 4u);
    EXPECT_EQ(app.state.source_path, song);
}

TEST_F(MainLoop, OpenLoadsAChosenFileAndACancelKeepsTheLoadedOne) {
    app.state.LANGUAGE = LANGUAGE_EN;
    test::TempDir dir;
    const std::string song = dir.write("song.wav", test::canonical_wav(test::FmtFields{}, 44100 * 4 * 3));
    app.state.batch_count = 3;
    app.state.batch_list = {"/a.wav", "/b.wav", "/c.wav"};
    app.state.source_path = "/music/old.wav";  // with the result of its job
    app.state.result_exists = 1;
    dialog.answers = {song, ""};
    press(0.5, 760, 60, 1);  // the OPEN button
    run_for(2.0);
    EXPECT_EQ(app.state.display_source_name, song);
    EXPECT_EQ(app.state.result_exists, 0);  // the old result is not this file's
    EXPECT_EQ(app.state.reading_path, song);
    EXPECT_EQ(app.state.last_used_folder, platform::with_separator(dir.folder()));
    EXPECT_EQ(app.state.batch_count, 0);
    EXPECT_TRUE(app.state.batch_list.empty());
    EXPECT_EQ(app.state.open_request, 0);
    EXPECT_EQ(text(11, 11, 20), song.substr(0, 20));

    window.key_at(now() + 0.5, "O");
    run_for(1.0);
    ASSERT_EQ(dialog.requests.size(), 2u);
    EXPECT_EQ(dialog.requests[1].title, "OPEN FILE (WAV and MP3)");
    EXPECT_EQ(dialog.requests[1].initial_folder, platform::with_separator(dir.folder()));
    EXPECT_EQ(app.state.display_source_name, song);
    EXPECT_TRUE(app.state.reading_path.empty());
}

TEST_F(MainLoop, WithoutADialogTheOpenRequestCountsAsCancelled) {
    Application bare(view, fp.services());
    bare.state = app.state;
    bare.state.display_source_name = bare.state.source_path = "/music/old.wav";
    bare.state.open_request = 1;
    bare.open_one_file();
    EXPECT_EQ(bare.state.display_source_name, "/music/old.wav");
    EXPECT_EQ(bare.state.open_request, 0);
}

TEST_F(MainLoop, TheCloseButtonEndsTheProgramInEveryWait) {
    // the selection screen
    press(0.5, 660, 258, 1);
    window.key_at(1.5, platform::KEY_CLOSE);
    exits_by_close([&] { app.main_loop(); });
    // the output format field held down
    fp.processes.installed["lame"] = "/usr/bin/lame";
    window.pointer_at(now() + 0.5, 760, 316, 2);
    window.pointer_at(now() + 50.0, 760, 316, 0);
    window.key_at(now() + 1.5, platform::KEY_CLOSE);
    exits_by_close([&] { app.main_loop(); });
    EXPECT_LT(now(), 100.0);
    // the refusal hint of a result name
    dialog.answers = {"/music/song---copy.wav"};
    window.key_at(now() + 0.5, "o");
    window.key_at(now() + 5.0, platform::KEY_CLOSE);
    exits_by_close([&] { app.main_loop(); });
    EXPECT_EQ(app.state.hint.line1, " Datei wurde vermutlich bereits bearbeitet.");
}

TEST_F(MainLoop, TheInfoButtonShowsTheHelpAndThePointerComesBack) {
    press(0.5, 760, 36, 1);
    for (int page = 1; page <= 6; ++page) window.key_at(1.0 + 0.5 * page, "k");  // six pages turned
    run_for(5.0);
    EXPECT_EQ(app.state.help_request, 0);
    EXPECT_TRUE(window.pointer_visible());
    // From the window's edge the pointer comes back inside.
    window.pointer_at(now(), 799, 300);
    app.state.help_request = 1;
    for (int page = 1; page <= 6; ++page) window.key_at(now() + 0.3 * page, "k");
    run_for(2.5);
    EXPECT_EQ(app.state.help_request, 0);
    ASSERT_FALSE(window.pointer_moves().empty());
    EXPECT_EQ(window.pointer_moves().back(), std::make_pair(100, 100));
}

}  // namespace
}  // namespace sc
