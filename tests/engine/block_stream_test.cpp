#include <gtest/gtest.h>

#include "chain_helpers.h"

namespace sc::engine {

TEST(BlockStream, GeometryFollowsTheFilterDepth) {
    EXPECT_EQ(BlockGeometry::of(0, SampleFormat::Mono16).blk, 5000);
    EXPECT_EQ(BlockGeometry::of(0, SampleFormat::Mono16).ovl, 80);
    EXPECT_EQ(BlockGeometry::of(350, SampleFormat::Mono24).blk, 5350);
    EXPECT_EQ(BlockGeometry::of(350, SampleFormat::Stereo16).blk, 10700);
    EXPECT_EQ(BlockGeometry::of(350, SampleFormat::Stereo16).ovl, 860);
}

TEST(BlockStream, AdvancesByTheChunkAndBackByTheOverlapOnce) {
    for (SampleFormat f : {SampleFormat::Mono16, SampleFormat::Mono24, SampleFormat::Stereo16}) {
        ParameterSet p = testing::transparent();
        p.HPF = 120;
        Engine engine;
        const int bytes = bytes_per_value(f);
        const auto data = testing::bytes_of(testing::music(40000, 3000), bytes);
        const auto run = testing::run_stream(engine, p, f, 44100, data);
        const BlockGeometry g = engine.geometry();
        const int C = channels_of(f);
        // Output values per block: K - 163 - L_LOW - L_MID, where the pass
        // ranges give K = 4997 - N (mono) or 4999 - N (stereo pairs).
        const int64_t frames = (C == 1 ? 4997 : 4999) - g.N - 163 - 165 - 44;
        ASSERT_GE(run.results.size(), 3u);
        EXPECT_EQ(run.results[0].read_position, 44);
        EXPECT_EQ(run.results[1].read_position, 44 + (frames * C - g.ovl) * bytes);
        EXPECT_EQ(run.results[2].read_position, run.results[1].read_position + frames * C * bytes);
        EXPECT_EQ(run.read_positions.size(), run.results.size());
        EXPECT_EQ(static_cast<int64_t>(run.output.size()), static_cast<int64_t>(data.size()));
        EXPECT_TRUE(run.results.back().last);
        for (size_t i = 0; i + 1 < run.results.size(); ++i) EXPECT_FALSE(run.results[i].last);
    }
}

TEST(BlockStream, RunsOnWhereTheLiteralLoopConditionWouldStopEarly) {
    // With a flat filter the job's condition turns false with samples left.
    Engine engine;
    const std::vector<uint8_t> data = testing::bytes_of(testing::music(4700, 3000), 2);
    const auto run = testing::run_stream(engine, testing::transparent(), SampleFormat::Mono16, 44100, data);
    ASSERT_EQ(run.results.size(), 2u);
    EXPECT_FALSE(BlockStream::loop_condition(run.results[0].next_read_position, 1, 44 + 9400));
    EXPECT_EQ(run.output.size(), data.size());
    EXPECT_TRUE(BlockStream::loop_condition(44, 2, 44 + 801));
    EXPECT_FALSE(BlockStream::loop_condition(44, 2, 44 + 800));
}

TEST(BlockStream, EmptyDataProducesNothing) {
    Engine engine;
    const auto run = testing::run_stream(engine, testing::transparent(), SampleFormat::Stereo16, 44100, {});
    EXPECT_TRUE(run.results.empty());
    EXPECT_TRUE(run.output.empty());
}

TEST(BlockStream, DetectorLevelsCarryOverToTheNextJobButGainsReset) {
    ParameterSet p = testing::transparent();
    p.KOMPR_RATMIDD = 5.0f;
    p.KOMPR_THRMIDD = 2063;
    Engine engine;
    testing::run_stream(engine, p, SampleFormat::Mono16, 44100, testing::bytes_of(testing::music(20000, 30000), 2));
    ASSERT_LT(engine.band_gain(Band::Midd), 1.0f);
    const int32_t mid_level = engine.detector_levels().mid;
    EXPECT_GT(mid_level, 0);
    BlockStream next;
    next.begin_job(engine, p, {SampleFormat::Mono16, 44100, 0, 1000});
    EXPECT_EQ(engine.band_gain(Band::Midd), 1.0f);
    EXPECT_EQ(engine.detector_levels().mid, mid_level);
}

}  // namespace sc::engine
