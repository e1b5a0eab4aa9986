#include <cstdio>

#include "platform/dir_listing.h"

namespace sc::platform {

namespace {

// Thousands separated by dots, as the German listing shows sizes.
std::string grouped(unsigned long long v) {
    std::string digits = std::to_string(v);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string directory_line(const LocalTime& m, unsigned long long size, const std::string& name) {
    char head[32];
    std::snprintf(head, sizeof head, "%02d.%02d.%04d  %02d:%02d", m.day, m.month, m.year, m.hour, m.minute);
    std::string size_text = grouped(size);
    std::string line = head;  // 17 characters
    const std::size_t field = 35 - line.size();  // the size ends at character 35
    if (size_text.size() < field) line += std::string(field - size_text.size(), ' ');
    line += size_text + " " + name;
    return line;
}

}  // namespace sc::platform
