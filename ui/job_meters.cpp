#include "ui/job_meters.h"

#include <algorithm>
#include <cmath>

#include "audiofile/envelope_texts.h"
#include "ui/envelope_drawing.h"

namespace sc::ui {

namespace {

constexpr int BOX_LEFT = 9;
constexpr int BOX_RIGHT = 790;
constexpr int BOX_TOP = 398;
constexpr int BOX_BOTTOM = 522;
constexpr uint8_t BACKGROUND = 29;

// The envelope slides up from the source strip into a thin trace on top.
constexpr int ANIMATION_STEPS = 23;
constexpr int ANIMATION_FIRST_BASELINE = 456;
constexpr int ANIMATION_STEP_MS = 24;
constexpr int TRACE_TOP = 399;
constexpr int FINAL_BASELINE = 412;

// Between the two level displays: the progress bar.
constexpr int PROGRESS_TOP = 468;
constexpr int PROGRESS_BOTTOM = 471;
constexpr uint8_t PROGRESS_COLOUR = 4;
constexpr uint8_t TICK_COLOUR = 8;
constexpr uint8_t END_MARK = 4;
constexpr int METER_LABEL_COLUMN = 2;
constexpr int INPUT_LABEL_ROW = 53;
constexpr int OUTPUT_LABEL_ROW = 60;

// The activity blink left of the file line.
constexpr int BLINK_X = 9, BLINK_Y = 81, BLINK_SIZE = 5;
constexpr uint8_t BLINK_COLOURS[] = {4, 12, 14, 12};

// The reduction bars: a bar grows to the left from its right end along the
// scale "18....86421" printed above it (dB value -> x of the bar's left end).
struct ScalePoint {
    double db;
    int x;
};
constexpr ScalePoint SCALE[] = {{0, 475}, {1, 468}, {2, 460}, {4, 452}, {6, 444}, {8, 436}, {18, 388}};
constexpr int SCALE_RIGHT = 475;
constexpr int BAR_HEIGHT = 6;
constexpr uint8_t BAR_COLOUR = 4;
// Left x offset of each bar against the compressor scale, and its top.
struct BarPlace {
    int dx, top;
};
constexpr BarPlace HIGH_BAR{0, 164}, MIDD_BAR{0, 228}, BASS_BAR{0, 292}, LIMITER_BAR{296, 230};
// The leveler has no scale: three pixels per dB below its switch.
constexpr int LEVELER_X = 70, LEVELER_Y = 300, LEVELER_WIDTH = 54;

int level_colour(int32_t peak) {
    // the ramp 250 (dark) ... 190 (bright) by level
    const int i = std::clamp(static_cast<int>(peak * 60LL / 32770), 0, 60);
    return 250 - i;
}

}  // namespace

MeterColumn::Step MeterColumn::advance() {
    Step s;
    ++column_;
    if (column_ == LABELS) s.labels = true;
    if (column_ > LAST) {
        column_ = 0;
        s.restart = true;
    }
    return s;
}

int meter_top(int baseline, int32_t peak) {
    return static_cast<int>(std::lround(baseline - METER_HEIGHT * static_cast<double>(peak) / 32770.0));
}

double reduction_db(float gain) {
    if (!(gain < 1.0f) || gain <= 0.0f) return gain <= 0.0f ? 99.0 : 0.0;
    return -20.0 * std::log10(static_cast<double>(gain));
}

int reduction_bar_length(double db) {
    if (db <= 0) return 0;
    for (std::size_t i = 1; i < std::size(SCALE); ++i) {
        if (db <= SCALE[i].db) {
            const ScalePoint a = SCALE[i - 1], b = SCALE[i];
            const double x = a.x + (b.x - a.x) * (db - a.db) / (b.db - a.db);
            return static_cast<int>(std::lround(SCALE_RIGHT - x));
        }
    }
    return SCALE_RIGHT - SCALE[std::size(SCALE) - 1].x + 4;
}

void JobDisplay::draw_trace(const Envelope& env, int baseline, int height) {
    for (int c = 0; c < ENVELOPE_DRAWN_COLUMNS; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const int x = c + BOX_LEFT;
        auto bar = [&](int16_t p, int base, int h, int dir, uint8_t colour) {
            const double len = std::max<int16_t>(p, 0) * static_cast<double>(h) / 32770.0;
            canvas_.line(x, base, x, base - dir * len, colour);
        };
        if (!env.stereo()) {
            bar(env.column_left[i], baseline, height, 1, 0);
        } else {
            // left upwards, right downwards from the middle of the trace
            const int middle = baseline - height / 2;
            bar(env.column_left[i], middle, height / 2, 1, 1);
            bar(env.column_right[i], middle + 1, height / 2, -1, 5);
        }
    }
}

void JobDisplay::start_animation(const Envelope& source) {
    platform::Clock& clock = canvas_.window().clock();
    canvas_.line(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, BACKGROUND, LineMode::BoxFill);
    canvas_.line(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, 0, LineMode::Box);
    for (int step = 0; step < ANIMATION_STEPS; ++step) {
        const double began = clock.timer();
        const int baseline = ANIMATION_FIRST_BASELINE - 2 * step;
        {
            platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
            canvas_.line(BOX_LEFT + 1, TRACE_TOP, BOX_RIGHT - 1, baseline + 3, BACKGROUND, LineMode::BoxFill);
            for (int c = 0; c < ENVELOPE_DRAWN_COLUMNS; ++c) {
                const auto i = static_cast<std::size_t>(c);
                const int16_t peak = std::max(source.column_left[i], source.column_right[i]);
                const double len = std::max<int16_t>(peak, 0) * static_cast<double>(baseline - TRACE_TOP) / 32770.0;
                canvas_.line(c + BOX_LEFT, baseline, c + BOX_LEFT, baseline - len, 0);
            }
        }
        const int left = static_cast<int>((began + ANIMATION_STEP_MS / 1000.0 - clock.timer()) * 1000.0);
        if (left > 0) canvas_.pause(left);
    }
    canvas_.line(BOX_LEFT + 1, TRACE_TOP, BOX_RIGHT - 1, FINAL_BASELINE + 3, BACKGROUND, LineMode::BoxFill);
    draw_trace(source, FINAL_BASELINE, FINAL_BASELINE - TRACE_TOP);
}

void JobDisplay::progress_frame() {
    column_.reset();
    blink_ = 0;
    canvas_.line(BOX_LEFT, PROGRESS_TOP, BOX_RIGHT, PROGRESS_BOTTOM, BACKGROUND, LineMode::BoxFill);
    canvas_.line(BOX_LEFT, PROGRESS_TOP, BOX_RIGHT, PROGRESS_BOTTOM, 0, LineMode::Box);
}

void JobDisplay::reduction_bars(const JobBlockInfo& info) {
    auto bar = [&](BarPlace place, float gain) {
        const int right = SCALE_RIGHT + place.dx;
        const int left = SCALE[std::size(SCALE) - 1].x - 4 + place.dx;
        canvas_.line(left, place.top, right, place.top + BAR_HEIGHT, BACKGROUND, LineMode::BoxFill);
        const int length = reduction_bar_length(reduction_db(gain));
        if (length > 0) canvas_.line(right - length, place.top, right, place.top + BAR_HEIGHT, BAR_COLOUR, LineMode::BoxFill);
    };
    bar(HIGH_BAR, info.min_high);
    bar(MIDD_BAR, info.min_mid);
    bar(BASS_BAR, info.min_low);
    bar(LIMITER_BAR, info.min_limiter);
    const int lev = std::min(LEVELER_WIDTH, static_cast<int>(std::lround(3 * reduction_db(info.min_leveler))));
    canvas_.line(LEVELER_X, LEVELER_Y, LEVELER_X + LEVELER_WIDTH, LEVELER_Y + BAR_HEIGHT, BACKGROUND, LineMode::BoxFill);
    if (lev > 0) canvas_.line(LEVELER_X, LEVELER_Y, LEVELER_X + lev, LEVELER_Y + BAR_HEIGHT, BAR_COLOUR, LineMode::BoxFill);
}

int JobDisplay::block(const JobBlockInfo& info, int16_t language) {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
    // the level column
    const int x = column_.column();
    const int32_t in = std::max(info.input_peak_left, info.input_peak_right);
    canvas_.line(x, INPUT_BASELINE - METER_HEIGHT, x, INPUT_BASELINE, BACKGROUND);
    canvas_.line(x, OUTPUT_BASELINE - METER_HEIGHT, x, std::min(OUTPUT_BASELINE, 524), BACKGROUND);
    canvas_.line(x, INPUT_BASELINE, x, meter_top(INPUT_BASELINE, in), static_cast<uint8_t>(level_colour(in)));
    canvas_.line(x, OUTPUT_BASELINE, x, meter_top(OUTPUT_BASELINE, info.output_peak),
                 static_cast<uint8_t>(level_colour(info.output_peak)));
    if (x % 7 == 0) {
        canvas_.point(x, INPUT_BASELINE - METER_HEIGHT, TICK_COLOUR);
        canvas_.point(x, OUTPUT_BASELINE - METER_HEIGHT, TICK_COLOUR);
    }
    // the progress bar
    if (info.data_size > 0) {
        const double share = std::clamp(static_cast<double>(info.done_bytes) / static_cast<double>(info.data_size), 0.0, 1.0);
        canvas_.line(BOX_LEFT + 1, PROGRESS_TOP + 1, 780 * share + 1 + BOX_LEFT, PROGRESS_BOTTOM - 1, PROGRESS_COLOUR,
                     LineMode::BoxFill);
    }
    reduction_bars(info);
    // WAVBLINKEN
    blink_ = (blink_ + 1) % static_cast<int>(std::size(BLINK_COLOURS));
    canvas_.line(BLINK_X, BLINK_Y, BLINK_X + BLINK_SIZE, BLINK_Y + BLINK_SIZE, BLINK_COLOURS[blink_], LineMode::BoxFill);

    const MeterColumn::Step step = column_.advance();
    if (step.labels) {
        canvas_.print_at(INPUT_LABEL_ROW, METER_LABEL_COLUMN, envelope_texts::ORIGINAL, 0, BACKGROUND);
        canvas_.print_at(OUTPUT_LABEL_ROW, METER_LABEL_COLUMN, envelope_texts::PROCESSED(language), 0, BACKGROUND);
    }
    return step.restart ? METER_RESTART_PAUSE_MS : 0;
}

void JobDisplay::end_marks() {
    const int x = column_.column();
    canvas_.line(x, INPUT_BASELINE - METER_HEIGHT, x, INPUT_BASELINE, END_MARK);
    canvas_.line(x, OUTPUT_BASELINE - METER_HEIGHT, x, std::min(OUTPUT_BASELINE, 524), END_MARK);
    canvas_.line(BOX_LEFT + 1, PROGRESS_TOP + 1, BOX_RIGHT - 1, PROGRESS_BOTTOM - 1, END_MARK, LineMode::BoxFill);
}

}  // namespace sc::ui
