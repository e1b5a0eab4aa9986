#include "app/cli_texts.h"

namespace sc::cli {

std::string say(const TextPair& text, int16_t language, std::initializer_list<std::string_view> values) {
    const std::string_view t = text(language);
    std::string out;
    out.reserve(t.size() + 32);
    for (std::size_t i = 0; i < t.size(); ++i) {
        // {1} ... {9}
        if (t[i] == '{' && i + 2 < t.size() && t[i + 1] >= '1' && t[i + 1] <= '9' && t[i + 2] == '}') {
            const std::size_t n = static_cast<std::size_t>(t[i + 1] - '1');
            if (n < values.size()) out += *(values.begin() + n);
            i += 2;
        } else {
            out += t[i];
        }
    }
    return out;
}

}  // namespace sc::cli
