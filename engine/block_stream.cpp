#include "engine/block_stream.h"

#include <algorithm>
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
    raw_.assign(static_cast<size_t>(geometry_.blk) * static_cast<size_t>(bytes_), 0);
    values_.assign(static_cast<size_t>(geometry_.blk) + 2, 0);
}

void BlockStream::read_block(const ReadFn& read) {
    const size_t want = raw_.size();
    const size_t got = std::min(read(read_position_, raw_.data(), want), want);
    std::memset(raw_.data() + got, 0, want - got);

    const int32_t blk = geometry_.blk;
    const int32_t shift = first_ ? geometry_.ovl : 0;
    const uint8_t* r = raw_.data();
    int32_t* v = values_.data();
    for (int32_t p = 0; p < shift; ++p) v[p] = 0;
    // Byte offset within the data of the value at position p.
    const int64_t base = read_position_ - format_.data_start;
    for (int32_t p = shift; p < blk; ++p) {
        const int64_t offset = base + static_cast<int64_t>(p - shift) * bytes_;
        if (offset < 0 || offset + bytes_ > format_.data_size) {
            v[p] = 0;  // beyond the true end of the samples
            continue;
        }
        const uint8_t* s = r + static_cast<size_t>(p - shift) * static_cast<size_t>(bytes_);
        if (bytes_ == 2) {
            v[p] = static_cast<int16_t>(static_cast<uint16_t>(s[0] | (s[1] << 8)));
        } else {
            const uint32_t word = (static_cast<uint32_t>(s[0]) << 8) | (static_cast<uint32_t>(s[1]) << 16) |
                                  (static_cast<uint32_t>(s[2]) << 24);
            v[p] = static_cast<int32_t>(word) >> 8;
        }
    }
    v[blk] = v[blk + 1] = 0;
}

bool BlockStream::next_block(const ReadFn& read, BlockResult& result) {
    if (engine_ == nullptr || finished()) return false;
    read_block(read);
    engine_->process_block(values_.data());

    const std::vector<uint8_t>& out = engine_->output();
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

    read_position_ += static_cast<int64_t>(out.size());
    if (first_) read_position_ -= static_cast<int64_t>(geometry_.ovl) * bytes_;
    first_ = false;
    ++blocks_;
    result.next_read_position = read_position_;
    return true;
}

}  // namespace sc::engine
