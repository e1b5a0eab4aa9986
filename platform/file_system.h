// Files as the program uses them: byte-addressed reads and writes with
// length, create, delete, rename and directory search.
#pragma once

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
};

enum class OpenMode {
    Read,            // existing file, read only
    CreateTruncate,  // new or truncated file for output
    ReadWrite,       // existing file for reading and writing in place
    ReadWriteCreate  // as ReadWrite, created empty when missing
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
};

// The real file system of this machine.
FileSystem& real_file_system();

// Wildcard match of one name against a pattern with * and ?, ignoring case
// when fold_case is set.
bool wildcard_match(const std::string& pattern, const std::string& name, bool fold_case);

}  // namespace sc::platform
