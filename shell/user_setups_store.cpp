#include "shell/user_setups_store.h"

#include <atomic>
#include <random>

#include "platform/paths.h"
#include "settings/user_setups_file.h"

namespace sc {

namespace {

constexpr const char* CONFIG_SUBFOLDER = "sonoclamper";

bool exists(platform::FileSystem& fs, const std::string& path) {
    return fs.kind(path) != platform::FileKind::Missing;
}

// A name beside the file that no other save (of this or another running
// program) uses at the same time.
std::string fresh_name_beside(const std::string& path) {
    static const unsigned long long seed = std::random_device{}();
    static std::atomic<unsigned long long> counter{0};
    return path + ".new" + std::to_string(seed % 1000000) + "-" + std::to_string(++counter);
}

bool copy_content(platform::File& from, platform::File& to) {
    const uint64_t length = from.length();
    std::vector<char> buf(64 * 1024);
    for (uint64_t pos = 0; pos < length;) {
        const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(buf.size(), length - pos));
        const std::size_t got = from.read_at(pos, buf.data(), want);
        if (got != want || !to.write(buf.data(), got)) return false;
        pos += got;
    }
    return true;
}

}  // namespace

std::string user_setups_folder_from(platform::Environment& env, const std::string& program_folder) {
    return platform::settings_folder(env, program_folder, CONFIG_SUBFOLDER);
}

SetupsFileBytes read_setups_file(platform::FileSystem& fs, const std::string& path) {
    SetupsFileBytes r;
    auto file = fs.open(path, platform::OpenMode::Read);
    if (!file) {
        r.status = exists(fs, path) ? SetupsFileStatus::Unreadable : SetupsFileStatus::Missing;
        return r;
    }
    const std::size_t want =
        static_cast<std::size_t>(std::min<uint64_t>(file->length(), setups_file::USED_LENGTH));
    r.bytes.resize(want);
    const std::size_t got = want ? file->read_at(0, r.bytes.data(), want) : 0;
    file->close();
    // (a folder or a device of that name cannot be opened as a file: Unreadable above)
    r.status = got == want ? SetupsFileStatus::Read : SetupsFileStatus::Unreadable;
    if (got != want) r.bytes.clear();
    return r;
}

bool patch_setups_file(platform::FileSystem& fs, const std::string& folder, const std::string& path,
                       const std::vector<BytePatch>& patches, const std::string& base) {
    if (!folder.empty() && !fs.create_folders(folder)) return false;
    // A write-protected file (or a folder of that name) stays as it is.
    if (exists(fs, path) && !fs.may_replace(path)) return false;

    const std::string temp = fresh_name_beside(path);
    auto out = fs.open(temp, platform::OpenMode::CreateLocked);
    if (!out) return false;
    bool ok = true;
    const std::string& from = base.empty() ? path : base;
    if (exists(fs, from)) {
        auto in = fs.open(from, platform::OpenMode::Read);
        ok = in && copy_content(*in, *out);
        if (in) in->close();
    }
    for (const BytePatch& p : patches) {
        if (!ok) break;
        ok = out->write_at(p.at, p.bytes.data(), p.bytes.size());
    }
    ok = ok && out->sync();
    ok = out->close() && ok;
    ok = ok && fs.rename(temp, path);
    if (!ok) fs.remove(temp);
    // The new name on the disk too, so that a power cut finds one of the two files.
    if (ok) fs.sync_folder(path);
    return ok;
}

}  // namespace sc
