// A file of the job that cannot be created, written or renamed. It ends the
// job through the program's run-time error handler, which tells the cases
// apart by the error context of the program state.
#pragma once

#include <stdexcept>
#include <string>

namespace sc {

struct FileError : std::runtime_error {
    std::string path;
    FileError(const std::string& what, std::string p) : std::runtime_error(what + ": " + p), path(std::move(p)) {}
};

}  // namespace sc
