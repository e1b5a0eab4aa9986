// The user setups file on disk: where it lives, reading its first bytes, and
// writing byte ranges into it so that a failure or a kill never leaves a
// shorter or damaged file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/process.h"

namespace sc {

// The folder of the user setups file, ending with "/":
// $XDG_CONFIG_HOME/sonoclamper/ (when it is an absolute path), else
// $HOME/.config/sonoclamper/, else the program folder.
std::string user_setups_folder_from(platform::Environment& env, const std::string& program_folder);

enum class SetupsFileStatus { Missing, Read, Unreadable };

struct SetupsFileBytes {
    SetupsFileStatus status = SetupsFileStatus::Missing;
    std::string bytes;  // the first bytes of the file, as many as a load looks at
};

// Reads the part of the file that holds the language, the folder and the
// 20 records. A missing file (or a folder of that name) is Missing; one that
// cannot be opened or read is Unreadable.
SetupsFileBytes read_setups_file(platform::FileSystem& fs, const std::string& path);

struct BytePatch {
    std::size_t at = 0;  // byte offset from 0
    std::string bytes;
};

// Writes the patches into the file at path: a new file beside it receives the
// whole content of `base` (the file itself unless given) with the patches on
// top, and is then renamed over the file. Gaps beyond the end read as zero
// bytes. The folder is created when missing. False on any failure; the file
// is then as it was. A file that is there but cannot be written counts as
// a failure too.
bool patch_setups_file(platform::FileSystem& fs, const std::string& folder, const std::string& path,
                       const std::vector<BytePatch>& patches, const std::string& base = {});

}  // namespace sc
