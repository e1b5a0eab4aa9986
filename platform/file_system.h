// Files as the program uses them: byte-addressed reads and writes with
// length, create, delete, rename and directory search.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sc::platform {

class File {
public:
    virtual ~File() = default;
    virtual uint64_t length() = 0;
    // Reads up to n bytes at byte offset pos (0-based); returns the count read,
    // short at the end of the file.
    virtual std::size_t read_at(uint64_t pos, void* buf, std::size_t n) = 0;
    // Appends n bytes at the write position (the end for a new file).
    virtual bool write(const void* buf, std::size_t n) = 0;
    // Writes n bytes at byte offset pos.
    virtual bool write_at(uint64_t pos, const void* buf, std::size_t n) = 0;
    // Flushes and closes; false when the data did not reach the disk.
    virtual bool close() = 0;
    // Forces what was written onto the disk (fsync); false when it failed.
    virtual bool sync() { return true; }
    // The errno value of the last failed call on this file, 0 when none.
    virtual int last_error() const { return 0; }
};

enum class OpenMode {
    Read,            // existing file, read only
    CreateTruncate,  // new or truncated file for output
    ReadWrite,       // existing file for reading and writing in place
    ReadWriteCreate, // as ReadWrite, created empty when missing
    CreateLocked     // a new file only, for reading and writing: never an existing
                     // name or a link; locked against other processes while open
};

// What a name in the file system stands for (links followed; a link that
// leads nowhere is Other).
enum class FileKind { Missing, Regular, Folder, Other };

// The outcome of removing a work file that another process may hold.
enum class RemoveResult { Removed, Missing, Locked, Failed };

// A file opened with the reason of a failure.
struct Opened {
    std::unique_ptr<File> file;
    int error = 0;  // errno value when file is null
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // nullptr when the file cannot be opened in that mode.
    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Directory search with wildcards (* and ?) in the last component: the
    // name (last component only) of the first match, or nothing.
    virtual std::optional<std::string> find_first(const std::string& pattern) = 0;
    // All names in folder matching the wildcard pattern, in directory order.
    virtual std::vector<std::string> list(const std::string& folder, const std::string& pattern) = 0;

    // open() with the reason of a failure. Read opens never wait (a pipe or a
    // device is refused with ENODEV, a folder with EISDIR); CreateLocked fails
    // with EEXIST while any file, link or locked file holds the name.
    virtual Opened open_checked(const std::string& path, OpenMode mode) {
        Opened r{open(path, mode), 0};
        if (!r.file) r.error = EIO;
        return r;
    }
    // The kind of file path names (the literal name, no wildcards).
    virtual FileKind kind(const std::string& path) {
        return find_first(path) ? FileKind::Regular : FileKind::Missing;
    }
    // Removes path unless another process holds its lock (a file opened with
    // CreateLocked): then Locked, and the file stays.
    virtual RemoveResult remove_unless_locked(const std::string& path) {
        if (kind(path) == FileKind::Missing) return RemoveResult::Missing;
        return remove(path) ? RemoveResult::Removed : RemoveResult::Failed;
    }
    // Whether an existing file at path may be replaced by a new one: the user
    // may write it (a file without any write permission counts as protected,
    // also for the superuser), it is not immutable or append-only, and it is
    // no folder.
    virtual bool may_replace(const std::string& /*path*/) { return true; }
    // rename() with the errno value of a failure, 0 on success. An existing
    // file at `to` is replaced in one step.
    virtual int rename_checked(const std::string& from, const std::string& to) {
        return rename(from, to) ? 0 : EIO;
    }
    // Forces the entry of path in its folder onto the disk (fsync of the
    // folder); false when it failed.
    virtual bool sync_folder(const std::string& /*path*/) { return true; }
    // Creates the folder and the missing folders above it (for the user
    // only); true when the folder is there afterwards.
    virtual bool create_folders(const std::string& /*path*/) { return false; }
};

// The system's words for an errno value (strerror, thread-safe).
std::string error_text(int error);

// The real file system of this machine.
FileSystem& real_file_system();

// Wildcard match of one name against a pattern with * and ?, ignoring case
// when fold_case is set.
bool wildcard_match(const std::string& pattern, const std::string& name, bool fold_case);

}  // namespace sc::platform
