#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <stdexcept>

#include "platform/keys.h"
#include "settings/parameter_steps.h"
#include "settings/user_setups_file.h"
#include "shell/application.h"
#include "shell/user_setups_store.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

using test::read_file;
using test::TempDir;

std::string pad30(const std::string& s) { return s + std::string(30 - s.size(), ' '); }
std::string enter() { return std::string(1, platform::KEY_ENTER); }

// The event view with a keyboard: keys are handed out one per poll; a poll
// with none left fails the test instead of waiting for ever.
class KeyView : public test::EventView {
public:
    std::deque<std::string> keys;
    std::vector<std::string> fields;
    void type(const std::string& chars) {
        for (char c : chars) keys.emplace_back(1, c);
    }
    std::string poll_key() override {
        if (keys.empty()) throw std::runtime_error("the program waits for a key that never comes");
        std::string k = keys.front();
        keys.pop_front();
        return k;
    }
    void setup_name_prompt(std::string_view prompt, std::string_view enter_hint, std::string_view field) override {
        events.push_back("prompt: " + std::string(prompt) + " | " + std::string(enter_hint));
        fields.emplace_back(field);
    }
};

// The real files, with failures on request.
class FlakyFileSystem : public platform::FileSystem {
public:
    bool fail_create = false;
    bool fail_writes = false;
    bool fail_rename = false;
    std::string unreadable;  // this path exists but cannot be opened

    std::unique_ptr<platform::File> open(const std::string& path, platform::OpenMode mode) override {
        if (path == unreadable) return nullptr;
        const bool create = mode == platform::OpenMode::CreateTruncate || mode == platform::OpenMode::CreateLocked;
        if (fail_create && create) return nullptr;
        auto f = real().open(path, mode);
        if (f && fail_writes && create)
            return std::make_unique<FullDiskFile>(std::move(f));
        return f;
    }
    bool remove(const std::string& p) override { return real().remove(p); }
    bool rename(const std::string& a, const std::string& b) override { return !fail_rename && real().rename(a, b); }
    std::optional<std::string> find_first(const std::string& p) override { return real().find_first(p); }
    std::vector<std::string> list(const std::string& f, const std::string& p) override { return real().list(f, p); }
    bool create_folders(const std::string& p) override { return real().create_folders(p); }
    platform::FileKind kind(const std::string& p) override { return real().kind(p); }
    bool may_replace(const std::string& p) override { return real().may_replace(p); }

private:
    // Takes the first 10 bytes, then the disk is full.
    class FullDiskFile : public platform::File {
    public:
        explicit FullDiskFile(std::unique_ptr<platform::File> f) : f_(std::move(f)) {}
        uint64_t length() override { return f_->length(); }
        std::size_t read_at(uint64_t pos, void* buf, std::size_t n) override { return f_->read_at(pos, buf, n); }
        bool write(const void* buf, std::size_t n) override { return fits(n) && f_->write(buf, n); }
        bool write_at(uint64_t pos, const void* buf, std::size_t n) override {
            return fits(n) && f_->write_at(pos, buf, n);
        }
        bool close() override { return f_->close(); }

    private:
        bool fits(std::size_t n) {
            written_ += n;
            return written_ <= 10;
        }
        std::unique_ptr<platform::File> f_;
        std::size_t written_ = 0;
    };
    platform::FileSystem& real() { return platform::real_file_system(); }
};

class UserSetups : public ::testing::Test {
protected:
    UserSetups() { fp.env.vars["XDG_CONFIG_HOME"] = config.folder(); }

