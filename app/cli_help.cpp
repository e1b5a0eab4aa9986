// --help: the usage, the option table and the exit status.
#include <sstream>
#include <string_view>
#include <vector>

#include "app/cli_help_texts.h"
#include "app/cli_options.h"

namespace sc::cli {

namespace {

constexpr std::size_t HELP_COLUMN = 22;
constexpr std::size_t HELP_WIDTH = 79;

// The words of the text in lines of at most `width` characters.
std::vector<std::string> wrap(std::string_view text, std::size_t width) {
    std::vector<std::string> lines;
    std::istringstream words{std::string(text)};
    std::string word, line;
    while (words >> word) {
        if (!line.empty() && utf8_length(line) + 1 + utf8_length(word) > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

std::string help_text(int16_t language) {
    std::ostringstream out;
    out << help_texts::HEAD(language);
    for (const auto& spec : option_table()) {
        std::string head = "  " + std::string(spec.name);
        if (!spec.short_name.empty()) head += ", " + std::string(spec.short_name);
        if (!spec.value_name.empty()) head += " " + std::string(spec.value_name);
        bool first = true;
        for (const std::string& line : wrap(spec.help(language), HELP_WIDTH - HELP_COLUMN)) {
            if (first && head.size() + 1 < HELP_COLUMN) {
                out << head << std::string(HELP_COLUMN - head.size(), ' ') << line << '\n';
            } else {
                if (first) out << head << '\n';
                out << std::string(HELP_COLUMN, ' ') << line << '\n';
            }
            first = false;
        }
    }
    out << help_texts::TAIL(language);
    return out.str();
}

}  // namespace sc::cli
