// What the program shows to the user, seen from the logic: every message
// goes through one of these calls. The window draws them; the command line
// prints each text once and never waits. Tests record them.
//
// Every call has an empty default so that a view implements what it shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/envelope.h"
#include "settings/page_records.h"

namespace sc {

// The next hint message (kind 1 positive, 2 warning, 3 other, 0 no symbol)
// with an optional tip at a text row and column of the hint screen.
struct HintMessage {
    std::string line1;
    std::string line2;
    int16_t kind = 0;
    std::string tip;
    int16_t tip_row = 0;
    int16_t tip_column = 0;
};

// What the panel shows of a running job after each block.
struct JobBlockInfo {
    int64_t done_bytes = 0;      // data bytes behind the read position
    int64_t data_size = 0;       // data bytes of the source
    int32_t input_peak_left = 0;  // 16-bit scale
    int32_t input_peak_right = 0;
    int32_t output_peak = 0;
    // Smallest gain of each section since the last block (1.0 = no reduction).
    float min_leveler = 1.0f, min_low = 1.0f, min_mid = 1.0f, min_high = 1.0f, min_limiter = 1.0f;
    double elapsed = 0.0;        // seconds since the data loop started
    double audio_seconds = 0.0;  // of source audio behind the read position
    int32_t block = 0;           // blocks so far, from 1
};

// The pointer as the window reports it: pixels, buttons (1 left, 2 right,
// 3 both).
struct PointerInfo {
    int x = 0;
    int y = 0;
    int buttons = 0;
    int pressed = 0;  // buttons pressed since the last reading, even if up again
};

// A selection screen of the factory presets: its entries at their text rows
// and, on the vocal screen, the attributes with their state.
struct SelectionEntry {
    int row = 0;
    std::string label;
    int8_t attribute = -1;  // -1 an entry; 0 / 1 an attribute that is unset / set
};
struct SelectionBox {
    std::vector<SelectionEntry> entries;
    bool redraw_attributes_only = false;
};

class View {
public:
    virtual ~View() = default;

    // BLINK_HINWEIS_GEBEN: the modal hint until a key is pressed or the
    // time-out passes (80 s, 13 s during a batch).
    virtual void blink_hint(const HintMessage& /*hint*/, bool /*batch_running*/) {}

    // INFOTEXTUNTEN2 / INFOTEXTUNTEN2GRAU: the two info lines at the bottom.
    virtual void info_text(std::string_view /*line1*/, std::string_view /*line2*/) {}
    virtual void info_text_grey(std::string_view /*line1*/, std::string_view /*line2*/) {}

    // A full text screen (drawn locked, then shown), optionally followed by
    // draining the keys and waiting for one (TASTE_EINGEBEN).
    virtual void text_screen(const std::vector<std::string>& /*lines*/, bool /*wait_for_key*/) {}

    // The name prompt of a user setup in the info box: the prompt at text row
    // 46, column 6; the Enter hint at row 48, column 66; the edit field (its
    // cursor already drawn in) at row 48, column 6.
    virtual void setup_name_prompt(std::string_view /*prompt*/, std::string_view /*enter_hint*/,
                                   std::string_view /*field*/) {}

    // Sleeps up to ms; a key press ends the sleep early.
    virtual void sleep_or_key(int /*ms*/) {}

    // Waits until no key is pressed / drains pending keys.
    virtual void wait_no_key() {}

    // The file line of the panel (text row 11, column 4), already laid out.
    virtual void file_line(std::string_view /*text*/) {}

    // D__DECKELZEIGEN: the whole panel.
    virtual void redraw_panel() {}

    // A framed alert box with its lines (title first).
    virtual void alert_box(const std::vector<std::string>& /*lines*/) {}

    // The box of an unknown run-time error: shown in the error colours with a
    // blinking frame for 10 s, then a key is awaited.
    virtual void fatal_error_box(const std::vector<std::string>& /*lines*/) {}

    // --- the job ---------------------------------------------------------------
    // A job begins on this source path / has ended (completed or not).
    virtual void job_begins(std::string_view /*source_path*/) {}
    virtual void job_ends(bool /*completed*/) {}
    // The start animation of the source envelope.
    virtual void job_start_animation() {}
    // ZEIGE_STARTBUTTON: idle START, or STOP while a job runs.
    virtual void show_start_button(bool /*running*/) {}
    // The progress frame, drawn when the data loop starts.
    virtual void job_progress_frame() {}
    // After every block: meters, progress bar, activity blink, colour step.
    virtual void job_block(const JobBlockInfo& /*info*/) {}
    // The end marks on the result trace.
    virtual void job_end_marks() {}
    // The result has its final name (full path), in a batch as well.
    virtual void result_written(std::string_view /*path*/) {}
    // Polled once per block: the STOP button was clicked.
    virtual bool stop_clicked() { return false; }

