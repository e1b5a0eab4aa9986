#include "engine/response_probe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/rounding.h"

namespace sc::engine {

namespace {

constexpr double TWO_PI = 6.283185307179586;
// At least this many output values are looked at, and at least 1.25
// periods, so that the sampled peak lies close to the true one.
constexpr int MIN_MEASURED = 400;

// round(51000 sin(2 pi f i / sr)) for i = 0 ... length - 1.
std::vector<int32_t> sine_piece(double freq, int32_t sample_rate, int64_t length) {
    std::vector<int32_t> x(static_cast<std::size_t>(length));
    const double step = TWO_PI * freq / sample_rate;
    for (int64_t i = 0; i < length; ++i)
        x[static_cast<std::size_t>(i)] = round_i32(PROBE_AMPLITUDE * std::sin(step * static_cast<double>(i)));
    return x;
}

int64_t measured_length(double freq, int32_t sample_rate) {
    const double periods = 1.25 * sample_rate / std::max(freq, 1.0);
    return std::max<int64_t>(MIN_MEASURED, static_cast<int64_t>(std::ceil(periods)));
}

double level_of(int64_t peak) {
    if (peak <= 0) return PROBE_FLOOR_DB;
    return std::max(PROBE_FLOOR_DB, 20.0 * std::log10(static_cast<double>(peak) / PROBE_AMPLITUDE));
}

}  // namespace

double equalizer_level_db(const Equalizer& eq, double freq, int32_t sample_rate) {
    const int64_t n = eq.N();
    const int64_t measured = measured_length(freq, sample_rate);
    const std::vector<int32_t> x = sine_piece(freq, sample_rate, measured + 2 * n);
    int64_t peak = 0;
    for (int64_t i = n; i < n + measured; ++i) {
        const int64_t acc = round_i32(eq.sum_at(x.data(), i, 1));
        peak = std::max<int64_t>(peak, std::llabs(x[static_cast<std::size_t>(i)] - acc));
    }
    return level_of(peak);
}

CrossoverLevels crossover_levels_db(const Crossover& xover, double freq, int32_t sample_rate) {
    const int64_t measured = measured_length(freq, sample_rate);
    const std::vector<int32_t> x = sine_piece(freq, sample_rate, measured + 2 * XOVER_HALF);
    int64_t low = 0, mid = 0, high = 0;
    for (int64_t j = XOVER_HALF; j < XOVER_HALF + measured; ++j) {
        const BandSums s = xover.sums_at(x.data(), j);
        low = std::max<int64_t>(low, std::abs(round_i32(s.low)));
        high = std::max<int64_t>(high, std::abs(round_i32(s.high)));
        mid = std::max<int64_t>(mid, std::abs(round_i32(x[static_cast<std::size_t>(j)] - s.low - s.high)));
    }
    return {level_of(low), level_of(mid), level_of(high)};
}

double PeakShape::centre() const { return complete() ? std::sqrt(fu * fo) : peak_freq; }

double PeakShape::q() const {
    const double w = width();
    return w > 0.0 ? centre() / w : 0.0;
}

std::vector<double> log_frequencies(double f_low, double f_high, int per_octave) {
    std::vector<double> f;
    if (f_low <= 0.0 || f_high < f_low || per_octave <= 0) return f;
    const double octaves = std::log2(f_high / f_low);
    const int steps = std::max(1, static_cast<int>(std::ceil(octaves * per_octave - 1e-9)));
    for (int i = 0; i <= steps; ++i) f.push_back(f_low * std::pow(f_high / f_low, static_cast<double>(i) / steps));
    return f;
}

PeakShape measure_peak(const std::function<double(double)>& level_db, double f_low, double f_high) {
    PeakShape shape;
    const std::vector<double> grid = log_frequencies(f_low, f_high, 24);
    if (grid.empty()) return shape;
    std::vector<double> level(grid.size());
    std::size_t best = 0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        level[i] = level_db(grid[i]);
        if (level[i] > level[best]) best = i;
    }
    shape.peak_freq = grid[best];
    shape.peak_db = level[best];
    // Refine between the neighbouring steps.
    const double lo = grid[best > 0 ? best - 1 : best], hi = grid[best + 1 < grid.size() ? best + 1 : best];
    for (double f : log_frequencies(lo, hi, 192)) {
        const double l = level_db(f);
        if (l > shape.peak_db) {
            shape.peak_db = l;
            shape.peak_freq = f;
        }
    }

    const double edge = shape.peak_db - 3.0;
    // Halves the interval (in octaves) between a point above and one below the edge.
    auto crossing = [&](double above, double below) {
        for (int i = 0; i < 14; ++i) {
            const double m = std::sqrt(above * below);
            (level_db(m) >= edge ? above : below) = m;
        }
        return std::sqrt(above * below);
    };
    for (std::size_t i = best; i-- > 0;) {
        if (level[i] < edge) {
            shape.fu = crossing(grid[i + 1], grid[i]);
            break;
        }
    }
    for (std::size_t i = best + 1; i < grid.size(); ++i) {
        if (level[i] < edge) {
            shape.fo = crossing(grid[i - 1], grid[i]);
            break;
        }
    }
    return shape;
}

}  // namespace sc::engine
