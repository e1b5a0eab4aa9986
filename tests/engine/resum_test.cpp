// Sums near a rounding boundary summed again directly: the side-by-side
// direct sums give each position's one-position double, and inputs where
// every transform sum is near one half (constant levels under presets with
// an equalizer) come out as the reference path has them.
#include <gtest/gtest.h>

#include <vector>

#include "chain_helpers.h"
#include "engine/kernels.h"
#include "engine/resum.h"
#include "settings/presets.h"

namespace sc::engine {

namespace {

std::vector<int32_t> noise(size_t n, uint32_t state, int32_t amplitude) {
    std::vector<int32_t> v(n);
    for (auto& x : v) {
        state = state * 1664525u + 1013904223u;
        x = static_cast<int32_t>(state >> 8) % (2 * amplitude + 1) - amplitude;
    }
    return v;
}

class NoHost : public PresetHost {
public:
    void reset_time_sample_rate() override {}
    void reset_running_gain(int) override {}
    void K_KURVE_ERZEUGEN_LIMI() override {}
    void ATT_REL_ANRATEANPASSEN() override {}
    void D__DECKELZEIGEN() override {}
};

ParameterSet preset_values(PresetId id) {
    ParameterSet p;
    NoHost host;
    apply_preset(p, id, {}, host);
    return p;
}

}  // namespace

// A window shares the stretch's sums only when all of it lies inside the
// stretch; the stretch found reaches as far as the value does.
TEST(DirectSums, ConstantWindowsLieWhollyInsideOneValue) {
    //                       0  1  2  3  4  5  6  7  8  9 10 11
    const std::vector<int32_t> x = {1, 5, 5, 5, 5, 5, 5, 2, 5, 5, 5, 5};
    Stretch s;
    EXPECT_FALSE(constant_window(x.data(), 1, 1, 12, s));  // 1 5 5
    EXPECT_TRUE(constant_window(x.data(), 3, 2, 12, s));   // 1 .. 5
    EXPECT_EQ(s.from, 1);
    EXPECT_EQ(s.to, 7);
    s.summed = true;
    EXPECT_TRUE(constant_window(x.data(), 4, 2, 12, s));  // 2 .. 6, inside
    EXPECT_TRUE(s.summed);                                // the same stretch
    EXPECT_FALSE(constant_window(x.data(), 5, 2, 12, s));  // 3 .. 7 reaches the 2
    EXPECT_FALSE(constant_window(x.data(), 6, 2, 12, s));  // ends on a differing value
    EXPECT_TRUE(constant_window(x.data(), 10, 1, 12, s));  // 9 .. 11, up to the end
    EXPECT_EQ(s.from, 9);
    EXPECT_EQ(s.to, 12);
    EXPECT_FALSE(s.summed);  // a new stretch, its sums not known yet
    EXPECT_FALSE(constant_window(x.data(), 8, 1, 12, s));  // 7 .. 9
}

// Every count (whole groups of sixteen, of four and single positions), the
// deepest filter and 24-bit sized values.
TEST(DirectSums, EveryPositionEqualsItsOneByOneSum) {
    ParameterSet p = testing::transparent();
    p.HPF = 100;
    p.EQ[0] = 3.0f;
    p.EQ[7] = -5.0f;
    Engine e;
    e.EQ_FILTERBESTIMMEN(p, 44100);
    const int N = e.equalizer().N();
    ASSERT_GT(N, 300);
    const auto x = noise(4 * N + 100, 5, 8388607);
    const Crossover& xo = e.crossover();
    testing::for_each_variant([&](cpu::Variant) {
        for (int count : {0, 1, 3, 4, 5, 15, 16, 17, 21, 37, 64}) {
            std::vector<double> out(static_cast<size_t>(count) + 1, -1.0), low(out), high(out);
            kernels::eq_direct_sums(x.data() + N + 7, e.equalizer().c().data(), N, out.data(), count);
            kernels::band_direct_sums(x.data() + N + 7, xo.low_taps().data(), xo.high_taps().data(), low.data(),
                                      high.data(), count);
            for (int k = 0; k < count; ++k) {
                ASSERT_EQ(out[static_cast<size_t>(k)], e.equalizer().sum_at(x.data(), N + 7 + k, 1)) << count << " " << k;
                const BandSums b = xo.sums_at(x.data(), N + 7 + k);
                ASSERT_EQ(low[static_cast<size_t>(k)], b.low) << count << " " << k;
                ASSERT_EQ(high[static_cast<size_t>(k)], b.high) << count << " " << k;
            }
            EXPECT_EQ(out[static_cast<size_t>(count)], -1.0);  // nothing written past the count
            EXPECT_EQ(low[static_cast<size_t>(count)], -1.0);
        }
    });
}

// Constant levels whose filter sums all lie within 1e-5 of one half, alone
// and between stretches of music (the level starts and ends inside blocks),
// in stereo and mono.
TEST(DirectSums, ConstantLevelsNearOneHalfMatchTheReferencePath) {
    struct Case {
        int32_t level;
        PresetId preset;
    };
    const Case cases[] = {{-13834, PresetId::ST_ALLG},
                          {-12167, PresetId::SOPRAN_MEDIUM},
                          {-25432, PresetId::ALT_MEDIUM},
                          {-27827, PresetId::SN_ALLG}};
    const size_t n = 18000;
    const std::vector<int32_t> tune = testing::music(n, 20000, 9);
    for (const Case& c : cases) {
        const ParameterSet p = preset_values(c.preset);
        std::vector<int32_t> level(n, c.level), mixed(n, c.level);
        for (size_t i = 6000; i < 11000; ++i) mixed[i] = tune[i];
        for (const auto* values : {&level, &mixed}) {
            for (SampleFormat f : {SampleFormat::Stereo16, SampleFormat::Mono16}) {
                if (values == &mixed && f == SampleFormat::Stereo16) continue;  // the stretches' ends: mono
                const std::vector<int32_t> in = f == SampleFormat::Stereo16 ? testing::interleave(*values, *values)
                                                                            : *values;
                const auto data = testing::bytes_of(in, 2);
                Engine ref(FilterPath::Reference);
                const auto want = testing::run_stream(ref, p, f, 44100, data);
                testing::for_each_variant([&](cpu::Variant) {
                    Engine fast(FilterPath::Fast);
                    const auto got = testing::run_stream(fast, p, f, 44100, data);
                    EXPECT_GT(fast.resummed(), static_cast<int64_t>(n / 2)) << c.level;
                    EXPECT_EQ(got.output, want.output) << c.level << (values == &mixed ? " with music" : "");
                });
            }
        }
    }
}

}  // namespace sc::engine
