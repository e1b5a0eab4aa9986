// User setups saved in the window, used and listed by the command line.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "audiofile/source_checks.h"
#include "settings/user_setups_file.h"
#include "shell/application.h"
#include "tests/app/cli_test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

using namespace sc::test;

// Four seconds of a stereo tone with a loud piece, canonical header.
void write_tone(const fs::path& p) {
    std::ofstream out(p, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t frames = 4 * 44100, data = frames * 4;
    out << "RIFF";
    u32(36 + data);
    out << "WAVEfmt ";
    u32(16), u16(1), u16(2), u32(44100), u32(44100 * 4), u16(4), u16(16);
    out << "data";
    u32(data);
    for (uint32_t i = 0; i < frames; ++i) {
        const double level = i > 60000 && i < 120000 ? 30000 : 3000;
        const auto v = static_cast<int16_t>(level * std::sin(i * 0.05) + 200 * std::sin(i * 1.3));
        u16(static_cast<uint16_t>(v)), u16(static_cast<uint16_t>(-v));
    }
}

class CliUserSetups : public ProcessTest {
protected:
    fs::path config() const { return dir / "config"; }
    std::string env() const { return "LANG=C LC_ALL= LC_MESSAGES= XDG_CONFIG_HOME=" + config().string(); }
    fs::path setups_file() const { return config() / "sonoclamper" / "SONOCLAMPER-SETUP-308"; }

    // The file as the window saves it: slot 3 and slot 14 with their names.
    ParameterSet write_setups() {
        test::FakePlatform fp;
        test::EventView view;
        Application app(view, fp.services());
        app.apply(PresetId::MUSICHARD);
        app.params.HPF = 150;
        app.params.GATEHIGH = 5;
        app.params.EQ[9] = 6.5f;
        app.params.KOMPR_RATMIDD = 5.0f;
        app.D__DECKELZEIGEN();
        std::string bytes(setups_file::record_at(14) + setups_file::RECORD_LENGTH, '\0');
        bytes[0] = 2;  // English
        const setups_file::Record r3 = setups_file::encode_record("Sprecher hart", app.params);
        const setups_file::Record r14 = setups_file::encode_record("  Podcast", ParameterSet{});
        bytes.replace(setups_file::record_at(3), 120, std::string(r3.begin(), r3.end()));
        bytes.replace(setups_file::record_at(14), 120, std::string(r14.begin(), r14.end()));
        fs::create_directories(setups_file().parent_path());
        std::ofstream(setups_file(), std::ios::binary) << bytes;
        return app.params;
    }
};

TEST_F(CliUserSetups, ListsTheSavedSetups) {
    Outcome r = run("--list-user-setups", env());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "No user setups saved in " + setups_file().string() + "\n");
    write_setups();
    r = run("--list-user-setups", env());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Saved user setups in " + setups_file().string() + ":\n 3  Sprecher hart\n14  Podcast\n");
    EXPECT_EQ(run("--list-user-setups --lang de", env()).out.substr(0, 28), "Gespeicherte User-Setups in ");
}

TEST_F(CliUserSetups, ASetupIsFoundByItsSlotOrItsNameAndAnEmptyOneIsAUsageError) {
    write_setups();
    write_tone(dir / "t.wav");
    EXPECT_EQ(run("--process --quiet --user-setup 3 " + q("t.wav"), env()).status, 0);
    EXPECT_EQ(run("--process --quiet --user-setup podcast " + q("t.wav"), env()).status, 0);
    Outcome r = run("--process --user-setup 4 " + q("t.wav"), env());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "sonoclamper: user setup slot 4 holds no saved setup (--list-user-setups shows them)\n");
    r = run("--process --lang de --user-setup Chor " + q("t.wav"), env());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "sonoclamper: kein gespeichertes User-Setup heißt \"Chor\" (--list-user-setups zeigt sie)\n");
    EXPECT_EQ(run("--process --user-setup", env()).status, 2);
}

TEST_F(CliUserSetups, GivesTheSameResultAsTheWindowAfterLoadingTheSlot) {
    write_setups();
    fs::create_directories(dir / "cli");
    fs::create_directories(dir / "window");
    write_tone(dir / "cli" / "t.wav");
    write_tone(dir / "window" / "t.wav");
    const Outcome r = run("--process --quiet --user-setup 3 " + q("cli/t.wav"), env());
    ASSERT_EQ(r.status, 0) << r.err;

    // The window: start-up, a left click on the slot, START.
    test::FakePlatform fp;
    fp.env.vars["XDG_CONFIG_HOME"] = config().string();
    fp.env.vars["TEMP"] = dir.string();
    test::EventView view;
    Application app(view, fp.services());
    app.startup({});
    app.USER_SETUP_LADEN_UND_ANWENDEN(3);
    app.D__DECKELZEIGEN();
    EXPECT_EQ(app.params.HPF, 150);
    auto& s = app.state;
    s.source_path = s.display_source_name = s.reading_path = (dir / "window" / "t.wav").string();
    s.file_loaded = 1;
    ASSERT_NE(load_source(s.source_path, app.source_format, s, view, fp.services().fs, fp.clock), nullptr);
    app.set_source_channels(app.source_format.channels);
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);

    const std::string window_result = slurp(dir / "window" / "t---copy.WAV");
    ASSERT_GT(window_result.size(), 44u);
    EXPECT_EQ(slurp(dir / "cli" / "t---copy.WAV"), window_result);
    // and the setup made a difference
    ASSERT_EQ(run("--process --quiet " + q("cli/t.wav"), env()).status, 0);
    EXPECT_NE(slurp(dir / "cli" / "t---copy.WAV"), window_result);
}

}  // namespace
}  // namespace sc
