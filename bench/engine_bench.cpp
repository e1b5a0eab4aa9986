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
#include "engine/cpu_variant.h"
#include "settings/presets.h"

namespace {

using namespace sc::engine;

std::vector<uint8_t> signal(size_t frames, int channels) {
    std::vector<uint8_t> d(frames * 2 * static_cast<size_t>(channels));
    uint32_t r = 7;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        for (int c = 0; c < channels; ++c) {
            r = r * 1664525u + 1013904223u;
            const double v = 9000 * std::sin(2 * M_PI * (82 + c) * t) + 5000 * std::sin(2 * M_PI * 440 * t + c) +
                             2500 * std::sin(2 * M_PI * 3000 * t) + (static_cast<double>(r >> 16) - 32768) / 16;
            const int16_t s = static_cast<int16_t>(std::lrint(v * (0.6 + 0.4 * std::sin(t))));
            std::memcpy(&d[(i * static_cast<size_t>(channels) + static_cast<size_t>(c)) * 2], &s, 2);
        }
    }
    return d;
}

// A constant level whose equalizer sums all lie next to a rounding boundary
// under "Strings: general".
std::vector<uint8_t> constant_level(size_t frames) {
    std::vector<uint8_t> d(frames * 4);
    const int16_t s = -13834;
    for (size_t i = 0; i < 2 * frames; ++i) std::memcpy(&d[2 * i], &s, 2);
    return d;
}

class NoHost : public sc::PresetHost {
public:
    void reset_time_sample_rate() override {}
    void reset_running_gain(int) override {}
    void K_KURVE_ERZEUGEN_LIMI() override {}
    void ATT_REL_ANRATEANPASSEN() override {}
    void D__DECKELZEIGEN() override {}
};

sc::ParameterSet strings() {
    sc::ParameterSet p;
    NoHost host;
    sc::apply_preset(p, sc::PresetId::ST_ALLG, {}, host);
    return p;
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

enum class Input { Stereo, Mono, Constant };

void run_chain(benchmark::State& state, FilterPath path, const sc::ParameterSet& p, Input input = Input::Stereo) {
    const size_t frames = static_cast<size_t>(state.range(0)) * 44100;
    const std::vector<uint8_t> data = input == Input::Constant ? constant_level(frames)
                                                               : signal(frames, input == Input::Mono ? 1 : 2);
    const SampleFormat format = input == Input::Mono ? SampleFormat::Mono16 : SampleFormat::Stereo16;
    const ReadFn read = [&](int64_t pos, uint8_t* dst, size_t count) -> size_t {
        if (pos < 0 || pos >= static_cast<int64_t>(data.size())) return 0;
        const size_t n = std::min(count, data.size() - static_cast<size_t>(pos));
        std::memcpy(dst, data.data() + pos, n);
        return n;
    };
    for (auto _ : state) {
        Engine engine(path);
        BlockStream stream;
        stream.begin_job(engine, p, {format, 44100, 0, static_cast<int64_t>(data.size())});
        BlockResult r;
        size_t bytes = 0;
        while (stream.next_block(read, r)) bytes += r.chunk.size();
        benchmark::DoNotOptimize(bytes);
    }
    const double seconds_of_audio = static_cast<double>(frames) / 44100.0;
    state.counters["samples/s"] = benchmark::Counter(static_cast<double>(frames) * (input == Input::Mono ? 1 : 2),
                                                     benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x_realtime"] =
        benchmark::Counter(seconds_of_audio, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ChainFast(benchmark::State& s) { run_chain(s, FilterPath::Fast, deepest()); }
void BM_ChainReference(benchmark::State& s) { run_chain(s, FilterPath::Reference, deepest()); }
void BM_ChainFastFlat(benchmark::State& s) { run_chain(s, FilterPath::Fast, flat()); }
void BM_ChainFastMono(benchmark::State& s) { run_chain(s, FilterPath::Fast, deepest(), Input::Mono); }
void BM_StringsMusic(benchmark::State& s) { run_chain(s, FilterPath::Fast, strings()); }
void BM_StringsConstant(benchmark::State& s) { run_chain(s, FilterPath::Fast, strings(), Input::Constant); }
// The deepest chain with each kernel build the processor supports.
void BM_ChainFastBuild(benchmark::State& s) {
    const auto v = static_cast<cpu::Variant>(s.range(1));
    if (!cpu::force(v)) {
        s.SkipWithError("not supported by this processor");
        return;
    }
    run_chain(s, FilterPath::Fast, deepest());
    cpu::force(cpu::best());
}

}  // namespace

BENCHMARK(BM_ChainFast)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainReference)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainFastFlat)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainFastMono)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringsMusic)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringsConstant)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainFastBuild)->ArgsProduct({{60}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

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
    // Per sample, mono against stereo: stereo has twice the samples.
    const auto mono = reporter.factor.find("BM_ChainFastMono/60");
    if (fast != reporter.factor.end() && mono != reporter.factor.end() && mono->second > 0)
        std::printf("mono cost per sample / stereo: %.2f\n", 2.0 * fast->second / mono->second);
    const auto music = reporter.factor.find("BM_StringsMusic/60");
    const auto level = reporter.factor.find("BM_StringsConstant/60");
    if (music != reporter.factor.end() && level != reporter.factor.end() && level->second > 0)
        std::printf("constant level -13834 / music, Strings: general: %.2f\n", music->second / level->second);
    for (cpu::Variant v : cpu::ALL_VARIANTS) {
        const auto it = reporter.factor.find("BM_ChainFastBuild/60/" + std::to_string(static_cast<int>(v)));
        if (it != reporter.factor.end() && fast != reporter.factor.end() && it->second > 0)
            std::printf("kernel build %-8s %.0fx real time (CPU), %.2f times the CPU time of the chosen build\n", cpu::name(v),
                        it->second, fast->second / it->second);
    }
    return 0;
}
