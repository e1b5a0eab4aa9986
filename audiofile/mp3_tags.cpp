#include "audiofile/mp3_tags.h"

namespace sc {

std::string tag_tail(const std::string& bytes, uint64_t file_length) {
    if (file_length >= TAG_TAIL_BYTES) return bytes.substr(bytes.size() - TAG_TAIL_BYTES);
    // n = length + 1: the tail reaches one byte before the file
    return std::string(1, '\0') + bytes;
}

std::vector<std::string> tags_to_append(const std::string& tail) {
    std::vector<std::string> out;
    const std::size_t n = tail.size();
    const std::string t = n >= 128 ? tail.substr(n - 128) : tail;
    // "at or after tail position n - 133 (1-based)": the last 134 bytes
    const std::size_t near_end = n > 134 ? n - 134 : 0;
    const bool ape_near_end = tail.find("APETAGEX", near_end) != std::string::npos;
    if (t.size() == 128 && t.compare(0, 3, "TAG") == 0 && !ape_near_end) out.push_back(t);
    const std::size_t ape = tail.find("APETAGEX");
    if (ape != std::string::npos && tail.find("GAIN") == std::string::npos) out.push_back(tail.substr(ape));
    return out;
}

bool copy_mp3_tags(platform::FileSystem& fs, const std::string& source, const std::string& mp3) {
    auto in = fs.open(source, platform::OpenMode::Read);
    if (!in) return false;
    const uint64_t length = in->length();
    const std::size_t want = length >= TAG_TAIL_BYTES ? TAG_TAIL_BYTES : static_cast<std::size_t>(length);
    std::string bytes(want, '\0');
    if (want > 0 && in->read_at(length - want, bytes.data(), want) != want) return false;
    in.reset();
    const std::vector<std::string> tags = tags_to_append(tag_tail(bytes, length));
    if (tags.empty()) return true;
    auto out = fs.open(mp3, platform::OpenMode::ReadWrite);
    if (!out) return false;
    uint64_t end = out->length();
    for (const auto& tag : tags) {
        if (!out->write_at(end, tag.data(), tag.size())) return false;
        end += tag.size();
    }
    return out->close();
}

}  // namespace sc
