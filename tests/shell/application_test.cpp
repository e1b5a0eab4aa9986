#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "settings/parameter_steps.h"
#include "shell/application.h"
#include "shell/startup_paths.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

using test::FakePlatform;
using test::EventView;
using test::TempDir;

bool exists(const std::string& p) { return std::filesystem::exists(p); }

TEST(StartupPaths, FoldersComeFromTheProgramPathAndTheEnvironment) {
    EXPECT_EQ(program_folder_of("/opt/tools/x"), "/opt/tools/");
    EXPECT_EQ(program_folder_of("/x"), "/");
    EXPECT_EQ(drive_root_of("/opt/tools/x"), "/");

    test::FakeEnvironment env;
    EXPECT_EQ(temporary_folder_from(env), "/tmp/");
    env.vars["TMPDIR"] = "/var/tmp";
    EXPECT_EQ(temporary_folder_from(env), "/var/tmp/");
    env.vars["TEMP"] = "/scratch/";
    EXPECT_EQ(temporary_folder_from(env), "/scratch/");
}

TEST(Startup, FillsTheStateAndShowsThePanelOfTheStartPreset) {
    FakePlatform fp;
    fp.env.vars["TEMP"] = "/scratch";
    fp.processes.installed["lame"] = "/usr/bin/lame";
    EventView view;
    Application app(view, fp.services());
    app.params.OUTFORMAT = 5;
    app.params.KOMPR_BYPASS = 1;
    app.startup({});

    const auto& s = app.state;
    EXPECT_EQ(s.program_path, "/opt/tools/sonoclamper");
    EXPECT_EQ(s.program_folder, "/opt/tools/");
    EXPECT_EQ(s.program_drive_root, "/");
    EXPECT_EQ(s.last_used_folder, "/");
    EXPECT_EQ(s.temporary_folder, "/scratch/");
    EXPECT_EQ(s.encoder_path, "/usr/bin/lame");
    EXPECT_EQ(s.mp3_buffer_wav, "/opt/tools/000-SONOCLAMPER-MP3-BUFFER.WAV");
    EXPECT_EQ(s.rehearsal_file, "/scratch/000-SONOCLAMPER-Rehearsal.WAV");
    EXPECT_EQ(s.LANGUAGE, LANGUAGE_DE);
    EXPECT_EQ(s.window_title, " SONOCLAMPER | DYNAMIC-PROCESSOR | D45a");
    EXPECT_TRUE(s.display_source_name.empty());
    EXPECT_EQ(app.params.OUTFORMAT, 1);
    EXPECT_EQ(app.params.KOMPR_BYPASS, 0);
    EXPECT_EQ(snap_INPUTGAIN(app.params), 4);  // VOC_soft
    EXPECT_EQ(app.params.KOMPR_THRBASS, amplitude_of_db(-10));

    ASSERT_GE(view.events.size(), 3u);
    EXPECT_EQ(view.events[0], "title:  SONOCLAMPER | DYNAMIC-PROCESSOR | D45a");
    EXPECT_EQ(view.events[1], "open screen");
    EXPECT_EQ(view.events.back(), "panel");
    // pauses cost no real time
    EXPECT_GT(fp.clock.timer(), 0.1);
}

TEST(Presets, TheRedrawSnapsTheLimiterThresholdButDoesNotRebuildItsCurve) {
    FakePlatform fp;
    EventView view;
    Application app(view, fp.services());
    app.startup({});
    // VOC_soft stores 29152; the curve is built from it: round(floor(29152 / 8) / 4)
    EXPECT_EQ(app.engine.curves().limiter_threshold(), 911);
    // the redraw leaves the whole -1 dB, which alone would give 912
    EXPECT_EQ(app.params.LIMI_THR, amplitude_of_db(-1));
    app.SETUP_SN_KONT();  // 16384, -6 dB
    EXPECT_EQ(app.engine.curves().limiter_threshold(), 512);
    EXPECT_EQ(app.engine.times().sample_rate, 44100);
    // the filters are designed by the job (and by the filter switches), not by a preset
    EXPECT_EQ(app.engine.equalizer().N(), 0);
    app.EQ_FILTERBESTIMMEN();
    EXPECT_EQ(app.engine.equalizer().N(), 300);  // the 160 Hz band is the deepest one here
}

TEST(Startup, TheEncoderPathNamesTheProgramFolderWhenLameIsMissing) {
    FakePlatform fp;
    EventView view;
    Application app(view, fp.services());
    app.startup({});
    EXPECT_EQ(app.state.encoder_path, "/opt/tools/" + platform::program_file_name("lame"));
}

TEST(OrderlyExit, RemovesTheWorkFilesAndEndsWithZero) {
    TempDir dir;
    FakePlatform fp;
    fp.env.vars["TEMP"] = dir.folder();
    fp.env.program = dir.path("sonoclamper");
    EventView view;
    Application app(view, fp.services());
    app.startup({});
    app.state.buffer_path = dir.write("song---copy.WAV.buf", "x");
    const std::string mp3 = dir.write("000-SONOCLAMPER-MP3-BUFFER.WAV", "x");
    const std::string rehearsal = dir.write("000-SONOCLAMPER-Rehearsal.WAV", "x");
    const std::string source = dir.write("song.wav", "x");
    const std::string older = dir.write("song---copy.WAV", "x");
    ASSERT_EQ(app.state.mp3_buffer_wav, mp3);
    ASSERT_EQ(app.state.rehearsal_file, rehearsal);

    try {
        app.ORDENTLICH_ENDE();
        FAIL() << "the orderly exit returned";
    } catch (const ProgramExit& e) {
        EXPECT_EQ(e.code, 0);
    }
    EXPECT_FALSE(exists(app.state.buffer_path));
    EXPECT_FALSE(exists(mp3));
    EXPECT_FALSE(exists(rehearsal));
    EXPECT_TRUE(exists(source));
    EXPECT_TRUE(exists(older));
}

