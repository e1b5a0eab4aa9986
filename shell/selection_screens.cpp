// The vocal and the instrument selection screens: a box of factory presets
// over the panel, closed by a choice, by a click beside the entries or by
// the pointer leaving the box.
#include <cmath>
#include <optional>
#include <vector>

#include "platform/keys.h"
#include "shell/application.h"
#include "shell/loop_texts.h"

namespace sc {

namespace {

// The pointer may wander this far; leaving it closes the screen.
constexpr int AREA_X1 = 600, AREA_X2 = 776, AREA_Y1 = 250, AREA_Y2 = 512;
constexpr int POLL_MS = 20;

enum class Attribute { None, LessMuddy, LessNose, LessHissing, MorePresence };

// Rows n (from the pointer's y) that choose an entry; its text row is 35 + first.
struct SelectionRow {
    int first, last;
    std::optional<PresetId> preset;
    Attribute attribute = Attribute::None;
};

const std::vector<SelectionRow>& vocal_rows() {
    static const std::vector<SelectionRow> rows = {
        {1, 2, PresetId::SOPRAN_SOFT},   {3, 4, PresetId::SOPRAN_MEDIUM}, {5, 6, PresetId::SOPRAN_HARD},
        {8, 9, PresetId::ALT_SOFT},      {10, 11, PresetId::ALT_MEDIUM},  {12, 13, PresetId::ALT_HARD},
        {15, 16, PresetId::BASS_SOFT},   {17, 18, PresetId::BASS_MEDIUM}, {19, 20, PresetId::BASS_HARD},
        {22, 23, std::nullopt, Attribute::LessMuddy},
        {24, 25, std::nullopt, Attribute::LessNose},
        {26, 27, std::nullopt, Attribute::LessHissing},
        {28, 29, std::nullopt, Attribute::MorePresence},
    };
    return rows;
}

const std::vector<SelectionRow>& instrument_rows() {
    static const std::vector<SelectionRow> rows = {
        {1, 2, PresetId::BD_ALLG},   {3, 4, PresetId::BD_DRUCK},   {5, 6, PresetId::SN_ALLG},
        {7, 8, PresetId::SN_KONT},   {9, 10, PresetId::SN_KNALL},  {11, 12, PresetId::TOM_ALLG},
        {13, 14, PresetId::OH_ALLG}, {16, 17, PresetId::EB_ALLG},  {18, 19, PresetId::SLB_ALLG},
        {20, 21, PresetId::SLB_DICHT}, {22, 23, PresetId::EG_CLEAN}, {24, 25, PresetId::EG_LEAD},
        {26, 27, PresetId::AG_ALLG}, {28, 29, PresetId::ST_ALLG},
    };
    return rows;
}

bool* flag_of(VocalFlags& f, Attribute a) {
    switch (a) {
        case Attribute::LessMuddy: return &f.less_muddy;
        case Attribute::LessNose: return &f.less_nose;
        case Attribute::LessHissing: return &f.less_hissing;
        case Attribute::MorePresence: return &f.more_presence;
        case Attribute::None: break;
    }
    return nullptr;
}

const TextPair& attribute_label(Attribute a) {
    switch (a) {
        case Attribute::LessMuddy: return VOCAL_FLAG_LESS_MUDDY;
        case Attribute::LessNose: return VOCAL_FLAG_LESS_NOSE;
        case Attribute::LessHissing: return VOCAL_FLAG_LESS_HISSING;
        default: return VOCAL_FLAG_MORE_PRESENCE;
    }
}

SelectionBox box_of(const std::vector<SelectionRow>& rows, VocalFlags& flags, int16_t language, bool attributes_only) {
    SelectionBox box;
    box.redraw_attributes_only = attributes_only;
    for (const SelectionRow& r : rows) {
        SelectionEntry e;
        e.row = 35 + r.first;
        if (r.preset) {
            e.label = preset(*r.preset).label(language);
        } else {
            e.label = attribute_label(r.attribute)(language);
            e.attribute = *flag_of(flags, r.attribute) ? 1 : 0;
        }
        box.entries.push_back(std::move(e));
    }
    return box;
}

const SelectionRow* row_at(const std::vector<SelectionRow>& rows, int y) {
    const int n = static_cast<int>(std::nearbyint(y / 8.0 - 36 + 2));
    for (const SelectionRow& r : rows)
        if (n >= r.first && n <= r.last) return &r;
    return nullptr;
}

bool inside_area(const PointerInfo& p) {
    return p.x >= AREA_X1 && p.x <= AREA_X2 && p.y >= AREA_Y1 && p.y <= AREA_Y2;
}

}  // namespace

void Application::MEHR_V_SETUPS() { run_selection_screen(true); }
void Application::MEHR_I_SETUPS() { run_selection_screen(false); }

void Application::run_selection_screen(bool vocal) {
    auto& clock = platform_.clock;
    const auto& rows = vocal ? vocal_rows() : instrument_rows();
    const int16_t l = state.LANGUAGE;
    wait_for_release();
    vocal_flags = VocalFlags{};
    if (vocal) view_.info_text(loop_texts::SELECT_VOCAL_1(l), loop_texts::SELECT_VOCAL_2(l));
    else view_.info_text(loop_texts::SELECT_INSTRUMENT_1(l), loop_texts::SELECT_INSTRUMENT_2(l));
    view_.selection_box(box_of(rows, vocal_flags, l, false));

    for (;;) {
        // Esc leaves as the pointer would; the close button ends the program.
        if (view_.poll_key() == std::string(1, platform::KEY_ESC)) break;
        const PointerInfo p = view_.pointer();
        if (!inside_area(p)) break;
        if (p.buttons != 0) {
            const SelectionRow* row = row_at(rows, p.y);
            if (!row) break;
            if (row->preset) {
                apply(*row->preset);
                break;
            }
            bool* flag = flag_of(vocal_flags, row->attribute);
            *flag = !*flag;
            view_.selection_box(box_of(rows, vocal_flags, l, true));
            wait_for_release();
        }
        clock.sleep_ms(POLL_MS);
    }
    wait_for_release();
    clock.sleep_ms(50);
    wait_for_release();
    // The attributes belong to this visit only.
    vocal_flags = VocalFlags{};
    D__DECKELZEIGEN();
}

}  // namespace sc
