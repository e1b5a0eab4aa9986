// Engine-only speed: the chain with the deepest filter (high-pass 100 Hz and
// the 100 Hz band) on a stereo 44.1 kHz signal held in memory, fast path
// against the direct-sum reference, and the fast path with a flat filter.
// Prints samples per second and the real-time factor of each, and the ratio
// of the fast path to the reference.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <cstring>
#include <vector>

#include "engine/block_stream.h"

namespace {

using namespace sc::engine;

std::vector<uint8_t> stereo_signal(size_t frames) {
    std::vector<uint8_t> d(frames * 4);
    uint32_t r = 7;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        for (int c = 0; c < 2; ++c) {
            r = r * 1664525u + 1013904223u;
            const double v = 9000 * std::sin(2 * M_PI * (82 + c) * t) + 5000 * std::sin(2 * M_PI * 440 * t + c) +
                             2500 * std::sin(2 * M_PI * 3000 * t) + (static_cast<double>(r >> 16) - 32768) / 16;
            const int16_t s = static_cast<int16_t>(std::lrint(v * (0.6 + 0.4 * std::sin(t))));
            std::memcpy(&d[i * 4 + 2 * static_cast<size_t>(c)], &s, 2);
        }
    }
    return d;
}

sc::ParameterSet deepest() {
    sc::ParameterSet p;
    p.HPF = 100;
    p.EQ[0] = 3.0f;
    p.INPUTAUTO = 2;
    return p;
}

// The start values: flat filter, leveler off, compressor active.
sc::ParameterSet flat() { return sc::ParameterSet{}; }

void run_chain(benchmark::State& state, FilterPath path, const sc::ParameterSet& p) {
    const size_t frames = static_cast<size_t>(state.range(0)) * 44100;
    const std::vector<uint8_t> data = stereo_signal(frames);
    const ReadFn read = [&](int64_t pos, uint8_t* dst, size_t count) -> size_t {
        if (pos < 0 || pos >= static_cast<int64_t>(data.size())) return 0;
        const size_t n = std::min(count, data.size() - static_cast<size_t>(pos));
        std::memcpy(dst, data.data() + pos, n);
        return n;
    };
    for (auto _ : state) {
        Engine engine(path);
        BlockStream stream;
        stream.begin_job(engine, p, {SampleFormat::Stereo16, 44100, 0, static_cast<int64_t>(data.size())});
        BlockResult r;
        size_t bytes = 0;
        while (stream.next_block(read, r)) bytes += r.chunk.size();
        benchmark::DoNotOptimize(bytes);
    }
    const double seconds_of_audio = static_cast<double>(frames) / 44100.0;
    state.counters["samples/s"] = benchmark::Counter(static_cast<double>(frames) * 2,
                                                     benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x_realtime"] =
        benchmark::Counter(seconds_of_audio, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ChainFast(benchmark::State& s) { run_chain(s, FilterPath::Fast, deepest()); }
void BM_ChainReference(benchmark::State& s) { run_chain(s, FilterPath::Reference, deepest()); }
void BM_ChainFastFlat(benchmark::State& s) { run_chain(s, FilterPath::Fast, flat()); }

}  // namespace

BENCHMARK(BM_ChainFast)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainReference)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainFastFlat)->Arg(60)->Unit(benchmark::kMillisecond);

namespace {

// Prints as usual and keeps the real-time factor of every run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const auto it = r.counters.find("x_realtime");
            if (it != r.counters.end()) factor[r.benchmark_name()] = it->second.value;
        }
    }
    std::map<std::string, double> factor;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto fast = reporter.factor.find("BM_ChainFast/60");
    const auto ref = reporter.factor.find("BM_ChainReference/60");
    if (fast != reporter.factor.end() && ref != reporter.factor.end() && ref->second > 0) {
        std::printf("\nstereo 44.1 kHz, deepest filter: fast %.0fx real time, reference %.0fx, ratio %.2f\n",
                    fast->second, ref->second, fast->second / ref->second);
    }
    const auto flat_run = reporter.factor.find("BM_ChainFastFlat/60");
    if (flat_run != reporter.factor.end()) std::printf("flat filter: fast %.0fx real time\n", flat_run->second);
    return 0;
}
