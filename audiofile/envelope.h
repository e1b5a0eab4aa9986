// Computing a peak envelope from the sample data of a WAV file.
//
// The data is read in blocks of B bytes from 36 bytes behind the first
// sample byte; each block gives one fine entry per channel (the largest
// absolute 16-bit value; -32768 stays negative and never wins), five fine
// entries give one column.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/file_system.h"
#include "settings/envelope.h"

namespace sc {

enum class EnvelopeLayout { Mono16, Stereo16, Mono24 };

EnvelopeLayout envelope_layout(int channels, bool mono24);

// The block size B in bytes for data_size bytes of sample data.
int64_t envelope_block_size(int64_t data_size, EnvelopeLayout layout);

// The absolute value of a 16-bit sample as the envelope keeps it.
inline int16_t envelope_peak(int16_t v) { return v < 0 ? static_cast<int16_t>(-v) : v; }

// The peaks of one block of n bytes: left (or mono) and right.
struct BlockPeaks {
    int16_t left = 0;
    int16_t right = 0;
};
BlockPeaks scan_envelope_block(const uint8_t* data, std::size_t n, EnvelopeLayout layout);

// Columns 0 ... 779 from the fine entries (the right channel for stereo).
void fill_envelope_columns(Envelope& env);

// Where the sample data lies and how the walk over it ends.
struct EnvelopeWalk {
    int64_t data_header = 0;  // 1-based position of the "data" chunk header
    int64_t data_end = 0;     // data_header + data size
    int64_t block_size = 0;   // B
    EnvelopeLayout layout = EnvelopeLayout::Mono16;
    // true: the last block is read while its start lies before data_end
    // (the result file); false: while the next block would end before it.
    bool read_to_end = false;
    int progress_every = 99;  // blocks between two progress reports
};

// Reads the blocks into env (which is cleared first) and fills the columns.
// progress(percent) is called every progress_every blocks, and once more
// with 100 at the end. Blocks beyond the 4000 fine entries are not read.
void read_envelope(platform::File& file, const EnvelopeWalk& walk, Envelope& env,
                   const std::function<void(int percent)>& progress);

// The header of the job's result file as the result envelope reads it:
// the first chunk behind byte 12, at most one foreign chunk before "fmt ",
// at most two before "data".
enum class ResultHeader { Ok, NoFmt, NotPcm, NoData };
struct ResultFormat {
    int32_t channels = 1;
    int32_t bits_per_sample = 16;
    int64_t data_header = 0;  // 1-based
    int64_t data_size = 0;    // cut to what the file holds
};
ResultHeader read_result_header(platform::File& file, ResultFormat& out);

}  // namespace sc
