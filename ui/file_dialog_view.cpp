#include "ui/file_dialog_view.h"

#include <memory>

#include "platform/keys.h"
#include "ui/file_dialog_texts.h"

namespace sc::ui {

namespace T = file_dialog_texts;
using L = FileDialogLayout;
using Problem = FileDialogModel::Problem;

namespace {

constexpr uint8_t FACE = 30;
constexpr uint8_t TEXT = 0;
constexpr uint8_t LIST_FACE = 15;
constexpr uint8_t FOLDER_TEXT = 1;
constexpr uint8_t SELECTED_TEXT = 15, SELECTED_FACE = 1;
constexpr uint8_t TITLE_FACE = 53;
constexpr uint8_t CLOSE_FACE = 41;
constexpr uint8_t SHADOW = 20;
constexpr uint8_t GREY = 8;
constexpr uint8_t MESSAGE = 41;
constexpr char SCROLL_TRACK[] = "\xb0";
constexpr char SCROLL_THUMB[] = "\xdb";

int left_x(int column) { return 8 * (column - 1); }
int top_y(int row) { return 8 * (row - 1); }
int row_of(int y) { return y / 8 + 1; }
int column_of(int x) { return x / 8 + 1; }

std::string spaces(int n) { return std::string(static_cast<std::size_t>(std::max(0, n)), ' '); }

// The last n characters of a long path, behind "...".
std::string path_tail(const std::string& path, std::size_t n) {
    if (utf8_length(path) <= n) return path;
    return "..." + utf8_tail(path, n - 3);
}

// Thumb of the scroll bar: first row and number of rows.
std::pair<int, int> thumb(const FileDialogModel& m) {
    const int count = static_cast<int>(m.entries().size());
    if (count <= L::list_rows) return {L::list_row, L::list_rows};
    const int size = std::max(1, L::list_rows * L::list_rows / count);
    const int first = L::list_row + (L::list_rows - size) * m.top() / std::max(1, count - L::list_rows);
    return {first, size};
}

bool is_yes(const std::string& key) {
    return key == "y" || key == "Y" || key == "j" || key == "J" || key == std::string(1, platform::KEY_ENTER);
}

}  // namespace

void DrawnFileDialog::draw(const FileDialogModel& m) {
    Canvas& c = view_.canvas();
    const int16_t lang = view_.language();
    platform::ScreenLockScope lock(c.screen_lock(), platform::ScreenLock::GENERAL);

    const int x1 = left_x(L::first_column), x2 = left_x(L::last_column + 1) - 1;
    const int y1 = top_y(L::first_row), y2 = top_y(L::last_row + 1) - 1;
    c.line(x1 + 5, y1 + 5, x2 + 5, y2 + 5, SHADOW, LineMode::BoxFill);
    c.line(x1, y1, x2, y2, FACE, LineMode::BoxFill);
    c.line(x1, y1, x2, y2, TEXT, LineMode::Box);
    c.line(x1 + 2, y1 + 2, x2 - 2, y2 - 2, TEXT, LineMode::Box);

    // Title bar with its close box.
    c.line(x1 + 4, top_y(L::title_row) - 2, x2 - 4, top_y(L::title_row + 1) + 1, TITLE_FACE, LineMode::BoxFill);
    c.print_at(L::title_row, L::list_column, shorten_middle(m.request().title, 68), TEXT, TITLE_FACE);
    c.print_at(L::title_row, L::close_column, " X ", 15, CLOSE_FACE);

    const int field_width = L::field_last_column - L::field_column + 1;
    c.print_at(L::folder_row, L::list_column, T::FOLDER(lang), TEXT, FACE);
    c.print_at(L::folder_row, L::field_column, path_tail(m.folder(), static_cast<std::size_t>(field_width)), TEXT,
               FACE);

    // The listing.
    const int list_width = L::scroll_column - L::list_column;
    c.line(left_x(L::list_column) - 4, top_y(L::list_row) - 3, left_x(L::scroll_column + 1) + 3,
           top_y(L::list_row + L::list_rows) + 2, LIST_FACE, LineMode::BoxFill);
    c.line(left_x(L::list_column) - 4, top_y(L::list_row) - 3, left_x(L::scroll_column + 1) + 3,
           top_y(L::list_row + L::list_rows) + 2, TEXT, LineMode::Box);
    const auto& entries = m.entries();
    bool any_file = false;
    for (const auto& e : entries) any_file = any_file || !e.folder;
    for (int i = 0; i < L::list_rows; ++i) {
        const int index = m.top() + i;
        if (index >= static_cast<int>(entries.size())) break;
        const auto& e = entries[static_cast<std::size_t>(index)];
        const bool selected = index == m.selected();
        const uint8_t fg = selected ? SELECTED_TEXT : e.folder ? FOLDER_TEXT : TEXT;
        const uint8_t bg = selected ? SELECTED_FACE : LIST_FACE;
        std::string line = shorten_middle(e.name, L::name_width);
        line += spaces(L::mark_column - L::list_column - static_cast<int>(utf8_length(line)));
        if (e.folder) line += T::FOLDER_MARK(lang);
        line += spaces(list_width - static_cast<int>(utf8_length(line)));
        c.print_at(L::list_row + i, L::list_column, line, fg, bg);
    }
    if (!any_file && static_cast<int>(entries.size()) < L::list_rows - 1)
        c.print_at(L::list_row + static_cast<int>(entries.size()) + 1, L::list_column + 2, T::EMPTY_FOLDER(lang),
                   GREY, LIST_FACE);
    if (static_cast<int>(entries.size()) > L::list_rows) {
        const auto [first, size] = thumb(m);
        for (int r = 0; r < L::list_rows; ++r) {
            const bool on = L::list_row + r >= first && L::list_row + r < first + size;
            c.locate(L::list_row + r, L::scroll_column);
            c.text_colour(GREY, LIST_FACE);
            c.print_cp437(on ? SCROLL_THUMB : SCROLL_TRACK);
        }
    }

    // The typed name, the file type, the message line, the buttons, the keys.
    c.print_at(L::name_row, L::list_column, T::FILE_NAME(lang), TEXT, FACE);
    std::string field = utf8_tail(m.typed(), static_cast<std::size_t>(field_width - 2)) + "_";
    field += spaces(field_width - static_cast<int>(utf8_length(field)));
    c.print_at(L::name_row, L::field_column, field, TEXT, LIST_FACE);

    c.print_at(L::type_row, L::list_column, T::FILE_TYPE(lang), TEXT, FACE);
    const auto& filters = m.request().filters;
    for (std::size_t i = 0; i < filters.size() && i < 2; ++i) {
        const bool on = static_cast<int>(i) + 1 == m.filter_index();
        c.print_at(L::type_row, i == 0 ? L::field_column : L::type_second_column,
                   std::string(on ? "(*) " : "( ) ") + shorten_middle(filters[i].label, 26), TEXT, FACE);
    }

    std::string message;
    switch (m.problem()) {
        case Problem::NotFound: message = std::string(T::NOT_FOUND(lang)) + m.problem_name(); break;
        case Problem::Unreadable: message = std::string(T::UNREADABLE(lang)) + m.problem_name(); break;
        case Problem::ConfirmOverwrite: {
            const std::string name = m.problem_name().substr(m.problem_name().find_last_of('/') + 1);
            message = shorten_middle(name, 30) + std::string(T::OVERWRITE(lang));
            break;
        }
        case Problem::None: break;
    }
    const int message_width = L::last_column - L::list_column - 1;
    message = path_tail(message, static_cast<std::size_t>(message_width));
    c.print_at(L::message_row, L::list_column, message + spaces(message_width - static_cast<int>(utf8_length(message))),
               MESSAGE, FACE);

    const std::string_view open = m.request().save ? T::SAVE_BUTTON(lang) : T::OPEN_BUTTON(lang);
    c.print_at(L::button_row, L::open_column, "[" + std::string(open) + "]", TEXT, TITLE_FACE);
    c.print_at(L::button_row, L::cancel_column, "[" + std::string(T::CANCEL_BUTTON(lang)) + "]", TEXT, TITLE_FACE);
    c.print_at(L::keys_row, L::list_column, T::KEYS(lang), GREY, FACE);
}

DrawnFileDialog::Outcome DrawnFileDialog::on_key(FileDialogModel& m, const std::string& key) {
    namespace ext = platform::ext;
    // The close button's key comes back only when its handler did not end
    // the program (a job asked to stop first): the dialog ends like Esc.
    if (key == platform::KEY_CLOSE) return Outcome::Cancelled;
    if (m.problem() == Problem::ConfirmOverwrite) return m.confirm(is_yes(key));
    if (key.size() == 2 && key[0] == '\0') {
        switch (static_cast<unsigned char>(key[1])) {
            case ext::UP: m.move(-1); break;
            case ext::DOWN: m.move(1); break;
            case ext::PAGE_UP: m.move(-L::list_rows); break;
            case ext::PAGE_DOWN: m.move(L::list_rows); break;
            case ext::HOME: m.first(); break;
            case ext::END: m.last(); break;
            case ext::DELETE: m.clear_typed(); break;
            default: break;
        }
        return Outcome::Stay;
    }
    if (key.size() != 1) return Outcome::Stay;
    const unsigned char k = static_cast<unsigned char>(key[0]);
    switch (k) {
        case platform::KEY_ESC: return Outcome::Cancelled;
        case platform::KEY_ENTER: return m.enter();
        case platform::KEY_BACKSPACE: m.backspace(); return Outcome::Stay;
        case platform::KEY_TAB: m.next_filter(); return Outcome::Stay;
        default: break;
    }
    if (k >= 32 && k != 127) m.type(from_cp437(key));
    return Outcome::Stay;
}

DrawnFileDialog::Outcome DrawnFileDialog::on_click(FileDialogModel& m, int x, int y, double now) {
    const int row = row_of(y), column = column_of(x);
    const bool in_buttons = row == L::button_row;
    if (row == L::title_row && column >= L::close_column && column < L::close_column + 3) return Outcome::Cancelled;
    if (in_buttons && column >= L::open_column && column < L::open_column + L::button_width) return m.enter();
    if (in_buttons && column >= L::cancel_column && column < L::cancel_column + L::button_width)
        return Outcome::Cancelled;
    if (m.problem() == Problem::ConfirmOverwrite) return Outcome::Stay;
    if (row == L::type_row && column >= L::field_column && column < L::type_second_column) m.set_filter(1);
    if (row == L::type_row && column >= L::type_second_column && column <= L::field_last_column) m.set_filter(2);
    if (row < L::list_row || row >= L::list_row + L::list_rows) return Outcome::Stay;
    if (column == L::scroll_column && static_cast<int>(m.entries().size()) > L::list_rows) {
        const auto [first, size] = thumb(m);
        if (row < first) m.move(-L::list_rows);
        if (row >= first + size) m.move(L::list_rows);
        return Outcome::Stay;
    }
    if (column < L::list_column || column >= L::scroll_column) return Outcome::Stay;
    const int index = m.top() + row - L::list_row;
    if (index >= static_cast<int>(m.entries().size())) return Outcome::Stay;
    const bool twice = index == last_click_index_ && now - last_click_time_ <= DOUBLE_CLICK_S;
    m.select(index);
    last_click_index_ = twice ? -1 : index;
    last_click_time_ = now;
    return twice ? m.activate_selected() : Outcome::Stay;
}

std::string DrawnFileDialog::choose(const platform::FileDialogRequest& request) {
    platform::Window& window = view_.canvas().window();
    const auto saved = std::make_unique<platform::Framebuffer>(std::as_const(window).frame());
    FileDialogModel model(request, L::list_rows);
    last_click_index_ = -1;
    // A button still held from the click that opened the dialog is no click in it.
    int buttons = window.pointer().buttons;
    Outcome outcome = Outcome::Stay;
    bool changed = true;
    while (outcome == Outcome::Stay) {
        if (changed) draw(model);
        changed = false;
        const std::string key = view_.poll_key();
        if (!key.empty()) {
            outcome = on_key(model, key);
            changed = true;
            continue;
        }
        const platform::PointerState p = window.pointer();
        if (p.wheel != 0) {
            model.scroll(-WHEEL_ROWS * p.wheel);
            changed = true;
        }
        const bool pressed = (p.buttons & platform::BUTTON_LEFT_BIT) && !(buttons & platform::BUTTON_LEFT_BIT);
        buttons = p.buttons;
        if (pressed) {
            outcome = on_click(model, p.x, p.y, window.clock().timer());
            changed = true;
        }
        if (outcome == Outcome::Stay) window.pause_ms(POLL_MS);
    }
    window.frame() = *saved;
    window.show_now();
    return outcome == Outcome::Chosen ? model.result() : std::string();
}

}  // namespace sc::ui
