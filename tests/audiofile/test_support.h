// Helpers for the audio file tests: WAV files built byte by byte, a view
// that records what it is asked to show, a temporary folder, and a file
// system whose remove() fails for chosen paths.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "audiofile/source_checks.h"
#include "audiofile/source_format.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "settings/program_state.h"
#include "settings/view.h"

namespace sc::test {

std::string u32le(uint32_t v);
std::string u16le(uint32_t v);

struct FmtFields {
    int tag = 1;
    int channels = 2;
    uint32_t rate = 44100;  // all 32 bits are written
    int bits = 16;
    uint32_t size = 16;     // size field; the body gets max(size, 16) bytes
};

// One chunk: id, size field (the body length unless given), body.
std::string chunk(const std::string& id, const std::string& body);
std::string chunk_with_size(const std::string& id, uint32_t size_field, const std::string& body);
std::string fmt_chunk(const FmtFields& f);
// A data chunk holding n bytes of a ramp.
std::string data_chunk(uint32_t n);
// "RIFF" + size + "WAVE" + the chunks.
std::string riff_wave(const std::vector<std::string>& chunks);
// The canonical file: 44-byte header, then n data bytes.
std::string canonical_wav(const FmtFields& f, uint32_t data_bytes);
// The canonical file of that many seconds of a stereo sine, 44.1 kHz, 16 bits.
std::string stereo_sine_wav(int seconds);
// "MUSIFILE" (or the given tag) + body offset, padding, then the body.
std::string musifile(const std::string& body, uint32_t offset, const std::string& tag = "MUSIFILE");

class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string folder() const { return dir_.string(); }

private:
    std::filesystem::path dir_;
};

// A name in dir that is no regular file and blocks a plain open for
// reading: a pipe called name (on Windows, which has no pipes among the
// files, the device NUL in that folder). Empty when none could be made.
std::string make_special_file(const TempDir& dir, const std::string& name);

std::string read_file(const std::string& path);
bool exists(const std::string& path);

// Forwards to the real file system; the protected paths can be neither
// removed nor replaced.
class ProtectingFileSystem : public platform::FileSystem {
public:
    std::set<std::string> protected_paths;
    bool fail_create = false;  // creating a file fails (EACCES)

    std::unique_ptr<platform::File> open(const std::string& path, platform::OpenMode mode) override;
    platform::Opened open_checked(const std::string& path, platform::OpenMode mode) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    int rename_checked(const std::string& from, const std::string& to) override;
    std::optional<std::string> find_first(const std::string& pattern) override;
    std::vector<std::string> list(const std::string& folder, const std::string& pattern) override;
    platform::FileKind kind(const std::string& path) override;
    platform::RemoveResult remove_unless_locked(const std::string& path) override;
    bool may_replace(const std::string& path) override;
    bool sync_folder(const std::string& path) override;
};

class RecordingView final : public View {
public:
    std::vector<HintMessage> hints;
    std::vector<bool> hint_batch_flags;
    std::vector<std::pair<std::string, std::string>> infos;
    std::vector<std::vector<std::string>> screens;
    std::vector<int> key_sleeps;
    int redraws = 0;
    int key_drains = 0;

    void blink_hint(const HintMessage& hint, bool batch_running) override {
        hints.push_back(hint);
        hint_batch_flags.push_back(batch_running);
    }
    void info_text(std::string_view l1, std::string_view l2) override { infos.emplace_back(l1, l2); }
    void text_screen(const std::vector<std::string>& lines, bool) override { screens.push_back(lines); }
    void sleep_or_key(int ms) override { key_sleeps.push_back(ms); }
    void wait_no_key() override { ++key_drains; }
    void redraw_panel() override { ++redraws; }
};

// A temporary folder, the program state, a recording view, a virtual clock
// and the real file system.
class FileTest : public ::testing::Test {
protected:
    TempDir dir;
    ProgramState state;
    RecordingView view;
    platform::VirtualClock clock;
    SourceFormat fmt;
    platform::FileSystem& fs = platform::real_file_system();
};

// The two source checks on bytes written to a file of the folder.
class SourceCheckTest : public FileTest {
protected:
    std::optional<LoadReason> load(const std::string& bytes) {
        auto file = fs.open(dir.write("load.wav", bytes), platform::OpenMode::Read);
        return load_time_check(*file, fmt, state, view, clock);
    }
    int16_t job(const std::string& bytes) {
        auto file = fs.open(dir.write("job.wav", bytes), platform::OpenMode::Read);
        return job_start_check(*file, fmt, state, view);
    }
};

}  // namespace sc::test
