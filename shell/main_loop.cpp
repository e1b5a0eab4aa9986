// The main loop: pass by pass it serves the keys of its own, moves the
// envelope zoom, explains the field under the pointer and hands clicks on.
// A key or a START request ends the passes; the closing step then starts
// the job or drains the keys, and the batch step leads back.
#include <algorithm>
#include <array>
#include <string>

#include "platform/keys.h"
#include "settings/program_exit.h"
#include "shell/application.h"
#include "shell/panel_fields.h"

namespace sc {

namespace {

namespace key = platform;
namespace scan = platform::scan;

constexpr double FULL_REDRAW_SECONDS = 120.0;
constexpr ui::Rect EQUALIZER_AREA{9, 128, 220, 260};
constexpr ui::Rect SOURCE_ROW{9, 792, 400, 456};
constexpr ui::Rect RESULT_ROW{9, 792, 461, 521};
constexpr int ZOOM_ROW = 400;       // the zoom lives below this row
constexpr int RESULT_ZOOM_ROW = 459;
constexpr int ENVELOPE_COLUMNS = 780;

bool letter(const std::string& k, char lower) {
    return k.size() == 1 && (k[0] == lower || k[0] == lower - 'a' + 'A');
}

// Function keys count when their key string arrives or while they are held,
// so that a short tap between two passes is not lost.
bool function_key(Application& a, const std::string& k, unsigned char ext, int scan_code) {
    return k == key::extended_key(ext) || a.view().key_held(scan_code);
}

bool ctrl_held(Application& a) { return a.view().key_held(scan::CTRL); }

// What a pass sees: the key of this pass and the pointer.
struct PassInput {
    const std::string& key;
    const PointerInfo& mouse;
};

// Step 4: the keys served before the pointer is read. All that apply run.
struct EarlyCommand {
    bool (*applies)(Application&, const std::string& key);
    void (*run)(Application&);
};

constexpr std::array<EarlyCommand, 5> EARLY_COMMANDS = {{
    // Ctrl + F1: the memory page
    {[](Application& a, const std::string& k) {
         return ctrl_held(a) && function_key(a, k, key::ext::F1, scan::F1);
     },
     [](Application& a) { a.memory_page(); }},
    // F11: a whole folder as a batch
    {[](Application& a, const std::string& k) { return function_key(a, k, key::ext::F11, scan::F11); },
     [](Application& a) { a.folder_batch_import(); }},
    // Ctrl + D: the DIGAS import
    {[](Application& a, const std::string& k) {
         const bool ctrl_d = k == std::string(1, '\x04') || (ctrl_held(a) && a.view().key_held(scan::D));
         return ctrl_d && !a.state.digas_folder.empty();
     },
     [](Application& a) { a.DIGAS(); }},
    // X without a source: the equalizer measurement page
    {[](Application& a, const std::string& k) { return letter(k, 'x') && a.state.display_source_name.empty(); },
     [](Application& a) { a.equalizer_measurement_page(); }},
    // O, or OPEN clicked: open one file
    {[](Application& a, const std::string& k) { return letter(k, 'o') || a.state.open_request != 0; },
     [](Application& a) { a.open_one_file(); }},
}};

// Step 8: the keys that depend on the pointer. The first that applies ends
// the pass's key handling.
struct PointerCommand {
    bool (*applies)(Application&, const PassInput&);
    void (*run)(Application&, const PassInput&);
};

constexpr std::array<PointerCommand, 5> POINTER_COMMANDS = {{
    // space below the panel: the zoomed section of the strip under the pointer
    {[](Application&, const PassInput& in) { return in.key == " " && in.mouse.y > ZOOM_ROW; },
     [](Application& a, const PassInput& in) {
         if (in.mouse.y < RESULT_ZOOM_ROW || a.params.OUTFORMAT == 1) a.SPIELE_ZOOM(in.mouse.y);
     }},
    // F2 over the equalizer: the filters and their diagram
    {[](Application& a, const PassInput& in) {
         return EQUALIZER_AREA.contains(in.mouse.x, in.mouse.y) && function_key(a, in.key, key::ext::F2, scan::F2);
     },
     [](Application& a, const PassInput&) {
         a.EQ_FILTERBESTIMMEN();
         a.EQ_DIAGRAMM();
     }},
    // 0 over the equalizer: every band to 0 dB
    {[](Application&, const PassInput& in) {
         return in.key == "0" && EQUALIZER_AREA.contains(in.mouse.x, in.mouse.y);
     },
     [](Application& a, const PassInput&) {
         a.params.EQ.fill(0.0f);
         a.view().show_control("EQ");
     }},
    // W over the source strip: the source in the external player
    {[](Application& a, const PassInput& in) {
         return letter(in.key, 'w') && !a.state.media_player_path.empty() && !a.state.display_source_name.empty() &&
                SOURCE_ROW.contains(in.mouse.x, in.mouse.y);
     },
     [](Application& a, const PassInput&) {
         a.play_with_media_player(a.state.source_path);
     }},
    // W over the result strip: the result in the external player
    {[](Application& a, const PassInput& in) {
         return letter(in.key, 'w') && !a.state.media_player_path.empty() && a.state.result_exists != 0 &&
                RESULT_ROW.contains(in.mouse.x, in.mouse.y);
     },
     [](Application& a, const PassInput&) { a.play_with_media_player(a.state.target_path); }},
}};

bool at_window_edge(const PointerInfo& p) { return p.x <= 1 || p.y <= 1 || p.x >= 798 || p.y >= 523; }

}  // namespace

void Application::main_loop() {
    view_.forget_drops();  // dropped while start-up showed its hints
    for (;;) {
        try {
            // A START request raised by the batch step goes straight to the
            // closing step, which starts the job.
            if (!state.start_request)
                while (main_loop_pass()) {
                }
            closing_step();
            batch_step();
        } catch (const RunTimeError& e) {
            run_time_error(e);
        }
        // files dropped during a job or a screen of its own are not served
        view_.forget_drops();
    }
}

bool Application::main_loop_pass() {
    auto& clock = platform_.clock;
    // 1. heartbeat
    view_.heartbeat(7);
    clock.sleep_ms(30);
    clock.sleep_ms(15);
    view_.heartbeat(8);
    // 2. the whole panel now and then
    if (clock.timer() - state.last_full_redraw > FULL_REDRAW_SECONDS) D__DECKELZEIGEN();
    // 3. one key; the close button ends the program inside the poll
    const std::string k = view_.poll_key();
    clock.sleep_ms(25);
    // files dropped onto the waiting window
    if (const std::vector<std::string> dropped = view_.dropped_files(); !dropped.empty()) {
        files_dropped(dropped);
        view_.forget_drops();
        last_mouse_ = {-1, -1, 0};  // the field under the pointer is explained afresh
    }
    // 4.
    bool served = false;
    for (const EarlyCommand& c : EARLY_COMMANDS)
        if (c.applies(*this, k)) {
            c.run(*this);
            served = true;
        }
    state.start_request = 0;
    // 5. F12 starts a loaded batch
    if (state.batch_count > 0 && function_key(*this, k, key::ext::F12, scan::F12)) start_batch();
    // 6.
    view_.attention_colours();
    const PointerInfo mouse = view_.pointer();
    const bool moved = mouse.x != last_mouse_.x || mouse.y != last_mouse_.y;
    // 7.
    move_zoom(mouse);
    // 8.
    const PassInput in{k, mouse};
    for (const PointerCommand& c : POINTER_COMMANDS)
        if (c.applies(*this, in)) {
            c.run(*this, in);
            served = true;
            break;
        }
    // 9. hover and the hand cursor
    pass_pointer_ = &mouse;
    if (moved) NICHTGEKLICKT();
    pass_pointer_ = nullptr;
    if (state.cursor_hook_state == 1) {
        view_.set_hand_cursor(true);
        MAUS_SCHUBSEN();
        state.cursor_hook_state = 2;
    } else if (moved && state.cursor_hook_state == 2 && !hand_wanted_) {
        view_.set_hand_cursor(false);
        MAUS_SCHUBSEN();
        state.cursor_hook_state = 0;
    }
    clock.sleep_ms(30);
    // 10. a click, once per press (a press between two readings counts too)
    const int new_press = (mouse.buttons & ~last_buttons_) | mouse.pressed;
    last_buttons_ = mouse.buttons;
    if (new_press) {
        pass_pointer_ = &mouse;
        GEKLICKT();
        pass_pointer_ = nullptr;
        served = true;
    }
    // 11.
    if (state.help_request) {
        serve_help_request();
        served = true;
    }
    // what was dropped while a command showed its screens goes unserved
    if (served) view_.forget_drops();
    // 12.
    if (state.start_request) return false;
    last_mouse_ = mouse;
    return k.empty();
}

void Application::move_zoom(const PointerInfo& mouse) {
    const int column = std::clamp(mouse.x, 10, 789);
    if (mouse.y > ZOOM_ROW && mouse.x >= 2 && mouse.x <= 798 && !state.zoom_shown &&
        !state.display_source_name.empty()) {
        HUELLKURVE_ZOOMEN(column);
        state.zoom_shown = 1;
        state.zoom_column = static_cast<int16_t>(column);
    } else if (state.zoom_shown && column != state.zoom_column) {
        // The strip around the old zoom comes back, then the zoom moves.
        state.envelope_first_column = static_cast<int16_t>(std::clamp(state.zoom_column - 69, 1, ENVELOPE_COLUMNS));
        state.envelope_last_column = static_cast<int16_t>(std::clamp(state.zoom_column + 51, 1, ENVELOPE_COLUMNS));
        HUELLKURVEN_ZEICHNEN();
        state.envelope_first_column = 1;
        state.envelope_last_column = ENVELOPE_COLUMNS;
        HUELLKURVE_ZOOMEN(column);
        state.zoom_column = static_cast<int16_t>(column);
    }
    if (mouse.y <= ZOOM_ROW && state.zoom_shown) {
        state.zoom_shown = 0;
        D__DECKELZEIGEN();
    }
}

void Application::serve_help_request() {
    remove_cursor_hook();
    const bool edge = at_window_edge(view_.pointer());
    if (!edge) view_.show_pointer(false);
    ABOUTLE();
    state.help_request = 0;
    if (edge) view_.move_pointer(100, 100);
    else view_.show_pointer(true);
}

void Application::closing_step() {
    platform_.clock.sleep_ms(50);
    remove_cursor_hook();
    if (state.start_request && !state.display_source_name.empty()) {
        run_job();
    } else {
        while (!view_.poll_key().empty()) {
        }
    }
    state.start_request = 0;
    // The next pass explains the field under the pointer afresh.
    last_mouse_ = {-1, -1, 0};
}

void Application::start_batch() {
    if (state.batch_count == 0) return;  // F12 without a batch
    const PointerInfo p = view_.pointer();
    const bool in_window = p.x >= 0 && p.x < 800 && p.y >= 0 && p.y < 525;
    if (in_window && p.y > 390) view_.move_pointer(p.x, 350);
    else view_.move_pointer(100, 100);
    state.zoom_shown = 0;
    D__DECKELZEIGEN();
    platform_.clock.sleep_ms(50);
    state.batch_running = 1;
    view_.show_control("STARTBUTTON");
    if (state.batch_running == 1) state.start_request = 1;
}

void Application::remove_cursor_hook() {
    if (state.cursor_hook_state == 2) {
        view_.set_hand_cursor(false);
        MAUS_SCHUBSEN();
    }
    state.cursor_hook_state = 0;
}

void Application::MAUS_SCHUBSEN() { view_.nudge_pointer(); }

PointerInfo Application::read_pointer() { return pass_pointer_ ? *pass_pointer_ : view_.pointer(); }

void Application::wait_for_release() {
    while (view_.pointer().buttons != 0) {
        view_.poll_key();
        platform_.clock.sleep_ms(10);
    }
}

bool Application::encoder_present() {
    const std::string found = platform_.processes.find_program("lame", state.program_folder);
    if (!found.empty()) state.encoder_path = found;
    return !found.empty();
}

}  // namespace sc