    PlatformServices services() { return {fs, fp.clock, fp.env, fp.processes}; }
    std::unique_ptr<Application> started() {
        auto app = std::make_unique<Application>(view, services());
        app->startup({});
        return app;
    }
    std::string file() const { return config.path("sonoclamper/SONOCLAMPER-SETUP-308"); }
    bool file_exists() const { return std::filesystem::exists(file()); }
    void save(Application& app, int slot, const std::string& name) {
        // the field starts with the slot's name: clear it first
        view.keys.assign(30, platform::extended_key(platform::ext::DELETE));
        view.type(name + enter());
        app.USER_SETUP_SPEICHERN(slot);
    }
    std::vector<std::string> infos() const {
        std::vector<std::string> r;
        for (const auto& e : view.events)
            if (e.rfind("info: ", 0) == 0) r.push_back(e.substr(6));
        return r;
    }
    int alerts() const {
        int n = 0;
        for (const auto& e : view.events) n += e.rfind("alert:", 0) == 0;
        return n;
    }
    std::vector<std::string> leftovers() const {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(config.path("sonoclamper")))
            if (e.path().filename() != "SONOCLAMPER-SETUP-308") r.push_back(e.path().filename().string());
        return r;
    }

    TempDir config;
    test::FakePlatform fp;
    FlakyFileSystem fs;
    KeyView view;
};

