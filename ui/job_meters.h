// The level display of a running job in the lower box: one column per
// block for the input and the output level, moving right and starting
// again at the left; the progress bar between them; the gain-reduction
// bars of the sections on the panel; the activity blink.
#pragma once

#include <cstdint>

#include "settings/envelope.h"
#include "settings/view.h"
#include "ui/canvas.h"

namespace sc::ui {

// The column of the level display: starts at 10, labels at 100, back to 0
// after 786 (with a pause).
class MeterColumn {
public:
    static constexpr int FIRST = 10;
    static constexpr int LABELS = 100;
    static constexpr int LAST = 786;

    void reset() { column_ = FIRST; }
    int column() const { return column_; }
    // After a column is drawn: the next one. The result tells what to do.
    struct Step {
        bool labels = false;   // write the two labels now
        bool restart = false;  // the display starts again at the left: pause
    };
    Step advance();

private:
    int column_ = FIRST;
};

inline constexpr int INPUT_BASELINE = 467;
inline constexpr int OUTPUT_BASELINE = 523;
inline constexpr int METER_HEIGHT = 51;
inline constexpr int METER_RESTART_PAUSE_MS = 350;

// Top y of a level bar with its baseline.
int meter_top(int baseline, int32_t peak);

// The reduction of a gain in dB (0 for gains of 1 and above) and the length
// in pixels of its bar on the scale "18....86421".
double reduction_db(float gain);
int reduction_bar_length(double db);

class JobDisplay {
public:
    explicit JobDisplay(Canvas& canvas) : canvas_(canvas) {}

    // The lower box cleared, the envelope sliding up into its place.
    void start_animation(const Envelope& source);
    // The progress frame; the level display starts at its first column.
    void progress_frame();
    // One block: level column, progress bar, reduction bars, blink.
    // Returns the pause to make (ms) when the display started again.
    int block(const JobBlockInfo& info, int16_t language);
    // Marks where the job ended on the output level.
    void end_marks();
    const MeterColumn& column() const { return column_; }

private:
    void draw_trace(const Envelope& env, int baseline, int height);
    void reduction_bars(const JobBlockInfo& info);

    Canvas& canvas_;
    MeterColumn column_;
    int blink_ = 0;
};

}  // namespace sc::ui
