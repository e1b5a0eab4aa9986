// Helpers of the chain tests: settings, test signals and an in-memory source.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/block_stream.h"
#include "engine/cpu_variant.h"

namespace sc::engine::testing {

// Every section neutral: ratios 1, gates off, unity gains, leveler off, flat
// filter, limiter threshold above any 16-bit signal.
inline ParameterSet transparent() {
    ParameterSet p;
    p.INPUTGAIN = 1.0f;
    p.INPUTAUTO = 0;
    p.HPF = 0;
    p.EQ.fill(0.0f);
    p.KOMPR_RATBASS = p.KOMPR_RATMIDD = p.KOMPR_RATHIGH = 1.0f;
    p.KOMPR_OUTBASS = p.KOMPR_OUTMIDD = p.KOMPR_OUTHIGH = 1.0f;
    p.GATEBASS = p.GATEMIDD = p.GATEHIGH = 0;
    p.LIMI_THR = 32767;
    p.LIMI_OUTGAIN = 1.0f;
    return p;
}

// A music-like test signal: a few drifting tones, a bass line and noise,
// with a swelling envelope.
inline std::vector<int32_t> music(size_t n, double peak, uint32_t seed = 1) {
    std::vector<int32_t> s(n);
    uint32_t r = seed;
    for (size_t i = 0; i < n; ++i) {
        r = r * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(r >> 8) / 16777216.0 - 0.5) * 0.2;
        const double t = i / 44100.0;
        const double env = 0.55 + 0.45 * std::sin(2 * M_PI * 0.7 * t + seed);
        const double v = 0.35 * std::sin(2 * M_PI * 82 * t) + 0.2 * std::sin(2 * M_PI * (440 + 30 * std::sin(t)) * t) +
                         0.12 * std::sin(2 * M_PI * 2900 * t + seed) + 0.08 * std::sin(2 * M_PI * 9100 * t) + noise;
        s[i] = static_cast<int32_t>(std::lrint(peak * env * v));
    }
    return s;
}

inline std::vector<uint8_t> bytes_of(const std::vector<int32_t>& v, int bytes) {
    std::vector<uint8_t> out;
    out.reserve(v.size() * static_cast<size_t>(bytes));
    for (int32_t x : v)
        for (int b = 0; b < bytes; ++b) out.push_back(static_cast<uint8_t>((x >> (8 * b)) & 0xFF));
    return out;
}

inline std::vector<int32_t> values_of(const std::vector<uint8_t>& b, int bytes) {
    std::vector<int32_t> out;
    for (size_t i = 0; i + static_cast<size_t>(bytes) <= b.size(); i += static_cast<size_t>(bytes)) {
        uint32_t w = 0;
        for (int k = 0; k < bytes; ++k) w |= static_cast<uint32_t>(b[i + static_cast<size_t>(k)]) << (8 * (k + 4 - bytes));
        out.push_back(static_cast<int32_t>(w) >> (8 * (4 - bytes)));
    }
    return out;
}

inline std::vector<int32_t> interleave(const std::vector<int32_t>& l, const std::vector<int32_t>& r) {
    std::vector<int32_t> out;
    for (size_t i = 0; i < l.size(); ++i) {
        out.push_back(l[i]);
        out.push_back(r[i]);
    }
    return out;
}

struct StreamRun {
    std::vector<uint8_t> output;
    std::vector<int64_t> read_positions;
    std::vector<BlockResult> results;  // chunks not kept
    bool pad = false;
};

// A source file in memory: a 44-byte header stand-in, the data, then a
// foreign chunk of 0x7F bytes that must never reach the output.
inline StreamRun run_stream(Engine& engine, const ParameterSet& p, SampleFormat f, int32_t rate,
                            const std::vector<uint8_t>& data) {
    std::vector<uint8_t> file(44 + data.size() + 4000, 0x7F);
    std::fill(file.begin(), file.begin() + 44, 0x55);
    std::copy(data.begin(), data.end(), file.begin() + 44);
    StreamRun run;
    ReadFn read = [&](int64_t pos, uint8_t* dst, size_t count) -> size_t {
        run.read_positions.push_back(pos);
        if (pos < 0 || pos >= static_cast<int64_t>(file.size())) return 0;
        const size_t n = std::min(count, file.size() - static_cast<size_t>(pos));
        std::memcpy(dst, file.data() + pos, n);
        return n;
    };
    BlockStream stream;
    stream.begin_job(engine, p, {f, rate, 44, static_cast<int64_t>(data.size())});
    BlockResult r;
    while (stream.next_block(read, r)) {
        run.output.insert(run.output.end(), r.chunk.begin(), r.chunk.end());
        r.chunk = {};
        run.results.push_back(r);
    }
    run.pad = stream.needs_pad_byte();
    return run;
}

inline std::vector<int32_t> process(const ParameterSet& p, SampleFormat f, const std::vector<int32_t>& in,
                                    int32_t rate = 44100, FilterPath path = FilterPath::Fast) {
    Engine engine(path);
    const int bytes = bytes_per_value(f);
    return values_of(run_stream(engine, p, f, rate, bytes_of(in, bytes)).output, bytes);
}

// Runs `body` once with every kernel build this processor can run forced
// (the others are named as skipped), then restores the active one.
template <class Body> void for_each_variant(Body&& body) {
    const cpu::Variant before = cpu::active();
    for (cpu::Variant v : cpu::ALL_VARIANTS) {
        if (!cpu::force(v)) {
            static bool told[3] = {};
            if (!told[static_cast<int>(v)])
                std::printf("[ variant  ] %s not supported by this processor: skipped\n", cpu::name(v));
            told[static_cast<int>(v)] = true;
            continue;
        }
        SCOPED_TRACE(std::string("kernel build ") + cpu::name(v));
        body(v);
    }
    cpu::force(before);
}

}  // namespace sc::engine::testing
