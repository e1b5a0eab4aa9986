#include "ui/knob.h"

#include <charconv>
#include <cmath>

#include "platform/window.h"
#include "settings/time_tables.h"

namespace sc::ui {

namespace {

constexpr double KNOB_PI = 3.1416;

bool ends_with(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

int floor_int(double v) { return static_cast<int>(std::floor(v)); }
int round_int(double v) { return static_cast<int>(std::nearbyint(v)); }

uint8_t face_colour(int column, bool gain_family) {
    if (gain_family) return 218;
    if ((column >= 30 && column <= 45) || (column >= 74 && column <= 86)) return 117;
    return 214;
}

KnobReading time_reading(const TimeSetting& t) {
    KnobReading r;
    r.position = round_int(6.55 * t.index - 6);
    r.text = time_value_text(t.value);
    return r;
}

KnobReading gain_db_reading(double db, int position) {
    KnobReading r;
    r.position = position;
    r.style = STYLE_DB_ONE_DECIMAL;
    r.db = db;
    r.gain_family = 1;
    return r;
}

}  // namespace

std::string number_text(double v) {
    if (v == 0.0) v = 0.0;  // no "-0"
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string knob_value_text(std::string_view given, int16_t style, double db, double ratio) {
    std::string text(given);
    if (style == STYLE_DB_ONE_DECIMAL) text = number_text(std::floor(10.0 * db + 0.001) / 10.0);
    else if (style == STYLE_RATIO_QUARTERS) text = number_text(std::floor(4.0 * ratio + 0.001) / 4.0);
    else if (style == STYLE_MUTE) text = "MUTE";
    for (char& c : text)
        if (c == ',') c = '.';
    if (text.size() > 4) text.resize(4);
    if (ends_with(text, ".0")) text.resize(text.size() - 2);
    if (ends_with(text, ".")) text.pop_back();
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text;
}

void REGLER(Canvas& canvas, KnobCells& cells, int column, int row, int position, int /*ignored*/,
            std::string_view text) {
    platform::ScreenLockScope lock(canvas.screen_lock(), platform::ScreenLock::KNOB);
    const double X = 8.0 * column, Y = 8.0 * row;
    const uint8_t face = face_colour(column, cells.gain_family != 0);

    // Shadow, plate, screws.
    const double s = (column - 50) / 22.0;
    canvas.line(X - 6 + s, Y + 9, X + 36 + s, Y + 64, 20, LineMode::BoxFill);
    canvas.line(X - 6, Y + 8, X + 36, Y + 63, face, LineMode::BoxFill);
    canvas.line(X - 6, Y + 8, X + 36, Y + 63, 22, LineMode::Box);
    canvas.point(X - 4, Y + 10, 7);
    canvas.point(X - 4, Y + 61, 7);
    canvas.point(X + 34, Y + 10, 7);
    canvas.point(X + 34, Y + 61, 7);

    // Body with its highlights.
    const double cx = X + 16, cy = Y + 28;
    canvas.disc(cx, cy, 17.3, 0);
    canvas.disc(cx, cy, 16, 8);
    canvas.circle(cx, cy, 16, 20);
    for (const double r : {14.0, 11.0, 8.0, 4.0}) {
        canvas.circle(cx, cy, r, 24, 0.3 + 0.1 * canvas.random(), 1.8 + 0.1 * canvas.random());
        canvas.circle(cx, cy, r, 23, 3.5 + 0.1 * canvas.random(), 4.9 + 0.1 * canvas.random());
    }
    canvas.point(cx, cy, 15);

    // Pointer.
    const double a = (KNOB_PI / 2 - KNOB_PI * position / 100.0) * 1.55;
    const double pxv = X + 16 - 11 * std::sin(a), pyv = Y + 28 - 11 * std::cos(a);
    canvas.disc(pxv, pyv, 5, 18);
    canvas.disc(pxv, pyv, 3, 27);

    // Value window.
    canvas.line(X - 4, Y + 46, X + 34, Y + 57, 103, LineMode::BoxFill);
    canvas.line(X - 4, Y + 46, X + 34, Y + 57, 22, LineMode::Box);
    canvas.print_at(row + 7, column + 1, knob_value_text(text, cells.style, cells.db, cells.ratio), 0, 103);
    cells.style = STYLE_AS_GIVEN;
}

KnobReading read_knob(KnobKind kind, Band band, ParameterSet& p) {
    KnobReading r;
    switch (kind) {
        case KnobKind::InputGain: {
            const int db = snap_INPUTGAIN(p);
            r.position = floor_int(100.0 * db / 23 + 18);
            r.text = std::to_string(db);
            r.gain_family = 1;
            return r;
        }
        case KnobKind::Threshold: {
            const int db = snap_threshold(p, band);
            r.position = floor_int(3.0 * db + 100);
            r.text = std::to_string(db);
            return r;
        }
        case KnobKind::Ratio: {
            r.ratio = ratio_of(p, band);
            r.position = floor_int(115.0 * r.ratio / 6 - 17);
            r.style = STYLE_RATIO_QUARTERS;
            return r;
        }
        case KnobKind::Attack: return time_reading(attack_of(p, band));
        case KnobKind::Release: return time_reading(release_of(p, band));
        case KnobKind::Makeup: {
            const float g = makeup_of(p, band);
            if (g == 0.0f) {
                r.position = 1;
                r.style = STYLE_MUTE;
                r.gain_family = 1;
                return r;
            }
            const double db = 20.0 * std::log10(static_cast<double>(g));
            return gain_db_reading(db, round_int(3 * db + 50));
        }
        case KnobKind::LimiterThreshold: {
            const int db = snap_LIMI_THR(p);
            r.position = floor_int(16.0 * db + 100);
            r.text = std::to_string(db);
            return r;
        }
        case KnobKind::LimiterAttack: return time_reading(p.LIMI_ATT);
        case KnobKind::LimiterRelease: return time_reading(p.LIMI_REL);
        case KnobKind::LimiterOutput: {
            const double db = 20.0 * std::log10(static_cast<double>(p.LIMI_OUTGAIN));
            return gain_db_reading(db, floor_int(16 * db - 100));
        }
    }
    return r;
}

}  // namespace sc::ui