TEST_F(UserSetups, AFileWithOnlySlot20HoldsItsRecordAt2531) {
    auto app = started();
    EXPECT_FALSE(file_exists());  // reading the names creates nothing
    app->params.GATEMIDD = 4;
    save(*app, 20, "Podcast");

    const std::string bytes = read_file(file());
    ASSERT_EQ(bytes.size(), 2650u);
    const setups_file::Record record = setups_file::encode_record(pad30("Podcast"), app->params);
    EXPECT_EQ(bytes.substr(2530), std::string(record.begin(), record.end()));
    // neither the language, nor the reserved bytes, nor other slots are written
    EXPECT_EQ(bytes.substr(0, 1), std::string(1, '\0'));
    EXPECT_EQ(bytes.substr(100, 2430), std::string(2430, '\0'));
    EXPECT_EQ(app->state.user_setup_names[19], pad30("Podcast"));
    EXPECT_EQ(infos(), (std::vector<std::string>{"Öffne Datei SONOCLAMPER-SETUP-308 zum Speichern | ",
                                                 " Setup ist gespeichert | "}));
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(UserSetups, TheNextStartReadsNamesLanguageAndFolderButNotTheSettings) {
    {
        auto app = started();
        app->apply(PresetId::MUSICHARD);
        save(*app, 5, "Live");
        save(*app, 12, "   ");
        app->state.last_used_folder = "/data/music/";
        app->store_last_used_folder();
        app->state.LANGUAGE = LANGUAGE_EN;
        app->SETUP_SPRACHE_SPEICHERN();
    }
    auto app = started();
    EXPECT_EQ(app->state.user_setup_names[4], pad30("Live"));
    EXPECT_EQ(app->state.user_setup_names[11], pad30("Noname"));
    EXPECT_EQ(app->state.user_setup_names[0], "");
    EXPECT_EQ(app->state.LANGUAGE, LANGUAGE_EN);
    EXPECT_EQ(app->state.last_used_folder, "/data/music/");
    // names only: the start preset stays
    auto voc_soft = std::make_unique<Application>(view, services());
    voc_soft->apply(PresetId::VOICESOFT);
    EXPECT_EQ(app->params, voc_soft->params);
}

TEST_F(UserSetups, TheLanguageIsKeptOnlyOnceTheFileHasContent) {
    {
        auto app = started();
        app->state.LANGUAGE = LANGUAGE_EN;
        app->SETUP_SPRACHE_SPEICHERN();
        EXPECT_FALSE(file_exists());
    }
    EXPECT_EQ(started()->state.LANGUAGE, LANGUAGE_DE);
    {
        auto app = started();
        app->state.last_used_folder = "/srv/";
        app->store_last_used_folder();
        EXPECT_EQ(read_file(file()).size(), 100u);
        app->state.LANGUAGE = LANGUAGE_EN;
        app->SETUP_SPRACHE_SPEICHERN();
    }
    EXPECT_EQ(read_file(file())[0], 2);
    EXPECT_EQ(started()->state.LANGUAGE, LANGUAGE_EN);
}

TEST_F(UserSetups, OnlyFoldersOf3To99CharactersAreStored) {
    auto app = started();
    for (const std::string& folder : {std::string("/a"), "/" + std::string(99, 'x')}) {
        app->state.last_used_folder = folder;
        app->store_last_used_folder();
        EXPECT_FALSE(file_exists()) << folder;
    }
    app->state.last_used_folder = "/" + std::string(97, 'x') + "/";
    app->store_last_used_folder();
    EXPECT_EQ(read_file(file()).substr(1, 99), app->state.last_used_folder);
}

TEST_F(UserSetups, SaveThenLoadGivesBackEveryStoredSettingOfAll27Presets) {
    auto app = started();
    for (const PresetRecord& preset : factory_presets()) {
        const int slot = static_cast<int>(preset.id) % 20 + 1;
        app->apply(preset.id);
        app->params.KOMPR_OUTHIGH = preset.makeup[2] == 1.0f ? 0.0f : preset.makeup[2];  // mute too
        const ParameterSet saved = app->params;
        save(*app, slot, preset.procedure);

        app->apply(preset.id == PresetId::BD_ALLG ? PresetId::VOICEHARD : PresetId::BD_ALLG);
        app->source_format.sample_rate = 48000;
        app->USER_SETUP_LADEN_UND_ANWENDEN(slot);

        ParameterSet expected = saved;
        expected.LEVE_ATT = saved.INPUTAUTO == 2 ? 8000 : 4000;  // times follow the leveler mode
        expected.LEVE_REL = saved.INPUTAUTO == 2 ? 100000 : 60000;
        EXPECT_EQ(app->params, expected) << preset.procedure;
        EXPECT_EQ(app->source_format.sample_rate, 44100);
        EXPECT_EQ(app->state.user_setup_names[slot - 1], pad30(preset.procedure));
    }
    EXPECT_EQ(view.events.back(), "panel");
}

TEST_F(UserSetups, LoadingRebuildsTheLimiterCurveAndKeepsWhatIsNotStored) {
    auto app = started();
    app->apply(PresetId::SN_KONT);  // limiter at -6 dB
    save(*app, 3, "Snare");
    app->apply(PresetId::VOICESOFT);
    app->params.KOMPR_BYPASS = 1;
    app->params.OUTFORMAT = 7;
    app->USER_SETUP_LADEN_UND_ANWENDEN(3);
    // the stored threshold is the whole -6 dB of the panel: round(floor(16423 / 8) / 4)
    EXPECT_EQ(app->engine.curves().limiter_threshold(), 513);
    EXPECT_EQ(app->params.KOMPR_BYPASS, 1);
    EXPECT_EQ(app->params.OUTFORMAT, 7);
    // an empty slot loads nothing
    const ParameterSet before = app->params;
    app->USER_SETUP_LADEN_UND_ANWENDEN(4);
    EXPECT_EQ(app->params, before);
    EXPECT_EQ(app->state.user_setup_names[3], "");
}

TEST_F(UserSetups, EscLeavesWithoutSavingAndTheFieldFollowsTheKeys) {
    auto app = started();
    save(*app, 2, "Old");
    view.fields.clear();
    view.keys = {"N", "e", "w", std::string(1, platform::KEY_ESC)};
    app->USER_SETUP_SPEICHERN(2);
    EXPECT_EQ(app->state.user_setup_names[1], pad30("Old"));
    EXPECT_EQ(read_file(file()).substr(setups_file::record_at(2), 30), pad30("Old"));
    // the field starts with the name, the cursor as "_" on character 1
    ASSERT_FALSE(view.fields.empty());
    EXPECT_EQ(view.fields.front(), pad30("_ld"));
    EXPECT_EQ(view.fields.back(), pad30("New_"));
    EXPECT_NE(view.events.end(), std::find(view.events.begin(), view.events.end(),
                                           "prompt: Tippe Name von User Setup Nr2.  Nur 30 Zeichen.            "
                                           "[Esc] Beenden ohne speichern  | [ENTER] Einstellung speichern."));
    // the umlauts typed on a German keyboard are kept
    view.keys = {"M", "\x81", "l", "l", std::string(1, platform::KEY_BACKSPACE), "e", "r", enter()};
    app->USER_SETUP_SPEICHERN(2);
    EXPECT_EQ(app->state.user_setup_names[1], pad_right("Müler", 30));
    EXPECT_EQ(read_file(file()).substr(setups_file::record_at(2), 6), "M\x81ler ");
}

TEST_F(UserSetups, TheCloseButtonDuringThePromptEndsTheProgram) {
    auto app = started();
    view.keys = {"x", platform::KEY_CLOSE};
    EXPECT_THROW(app->USER_SETUP_SPEICHERN(1), ProgramExit);
    EXPECT_FALSE(file_exists());
}

TEST_F(UserSetups, AWriteProtectedFolderGivesTheMessageAndKeepsTheFile) {
    auto app = started();
    save(*app, 1, "Keep");
    const std::string before = read_file(file());
    view.events.clear();
    fs.fail_create = true;
    save(*app, 2, "Lost");
    EXPECT_EQ(read_file(file()), before);
    const std::string folder = config.path("sonoclamper") + "/";
    EXPECT_EQ(infos().back(), "Schreibschutz von " + folder + " ? |  Speichern nicht möglich!");
    // the name stays in memory for this run
    EXPECT_EQ(app->state.user_setup_names[1], pad30("Lost"));
}

TEST_F(UserSetups, AFullDiskOrAFailedRenameNeverLeavesAShorterFile) {
    auto app = started();
    save(*app, 20, "Long");
    app->state.LANGUAGE = LANGUAGE_EN;
    const std::string before = read_file(file());
    for (int failure = 0; failure < 2; ++failure) {
        fs.fail_writes = failure == 0;
        fs.fail_rename = failure == 1;
        save(*app, 1, "Other");
        app->state.last_used_folder = "/mnt/x/";
        app->store_last_used_folder();
        app->SETUP_SPRACHE_SPEICHERN();
        EXPECT_EQ(read_file(file()), before) << failure;
        EXPECT_TRUE(leftovers().empty()) << failure;
        EXPECT_EQ(infos().back(), "Write-protection of " + config.path("sonoclamper") + "/ ? |  Saving isn't possible.");
    }
}

TEST_F(UserSetups, AWriteProtectedFileIsNotReplaced) {
    auto app = started();
    save(*app, 1, "Keep");
    const std::string before = read_file(file());
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read);
    save(*app, 2, "Lost");
    EXPECT_EQ(read_file(file()), before);
    std::filesystem::permissions(file(), std::filesystem::perms::owner_all);
}

