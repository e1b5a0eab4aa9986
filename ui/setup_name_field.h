// The edit field of a user setup's name: always 30 characters (code page 437
// bytes) with a cursor on character 1 ... 30.
#pragma once

#include <string>
#include <string_view>

namespace sc::ui {

class SetupNameField {
public:
    static constexpr int WIDTH = 30;
    // Lowest and highest code a typed character may have: the printable
    // characters and the German letters of code page 437 (up to Ü, 154).
    static constexpr int FIRST_CODE = 32;
    static constexpr int LAST_CODE = 154;

    enum class Outcome { Editing, Enter, Escape, Close };

    // Starts with the name padded with spaces (cut to 30); a name that
    // begins with a zero byte starts as 30 spaces. The cursor is on 1.
    explicit SetupNameField(std::string_view name_cp437);

    // One key string of the key poll: Esc leaves, the close button ends the
    // program, Enter ends the input; the arrows move the cursor within 1 ... 30;
    // Backspace removes the character before the cursor and Delete the one
    // at it (the rest moves left, a space fills the end); any other single
    // character of code 32 ... 154 overwrites the one at the cursor and moves
    // the cursor right. Other keys do nothing.
    Outcome key(const std::string& k);

    const std::string& text() const { return text_; }
    int cursor() const { return cursor_; }
    // The field as shown: the character at the cursor replaced by "_" while
    // the cursor is shown.
    std::string shown(bool cursor_visible) const;

private:
    void remove_at(int index);  // 0-based

    std::string text_;
    int cursor_ = 1;
};

// The name a slot gets from its field: a name of only spaces is "Noname".
std::string setup_name_of(const std::string& field_text);

}  // namespace sc::ui