    // The steps of start-up that draw: open the 800 x 525 screen and clear it,
    // set the palette ranges, clear to the panel background, set the last two
    // palette entries; and the window title.
    virtual void open_screen() {}
    virtual void set_palette_ranges() {}
    virtual void clear_to_background() {}
    virtual void set_last_palette_entries() {}
    virtual void set_window_title(std::string_view /*title*/) {}

    // --- playback ----------------------------------------------------------------
    // OBEN_GRAU_PUNKTELN: the grey dot pattern over the upper screen while a
    // player runs.
    virtual void grey_upper_screen() {}
    // The player box with its line ("PLAY " and the path).
    virtual void player_box(std::string_view /*text*/) {}
    // The playing position: the cursor in the player box and the bar in the
    // envelope strip whose baseline is given (458 source, 522 result).
    virtual void player_progress(int64_t /*position_ms*/, int64_t /*length_ms*/, int /*baseline*/) {}
    // --- envelopes -----------------------------------------------------------------
    // Whether this view shows envelopes at all: where none is shown, the job
    // does not read its result back for one.
    virtual bool shows_envelopes() const { return true; }
    // The source strip emptied for a new envelope.
    virtual void clear_source_strip() {}
    // The progress of an envelope read in percent, on the progress line.
    virtual void envelope_progress(int /*percent*/) {}
    // HUELLKURVEN_ZEICHNEN: the source strip and, when given, the result strip
    // for the columns first ... last; clear_columns empties each column first.
    virtual void draw_envelopes(const Envelope& /*source*/, const Envelope* /*result*/, int /*first*/,
                                int /*last*/, bool /*clear_columns*/) {}
    // HUELLKURVE_ZOOMEN: the zoom around screen x mouse_x in both strips.
    virtual void draw_zoom(int /*mouse_x*/, const Envelope& /*source*/, const Envelope* /*result*/) {}

    // --- input of the window (the command line has none) ---------------------
    // One key poll: the key string (platform/keys.h) or "" when none is
    // waiting. The window's close button ends the program in order.
    virtual std::string poll_key() { return ""; }
    // TASTE_EINGEBEN: waits for a key and returns it ("" where nobody types).
    virtual std::string TASTE_EINGEBEN() { return ""; }
    // Whether the key with this scan code is held now.
    virtual bool key_held(int /*scan_code*/) { return false; }
    virtual PointerInfo pointer() { return {}; }
    virtual void move_pointer(int /*x*/, int /*y*/) {}
    virtual void show_pointer(bool /*visible*/) {}
    // The hand cursor over clickable fields; off gives the normal arrow.
    virtual void set_hand_cursor(bool /*on*/) {}
    // MAUS_SCHUBSEN: the pointer one pixel left and back (hidden meanwhile),
    // so that the window system asks for the cursor shape again.
    virtual void nudge_pointer() {}
    // The files of the next drop onto the window (full paths, in their
    // order), empty when none is waiting; forget_drops lets every waiting
    // drop go unserved.
    virtual std::vector<std::string> dropped_files() { return {}; }
    virtual void forget_drops() {}

    // --- the panel while the program waits -----------------------------------
    // One control redrawn by its display procedure, named by its setting:
    // "INPUTGAIN", "KOMPR_THRBASS" ... "LIMI_OUTGAIN", "INPUTAUTO", "HPF",
    // "EQ", "GATEHIGH", "GATEMIDD", "GATEBASS", "STARTBUTTON".
    virtual void show_control(std::string_view /*name*/) {}
    // The heartbeat pixel at (1, 1) in this colour.
    virtual void heartbeat(uint8_t /*colour*/) {}
    // FARBENSPIEL: one step of the attention colours of START and OPEN.
    virtual void attention_colours() {}
    // The box of a selection screen over the panel.
    virtual void selection_box(const SelectionBox& /*box*/) {}

    // --- full pages ------------------------------------------------------------
    // Clears the window for a page of text, with a frame when asked.
    virtual void page_begin(bool /*framed*/) {}
    // One text of a page at a text position; headings in the second colour.
    virtual void page_text(int /*row*/, int /*column*/, std::string_view /*text*/, bool /*heading*/ = false) {}
    // Help page n (1 ... HELP_PAGE_COUNT) in the panel language, with its
    // navigation line.
    virtual void help_page(int /*page*/) {}
    // A page with measured filter responses on a level / frequency grid.
    virtual void response_diagram(const ResponseDiagram& /*diagram*/) {}
};

}  // namespace sc
