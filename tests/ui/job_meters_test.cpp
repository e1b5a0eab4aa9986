// The level display of a running job: its column counter, the bars and the
// reduction scale.
#include "ui/job_meters.h"

#include <gtest/gtest.h>

#include "platform/scripted_window.h"

namespace sc::ui {
namespace {

TEST(MeterColumn, StartsAtTenLabelsAtHundredAndStartsAgainAfter786) {
    MeterColumn c;
    EXPECT_EQ(c.column(), 10);
    int labels = 0, restarts = 0, steps = 0;
    while (restarts == 0) {
        const MeterColumn::Step s = c.advance();
        ++steps;
        if (s.labels) {
            ++labels;
            EXPECT_EQ(c.column(), 100);
        }
        if (s.restart) ++restarts;
    }
    EXPECT_EQ(steps, 786 - 10 + 1);  // columns 10 ... 786 drawn, then back to 0
    EXPECT_EQ(c.column(), 0);
    EXPECT_EQ(labels, 1);
    for (int i = 0; i < 100; ++i) c.advance();
    EXPECT_EQ(c.column(), 100);
    c.reset();
    EXPECT_EQ(c.column(), 10);
}

TEST(JobDisplay, ABlockDrawsItsLevelsAtTheColumnAndPausesOnRestart) {
    platform::ScriptedWindow window;
    Canvas canvas{window};
    JobDisplay display{canvas};
    display.progress_frame();
    JobBlockInfo info;
    info.input_peak_left = 32770 / 2;
    info.output_peak = 32770;
    info.data_size = 1000;
    info.done_bytes = 500;
    info.min_high = 0.5f;  // 6 dB
    EXPECT_EQ(display.block(info, 1), 0);
    EXPECT_EQ(meter_top(INPUT_BASELINE, 32770 / 2), 442);  // 467 - 25.5
    EXPECT_NE(window.frame().at(10, 467 - 20), 29);  // inside the input bar
    EXPECT_EQ(window.frame().at(10, 467 - 30), 29);  // above it
    EXPECT_NE(window.frame().at(10, 523 - 50), 29);  // the output at full scale
    EXPECT_EQ(window.frame().at(400, 469), 4);       // the progress bar at one half
    EXPECT_EQ(window.frame().at(500, 469), 29);
    EXPECT_EQ(display.column().column(), 11);
    EXPECT_GT(reduction_bar_length(6.0), reduction_bar_length(2.0));
    EXPECT_EQ(reduction_bar_length(0.0), 0);
    EXPECT_NEAR(reduction_db(0.5f), 6.02, 0.01);
    int pauses = 0;
    for (int i = 0; i < 780; ++i) pauses += display.block(info, 1);
    EXPECT_EQ(pauses, METER_RESTART_PAUSE_MS);
}

}  // namespace
}  // namespace sc::ui
