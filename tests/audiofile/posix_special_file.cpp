#include <sys/stat.h>

#include "tests/audiofile/test_support.h"

namespace sc::test {

std::string make_special_file(const TempDir& dir, const std::string& name) {
    const std::string path = dir.path(name);
    return ::mkfifo(path.c_str(), 0600) == 0 ? path : std::string();
}

}  // namespace sc::test
