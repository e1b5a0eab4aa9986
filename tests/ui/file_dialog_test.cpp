// The open dialog drawn in the window: its folder model, and the dialog on
// the scripted window driven by keys and the pointer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/keys.h"
#include "platform/scripted_window.h"
#include "settings/program_exit.h"
#include "tests/ui/screen_text.h"
#include "ui/file_dialog_model.h"
#include "ui/file_dialog_view.h"

namespace sc::ui {
namespace {

namespace fs = std::filesystem;
using Outcome = FileDialogModel::Outcome;
using Problem = FileDialogModel::Problem;

const std::string LONG_NAME =
    "Zebra crossing recorded on a rainy Tuesday afternoon with two microphones and a lot of traffic noise.wav";

// A folder of its own for each test, removed afterwards.
class Folder {
public:
    Folder() {
        static std::mt19937_64 random{std::random_device{}()};
        fs::path made;
        do made = fs::temp_directory_path() / ("sc-dialog-" + std::to_string(random() % 1000000000));
        while (!fs::create_directory(made));
        root_ = fs::canonical(made).string();
    }
    ~Folder() {
        std::error_code ec;
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto& e : fs::recursive_directory_iterator(root_, ec)) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }
    std::string path(const std::string& name) const { return root_ + "/" + name; }
    std::string file(const std::string& name) const {
        std::ofstream(path(name)) << "x";
        return path(name);
    }
    std::string folder(const std::string& name) const {
        fs::create_directories(path(name));
        return path(name);
    }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

// a.wav, B.WAV, c.Mp3, notes.txt, a long name, hidden ones, sub/inner.wav.
class Sample : public Folder {
public:
    Sample() {
        for (const char* f : {"a.wav", "B.WAV", "c.Mp3", "notes.txt", ".hidden.wav"}) file(f);
        file(LONG_NAME);
        folder("sub");
        folder(".hiddendir");
        file("sub/inner.wav");
    }
};

platform::FileDialogRequest request(const std::string& folder, int filter = 1) {
    platform::FileDialogRequest r;
    r.title = "Dateien öffnen (WAV und MP3)";
    r.filters = {{"Audio Dateien (*.WAV)", "*.WAV"}, {"Audio Dateien (*.MP3)", "*.MP3"}};
    r.filter_index = filter;
    r.initial_folder = folder;
    return r;
}

std::vector<std::string> names(const FileDialogModel& m) {
    std::vector<std::string> out;
    for (const auto& e : m.entries()) out.push_back(e.name);
    return out;
}

TEST(FileDialogModel, ListsFoldersThenMatchingFilesAndLeavesHiddenOnesOut) {
    Sample dir;
    FileDialogModel m(request(dir.root()), 40);
    EXPECT_EQ(m.folder(), dir.root());
    EXPECT_EQ(names(m), (std::vector<std::string>{"..", "sub", "a.wav", "B.WAV", LONG_NAME}));
    EXPECT_TRUE(m.entries()[0].parent);
    EXPECT_TRUE(m.entries()[1].folder);
    EXPECT_EQ(m.selected(), 2);  // on the first file

    m.next_filter();
    EXPECT_EQ(m.filter_index(), 2);
    EXPECT_EQ(names(m), (std::vector<std::string>{"..", "sub", "c.Mp3"}));
    m.next_filter();
    EXPECT_EQ(m.filter_index(), 1);
    m.set_filter(2);
    EXPECT_EQ(names(m).back(), "c.Mp3");

    FileDialogModel mp3(request(dir.root(), 2), 40);
    EXPECT_EQ(mp3.filter_index(), 2);
    FileDialogModel root(request("/"), 40);
    EXPECT_EQ(root.folder(), "/");
    ASSERT_FALSE(root.entries().empty());
    EXPECT_FALSE(root.entries()[0].parent);
}

TEST(FileDialogModel, WalksIntoFoldersAndBackUp) {
    Sample dir;
    FileDialogModel m(request(dir.root()), 40);
    m.select(1);
    EXPECT_EQ(m.enter(), Outcome::Stay);
    EXPECT_EQ(m.folder(), dir.path("sub"));
    EXPECT_EQ(names(m), (std::vector<std::string>{"..", "inner.wav"}));
    m.backspace();  // nothing typed: the folder above, with the one we came from selected
    EXPECT_EQ(m.folder(), dir.root());
    EXPECT_EQ(m.entries()[static_cast<std::size_t>(m.selected())].name, "sub");
    m.first();
    EXPECT_EQ(m.activate_selected(), Outcome::Stay);  // ".."
    EXPECT_EQ(m.folder(), fs::path(dir.root()).parent_path().string());
}

TEST(FileDialogModel, TypedNamesAndPathsAreResolved) {
    Sample dir;
    FileDialogModel m(request(dir.root()), 40);
    m.type("b.wav");
    EXPECT_EQ(m.enter(), Outcome::Stay);  // names keep their case
    EXPECT_EQ(m.problem(), Problem::NotFound);
    EXPECT_EQ(m.problem_name(), "b.wav");
    m.clear_typed();
    m.type("B.WAV");
    EXPECT_EQ(m.problem(), Problem::None);  // typing again clears the message
    ASSERT_EQ(m.enter(), Outcome::Chosen);
    EXPECT_EQ(m.result(), dir.path("B.WAV"));

    FileDialogModel p(request("/"), 40);
    p.type(dir.path("sub"));
    EXPECT_EQ(p.enter(), Outcome::Stay);
    EXPECT_EQ(p.folder(), dir.path("sub"));
    EXPECT_TRUE(p.typed().empty());
    p.type("../.hidden.wav");  // hidden files can still be named
    ASSERT_EQ(p.enter(), Outcome::Chosen);
    EXPECT_EQ(p.result(), dir.path(".hidden.wav"));

    FileDialogModel e(request(dir.root()), 40);
    e.type("Grüße");
    e.backspace();
    EXPECT_EQ(e.typed(), "Grüß");
}

TEST(FileDialogModel, StartsInTheNearestFolderThatExists) {
    Sample dir;
    FileDialogModel m(request(dir.path("gone/deeper")), 40);
    EXPECT_EQ(m.folder(), dir.root());
    FileDialogModel f(request(dir.path("a.wav")), 40);
    EXPECT_EQ(f.folder(), dir.root());
    FileDialogModel here(request("."), 40);
    EXPECT_EQ(here.folder(), fs::current_path().string());
}

TEST(FileDialogModel, UnreadableFolderIsReportedAndTheListingStays) {
    Sample dir;
    const std::string locked = dir.folder("locked");
    ::chmod(locked.c_str(), 0);
    if (::access(locked.c_str(), R_OK) == 0) GTEST_SKIP() << "permissions do not bind this user";
    FileDialogModel m(request(dir.root()), 40);
    m.type("locked");
    EXPECT_EQ(m.enter(), Outcome::Stay);
    EXPECT_EQ(m.problem(), Problem::Unreadable);
    EXPECT_EQ(m.folder(), dir.root());
    EXPECT_EQ(names(m).size(), 6u);
}

TEST(FileDialogModel, SavingAsksBeforeOverwriting) {
    Sample dir;
    platform::FileDialogRequest r = request(dir.root());
    r.save = true;
    r.default_extension = "WAV";
    FileDialogModel m(r, 40);
    m.type("a.wav");
    EXPECT_EQ(m.enter(), Outcome::Stay);
    EXPECT_EQ(m.problem(), Problem::ConfirmOverwrite);
    EXPECT_EQ(m.confirm(false), Outcome::Stay);
    EXPECT_EQ(m.problem(), Problem::None);
    EXPECT_EQ(m.enter(), Outcome::Stay);
    ASSERT_EQ(m.confirm(true), Outcome::Chosen);
    EXPECT_EQ(m.result(), dir.path("a.wav"));

    FileDialogModel n(r, 40);
    n.type("new");
    ASSERT_EQ(n.enter(), Outcome::Chosen);
    EXPECT_EQ(n.result(), dir.path("new.WAV"));
    FileDialogModel bad(r, 40);
    bad.type("nowhere/new.wav");
    EXPECT_EQ(bad.enter(), Outcome::Stay);
    EXPECT_EQ(bad.problem(), Problem::NotFound);
}

TEST(FileDialogModel, LongNamesAreShortenedInTheMiddle) {
    EXPECT_EQ(shorten_middle("short.wav", 60), "short.wav");
    const std::string s = shorten_middle(LONG_NAME, 60);
    EXPECT_EQ(utf8_length(s), 60u);
    EXPECT_EQ(s.substr(0, 10), LONG_NAME.substr(0, 10));
    EXPECT_NE(s.find("..."), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - 4), ".wav");
    EXPECT_EQ(utf8_length(shorten_middle("äöüäöüäöü", 5)), 5u);
}

// --- on the scripted window -----------------------------------------------------

class DialogWindowTest : public ::testing::Test {
protected:
    DialogWindowTest() {
        view.open_screen();
        view.set_palette_ranges();
        view.attach(params, state);
        view.redraw_panel();
        window.show_now();
    }
    // Keys a quarter second apart from now on.
    void keys(const std::vector<std::string>& ks) {
        double at = window.clock().timer();
        for (const auto& k : ks) window.key_at(at += 0.25, k);
    }
    static std::string key(unsigned char ext) { return platform::extended_key(ext); }
    static std::vector<std::string> typed(const std::string& s) {
        std::vector<std::string> out;
        for (char c : s) out.emplace_back(1, c);
        return out;
    }
    // A left click at the middle of a text cell at time `at`.
    void click(double at, int row, int column) {
        const int x = 8 * (column - 1) + 4, y = 8 * (row - 1) + 4;
        window.pointer_at(at, x, y, 1);
        window.pointer_at(at + 0.05, x, y, 0);
    }
    std::string text(int row, int column, int n) { return test::screen_text(window.shown(), row, column, n); }
    // Runs the dialog; a closing key leaves its picture on the screen. A
    // script that never ends the dialog ends the program after ten minutes.
    std::string run(const platform::FileDialogRequest& r) {
        window.key_at(window.clock().timer() + 600.0, platform::KEY_CLOSE);
        return dialog.choose(r);
    }

