#include "tests/audiofile/test_support.h"

#include <cerrno>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

namespace sc::test {

std::string u32le(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(v >> (8 * i));
    return s;
}

std::string u16le(uint32_t v) { return u32le(v).substr(0, 2); }

std::string chunk(const std::string& id, const std::string& body) {
    return chunk_with_size(id, static_cast<uint32_t>(body.size()), body);
}

std::string chunk_with_size(const std::string& id, uint32_t size_field, const std::string& body) {
    return id + u32le(size_field) + body;
}

std::string fmt_chunk(const FmtFields& f) {
    const int block = f.channels * f.bits / 8;
    std::string body = u16le(f.tag) + u16le(f.channels) + u32le(f.rate) + u32le(f.rate * block) + u16le(block) +
                       u16le(f.bits);
    if (f.size > 16) body += std::string(f.size - 16, '\0');
    return chunk_with_size("fmt ", f.size, body);
}

std::string data_chunk(uint32_t n) {
    std::string body(n, '\0');
    for (uint32_t i = 0; i < n; ++i) body[i] = static_cast<char>(i * 7);
    return chunk("data", body);
}

std::string riff_wave(const std::vector<std::string>& chunks) {
    std::string body = "WAVE";
    for (const auto& c : chunks) body += c;
    return "RIFF" + u32le(static_cast<uint32_t>(body.size())) + body;
}

std::string canonical_wav(const FmtFields& f, uint32_t data_bytes) {
    return riff_wave({fmt_chunk(f), data_chunk(data_bytes)});
}

std::string stereo_sine_wav(int seconds) {
    FmtFields f;
    f.channels = 2;
    std::string bytes = canonical_wav(f, static_cast<uint32_t>(44100 * 4 * seconds));
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        const auto v = static_cast<int16_t>(9000 * std::sin(static_cast<double>(i) / 40.0));
        bytes[i] = static_cast<char>(v & 0xFF);
        bytes[i + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    return bytes;
}

std::string musifile(const std::string& body, uint32_t offset, const std::string& tag) {
    std::string head = tag + u32le(offset);
    head.resize(offset, 'm');
    return head + body;
}

TempDir::TempDir() {
    std::random_device rd;
    // short: the messages cut paths to their last 60 or so characters
    dir_ = std::filesystem::temp_directory_path() / ("sc-" + std::to_string(rd() % 100000000 * 100 + rd() % 100));
    std::filesystem::create_directories(dir_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
    const std::string p = path(name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool exists(const std::string& path) { return std::filesystem::exists(path); }

namespace {
platform::FileSystem& real() { return platform::real_file_system(); }
bool creates(platform::OpenMode mode) {
    return mode == platform::OpenMode::CreateTruncate || mode == platform::OpenMode::CreateLocked;
}
}  // namespace

std::unique_ptr<platform::File> ProtectingFileSystem::open(const std::string& path, platform::OpenMode mode) {
    return open_checked(path, mode).file;
}

platform::Opened ProtectingFileSystem::open_checked(const std::string& path, platform::OpenMode mode) {
    if (fail_create && creates(mode)) return {nullptr, EACCES};
    return real().open_checked(path, mode);
}

bool ProtectingFileSystem::remove(const std::string& path) {
    if (protected_paths.count(path)) return false;
    return real().remove(path);
}

bool ProtectingFileSystem::rename(const std::string& from, const std::string& to) {
    return rename_checked(from, to) == 0;
}

int ProtectingFileSystem::rename_checked(const std::string& from, const std::string& to) {
    if (protected_paths.count(to) || protected_paths.count(from)) return EPERM;
    return real().rename_checked(from, to);
}

std::optional<std::string> ProtectingFileSystem::find_first(const std::string& pattern) {
    return real().find_first(pattern);
}

std::vector<std::string> ProtectingFileSystem::list(const std::string& folder, const std::string& pattern) {
    return real().list(folder, pattern);
}

platform::FileKind ProtectingFileSystem::kind(const std::string& path) { return real().kind(path); }

platform::RemoveResult ProtectingFileSystem::remove_unless_locked(const std::string& path) {
    if (protected_paths.count(path)) return platform::RemoveResult::Failed;
    return real().remove_unless_locked(path);
}

bool ProtectingFileSystem::may_replace(const std::string& path) {
    return protected_paths.count(path) == 0 && real().may_replace(path);
}

bool ProtectingFileSystem::sync_folder(const std::string& path) { return real().sync_folder(path); }

}  // namespace sc::test