TEST_F(UserSetups, AnUnreadableFileGivesTheAlertAndARestartButNoLoop) {
    auto app = started();
    save(*app, 6, "Six");
    fs.unreadable = file();
    app->apply(PresetId::MUSICHARD);
    view.events.clear();
    try {
        app->USER_SETUP_LADEN_UND_ANWENDEN(6);
        FAIL() << "no run-time error";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(app->state.error_context, 2);
        app->run_time_error(e);
    }
    // one alert: the restart meets the same file and starts without the names
    EXPECT_EQ(alerts(), 1);
    EXPECT_EQ(view.events.front(),
              "alert: [Error] [Trying to open User-Setups-File.] [Or Disc full/not available.] [Fehler] "
              "[Beim Öffnen der User-Setup-Datei.] [OK - Please restart.]");
    EXPECT_EQ(app->state.error_context, 0);
    EXPECT_EQ(app->state.user_setup_names[5], "");
    EXPECT_EQ(snap_INPUTGAIN(app->params), 4);  // VOC_soft again
    // a start with that file shows the alert once and goes on
    view.events.clear();
    auto again = started();
    EXPECT_EQ(alerts(), 1);
    EXPECT_EQ(view.events.back(), "panel");
}

TEST_F(UserSetups, HostileFilesOfAnyLengthLoadInsideTheRanges) {
    auto app = started();
    std::filesystem::create_directories(config.path("sonoclamper"));
    uint32_t x = 12345;
    for (std::size_t length : {1u, 50u, 281u, 300u, 2650u, 5000u}) {
        std::string bytes(length, '\0');
        for (char& c : bytes) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
        for (int slot = 1; slot <= 20; ++slot)
            if (setups_file::record_at(slot) + 30 < length) bytes[setups_file::record_at(slot) + 30] = '3';
        std::FILE* f = std::fopen(file().c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        for (int slot = 1; slot <= 20; ++slot) {
            app->USER_SETUP_LADEN_UND_ANWENDEN(slot);
            const ParameterSet& p = app->params;
            EXPECT_GE(p.KOMPR_RATBASS, 1.0f);
            EXPECT_LE(p.KOMPR_RATBASS, 6.0f);
            EXPECT_GE(p.GATEHIGH, 0);
            EXPECT_LE(p.GATEHIGH, 6);
            EXPECT_TRUE(p.HPF == 0 || p.HPF == 100 || p.HPF == 120 || p.HPF == 150);
            EXPECT_GE(p.LIMI_THR, amplitude_of_db(-6));
            EXPECT_LE(p.LIMI_THR, amplitude_of_db(-1));
            EXPECT_TRUE(app->state.LANGUAGE == 1 || app->state.LANGUAGE == 2);
            EXPECT_EQ(app->state.last_used_folder.front(), '/');
        }
    }
}

TEST_F(UserSetups, AFileOfTheProgramFolderIsTakenOverOnceAtTheFirstStart) {
    TempDir program;
    fp.env.program = program.path("sonoclamper");
    const std::string brought = program.write("SONOCLAMPER-SETUP-308", std::string(1, '\2') + "/old/" + std::string(94, ' '));
    EXPECT_EQ(started()->state.LANGUAGE, LANGUAGE_EN);
    EXPECT_EQ(read_file(file()), read_file(brought));
    // the configuration folder's own file is never replaced
    program.write("SONOCLAMPER-SETUP-308", std::string(1, '\1'));
    EXPECT_EQ(started()->state.LANGUAGE, LANGUAGE_EN);
    EXPECT_EQ(started()->state.last_used_folder, "/old/");
}

TEST(UserSetupsFolder, ConfigurationFolderOfTheUser) {
    test::FakeEnvironment env;
    env.vars.clear();
    EXPECT_EQ(user_setups_folder_from(env, "/opt/sc/"), "/opt/sc/");
    env.vars["HOME"] = "/home/ute";
    EXPECT_EQ(user_setups_folder_from(env, "/opt/sc/"), "/home/ute/.config/sonoclamper/");
    env.vars["XDG_CONFIG_HOME"] = "relative/config";  // not absolute: ignored
    EXPECT_EQ(user_setups_folder_from(env, "/opt/sc/"), "/home/ute/.config/sonoclamper/");
    env.vars["XDG_CONFIG_HOME"] = "/cfg/";
    EXPECT_EQ(user_setups_folder_from(env, "/opt/sc/"), "/cfg/sonoclamper/");
}

TEST(UserSetupsStore, ASaveKeepsTheBytesItDoesNotOwn) {
    TempDir dir;
    std::string old(3000, 'R');
    const std::string path = dir.write("f", old);
    ASSERT_TRUE(patch_setups_file(platform::real_file_system(), dir.folder(), path, {{1, "abc"}, {3010, "z"}}));
    std::string expected = old;
    expected.replace(1, 3, "abc");
    expected += std::string(10, '\0') + "z";
    EXPECT_EQ(read_file(path), expected);
}

}  // namespace
}  // namespace sc
