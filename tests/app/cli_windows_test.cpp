// The real sonoclamper.exe run from the tests on Windows (where the process
// tests' POSIX shell and sox are not there): names with spaces and umlauts
// through the command line, the exit statuses, the program's answer to
// Ctrl+Break.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/desktop_file_dialog.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/utf8_path.h"
#include "platform/win32_text.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

namespace fs = std::filesystem;

// seconds of a stereo 16-bit 44100 Hz tone that rises and falls
std::string tone(double seconds) {
    const int frames = static_cast<int>(seconds * 44100);
    std::string data;
    for (int i = 0; i < frames; ++i) {
        const double level = 3000 + 20000 * std::abs(std::sin(i * 3.0 / 44100));
        const auto v = static_cast<int16_t>(level * std::sin(i * 2 * M_PI * 440 / 44100));
        for (int c = 0; c < 2; ++c) data += test::u16le(static_cast<uint16_t>(v));
    }
    return test::canonical_wav({}, 0).substr(0, 40) + test::u32le(static_cast<uint32_t>(data.size())) + data;
}

class WindowsCli : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string folder = dir.path("Grüße aus Köln");

    void SetUp() override { fs::create_directories(platform::path_of(folder)); }
    std::string in_folder(const std::string& name) { return folder + "\\" + name; }
    void write(const std::string& path, const std::string& bytes) {
        auto f = platform::real_file_system().open(path, platform::OpenMode::CreateTruncate);
        ASSERT_TRUE(f && f->write(bytes.data(), bytes.size()) && f->close());
    }
    std::string read(const std::string& path) {
        auto f = platform::real_file_system().open(path, platform::OpenMode::Read);
        if (!f) return {};
        std::string bytes(f->length(), '\0');
        bytes.resize(f->read_at(0, bytes.data(), bytes.size()));
        return bytes;
    }
    int run(const std::vector<std::string>& args) { return platform::real_processes().run(SONOCLAMPER_BIN, args); }
};

TEST_F(WindowsCli, NamesWithSpacesAndUmlautsAreProcessedBesideTheSource) {
    const std::string source = in_folder("Lied mit Ümlaut & Ä's.wav");
    write(source, tone(6));
    ASSERT_EQ(run({"--process", "--preset", "MUS_soft", source}), 0);
    const std::string result = read(in_folder("Lied mit Ümlaut & Ä's---copy.WAV"));
    ASSERT_GT(result.size(), 44u);
    EXPECT_EQ(result.substr(0, 4), "RIFF");
    EXPECT_EQ(read(source), tone(6));  // the source stays as it was
}

TEST_F(WindowsCli, ExitStatusesAndTheStandardOutput) {
    std::string out;
    EXPECT_EQ(platform::run_capturing(SONOCLAMPER_BIN, {"--version"}, out), 0);
    EXPECT_NE(out.find("0.1"), std::string::npos);
    EXPECT_EQ(run({"--process", "--preset", "NO_such_preset", in_folder("x.wav")}), 2);
    EXPECT_EQ(run({"--process", in_folder("missing.wav")}), 1);
}

// lame.exe is found on PATH under its Windows name and run (here a stand-in
// that refuses the decoder's options); without it the program says it is
// missing.
TEST_F(WindowsCli, TheEncoderIsLameExeOnThePath) {
    const std::string mp3 = in_folder("song.mp3");
    write(mp3, std::string(4000, 'x'));
    std::string out;
    platform::run_capturing(SONOCLAMPER_BIN, {"--process", "--json", "--lang", "en", mp3}, out);
    EXPECT_NE(out.find("needs the program lame"), std::string::npos) << out;

    const std::string tools = dir.path("tools");
    fs::create_directories(tools);
    fs::copy_file(SONOCLAMPER_BIN, tools + "\\lame.exe");
    const std::string path = platform::real_environment().get("PATH").value_or("");
    platform::set_environment_variable("PATH", tools + ";" + path);
    platform::run_capturing(SONOCLAMPER_BIN, {"--process", "--json", "--lang", "en", mp3}, out);
    platform::set_environment_variable("PATH", path);
    EXPECT_NE(out.find("lame could not decode"), std::string::npos) << out;
}

// Ctrl+Break reaches every program of the console process group; the job
// stops as on STOP, leaves no buffer and the program ends with 128 + 15.
// (Where the system sends no such events, the platform test hands the
// events to the handler itself.)
TEST_F(WindowsCli, CtrlBreakEndsTheJobInOrder) {
    const std::string source = in_folder("long song.wav");
    write(source, tone(240));
    std::wstring line = platform::quoted_argument(platform::widen(SONOCLAMPER_BIN)) + L" --process " +
                        platform::quoted_argument(platform::widen(source));
    ::AllocConsole();  // (where the tests run without one) for the child to share
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP, nullptr,
                                 nullptr, &start, &child));
    // once the job is under way
    const std::string buffer = in_folder("long song---copy.WAV.buf");
    for (int i = 0; i < 200 && platform::real_file_system().kind(buffer) == platform::FileKind::Missing; ++i) ::Sleep(20);
    if (!::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, child.dwProcessId)) {
        ::TerminateProcess(child.hProcess, 1);
        ::CloseHandle(child.hProcess);
        ::CloseHandle(child.hThread);
        GTEST_SKIP() << "the system sends no console events here (Wine without a terminal)";
    }
    ASSERT_EQ(::WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(child.hProcess, &code);
    ::CloseHandle(child.hProcess);
    ::CloseHandle(child.hThread);
    EXPECT_EQ(code, 128u + 15u);
    EXPECT_EQ(platform::real_file_system().kind(buffer), platform::FileKind::Missing);
    EXPECT_EQ(platform::real_file_system().kind(in_folder("long song---copy.WAV")), platform::FileKind::Missing);
}

}  // namespace
}  // namespace sc
