// The Windows platform layer: command lines quoted by the C runtime's
// rules, UTF-8 names at the wide calls, the lock of a job's file, the path
// rules of drive paths, the console events.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <csignal>
#include <filesystem>

#include "platform/file_system.h"
#include "platform/interruption.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/utf8_path.h"
#include "platform/win32_text.h"

namespace sc::platform {
namespace {

std::vector<std::wstring> split_by_runtime(const std::wstring& line) {
    int n = 0;
    wchar_t** argv = ::CommandLineToArgvW(line.c_str(), &n);
    std::vector<std::wstring> out(argv, argv + n);
    ::LocalFree(argv);
    return out;
}

TEST(Win32CommandLine, EveryArgumentComesBackWhole) {
    const std::vector<std::wstring> args{L"plain", L"two words", L"", L"say \"hi\"", L"ends\\", L"C:\\a b\\",
                                         L"x\\\\\"y", L"tab\there", L"Grüße"};
    std::wstring line = L"prog.exe";
    for (const auto& a : args) line += L" " + quoted_argument(a);
    const auto back = split_by_runtime(line);
    ASSERT_EQ(back.size(), args.size() + 1);
    for (std::size_t i = 0; i < args.size(); ++i) EXPECT_EQ(back[i + 1], args[i]) << i;
    EXPECT_EQ(quoted_argument(L"plain"), L"plain");
}

class Win32Files : public ::testing::Test {
protected:
    std::filesystem::path root = std::filesystem::temp_directory_path() / "sc-win32-test";
    std::string dir = text_of(root) + "\\Grüße ö";
    FileSystem& fs = real_file_system();

