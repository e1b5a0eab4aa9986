#include "audiofile/output_names.h"

#include "settings/text.h"

namespace sc {

namespace {

std::string without_last(const std::string& s, std::size_t n) {
    const std::size_t length = utf8_length(s);
    return utf8_head(s, length > n ? length - n : 0);
}

}  // namespace

std::string target_name(const std::string& source_path, int16_t outformat) {
    return without_last(source_path, 4) + (outformat == 1 ? "---copy.WAV" : "--3copy.WAV");
}

std::string buffer_name(const std::string& target) { return target + ".buf"; }

std::string mp3_target_name(const std::string& target) { return without_last(target, 4) + ".MP3"; }

std::string alternative_name(const std::string& name, int n) {
    return without_last(name, 10) + static_cast<char>('A' + n) + utf8_tail(name, 9);
}

}  // namespace sc
