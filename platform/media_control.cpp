#include "platform/media_control.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace sc::platform {

namespace {

uint32_t u32_at(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
uint32_t u16_at(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Words separated by blanks; a word in double quotation marks may hold blanks.
std::vector<std::string> words_of(const std::string& command) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < command.size()) {
        if (command[i] == ' ' || command[i] == '\t') {
            ++i;
            continue;
        }
        if (command[i] == '"') {
            const std::size_t end = command.find('"', i + 1);
            if (end == std::string::npos) return {};  // unbalanced quote: no command
            words.push_back(command.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        std::size_t end = i;
        while (end < command.size() && command[end] != ' ' && command[end] != '\t') ++end;
        words.push_back(command.substr(i, end - i));
        i = end;
    }
    return words;
}

constexpr int kMaxChunks = 64;

}  // namespace

std::optional<PcmLayout> read_pcm_layout(File& file) {
    const uint64_t length = file.length();
    uint8_t head[12];
    if (file.read_at(0, head, 12) != 12) return std::nullopt;
    if (std::string(reinterpret_cast<char*>(head), 4) != "RIFF" ||
        std::string(reinterpret_cast<char*>(head) + 8, 4) != "WAVE")
        return std::nullopt;
    PcmLayout layout;
    bool have_fmt = false;
    uint64_t pos = 12;
    for (int n = 0; n < kMaxChunks && pos + 8 <= length; ++n) {
        uint8_t ch[8];
        if (file.read_at(pos, ch, 8) != 8) return std::nullopt;
        const std::string id(reinterpret_cast<char*>(ch), 4);
        const uint64_t size = u32_at(ch + 4);
        const uint64_t body = pos + 8;
        if (id == "fmt ") {
            uint8_t f[16];
            if (size < 16 || file.read_at(body, f, 16) != 16) return std::nullopt;
            const uint32_t tag = u16_at(f);
            layout.channels = static_cast<int>(u16_at(f + 2));
            layout.sample_rate = static_cast<int>(u32_at(f + 4));
            layout.bits = static_cast<int>(u16_at(f + 14));
            if (tag != 1 && tag != 0xFFFE) return std::nullopt;
            if (layout.channels < 1 || layout.channels > 2) return std::nullopt;
            if (layout.bits != 8 && layout.bits != 16 && layout.bits != 24 && layout.bits != 32) return std::nullopt;
            if (layout.sample_rate < 1000 || layout.sample_rate > 384000) return std::nullopt;
            have_fmt = true;
        } else if (id == "data") {
            if (!have_fmt) return std::nullopt;
            layout.data_offset = body;
            const uint64_t available = length > body ? length - body : 0;
            const uint64_t bytes = std::min<uint64_t>(size, available);
            layout.data_bytes = bytes - bytes % static_cast<uint64_t>(layout.frame_bytes());
            return layout;
        }
        pos = body + size + (size & 1);
    }
    return std::nullopt;
}

bool DeviceMedia::is_open(const std::string& alias) const { return aliases_.count(upper(alias)) != 0; }

std::string DeviceMedia::open(const std::string& path, const std::string& alias) {
    auto file = fs_.open(path, OpenMode::Read);
    if (!file) return "";
    const std::optional<PcmLayout> layout = read_pcm_layout(*file);
    if (!layout) return "";
    Alias& a = aliases_[alias];
    a.voice.reset();
    a.path = path;
    a.layout = *layout;
    return "";
}

int64_t DeviceMedia::position_ms(Alias& a) {
    if (!a.voice || a.layout.sample_rate <= 0) return 0;
    const int64_t frames = std::clamp<int64_t>(a.voice->played_frames(), 0, a.layout.frames());
    return frames * 1000 / a.layout.sample_rate;
}

std::string DeviceMedia::send(const std::string& command) {
    const std::vector<std::string> w = words_of(command);
    if (w.size() < 2) return "";
    const std::string verb = lower(w[0]);
    if (verb == "open") {
        // open "<path>" alias NAME
        if (w.size() < 4 || lower(w[2]) != "alias") return "";
        return open(w[1], upper(w[3]));
    }
    auto it = aliases_.find(upper(w[1]));
    if (it == aliases_.end()) return "";
    Alias& a = it->second;
    if (verb == "close") {
        aliases_.erase(it);  // the voice goes, and with it the sound
        return "";
    }
    if (verb == "set") return "";  // milliseconds are the only time format
    if (verb == "status" && w.size() >= 3) {
        const std::string what = lower(w[2]);
        if (what == "length") return std::to_string(device_.available() ? a.layout.length_ms() : 0);
        if (what == "position") return std::to_string(position_ms(a));
        return "";
    }
    if (verb == "play") {
        if (!device_.available()) return "";
        if (!a.voice) a.voice = device_.open_voice(a.path, a.layout);
        if (a.voice) a.voice->play_from_start();
        return "";
    }
    if (verb == "stop") {
        if (a.voice) a.voice->stop();
        return "";
    }
    return "";
}

}  // namespace sc::platform