    void SetUp() override { std::filesystem::create_directories(path_of(dir)); }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

TEST_F(Win32Files, UmlautNamesOpenListRenameAndGo) {
    const std::string name = dir + "\\Lied Ä.wav";
    auto f = fs.open(name, OpenMode::CreateTruncate);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(f->write("RIFF", 4));
    ASSERT_TRUE(f->write_at(5000000000ULL, "x", 1));  // past 4 GiB
    EXPECT_EQ(f->length(), 5000000001ULL);
    ASSERT_TRUE(f->close());
    EXPECT_EQ(fs.kind(name), FileKind::Regular);
    EXPECT_EQ(fs.kind(dir), FileKind::Folder);
    EXPECT_EQ(fs.find_first(dir + "\\*.WAV"), std::optional<std::string>("Lied Ä.wav"));
    EXPECT_EQ(fs.list(dir, "*.wav"), std::vector<std::string>{"Lied Ä.wav"});
    EXPECT_EQ(fs.rename_checked(name, dir + "\\Ü.wav"), 0);
    char buf[4];
    EXPECT_EQ(fs.open(dir + "\\Ü.wav", OpenMode::Read)->read_at(0, buf, 4), 4u);
    EXPECT_TRUE(fs.remove(dir + "\\Ü.wav"));
    EXPECT_EQ(fs.open_checked(dir + "\\Ü.wav", OpenMode::Read).error, ENOENT);
    EXPECT_EQ(fs.open_checked(dir, OpenMode::Read).error, EISDIR);
    EXPECT_TRUE(fs.create_folders(dir + "\\a\\b"));
    EXPECT_EQ(fs.kind(dir + "\\a\\b"), FileKind::Folder);
}

// A job holds its buffer: another may neither remove nor take it, the job
// itself renames it while it is open.
TEST_F(Win32Files, ALockedBufferStaysUntilItsJobLetsItGo) {
    const std::string buffer = dir + "\\song---copy.WAV.buf";
    auto held = fs.open(buffer, OpenMode::CreateLocked);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(fs.open_checked(buffer, OpenMode::CreateLocked).error, EEXIST);
    EXPECT_EQ(fs.remove_unless_locked(buffer), RemoveResult::Locked);
    EXPECT_EQ(fs.kind(buffer), FileKind::Regular);
    EXPECT_EQ(fs.rename_checked(buffer, dir + "\\song---copy.WAV"), 0);
    held.reset();
    EXPECT_EQ(fs.remove_unless_locked(dir + "\\song---copy.WAV"), RemoveResult::Removed);
    EXPECT_EQ(fs.remove_unless_locked(dir + "\\song---copy.WAV"), RemoveResult::Missing);
}

TEST_F(Win32Files, AReadOnlyFileIsNotReplaced) {
    const std::string name = dir + "\\kept.wav";
    fs.open(name, OpenMode::CreateTruncate)->close();
    ASSERT_TRUE(::SetFileAttributesW(widen(name).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(fs.may_replace(name));
    EXPECT_FALSE(fs.may_replace(dir));
    ::SetFileAttributesW(widen(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(fs.may_replace(name));
}

TEST(Win32Paths, DrivePathsHoldAsTheRulesSay) {
    EXPECT_EQ(drive_root_of("d:\\tools\\x.exe"), "D:\\");
    EXPECT_TRUE(is_examined_file_path("C:\\a.wav"));
    EXPECT_FALSE(is_examined_file_path("C:\\a.w"));
    EXPECT_FALSE(is_examined_file_path("\\\\server\\share\\a.wav"));
    EXPECT_FALSE(is_examined_file_path("a\\b\\c.wav"));
    EXPECT_TRUE(is_absolute_path("Z:\\x"));
    EXPECT_TRUE(is_absolute_path("\\\\server\\share"));
    EXPECT_FALSE(is_absolute_path("x\\y"));
    EXPECT_EQ(last_separator("C:\\a/b\\c"), 6u);
    EXPECT_EQ(with_separator("C:\\a"), "C:\\a\\");
}

class FakeEnvironment final : public Environment {
public:
    std::optional<std::string> get(const std::string& name) override {
        if (name == "APPDATA") return std::string("C:\\Users\\u\\AppData\\Roaming");
        return std::nullopt;
    }
    std::string program_path() override { return {}; }
    std::optional<uint64_t> free_memory() override { return std::nullopt; }
};

TEST_F(Win32Files, TheSetupsFileStaysInTheProgramFolderWhenItTakesFiles) {
    FakeEnvironment env;
    EXPECT_EQ(settings_folder(env, dir + "\\", "sonoclamper"), dir + "\\");
    EXPECT_EQ(settings_folder(env, dir + "\\missing\\", "sonoclamper"), "C:\\Users\\u\\AppData\\Roaming\\sonoclamper\\");
    EXPECT_GT(real_environment().free_memory().value_or(0), 0u);
    EXPECT_NE(real_environment().program_path().find(".exe"), std::string::npos);
}

// The console events are recorded as the signals whose numbers the exit
// status takes; the first one leaves the process running.
TEST(Win32Console, EventsAreRecordedAsTheirSignals) {
    clear_ending_signal();
    EXPECT_TRUE(console_event_received(CTRL_BREAK_EVENT));
    EXPECT_EQ(ending_signal(), SIGTERM);
    clear_ending_signal();
    EXPECT_TRUE(console_event_received(CTRL_C_EVENT));
    EXPECT_EQ(ending_signal(), SIGINT);
    clear_ending_signal();
}

// Ctrl+C reaches the handler on a thread of its own (where the system lets
// a program send it: Wine's consoles without a terminal do not).
TEST(Win32Console, CtrlCIsRecordedAsTheInterruptSignal) {
    ::AllocConsole();  // (where the tests run without one)
    catch_ending_signals();
    clear_ending_signal();
    if (!::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) GTEST_SKIP() << "no console";
    for (int i = 0; i < 200 && ending_signal() == 0; ++i) ::Sleep(10);
    EXPECT_EQ(ending_signal(), SIGINT);
    clear_ending_signal();
}

}  // namespace
}  // namespace sc::platform
