#include "audiofile/file_exists.h"

#include <algorithm>
#include <cctype>

#include "settings/text.h"

namespace sc {

namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

int16_t DATEI_VORHANDEN(const std::string& path, ProgramState& state, platform::FileSystem& fs) {
    state.file_exists = 0;
    if (path.empty() || path.front() != '/' || utf8_length(path) <= 6) return 0;
    const std::string name = path.substr(path.rfind('/') + 1);
    if (name.empty() || name.find_first_of("*?") != std::string::npos) return 0;
    const auto found = fs.find_first(path);
    if (found && upper(*found) == upper(name)) state.file_exists = 1;
    return state.file_exists;
}

}  // namespace sc
