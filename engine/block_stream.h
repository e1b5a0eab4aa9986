// The block stream: reads a job's source data block by block through a
// caller-supplied read function, runs each block through the engine and hands
// back the block's output chunk, peaks and section minima. No file access of
// its own, so the job driver only wires reads, writes, keys and meters.
//
//   BlockStream stream;
//   stream.begin_job(engine, params, {format, rate, data_start, data_size});
//   BlockResult r;
//   while (stream.next_block(read, r)) { write(r.chunk); draw meters; ... }
//   if (stream.needs_pad_byte()) write one zero byte;
//
// Block structure: a block is BLK values read from the current read position
// (position 0 is the first value read). The first block of a job is moved up
// by OVL positions, so the filters and look-aheads start on silence and the
// first output value belongs to the first source value. Values at or beyond
// the end of the data (data start + data size) are set to 0. After a block
// the read position moves on by the byte length of its output chunk, and
// after the first block back by OVL values once, so every block re-reads the
// tail of the one before as its overlap.
//
// End: the stream runs until it has produced exactly data size bytes (the
// last chunk is cut); a block that reaches the end is always processed.
//
// Reading ahead: from the second block on, the block after the current one
// is read before the current one is processed (every full block's chunk has
// the same length, so its position is known), and the engine may work on it
// beside the current one. Every block is still read once.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "engine/engine.h"
#include "settings/parameter_set.h"

namespace sc::engine {

struct StreamFormat {
    SampleFormat format = SampleFormat::Mono16;
    int32_t sample_rate = 44100;
    int64_t data_start = 0;  // byte position of the first sample
    int64_t data_size = 0;   // bytes of sample data
};

// Reads up to `count` bytes at byte `position` into `dst`; returns the number
// read (short at the end of the file). The rest of the block is taken as 0.
using ReadFn = std::function<size_t(int64_t position, uint8_t* dst, size_t count)>;

struct BlockResult {
    std::span<const uint8_t> chunk;  // output bytes of the block, cut at data size
    int32_t input_peak_left = 0;     // 16-bit scale
    int32_t input_peak_right = 0;
    int32_t output_peak = 0;         // 16-bit scale (24 bit: |out| / 256)
    SectionMinima minima;            // since the last block; reset after each block
    int64_t read_position = 0;       // where this block was read
    int64_t next_read_position = 0;  // the current read position after it
    bool first = false;
    bool last = false;               // the chunk completed the data
};

class BlockStream {
public:
    // Runs the job-start steps on `engine` in order (filter design, reset of
    // the running values, the four job curves, time constants, per-job
    // constants) and then `begin`.
    void begin_job(Engine& engine, const ParameterSet& p, const StreamFormat& f);
    // Starts the stream on an engine whose job steps have been done.
    void begin(Engine& engine, const StreamFormat& f);

    // Processes the next block; false when the data is complete (nothing done).
    bool next_block(const ReadFn& read, BlockResult& result);

    bool finished() const { return written_ >= format_.data_size; }  // the end flag
    int64_t read_position() const { return read_position_; }
    int64_t written_bytes() const { return written_; }
    int64_t data_end() const { return format_.data_start + format_.data_size; }
    // One zero byte follows odd-sized data in the output file.
    bool needs_pad_byte() const { return (format_.data_size & 1) != 0; }
    int32_t blocks() const { return blocks_; }

    // The block-loop condition of the job in its literal form: another pass
    // while read position + channels * 400 < data end. With a shallow filter
    // it turns false while up to some 200 values are still unprocessed, so the
    // stream itself runs on until the data is complete.
    static bool loop_condition(int64_t read_position, int channels, int64_t data_end) {
        return read_position + static_cast<int64_t>(channels) * 400 < data_end;
    }

private:
    void read_block(const ReadFn& read, int64_t position, bool first, std::vector<int32_t>& values);

    Engine* engine_ = nullptr;
    StreamFormat format_;
    BlockGeometry geometry_;
    int bytes_ = 2;  // bytes per value
    int64_t read_position_ = 0;
    int64_t written_ = 0;
    bool first_ = true;
    int32_t blocks_ = 0;
    std::vector<uint8_t> raw_;
    std::vector<int32_t> values_;
    std::vector<int32_t> next_values_;  // the next block, when read ahead
    bool have_next_ = false;
    int64_t full_chunk_ = 0;  // output bytes of a full block, once seen
};

}  // namespace sc::engine
