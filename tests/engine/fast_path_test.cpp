// The fast path against the plain definitions: its element-wise kernels
// against the one-value formulas, and whole streams against the reference
// path (direct sums, one section at a time) across settings that reach
// every branch of the gain computers, gates and detectors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "chain_helpers.h"
#include "engine/dynamics.h"
#include "engine/kernels.h"

namespace sc::engine {

using testing::interleave;
using testing::music;

namespace {

std::vector<int32_t> randoms(size_t n, uint32_t seed, int32_t lo, int32_t hi) {
    std::vector<int32_t> v(n);
    for (auto& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = lo + static_cast<int32_t>((seed >> 8) % static_cast<uint32_t>(hi - lo + 1));
    }
    return v;
}

}  // namespace

TEST(FastKernels, LinkedLevelsWithoutDivisionEqualTheDividingForm) {
    testing::for_each_variant([&](cpu::Variant) {
        // Pairs around the switch from the quieter side to hi / 1.4 (5 hi = 7 lo),
        // equal sides, one silent side, and loud values.
        std::vector<int32_t> a, b;
        for (int32_t lo = 1; lo < 3000; lo += 7) {
            const int32_t at = lo * 7 / 5;
            for (int32_t hi = std::max(lo, at - 3); hi <= at + 3; ++hi) {
                a.push_back(lo);
                b.push_back(hi);
                a.push_back(hi);  // either side may be the louder
                b.push_back(lo);
            }
        }
        for (int32_t v : {0, 1, 2, 700, 32767, 65534, 1 << 20}) {
            a.push_back(v);
            b.push_back(v);
            a.push_back(0);
            b.push_back(v);
        }
        const auto ra = randoms(20000, 3, 0, 70000), rb = randoms(20000, 4, 0, 70000);
        a.insert(a.end(), ra.begin(), ra.end());
        b.insert(b.end(), rb.begin(), rb.end());
        const int n = static_cast<int>(a.size());
        for (float decay : {0.99826f, 0.99948f, 0.98052f}) {
            // The leveler's form (add 1, targets side by side) and the bands'
            // (add 0, targets four apart, the places between left alone).
            std::vector<float> table(1000);
            for (size_t i = 0; i < table.size(); ++i) table[i] = 1.0f / static_cast<float>(i + 1);
            for (auto [add, stride] : {std::pair{1, 1}, std::pair{0, 4}}) {
                std::vector<int32_t> fast(a.size()), dividing(a.size());
                std::vector<float> targets(static_cast<size_t>(stride) * a.size(), -1.0f);
                kernels::linked_targets(a.data(), b.data(), add, decay, table.data(), 999, fast.data(), targets.data(),
                                        stride, n);
                kernels::linked_levels(a.data(), b.data(), add, 1, decay, dividing.data(), n);
                for (size_t i = 0; i < a.size(); ++i) {
                    ASSERT_EQ(fast[i], dividing[i]) << a[i] << " " << b[i] << " " << add;
                    ASSERT_EQ(fast[i], linked_level(std::max(a[i] + add, 1), std::max(b[i] + add, 1), decay));
                    const size_t at = static_cast<size_t>(stride) * i;
                    ASSERT_EQ(targets[at], table[static_cast<size_t>(table_index(fast[i], 999))]);
                    if (stride > 1) {
                        ASSERT_EQ(targets[at + 1], -1.0f);
                    }
                }
            }
        }
    });
}

TEST(FastKernels, TargetsSumsAndDetectorsEqualTheirDefinitions) {
    testing::for_each_variant([&](cpu::Variant) {
        const int n = 5000;
        // Band sums from gains four apart, with and without gate values.
        const auto lo = randoms(n, 8, -40000, 40000), mi = randoms(n, 9, -40000, 40000), hi = randoms(n, 10, -9000, 9000);
        std::vector<float> g4(4 * n), t4(4 * n), g[3], gt[3];
        for (int b = 0; b < 3; ++b) {
            g[b].resize(n);
            gt[b].resize(n);
        }
        uint32_t r = 11;
        for (int i = 0; i < n; ++i) {
            for (int b = 0; b < 3; ++b) {
                r = r * 1664525u + 1013904223u;
                g[b][i] = g4[4 * i + b] = 0.2f + static_cast<float>(r >> 8) / 16777216.0f * 0.8f;
                gt[b][i] = t4[4 * i + b] = b == 1 ? 0.177f : 1.0f - static_cast<float>(i % 7) * 0.1f;
            }
        }
        const std::vector<float> ones(n, 1.0f);
        std::vector<int32_t> want(n), got(n);
        kernels::band_sum(lo.data(), mi.data(), hi.data(), g[0].data(), g[1].data(), g[2].data(), gt[0].data(),
                          gt[1].data(), gt[2].data(), 1.1225, 1.0, 0.891266, want.data(), n);
        kernels::band_sum4(lo.data(), mi.data(), hi.data(), g4.data(), t4.data(), 1.1225, 1.0, 0.891266, got.data(), n);
        EXPECT_EQ(got, want);
        kernels::band_sum(lo.data(), mi.data(), hi.data(), g[0].data(), g[1].data(), g[2].data(), ones.data(),
                          ones.data(), ones.data(), 1.1225, 0.0, 1.0, want.data(), n);
        kernels::band_sum4(lo.data(), mi.data(), hi.data(), g4.data(), nullptr, 1.1225, 0.0, 1.0, got.data(), n);
        EXPECT_EQ(got, want);

        // Mono detector inputs four apart equal the three detectors, for
        // lengths with and without a rest after the groups of eight, 16 and
        // 24 bit.
        for (const int shift : {0, 8}) {
            for (const int len : {0, 5, 8, 4093}) {
                std::vector<int32_t> v(static_cast<size_t>(len)), four(4 * static_cast<size_t>(len) + 4, -7);
                kernels::mono_detectors4(lo.data() + 20, mi.data() + 3, hi.data(), 44, 31, 7, shift, four.data(), len);
                EXPECT_EQ(four[4 * static_cast<size_t>(len)], -7) << "written beyond the end";
                for (int b = 0; b < 3; ++b) {
                    if (b == 0) kernels::low_detector(lo.data() + 20, 44, shift, v.data(), len);
                    if (b == 1) kernels::abs_detector(mi.data() + 3, 31, shift, 0, v.data(), len);
                    if (b == 2) kernels::abs_detector(hi.data(), 7, shift, 0, v.data(), len);
                    for (int i = 0; i < len; ++i) {
                        ASSERT_EQ(four[4 * static_cast<size_t>(i) + static_cast<size_t>(b)], v[static_cast<size_t>(i)])
                            << "band " << b << " sample " << i << " of " << len << ", shift " << shift;
                        ASSERT_EQ(four[4 * static_cast<size_t>(i) + 3], 0);
                    }
                }
            }
        }
    });
}

// The leveler's loops against its one-sample gain computer: targets above
// and below the gain (attack, release, the attack stopping at the target),
// a start gain above 1, a release that would overflow, and a level beyond
// the integer form's range (2^29).
TEST(FastKernels, LevelerLoopsEqualTheOneSampleGainComputer) {
    testing::for_each_variant([&](cpu::Variant) {
        const int n = 20000;
        auto a = randoms(n, 21, 0, 40000);
        for (int i = 6000; i < 9000; ++i) a[static_cast<size_t>(i)] /= 300;  // a quiet stretch
        auto huge = a;
        huge[50] = 1 << 29;
        std::vector<float> table(8192);
        for (size_t k = 0; k < table.size(); ++k) table[k] = 1.6f / (1.0f + static_cast<float>(k) / 700.0f);
        struct Times {
            float attack, release;
        };
        // (With a decay of 0.75 every level 2 mod 4 lands on a tie.)
        const struct {
            const std::vector<int32_t>& a;
            float start, decay;
        } runs[] = {{a, 0.8f, 0.99826f}, {a, 1.3f, 0.99826f}, {huge, 0.8f, 0.99826f}, {a, 0.8f, 0.75f}};
        for (const auto& run : runs) {
            for (const Times t : {Times{0.9991f, 1.00002f}, Times{0.5f, 1.3f}, Times{0.0f, 1e30f}}) {
                const std::vector<int32_t>& values = run.a;
                const SectionTimes times{t.attack, t.release, 1.0f};
                int32_t level = 900;
                float gain = run.start, smallest = 0.9f;
                std::vector<float> g(n), targets(n);
                kernels::leveler_held(values.data(), level, run.decay, table.data(), 8191, t.attack, t.release, gain,
                                      smallest, g.data(), n);
                Leveler want;
                want.gain = run.start;
                want.smallest = 0.9f;
                int32_t l = 900;
                for (int i = 0; i < n; ++i) {
                    l = held_level(l, values[static_cast<size_t>(i)], run.decay);
                    targets[static_cast<size_t>(i)] = table[static_cast<size_t>(table_index(l, 8191))];
                    want.step(targets[static_cast<size_t>(i)], times);
                    ASSERT_EQ(g[static_cast<size_t>(i)], want.gain) << i << " " << t.release;
                }
                EXPECT_EQ(level, l);
                EXPECT_EQ(gain, want.gain);
                EXPECT_EQ(smallest, want.smallest);

                // Given targets: the stereo leveler.
                gain = run.start;
                smallest = 0.9f;
                std::vector<float> g2(n);
                kernels::leveler_gains(targets.data(), t.attack, t.release, gain, smallest, g2.data(), n);
                EXPECT_EQ(g2, g);
                EXPECT_EQ(gain, want.gain);
                EXPECT_EQ(smallest, want.smallest);
            }
        }
    });
}

TEST(FastKernels, CheckedSplitAndFilterFlagExactlyTheSumsNearOneHalf) {
    testing::for_each_variant([&](cpu::Variant) {
        const double margin = 0.5 - 1e-5;
        const std::vector<int32_t> x = {100, -7, 0, 32767, 5, 5, -32768, 12};
        // Sums well inside, just outside and just inside the margin around .5.
        const std::vector<double> ls = {10.2, -3.49998, 0.0, 17.500002, 1.0, -2.5, 3.7, 0.25};
        const std::vector<double> hs = {0.1, 0.0, -8.4999999, 0.0, 0.3, 0.0, 0.2, 0.25};
        for (size_t i = 0; i < x.size(); ++i) {
            int32_t low, mid, high, plain_low, plain_mid, plain_high;
            const bool flagged = kernels::split_bands_checked(&x[i], &ls[i], &hs[i], &low, &mid, &high, 1, margin);
            kernels::split_bands(&x[i], &ls[i], &hs[i], &plain_low, &plain_mid, &plain_high, 1);
            EXPECT_EQ(flagged, kernels::band_near_half(x[i], ls[i], hs[i], margin)) << i;
            EXPECT_EQ(low, plain_low);
            EXPECT_EQ(mid, plain_mid);
            EXPECT_EQ(high, plain_high);
            int32_t out, plain;
            EXPECT_EQ(kernels::filter_and_gain_checked(&x[i], &ls[i], 1.6, &out, 1, margin),
                      kernels::near_half(ls[i], margin));
            kernels::filter_and_gain(&x[i], &ls[i], 1.6, &plain, 1);
            EXPECT_EQ(out, plain);
        }
        EXPECT_FALSE(kernels::near_half(17.49998, margin));
        EXPECT_TRUE(kernels::near_half(17.499991, margin));
        EXPECT_TRUE(kernels::near_half(-2.5, margin));
        EXPECT_FALSE(kernels::near_half(3.0, margin));
    });
}

TEST(FastKernels, OutputBytesAreLittleEndianAndInterleaved) {
    testing::for_each_variant([&](cpu::Variant) {
        const std::vector<int32_t> a = {0, 1, -1, 32767, -32768, 0x1234};
        const std::vector<int32_t> b = {-2, 0x7F00, 255, 256, -256, 7};
        std::vector<uint8_t> mono(12), stereo(24), deep(18);
        kernels::pack16(a.data(), nullptr, mono.data(), 6);
        kernels::pack16(a.data(), b.data(), stereo.data(), 6);
        const std::vector<int32_t> a24 = {0, 8388607, -8388608, -1, 0x123456, 5};
        kernels::pack24(a24.data(), deep.data(), 6);
        EXPECT_EQ(mono, (std::vector<uint8_t>{0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0x80, 0x34, 0x12}));
        EXPECT_EQ(stereo, (std::vector<uint8_t>{0, 0, 0xFE, 0xFF, 1, 0, 0, 0x7F, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0x7F, 0, 1,
                                                0, 0x80, 0, 0xFF, 0x34, 0x12, 7, 0}));
        EXPECT_EQ(deep, (std::vector<uint8_t>{0, 0, 0, 0xFF, 0xFF, 0x7F, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0x56, 0x34, 0x12,
                                              5, 0, 0}));
    });
}

namespace {

struct Setting {
    const char* name;
    ParameterSet p;
};

std::vector<Setting> settings() {
    std::vector<Setting> out;
    ParameterSet start;  // compressor active, flat filter
    out.push_back({"start values", start});
    ParameterSet gates = start;
    gates.GATEBASS = 3;
    gates.GATEMIDD = 5;
    gates.GATEHIGH = 1;
    gates.INPUTAUTO = 2;
    gates.EQ[11] = -4.0f;  // 15 kHz: a shallow filter
    out.push_back({"gates, slow leveler", gates});
    ParameterSet hard = start;
    hard.HPF = 150;
    hard.EQ[0] = 6.0f;
    hard.EQ[1] = 4.5f;
    hard.EQ[5] = -3.0f;
    hard.INPUTGAIN = 4.0f;
    hard.INPUTAUTO = 1;
    hard.KOMPR_RATBASS = hard.KOMPR_RATMIDD = hard.KOMPR_RATHIGH = 6.0f;
    hard.KOMPR_OUTBASS = 1.41f;
    hard.KOMPR_OUTHIGH = 0.0f;
    hard.GATEMIDD = 6;
    hard.GATEHIGH = 4;
    hard.LIMI_THR = 16384;
    hard.LIMI_OUTGAIN = 1.42f;
    hard.LIMI_ATT.value = 0;  // instant attack, infinite release
    hard.KOMPR_RELHIGH.value = 0;
    out.push_back({"hard, clipping, instant times", hard});
    ParameterSet bypass = start;
    bypass.KOMPR_BYPASS = 1;
    bypass.KOMPR_OUTMIDD = 0.5f;
    bypass.HPF = 100;
    bypass.EQ[0] = 3.0f;
    out.push_back({"bypass, deepest filter", bypass});
    return out;
}

void expect_same_streams(const testing::StreamRun& fast, const testing::StreamRun& ref, const char* what) {
    ASSERT_EQ(fast.output, ref.output) << what;
    ASSERT_EQ(fast.results.size(), ref.results.size()) << what;
    for (size_t k = 0; k < fast.results.size(); ++k) {
        const BlockResult& f = fast.results[k];
        const BlockResult& r = ref.results[k];
        EXPECT_EQ(f.output_peak, r.output_peak) << what << " block " << k;
        EXPECT_EQ(f.input_peak_left, r.input_peak_left) << what;
        EXPECT_EQ(f.input_peak_right, r.input_peak_right) << what;
        EXPECT_EQ(f.minima.leveler, r.minima.leveler) << what << " block " << k;
        EXPECT_EQ(f.minima.low, r.minima.low) << what << " block " << k;
        EXPECT_EQ(f.minima.mid, r.minima.mid) << what << " block " << k;
        EXPECT_EQ(f.minima.high, r.minima.high) << what << " block " << k;
        EXPECT_EQ(f.minima.limiter, r.minima.limiter) << what << " block " << k;
    }
}

void expect_same_engines(const Engine& f, const Engine& r, const char* what) {
    const DetectorLevels a = f.detector_levels(), b = r.detector_levels();
    EXPECT_EQ(a.leveler, b.leveler) << what;
    EXPECT_EQ(a.low, b.low) << what;
    EXPECT_EQ(a.mid, b.mid) << what;
    EXPECT_EQ(a.high, b.high) << what;
    EXPECT_EQ(a.limiter, b.limiter) << what;
    for (Band band : {Band::Bass, Band::Midd, Band::High}) {
        EXPECT_EQ(f.band_gain(band), r.band_gain(band)) << what;
        EXPECT_EQ(f.gate_gain(band), r.gate_gain(band)) << what;
    }
    EXPECT_EQ(f.leveler_gain(), r.leveler_gain()) << what;
    EXPECT_EQ(f.limiter_gain(), r.limiter_gain()) << what;
}

}  // namespace

// Loud and quiet passages (gates close and open, gains attack, hold and
// release), one-sided stereo, both rates and all three formats; a data size
// that ends inside a block. Meters, peaks, final gains and levels as well as
// every output byte must be the reference path's.
TEST(FastPath, MatchesTheReferencePathAcrossSettingsAndFormats) {
    const size_t n = 50001;
    std::vector<int32_t> left = music(n, 30000, 3), right = music(n, 9000, 11);
    for (size_t i = 0; i < n; ++i) {
        const size_t s = i % 22050;
        if (s < 6000) left[i] /= 40;            // quiet stretches for the gates
        if (i > 30000 && i < 36000) right[i] = 0;  // one side silent
    }
    std::vector<int32_t> deep(n);
    for (size_t i = 0; i < n; ++i) deep[i] = left[i] * 256 + static_cast<int32_t>(i % 256) - 128;
    const std::vector<int32_t> both = interleave(left, right);
    struct Format {
        SampleFormat f;
        int32_t rate;
        const std::vector<int32_t>* values;
    };
    const Format formats[] = {{SampleFormat::Mono16, 44100, &left},
                              {SampleFormat::Stereo16, 48000, &both},
                              {SampleFormat::Stereo16, 44100, &both},
                              {SampleFormat::Mono24, 44100, &deep}};
    for (const Setting& s : settings()) {
        for (const Format& f : formats) {
            const int bytes = bytes_per_value(f.f);
            const auto data = testing::bytes_of(*f.values, bytes);
            Engine ref(FilterPath::Reference);
            const auto b = testing::run_stream(ref, s.p, f.f, f.rate, data);
            testing::for_each_variant([&](cpu::Variant v) {
                Engine fast(FilterPath::Fast);
                const auto a = testing::run_stream(fast, s.p, f.f, f.rate, data);
                const std::string what = std::string(s.name) + " / format " +
                                         std::to_string(static_cast<int>(f.f)) + " / " + std::to_string(f.rate) +
                                         " / " + cpu::name(v);
                expect_same_streams(a, b, what.c_str());
                expect_same_engines(fast, ref, what.c_str());
                // Every block but the first two was levelled during the call before
                // (the stream learns a full chunk's length from the first).
                if (s.p.INPUTAUTO != 0 && s.p.KOMPR_BYPASS == 0) {
                    EXPECT_EQ(fast.levelled_ahead(), static_cast<int64_t>(a.results.size()) - 2) << what;
                }
            });
        }
    }
}

// Held levels beyond the range of the integer form (2^28) at the start of a
// mono job: the first blocks step them in doubles, later ones in integers.
TEST(FastPath, HeldLevelsBeyondTheIntegerRangeMatchTheReferencePath) {
    const auto data = testing::bytes_of(music(20000, 20000, 5), 2);
    DetectorLevels start;
    start.low = 1 << 29;
    start.high = -(1 << 28);
    start.leveler = 1 << 28;
    ParameterSet p;
    p.INPUTAUTO = 1;
    Engine ref(FilterPath::Reference);
    ref.set_detector_levels(start);
    const auto b = testing::run_stream(ref, p, SampleFormat::Mono16, 44100, data);
    testing::for_each_variant([&](cpu::Variant v) {
        Engine fast(FilterPath::Fast);
        fast.set_detector_levels(start);
        const auto a = testing::run_stream(fast, p, SampleFormat::Mono16, 44100, data);
        expect_same_streams(a, b, cpu::name(v));
        expect_same_engines(fast, ref, cpu::name(v));
        EXPECT_GT(fast.levelled_ahead(), 0);
    });
}

// A block given as the next one is filtered and levelled during the call
// before it, yet each call leaves output, leveler gain and level and the
// meters' minima as without it; a block whose work ahead was dropped is
// taken as given.
TEST(FastPath, TheNextBlockLevelledAheadLeavesEveryCallAsWithoutIt) {
    ParameterSet p;
    p.INPUTAUTO = 1;
    p.HPF = 100;
    for (SampleFormat f : {SampleFormat::Mono16, SampleFormat::Stereo16, SampleFormat::Mono24}) {
        auto prepared = [&](Engine& e) {
            BlockStream s;
            s.begin_job(e, p, {f, 44100, 0, 0});
        };
        Engine ahead, plain;
        prepared(ahead);
        prepared(plain);
        const size_t blk = static_cast<size_t>(ahead.geometry().blk);
        std::vector<std::vector<int32_t>> blocks;
        for (uint32_t k = 0; k < 5; ++k) {
            std::vector<int32_t> b = music(blk + 2, k == 2 ? 200 : 30000, 7 + k);
            if (f == SampleFormat::Mono24)
                for (auto& x : b) x *= 200;
            blocks.push_back(b);
        }
        for (size_t k = 0; k < blocks.size(); ++k) {
            const std::string what = "format " + std::to_string(static_cast<int>(f)) + " block " + std::to_string(k);
            const bool last = k + 1 == blocks.size();
            if (k == 3) ahead.drop_ahead();  // block 3 is given as announced, but taken afresh
            ahead.process_block(blocks[k].data(), last ? nullptr : blocks[k + 1].data());
            plain.process_block(blocks[k].data());
            ASSERT_EQ(ahead.output(), plain.output()) << what;
            EXPECT_EQ(ahead.leveler_gain(), plain.leveler_gain()) << what;
            EXPECT_EQ(ahead.detector_levels().leveler, plain.detector_levels().leveler) << what;
            EXPECT_EQ(ahead.input_peak(0), plain.input_peak(0)) << what;
            EXPECT_EQ(ahead.input_peak(1), plain.input_peak(1)) << what;
            const SectionMinima a = ahead.take_minima(), b = plain.take_minima();
            EXPECT_EQ(a.leveler, b.leveler) << what;
            EXPECT_EQ(a.limiter, b.limiter) << what;
        }
        EXPECT_EQ(ahead.levelled_ahead(), 4);  // every call but the last, block 3's work dropped
    }
}

// An impulse whose filter sum at some distance lies within 1e-5 of one
// half: the fast path sums it again directly and rounds it as the direct
// sum does, in the equalizer and in the band split.
TEST(FastPath, SumsNearARoundingBoundaryAreSummedAgainDirectly) {
    ParameterSet p = testing::transparent();
    p.HPF = 100;
    Engine probe;
    probe.EQ_FILTERBESTIMMEN(p, 44100);
    const auto& c = probe.equalizer().c();
    // The sum at distance m from an impulse of height A is c(m) A, exactly.
    int32_t amplitude = 0;
    for (int32_t a = 20000; a < 32767 && amplitude == 0; ++a) {
        for (int32_t m = 1; m <= probe.equalizer().N(); ++m) {
            if (kernels::near_half(static_cast<double>(c[static_cast<size_t>(m)]) * a, 0.5 - 1e-5)) {
                amplitude = a;
                break;
            }
        }
    }
    ASSERT_NE(amplitude, 0);
    std::vector<int32_t> in(30000, 0);
    in[7000] = amplitude;
    in[19000] = -amplitude;
    Engine ref(FilterPath::Reference);
    const auto b = testing::run_stream(ref, p, SampleFormat::Mono16, 44100, testing::bytes_of(in, 2));
    testing::for_each_variant([&](cpu::Variant) {
        Engine fast(FilterPath::Fast);
        const auto a = testing::run_stream(fast, p, SampleFormat::Mono16, 44100, testing::bytes_of(in, 2));
        EXPECT_GT(fast.resummed(), 0);
        EXPECT_EQ(a.output, b.output);
    });

    // The band split: with a flat filter the chain values are the samples.
    ParameterSet flat = testing::transparent();
    const auto& low = probe.crossover().low_taps();
    const auto& high = probe.crossover().high_taps();
    amplitude = 0;
    for (int32_t v = 20000; v < 32767 && amplitude == 0; ++v) {
        for (int m = 0; m < XOVER_HALF; ++m) {
            if (kernels::near_half(low[static_cast<size_t>(m)] * v, 0.5 - 1e-5) ||
                kernels::near_half(high[static_cast<size_t>(m)] * v, 0.5 - 1e-5)) {
                amplitude = v;
                break;
            }
        }
    }
    ASSERT_NE(amplitude, 0);
    in.assign(30000, 0);
    in[9000] = amplitude;
    Engine ref2(FilterPath::Reference);
    const auto d2 = testing::run_stream(ref2, flat, SampleFormat::Stereo16, 44100,
                                        testing::bytes_of(interleave(in, in), 2));
    testing::for_each_variant([&](cpu::Variant) {
        Engine fast2(FilterPath::Fast);
        const auto c2 = testing::run_stream(fast2, flat, SampleFormat::Stereo16, 44100,
                                            testing::bytes_of(interleave(in, in), 2));
        EXPECT_GT(fast2.resummed(), 0);
        EXPECT_EQ(c2.output, d2.output);
    });
}

}  // namespace sc::engine
