#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "audiofile/file_exists.h"
#include "audiofile/load_save_dialog.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

TEST(FileExists, AbsolutePathsNamingSomethingOtherThanAFolder) {
    test::TempDir dir;
    ProgramState state;
    platform::FileSystem& fs = platform::real_file_system();
    const std::string song = dir.write("song.wav", "x");
    EXPECT_EQ(DATEI_VORHANDEN(song, state, fs), 1);
    EXPECT_EQ(state.file_exists, 1);
    EXPECT_EQ(DATEI_VORHANDEN(dir.path("other.wav"), state, fs), 0);
    EXPECT_EQ(state.file_exists, 0);

    EXPECT_EQ(DATEI_VORHANDEN(dir.folder(), state, fs), 0);        // a folder is no file
    EXPECT_EQ(DATEI_VORHANDEN(dir.folder() + "/", state, fs), 0);
    EXPECT_EQ(DATEI_VORHANDEN("", state, fs), 0);
    EXPECT_EQ(DATEI_VORHANDEN("/", state, fs), 0);

    // names are taken literally: "*" and "?" are characters like others
    EXPECT_EQ(DATEI_VORHANDEN(dir.path("*.wav"), state, fs), 0);
    EXPECT_EQ(DATEI_VORHANDEN(dir.path("song.wa?"), state, fs), 0);
    const std::string starred = dir.write("what?*.wav", "x");
    EXPECT_EQ(DATEI_VORHANDEN(starred, state, fs), 1);
    EXPECT_EQ(DATEI_VORHANDEN(dir.path("what??.wav"), state, fs), 0);
    EXPECT_EQ(DATEI_VORHANDEN(dir.path("SONG.WAV"), state, fs), 0);

    // a link that leads nowhere and a pipe are there (to be removed or refused)
    std::filesystem::create_symlink(dir.path("nowhere"), dir.path("dangling.wav"));
    EXPECT_EQ(DATEI_VORHANDEN(dir.path("dangling.wav"), state, fs), 1);
    const std::string pipe = test::make_special_file(dir, "pipe.wav");
    ASSERT_FALSE(pipe.empty());
    EXPECT_EQ(DATEI_VORHANDEN(pipe, state, fs), 1);

    // Relative paths never exist, even when the file is there.
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.folder());
    EXPECT_EQ(DATEI_VORHANDEN("song.wav", state, fs), 0);
    EXPECT_EQ(DATEI_VORHANDEN("./song.wav", state, fs), 0);
    std::filesystem::current_path(here);
}

TEST(FileExists, ShortAbsolutePathsCount) {
    // Short absolute paths, checked without touching the root folder.
    class OneFile final : public test::ProtectingFileSystem {
    public:
        platform::FileKind kind(const std::string& path) override {
            return path == "/a.wav" || path == "/a" ? platform::FileKind::Regular : platform::FileKind::Missing;
        }
    };
    ProgramState state;
    OneFile fs;
    EXPECT_EQ(DATEI_VORHANDEN("/a.wav", state, fs), 1);
    EXPECT_EQ(DATEI_VORHANDEN("/a", state, fs), 1);
    EXPECT_EQ(DATEI_VORHANDEN("/b", state, fs), 0);
}

class ScriptedDialog final : public platform::FileDialog {
public:
    std::vector<platform::FileDialogRequest> requests;
    std::string answer;
    int drains_seen = -1;
    test::RecordingView* view = nullptr;
    std::string choose(const platform::FileDialogRequest& r) override {
        requests.push_back(r);
        drains_seen = view->key_drains;
        return answer;
    }
};

TEST(LoadSaveDialog, TitlesFiltersAndFolders) {
    ProgramState state;
    test::RecordingView view;
    ScriptedDialog dialog;
    dialog.view = &view;
    dialog.answer = "/music/a.wav";
    EXPECT_EQ(LOADSAVEDIALOG(false, 1, "/music/", "", DialogPurpose::Files, state, view, dialog), "/music/a.wav");
    EXPECT_EQ(dialog.drains_seen, 1);  // keys drained before the dialog opens
    const auto& open = dialog.requests[0];
    EXPECT_EQ(open.title, "Dateien öffnen (WAV und MP3)");
    ASSERT_EQ(open.filters.size(), 2u);
    EXPECT_EQ(open.filters[0].label, "Audio Dateien (*.WAV)");
    EXPECT_EQ(open.filters[0].pattern, "*.WAV");
    EXPECT_EQ(open.filters[1].label, "Audio Dateien (*.MP3)");
    EXPECT_EQ(open.filters[1].pattern, "*.MP3");
    EXPECT_EQ(open.initial_folder, "/music/");
    EXPECT_FALSE(open.save);

    dialog.answer = "";
    EXPECT_EQ(LOADSAVEDIALOG(false, 2, "", "", DialogPurpose::WholeFolder, state, view, dialog), "");
    EXPECT_EQ(dialog.requests[1].title, "Ganzer Ordner (WAV oder MP3)");
    EXPECT_EQ(dialog.requests[1].initial_folder, ".");
    EXPECT_EQ(dialog.requests[1].filter_index, 2);

    state.LANGUAGE = LANGUAGE_EN;
    const auto titles = [&](bool save, DialogPurpose p) {
        return dialog_request(save, 1, "", ".WAV", p, state.LANGUAGE);
    };
    EXPECT_EQ(titles(false, DialogPurpose::Files).title, "OPEN FILE (WAV and MP3)");
    EXPECT_EQ(titles(false, DialogPurpose::WholeFolder).title, "Entire folder (WAV or MP3)");
    EXPECT_EQ(titles(false, DialogPurpose::MediaPlayer).title, "Search Windows Media Player (wmplayer.exe)");
    EXPECT_EQ(dialog_request(false, 1, "", "", DialogPurpose::MediaPlayer, LANGUAGE_DE).title,
              "Suche Windows Media Player (wmplayer.exe)");
    const auto save = titles(true, DialogPurpose::Files);
    EXPECT_EQ(save.title, "SAVE FILE");
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.default_extension, ".WAV");
    EXPECT_EQ(titles(false, DialogPurpose::Files).default_extension, "");
    EXPECT_EQ(dialog_request(true, 1, "", "", DialogPurpose::Files, LANGUAGE_DE).title, "Dateien Speichern");
}

}  // namespace
}  // namespace sc
