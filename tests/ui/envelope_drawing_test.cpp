// The envelope strips: colours of the louder channel, the middle dashes,
// the zoom and its boundaries near the edges.
#include "ui/envelope_drawing.h"

#include <gtest/gtest.h>

#include "platform/scripted_window.h"

namespace sc::ui {
namespace {

class EnvelopeDrawingTest : public ::testing::Test {
protected:
    uint8_t at(int x, int y) { return window.frame().at(x, y); }
    // The topmost y of colour in column x between top and baseline, or -1.
    int top_of(int x, uint8_t colour, int top, int baseline) {
        for (int y = top; y <= baseline; ++y)
            if (at(x, y) == colour) return y;
        return -1;
    }
    platform::ScriptedWindow window;
    Canvas canvas{window};
};

TEST_F(EnvelopeDrawingTest, TheLouderStereoChannelShowsInItsOwnColourAboveTheCommonPart) {
    Envelope env;
    env.channels = 2;
    env.column_left[100] = 32767;  // x 109: left louder
    env.column_right[100] = 16384;
    env.column_left[200] = 5000;   // x 209: right louder
    env.column_right[200] = 20000;
    env.column_left[300] = 8000;   // x 309: equal -> left's colour rule, all black
    env.column_right[300] = 8000;
    canvas.clear(7);
    draw_envelope_strip(canvas, env, SOURCE_BASELINE, 0, 779, false);
    const int base = SOURCE_BASELINE;
    EXPECT_EQ(at(109, base - 58), 1);                       // the top of the left peak
    EXPECT_EQ(at(109, base - 28), 0);                       // the common part
    EXPECT_EQ(top_of(109, 1, 398, base), base - 59 + 0);    // full scale reaches 59 pixels
    EXPECT_EQ(at(209, base - 30), 5);
    EXPECT_EQ(at(209, base - 5), 0);
    EXPECT_EQ(top_of(209, 1, 399, base - 1), -1);
    EXPECT_EQ(top_of(309, 1, 399, base - 1), -1);
    EXPECT_EQ(at(309, base - 10), 0);
    EXPECT_EQ(at(500, 420), STRIP_COLOUR);  // the strip was cleared
    EXPECT_EQ(at(9, 420), 0);               // inside its frame
    EXPECT_EQ(at(408, 428), 8);             // a middle dash at x 408
    EXPECT_EQ(at(409, 428), STRIP_COLOUR);

    Envelope mono;
    mono.column_left[100] = 20000;
    draw_envelope_strip(canvas, mono, RESULT_BASELINE, 0, 779, false);
    EXPECT_EQ(at(109, RESULT_BASELINE - 30), 0);
    EXPECT_EQ(top_of(109, 1, 463, RESULT_BASELINE), -1);
    EXPECT_EQ(top_of(109, 5, 463, RESULT_BASELINE), -1);
}

TEST_F(EnvelopeDrawingTest, APartialRangeRedrawsOnlyItsColumns) {
    Envelope env;
    env.column_left.fill(10000);
    canvas.clear(7);
    draw_envelope_strip(canvas, env, SOURCE_BASELINE, 100, 110, true);
    EXPECT_EQ(at(109, 420), STRIP_COLOUR);  // cleared to the strip top
    EXPECT_EQ(at(109, 450), 0);
    EXPECT_EQ(at(120, 420), 7);             // outside the range: untouched
    EXPECT_EQ(at(108, 398), 7);             // the frame is not redrawn
}

TEST_F(EnvelopeDrawingTest, TheZoomShowsOneBlockPerPixelAroundTheMouse) {
    Envelope env;
    env.channels = 2;
    const int m = 400;
    // the entry under the mouse and one to its right
    env.fine_left[static_cast<std::size_t>(zoom_fine_index(m, m))] = 32767;
    env.fine_right[static_cast<std::size_t>(zoom_fine_index(m, m + 1))] = 32767;
    EXPECT_EQ(zoom_fine_index(m, m), 5 * (m - 9));
    canvas.clear(7);
    draw_envelope_zoom(canvas, env, SOURCE_BASELINE, m);
    EXPECT_EQ(at(m - 60, 420), ZOOM_BOUNDARY);
    EXPECT_EQ(at(m + 60, 420), ZOOM_BOUNDARY);
    EXPECT_EQ(at(m, 400), 1);
    EXPECT_EQ(at(m + 1, 400), 5);
    EXPECT_EQ(at(m + 2, 420), ZOOM_COLOUR);
    EXPECT_EQ(at(m - 61, 420), 7);
    EXPECT_EQ(at(m + 61, 420), 7);
    EXPECT_EQ(at(402, 428), ZOOM_COLOUR);   // dots only every 8 pixels, over the peaks too
    EXPECT_EQ(at(400, 428), 25);
    EXPECT_EQ(at(408, 428 + 0), 25);
}

TEST_F(EnvelopeDrawingTest, TheZoomNearTheLeftEdgeLeavesOutColumnsLeftOfTen) {
    Envelope env;
    env.column_left.fill(0);
    canvas.clear(7);
    draw_envelope_zoom(canvas, env, SOURCE_BASELINE, 40);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(at(x, 420), 7) << x;  // no boundary, no column
    EXPECT_EQ(at(10, 420), ZOOM_COLOUR);
    EXPECT_EQ(at(99, 420), ZOOM_COLOUR);
    EXPECT_EQ(at(100, 420), ZOOM_BOUNDARY);
    canvas.clear(7);
    draw_envelope_zoom(canvas, env, SOURCE_BASELINE, 69);
    EXPECT_EQ(at(9, 420), 7);                // m < 70: no left boundary at 9
    canvas.clear(7);
    draw_envelope_zoom(canvas, env, SOURCE_BASELINE, 70);
    EXPECT_EQ(at(10, 420), ZOOM_BOUNDARY);
    canvas.clear(7);
    draw_envelope_zoom(canvas, env, SOURCE_BASELINE, 730);
    EXPECT_EQ(at(789, 420), ZOOM_COLOUR);    // m >= 730: no right boundary
    EXPECT_EQ(at(790, 420), 7);
}

}  // namespace
}  // namespace sc::ui
