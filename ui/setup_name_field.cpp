#include "ui/setup_name_field.h"

#include <algorithm>

#include "platform/keys.h"

namespace sc::ui {

SetupNameField::SetupNameField(std::string_view name_cp437) {
    if (!name_cp437.empty() && name_cp437.front() == '\0') name_cp437 = {};
    text_ = std::string(name_cp437.substr(0, WIDTH));
    text_.resize(WIDTH, ' ');
}

void SetupNameField::remove_at(int index) {
    text_.erase(static_cast<std::size_t>(index), 1);
    text_ += ' ';
}

SetupNameField::Outcome SetupNameField::key(const std::string& k) {
    using namespace platform;
    if (k == KEY_CLOSE) return Outcome::Close;
    if (k.size() == 2 && k[0] == '\0') {
        const auto code = static_cast<unsigned char>(k[1]);
        if (code == ext::LEFT) cursor_ = std::max(1, cursor_ - 1);
        if (code == ext::RIGHT) cursor_ = std::min(WIDTH, cursor_ + 1);
        if (code == ext::DELETE) remove_at(cursor_ - 1);
        return Outcome::Editing;
    }
    if (k.size() != 1) return Outcome::Editing;
    const auto c = static_cast<unsigned char>(k[0]);
    if (c == KEY_ESC) return Outcome::Escape;
    if (c == KEY_ENTER) return Outcome::Enter;
    if (c == KEY_BACKSPACE) {
        if (cursor_ > 1) {
            remove_at(cursor_ - 2);
            --cursor_;
        }
        return Outcome::Editing;
    }
    if (c >= FIRST_CODE && c <= LAST_CODE) {
        text_[static_cast<std::size_t>(cursor_ - 1)] = static_cast<char>(c);
        cursor_ = std::min(WIDTH, cursor_ + 1);
    }
    return Outcome::Editing;
}

std::string SetupNameField::shown(bool cursor_visible) const {
    std::string s = text_;
    if (cursor_visible) s[static_cast<std::size_t>(cursor_ - 1)] = '_';
    return s;
}

std::string setup_name_of(const std::string& field_text) {
    if (field_text.find_first_not_of(' ') != std::string::npos) return field_text;
    std::string name = "Noname";
    name.resize(SetupNameField::WIDTH, ' ');
    return name;
}

}  // namespace sc::ui
