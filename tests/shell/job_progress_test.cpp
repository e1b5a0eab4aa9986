// What the job shows while it runs: the progress title of long jobs.
#include <gtest/gtest.h>

#include <cmath>

#include "shell/application.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

// Each block costs `seconds_per_block` of the virtual clock; the written
// share of the data is kept for every title.
class TitleView : public test::EventView {
public:
    platform::VirtualClock* clock = nullptr;
    double seconds_per_block = 0;
    double written_share = 0;
    std::vector<std::pair<std::string, double>> titles;
    void job_block(const JobBlockInfo& info) override {
        written_share = static_cast<double>(info.done_bytes) / static_cast<double>(info.data_size);
        clock->advance(seconds_per_block);
    }
    void set_window_title(std::string_view t) override { titles.emplace_back(std::string(t), written_share); }
};

class JobProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.env.vars["TEMP"] = dir.folder();
        platform.env.program = dir.path("sonoclamper");
        view.clock = &platform.clock;
        app.startup({});
        test::FmtFields f;
        f.channels = 2;
        std::string bytes = test::canonical_wav(f, 44100 * 4 * 10);
        song = dir.write("song.wav", bytes);
        app.state.source_path = app.state.display_source_name = app.state.reading_path = song;
        app.HUELLKURVE_ERMITTELN(song);
        view.titles.clear();
    }
    std::vector<std::pair<int, double>> progress_titles() {
        std::vector<std::pair<int, double>> out;
        for (const auto& [t, share] : view.titles) {
            const auto pos = t.find("% SONOCLAMPER");
            if (pos != std::string::npos) out.emplace_back(std::stoi(t.substr(0, pos)), share);
        }
        return out;
    }
    test::TempDir dir;
    test::FakePlatform platform;
    TitleView view;
    Application app{view, platform.services()};
    std::string song;
};

TEST_F(JobProgressTest, AJobOfSeventySecondsOrLessKeepsItsTitle) {
    // about 100 blocks at 0.6 s: an estimate near 60 s
    view.seconds_per_block = 0.6;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_TRUE(progress_titles().empty());
    EXPECT_TRUE(view.titles.empty());
}

TEST_F(JobProgressTest, ALongJobShowsItsShareScaledByNinetyEightEveryTenSeconds) {
    view.seconds_per_block = 1.0;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    const auto titles = progress_titles();
    ASSERT_GE(titles.size(), 7u);
    for (const auto& [percent, share] : titles) {
        EXPECT_NEAR(percent, share * 98, 1.0);
        EXPECT_LE(percent, 98);
    }
    EXPECT_GT(titles.back().second, 0.85);  // late enough for 98 and 100 to differ
    // the normal title comes back at the end
    EXPECT_EQ(view.titles.back().first, std::string(WINDOW_TITLE));
}

}  // namespace
}  // namespace sc
