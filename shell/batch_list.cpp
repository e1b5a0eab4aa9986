#include "shell/batch_list.h"

#include <algorithm>

#include "settings/text.h"
#include "shell/batch_texts.h"
#include "platform/paths.h"

namespace sc {

namespace {

std::string cut_long(const std::string& name, std::size_t tail) {
    if (utf8_length(name) <= 77) return name;
    return utf8_head(name, 10) + "..." + utf8_tail(name, tail);
}

}  // namespace

bool ends_with_extension(const std::string& path, const std::string& extension) {
    return path.size() > extension.size() &&
           to_upper(path.substr(path.size() - extension.size())) == to_upper(extension);
}

ArgumentFiles audio_files_of_arguments(const std::vector<std::string>& args, const std::string& working_folder) {
    ArgumentFiles out;
    for (const std::string& a : args) {
        const bool mp3 = ends_with_extension(a, ".mp3");
        if (!mp3 && !ends_with_extension(a, ".wav")) continue;
        std::string path = a;
        if (!platform::is_absolute_path(path)) {
            const bool dot = path.size() > 2 && path[0] == '.' && platform::is_separator(path[1]);
            const std::string folder = working_folder.empty() ? std::string(1, platform::path_separator()) : working_folder;
            path = platform::with_separator(folder) + (dot ? path.substr(2) : path);
        }
        out.entries.push_back(std::move(path));
        ++(mp3 ? out.mp3_count : out.wav_count);
    }
    return out;
}

bool is_processed_name(const std::string& name) {
    const std::string u = to_upper(name);
    return u.find("-COPY.") != std::string::npos || u.find("3COPY.") != std::string::npos ||
           u.find("-COPY3.") != std::string::npos;
}

std::string folder_of_path(const std::string& path) {
    const auto slash = platform::last_separator(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string batch_file_line(const std::string& path, int index, int count, int16_t language) {
    std::string name = cut_long(path, 63);
    if (count > 1) {
        name += "  (Nr" + std::to_string(std::min(index, count)) + "/" + std::to_string(count) + ")";
        name = cut_long(name, 64);
    }
    return std::string(batch_texts::FILE_LABEL(language)) + pad_right(name, 77);
}

}  // namespace sc