    platform::ScriptedWindow window;
    WindowView view{window};
    ParameterSet params;
    ProgramState state;
    DrawnFileDialog dialog{view};
    using L = FileDialogLayout;
};

TEST_F(DialogWindowTest, EscCancelsAndPutsBackWhatWasUnderTheDialog) {
    Sample dir;
    const platform::Framebuffer before = window.shown();
    const int presents = window.presents();
    keys({key(platform::ext::DOWN), std::string(1, platform::KEY_ESC)});
    EXPECT_EQ(run(request(dir.root())), "");
    EXPECT_GT(window.presents(), presents + 1);
    EXPECT_TRUE(window.shown().pixels() == before.pixels());
}

TEST_F(DialogWindowTest, ArrowsPageKeysAndEnterChooseAFile) {
    Sample dir;
    keys({key(platform::ext::DOWN), "\r"});
    EXPECT_EQ(run(request(dir.root())), dir.path("B.WAV"));

    Folder many;
    for (int i = 0; i < 100; ++i) many.file("f" + std::string(i < 10 ? "00" : "0") + std::to_string(i) + ".wav");
    keys({key(platform::ext::PAGE_DOWN), "\r"});
    EXPECT_EQ(run(request(many.root())), many.path("f040.wav"));  // ".." is the first row
    keys({key(platform::ext::END), key(platform::ext::PAGE_UP), key(platform::ext::UP), "\r"});
    EXPECT_EQ(run(request(many.root())), many.path("f058.wav"));
    keys({key(platform::ext::HOME), "\r", std::string(1, platform::KEY_ESC)});
    EXPECT_EQ(run(request(many.root())), "");
}

TEST_F(DialogWindowTest, TabSwitchesTheFilterAndBackspaceLeadsUp) {
    Sample dir;
    keys({std::string(1, platform::KEY_TAB), "\r"});
    EXPECT_EQ(run(request(dir.root())), dir.path("c.Mp3"));
    std::vector<std::string> ks = typed("sub");
    ks.insert(ks.end(), {"\r", "\r"});
    keys(ks);
    EXPECT_EQ(run(request(dir.root())), dir.path("sub/inner.wav"));
    keys({"\b", "\r", "\r"});  // up from sub (which stays selected), into it again, its file
    EXPECT_EQ(run(request(dir.path("sub"))), dir.path("sub/inner.wav"));
}

TEST_F(DialogWindowTest, AWholeTypedPathIsReturnedAsTyped) {
    Sample dir;
    std::vector<std::string> ks = typed(dir.path("sub/inner.wav"));
    ks.push_back("\r");
    keys(ks);
    EXPECT_EQ(run(request("/")), dir.path("sub/inner.wav"));
}

TEST_F(DialogWindowTest, MouseSelectsOpensScrollsAndCancels) {
    Sample dir;
    const double t = window.clock().timer();
    // B.WAV is the fourth row: one click selects, a second one soon after opens.
    click(t + 0.3, L::list_row + 3, 30);
    click(t + 0.6, L::list_row + 3, 30);
    EXPECT_EQ(run(request(dir.root())), dir.path("B.WAV"));

    // Two clicks far apart only select; the OPEN button then opens.
    const double u = window.clock().timer();
    click(u + 0.3, L::list_row + 2, 30);
    click(u + 1.5, L::list_row + 2, 30);
    click(u + 2.0, L::button_row, L::open_column + 3);
    EXPECT_EQ(run(request(dir.root())), dir.path("a.wav"));

    Folder many;
    for (int i = 0; i < 100; ++i) many.file("f" + std::string(i < 10 ? "00" : "0") + std::to_string(i) + ".wav");
    const double v = window.clock().timer();
    window.pointer_at(v + 0.3, 300, 200, 0, -2);  // two wheel steps towards the user: six rows down
    click(v + 0.6, L::list_row, 30);
    click(v + 0.7, L::list_row, 30);
    EXPECT_EQ(run(request(many.root())), many.path("f005.wav"));

    const double w = window.clock().timer();
    click(w + 0.3, L::button_row, L::cancel_column + 2);
    EXPECT_EQ(run(request(dir.root())), "");
    const double x = window.clock().timer();
    click(x + 0.3, L::title_row, L::close_column + 1);
    EXPECT_EQ(run(request(dir.root())), "");
    // The second filter by its field.
    const double y = window.clock().timer();
    click(y + 0.3, L::type_row, L::type_second_column + 4);
    window.key_at(y + 0.6, "\r");
    EXPECT_EQ(run(request(dir.root())), dir.path("c.Mp3"));
}

TEST_F(DialogWindowTest, ShowsTitleFolderAndShortenedNamesButReturnsThemWhole) {
    Sample dir;
    keys({key(platform::ext::END), platform::KEY_CLOSE});
    EXPECT_THROW(run(request(dir.root())), ProgramExit);  // the picture stays as it was
    EXPECT_EQ(text(L::title_row, L::list_column, 28), "Dateien öffnen (WAV und MP3)");
    EXPECT_EQ(text(L::folder_row, L::field_column, static_cast<int>(dir.root().size())), dir.root());
    const std::string shown = text(L::list_row + 4, L::list_column, L::name_width);
    EXPECT_EQ(shown, shorten_middle(LONG_NAME, L::name_width));
    EXPECT_EQ(text(L::list_row + 1, L::mark_column, 8), "<ORDNER>");
    EXPECT_EQ(window.shown().at(8 * (L::list_column - 1) + 1, 8 * (L::list_row + 4 - 1) + 7), 1);  // selected

    keys({key(platform::ext::END), "\r"});
    EXPECT_EQ(run(request(dir.root())), dir.path(LONG_NAME));
}

TEST_F(DialogWindowTest, MissingNameIsReportedInTheDialogInTheWindowLanguage) {
    Sample dir;
    state.LANGUAGE = LANGUAGE_EN;
    std::vector<std::string> ks = typed("nothing.wav");
    ks.insert(ks.end(), {"\r", platform::KEY_CLOSE});
    keys(ks);
    EXPECT_THROW(run(request(dir.root())), ProgramExit);
    EXPECT_EQ(text(L::message_row, L::list_column, 22), "Not found: nothing.wav");
    EXPECT_EQ(text(L::name_row, L::field_column, 12), "nothing.wav_");
}

TEST_F(DialogWindowTest, CloseButtonEndsTheProgramInOrder) {
    Sample dir;
    keys({platform::KEY_CLOSE});
    EXPECT_THROW(run(request(dir.root())), ProgramExit);
    // A handler that does not end the program at once (a job is asked to
    // stop first) still ends the dialog, without a choice.
    bool asked = false;
    view.on_close([&] { asked = true; });
    keys({key(platform::ext::DOWN), platform::KEY_CLOSE});
    EXPECT_EQ(run(request(dir.root())), "");
    EXPECT_TRUE(asked);
}

}  // namespace
}  // namespace sc::ui
