#include "tests/audiofile/test_support.h"

namespace sc::test {

std::string make_special_file(const TempDir& dir, const std::string&) { return dir.path("NUL"); }

}  // namespace sc::test
