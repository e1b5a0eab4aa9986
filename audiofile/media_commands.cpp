#include "audiofile/media_commands.h"

#include <cctype>

namespace sc {

namespace {

constexpr std::size_t kReplyLimit = 256;

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string cased(std::string s, bool up) {
    for (char& c : s) {
        const auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(up ? std::toupper(u) : std::tolower(u));
    }
    return s;
}

bool one_of(const std::string& w, std::initializer_list<const char*> words) {
    for (const char* x : words)
        if (w == x) return true;
    return false;
}

}  // namespace

int64_t reply_number(const std::string& reply) {
    std::size_t i = 0;
    while (i < reply.size() && (reply[i] == ' ' || reply[i] == '\t')) ++i;
    bool negative = false;
    if (i < reply.size() && (reply[i] == '-' || reply[i] == '+')) negative = reply[i++] == '-';
    int64_t value = 0;
    for (int digits = 0; i < reply.size() && std::isdigit(static_cast<unsigned char>(reply[i])) && digits < 18;
         ++i, ++digits)
        value = value * 10 + (reply[i] - '0');
    return negative ? -value : value;
}

void MEDIA_OPEN(platform::MediaControl* media, const std::string& path, const std::string& alias) {
    MEDIA_COMMAND(media, "close", alias);
    if (!media) return;
    const std::string name = cased(trimmed(alias), true);
    media->send("open \"" + path + "\" alias " + name);
    media->send("set " + name + " time format milliseconds");
}

int64_t MEDIA_COMMAND(platform::MediaControl* media, const std::string& word, const std::string& alias) {
    const std::string w = cased(trimmed(word), false);
    const std::string name = cased(trimmed(alias), true);
    std::string command;
    bool status = false;
    if (one_of(w, {"play", "on", "an"})) {
        command = "play " + name + " from 0";
    } else if (one_of(w, {"close", "off", "aus"})) {
        command = "close " + name;
    } else if (w == "stop") {
        command = "stop " + name;
    } else if (one_of(w, {"length", "len"})) {
        command = "status " + name + " length";
        status = true;
    } else if (one_of(w, {"position", "pos"})) {
        command = "status " + name + " position";
        status = true;
    } else {
        return 0;
    }
    if (!media) return 0;
    std::string reply = media->send(command);
    if (!status) return 0;
    if (reply.size() > kReplyLimit) reply.resize(kReplyLimit);
    return reply_number(reply);
}

int64_t measure_playing_time(platform::MediaControl* media, const std::string& path, const std::string& alias) {
    MEDIA_OPEN(media, path, alias);
    const int64_t length = MEDIA_COMMAND(media, "len", alias);
    MEDIA_COMMAND(media, "aus", alias);
    return length;
}

}  // namespace sc