TEST(Startup, ALeftoverRehearsalFileIsRemoved) {
    TempDir dir;
    FakePlatform fp;
    fp.env.vars["TEMP"] = dir.folder();
    const std::string rehearsal = dir.write("000-SONOCLAMPER-Rehearsal.WAV", "x");
    EventView view;
    Application app(view, fp.services());
    app.startup({});
    EXPECT_FALSE(exists(rehearsal));
}

TEST(Startup, AnOwnWorkFolderLeavesTheSharedWorkFilesAlone) {
    TempDir dir;
    FakePlatform fp;
    fp.env.vars["TEMP"] = dir.folder();
    const std::string shared = dir.write("000-SONOCLAMPER-Rehearsal.WAV", "a window's");
    std::filesystem::create_directories(dir.path("own"));
    EventView view;
    Application app(view, fp.services());
    app.use_own_work_folder(dir.path("own"));
    app.startup({});
    EXPECT_EQ(test::read_file(shared), "a window's");
    EXPECT_EQ(app.state.rehearsal_file, dir.path("own") + "/000-SONOCLAMPER-Rehearsal.WAV");
    EXPECT_EQ(app.state.mp3_buffer_wav, dir.path("own") + "/000-SONOCLAMPER-MP3-BUFFER.WAV");
    EXPECT_EQ(app.state.mp3_buffer_override, app.state.mp3_buffer_wav);
    // and the orderly exit removes only its own
    dir.write("own/000-SONOCLAMPER-Rehearsal.WAV", "its own");
    EXPECT_THROW(app.ORDENTLICH_ENDE(), ProgramExit);
    EXPECT_FALSE(exists(app.state.rehearsal_file));
    EXPECT_EQ(test::read_file(shared), "a window's");
}

TEST(RunTimeErrors, ABufferFileErrorShowsItsCauseInTheBox) {
    FakePlatform fp;
    EventView view;
    Application app(view, fp.services());
    app.startup({});
    app.state.error_context = 1;
    view.events.clear();
    app.run_time_error(RunTimeError{"cannot create /m/x.buf: Permission denied", "Permission denied"});
    ASSERT_FALSE(view.events.empty());
    EXPECT_NE(view.events[0].find("[OK - Please restart.] [ Permission denied]"), std::string::npos) << view.events[0];
}

TEST(RunTimeErrors, ABufferFileErrorRestartsWithTheStartPresetAndNoFile) {
    FakePlatform fp;
    EventView view;
    Application app(view, fp.services());
    app.startup({});
    app.SETUP_MUSICHARD();
    app.state.source_path = app.state.display_source_name = "/music/song.wav";
    app.state.error_context = 1;
    view.events.clear();

    app.run_time_error(RunTimeError{"cannot create"});

    ASSERT_FALSE(view.events.empty());
    EXPECT_EQ(view.events[0],
              "alert: [Error] [Copy Filename ist probably protectet.] [Or Disc full/not available.] "
              "[Copy Dateiname ist geschützt.] [Oder Speichermedium voll/entfernt.] [OK - Please restart.]");
    EXPECT_EQ(view.events.back(), "panel");
    EXPECT_TRUE(app.state.display_source_name.empty());
    EXPECT_TRUE(app.state.source_path.empty());
    EXPECT_EQ(app.state.error_context, 0);
    EXPECT_EQ(app.params.INPUTAUTO, 0);  // VOC_soft again, not MUS_hard
    EXPECT_EQ(app.params.KOMPR_THRBASS, amplitude_of_db(-10));
}

TEST(RunTimeErrors, AnUnknownErrorShowsItsBoxAndEndsInOrder) {
    FakePlatform fp;
    EventView view;
    Application app(view, fp.services());
    app.startup({});
    view.events.clear();
    EXPECT_THROW(app.run_time_error(RunTimeError{"42"}), ProgramExit);
    ASSERT_EQ(view.events.size(), 1u);
    EXPECT_NE(view.events[0].find(" An Error occured. Unbekannter Fehler."), std::string::npos);
    EXPECT_NE(view.events[0].find(" Error in Line 42"), std::string::npos);
}

TEST(Hints, TheTipIsShownOnceThenCleared) {
    FakePlatform fp;
    EventView view;
    Application app(view, fp.services());
    app.state.hint.tip = "tip";
    app.state.hint.tip_row = 20;
    app.hint(" one", " two", 1);
    EXPECT_EQ(view.events.back(), "hint1:  one |  two");
    EXPECT_TRUE(app.state.hint.tip.empty());
    app.state.batch_running = 1;
    app.hint(" three", "", 2);
    EXPECT_EQ(view.events.back(), "hint2 batch:  three | ");
}

}  // namespace
}  // namespace sc
