#include "audiofile/digas.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "settings/text.h"

namespace sc {

namespace {

bool digits(const std::string& s, std::size_t pos, std::size_t n) {
    if (s.size() < pos + n) return false;
    for (std::size_t i = pos; i < pos + n; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

int number(const std::string& s, std::size_t pos, std::size_t n) { return std::stoi(s.substr(pos, n)); }

bool ends_with_mus(const std::string& line) {
    if (line.size() < 4) return false;
    std::string ext = line.substr(line.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".mus";
}

// Text of a description file: UTF-8 stays, anything else is taken as the
// Windows Latin-1 code page of the broadcast system.
std::string as_utf8(const std::string& s) {
    std::string latin;
    bool valid = true;
    for (std::size_t i = 0; i < s.size() && valid;) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) valid = false;
        for (std::size_t k = 1; valid && k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) valid = false;
        i += n ? n : 1;
    }
    if (valid) return s;
    for (unsigned char c : s) {
        if (c < 0x80) {
            latin += static_cast<char>(c);
        } else {
            latin += static_cast<char>(0xC0 | (c >> 6));
            latin += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return latin;
}

}  // namespace

int64_t days_of(const CivilDate& d) {
    // days from civil (proleptic Gregorian)
    const int y = d.year - (d.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned m = static_cast<unsigned>(d.month);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d.day) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<int64_t>(era) * 146097 + static_cast<int64_t>(doe) - 719468;
}

std::optional<CivilDate> line_date(const std::string& line) {
    if (!digits(line, 0, 2) || !digits(line, 3, 2) || !digits(line, 6, 4)) return std::nullopt;
    CivilDate d{number(line, 6, 4), number(line, 3, 2), number(line, 0, 2)};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return std::nullopt;
    return d;
}

std::string line_key(const std::string& line) {
    auto part = [&](std::size_t pos, std::size_t n) { return line.size() >= pos + n ? line.substr(pos, n) : std::string(n, ' '); };
    return part(6, 4) + part(3, 2) + part(0, 2) + part(12, 2) + part(15, 2);
}

std::string line_file_name(const std::string& line) { return line.size() > 36 ? line.substr(36) : std::string(); }

std::vector<std::string> recent_takes(const std::vector<std::string>& lines, const CivilDate& today) {
    std::vector<std::string> kept;
    const int64_t now = days_of(today);
    for (const auto& line : lines) {
        if (!ends_with_mus(line)) continue;
        const auto d = line_date(line);
        if (!d || now - days_of(*d) >= DIGAS_MAX_AGE_DAYS) continue;
        kept.push_back(line);
        if (static_cast<int>(kept.size()) >= DIGAS_MAX_LINES) break;
    }
    return kept;
}

TakeDescription parse_description(const std::string& text) {
    TakeDescription d;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (line.rfind("<TITLE>", 0) == 0 && line.size() >= 15) {
            std::string t = line.substr(7, line.size() - 15);
            for (std::size_t p; (p = t.find("&quot;")) != std::string::npos;) t.replace(p, 6, "\"");
            d.title = as_utf8(t);
        } else if (line.rfind("<LENGTH>", 0) == 0 && line.size() >= 21) {
            d.length = as_utf8(line.substr(8, line.size() - 21));
        }
    }
    if (d.title.empty()) d.title = "---";
    if (d.length.empty()) d.length = "---";
    return d;
}

std::string description_name(const std::string& take_name) {
    if (take_name.size() < 3) return take_name + "dbx";
    return take_name.substr(0, take_name.size() - 3) + "dbx";
}

std::string take_copy_name(const std::string& folder, const CivilDate& date, int hour, int minute, int second) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d_%02d_%02d__%02dh_%02dm_%02ds__DIG_SONOCLAMPER.mp3", date.year, date.month,
                  date.day, hour, minute, second);
    return folder + buf;
}

}  // namespace sc
