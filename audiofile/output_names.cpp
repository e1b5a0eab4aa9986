#include "audiofile/output_names.h"

#include "settings/text.h"
#include "platform/paths.h"

namespace sc {

namespace {

std::string without_last(const std::string& s, std::size_t n) {
    const std::size_t length = utf8_length(s);
    return utf8_head(s, length > n ? length - n : 0);
}

}  // namespace

std::string folder_part(const std::string& path) {
    const auto slash = platform::last_separator(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string file_name_part(const std::string& path) {
    const auto slash = platform::last_separator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string target_name(const std::string& source_path, int16_t outformat, const std::string& output_folder) {
    std::string stem = file_name_part(source_path);
    const std::string up = to_upper(stem);
    // ".wav" alone is a name without an extension
    if (up.size() > 4 && (up.ends_with(".WAV") || up.ends_with(".MP3"))) stem.resize(stem.size() - 4);
    std::string folder = output_folder.empty() ? folder_part(source_path) : output_folder;
    folder = platform::with_separator(folder);
    return folder + stem + (outformat == 1 ? "---copy.WAV" : "--3copy.WAV");
}

std::string buffer_name(const std::string& target) { return target + ".buf"; }

std::string mp3_target_name(const std::string& target) { return without_last(target, 4) + ".MP3"; }

std::string alternative_name(const std::string& name, int n) {
    return without_last(name, 10) + static_cast<char>('A' + n) + utf8_tail(name, 9);
}

bool name_looks_processed(const std::string& path) {
    const std::string name = to_upper(file_name_part(path));
    return name.find("COPY.") != std::string::npos || name.find("COPY3.") != std::string::npos;
}

bool is_result_name(const std::string& path) {
    const std::string name = to_upper(file_name_part(path));
    for (std::size_t at = name.find("COPY."); at != std::string::npos; at = name.find("COPY.", at + 1)) {
        if (at < 3) continue;
        const std::string mark = name.substr(at - 3, 3);
        if (mark == "---" || mark == "--3" || (mark[0] == '-' && mark[1] >= 'A' && mark[1] <= 'U' && (mark[2] == '-' || mark[2] == '3')))
            return true;
    }
    return false;
}

}  // namespace sc
