#include "engine/block_stream.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace sc::engine {

void BlockStream::begin_job(Engine& engine, const ParameterSet& p, const StreamFormat& f) {
    const int channels = channels_of(f.format);
    engine.EQ_FILTERBESTIMMEN(p, f.sample_rate);
    engine.reset_running_values();
    engine.K_KURVE_ERZEUGEN_BASS(p, channels);
    engine.K_KURVE_ERZEUGEN_MIDD(p, channels);
    engine.K_KURVE_ERZEUGEN_HIGH(p, channels);
    engine.K_KURVE_ERZEUGEN_LEVE(p, channels);
    engine.ATT_REL_ANRATEANPASSEN(p, f.sample_rate);
    engine.prepare_job(p, f.format, f.sample_rate);
    begin(engine, f);
}

void BlockStream::begin(Engine& engine, const StreamFormat& f) {
    engine_ = &engine;
    format_ = f;
    format_.data_size = std::max<int64_t>(f.data_size, 0);
    geometry_ = engine.geometry();
    bytes_ = bytes_per_value(f.format);
    read_position_ = f.data_start;
    written_ = 0;
    first_ = true;
    blocks_ = 0;
    // (One spare word: the 24-bit decoding reads four bytes per value.)
    raw_.assign(static_cast<size_t>(geometry_.blk) * static_cast<size_t>(bytes_) + 4, 0);
    values_.assign(static_cast<size_t>(geometry_.blk) + 2, 0);
    next_values_.assign(values_.size(), 0);
    have_next_ = false;
    full_chunk_ = 0;
    engine.drop_ahead();
}

namespace {

void decode16(const uint8_t* __restrict r, int32_t* __restrict v, int32_t n) {
    for (int32_t i = 0; i < n; ++i)
        v[i] = static_cast<int16_t>(static_cast<uint16_t>(r[2 * i] | (r[2 * i + 1] << 8)));
}

// A zero byte below the three bytes forms a 32-bit word, shifted down by 8.
// On a little-endian machine that word is the four bytes from the value on,
// shifted up by 8 first (the byte after the value may be the buffer's spare).
void decode24(const uint8_t* __restrict r, int32_t* __restrict v, int32_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        for (int32_t i = 0; i < n; ++i) {
            uint32_t word;
            std::memcpy(&word, r + 3 * i, 4);
            v[i] = static_cast<int32_t>(word << 8) >> 8;
        }
    } else {
        for (int32_t i = 0; i < n; ++i) {
            const uint32_t word = (static_cast<uint32_t>(r[3 * i]) << 8) |
                                  (static_cast<uint32_t>(r[3 * i + 1]) << 16) |
                                  (static_cast<uint32_t>(r[3 * i + 2]) << 24);
            v[i] = static_cast<int32_t>(word) >> 8;
        }
    }
}

}  // namespace

void BlockStream::read_block(const ReadFn& read, int64_t position, bool first, std::vector<int32_t>& values) {
    const size_t want = static_cast<size_t>(geometry_.blk) * static_cast<size_t>(bytes_);
    const size_t got = std::min(read(position, raw_.data(), want), want);
    std::memset(raw_.data() + got, 0, want - got);

    const int32_t blk = geometry_.blk;
    const int32_t shift = first ? geometry_.ovl : 0;
    // Value p lies at byte offset base + (p - shift) * bytes within the data;
    // only positions wholly inside the data hold samples, the rest are 0.
    const int64_t base = position - format_.data_start;
    const int64_t b = bytes_;
    auto floor_div = [](int64_t x, int64_t d) { return x >= 0 ? x / d : -((-x + d - 1) / d); };
    const int64_t lo64 = shift + std::max<int64_t>(0, -floor_div(base, b));
    const int64_t hi64 = shift + floor_div(format_.data_size - b - base, b) + 1;
    const int32_t lo = static_cast<int32_t>(std::clamp<int64_t>(lo64, shift, blk));
    const int32_t hi = static_cast<int32_t>(std::clamp<int64_t>(hi64, lo, blk));
    int32_t* v = values.data();
    std::fill(v, v + lo, 0);
    std::fill(v + hi, v + blk, 0);
    const uint8_t* r = raw_.data() + static_cast<size_t>(lo - shift) * static_cast<size_t>(bytes_);
    if (bytes_ == 2) {
        decode16(r, v + lo, hi - lo);
    } else {
        decode24(r, v + lo, hi - lo);
    }
    v[blk] = v[blk + 1] = 0;
}

bool BlockStream::next_block(const ReadFn& read, BlockResult& result) {
    if (engine_ == nullptr || finished()) return false;
    if (have_next_) {
        values_.swap(next_values_);
    } else {
        read_block(read, read_position_, first_, values_);
    }
    have_next_ = false;
    // The block after this one, where a full chunk ahead is still data.
    const int64_t back = first_ ? static_cast<int64_t>(geometry_.ovl) * bytes_ : 0;
    const bool ahead = full_chunk_ > 0 && written_ + full_chunk_ < format_.data_size;
    if (ahead) read_block(read, read_position_ + full_chunk_ - back, false, next_values_);
    engine_->process_block(values_.data(), ahead ? next_values_.data() : nullptr);

    const std::vector<uint8_t>& out = engine_->output();
    if (ahead) {
        // Read at the wrong place if this chunk was not a full one.
        have_next_ = static_cast<int64_t>(out.size()) == full_chunk_;
        if (!have_next_) engine_->drop_ahead();
    }
    full_chunk_ = static_cast<int64_t>(out.size());
    const int64_t room = format_.data_size - written_;
    const size_t take = static_cast<size_t>(std::min<int64_t>(room, static_cast<int64_t>(out.size())));
    result.chunk = std::span<const uint8_t>(out.data(), take);
    written_ += static_cast<int64_t>(take);
    result.input_peak_left = engine_->input_peak(0);
    result.input_peak_right = engine_->input_peak(1);
    result.output_peak = engine_->output_peak();
    result.minima = engine_->take_minima();
    result.read_position = read_position_;
    result.first = first_;
    result.last = finished();

    read_position_ += static_cast<int64_t>(out.size()) - back;
    first_ = false;
    ++blocks_;
    result.next_read_position = read_position_;
    return true;
}

}  // namespace sc::engine
