// What the header of the source file says: filled by the load-time check
// and again by the job-start check, read by the job, the output writer, the
// envelope and the playback.
#pragma once

#include <cstdint>

namespace sc {

struct SourceFormat {
    uint32_t file_length = 0;     // bytes, taken at open
    // 1-based file position of the header window examined last; after a
    // complete walk the position of the "data" chunk header (after the
    // job-start check: of the first sample byte).
    int64_t chunk_position = 0;
    int16_t musifile_flag = 0;    // 1 while the file began with "MUSIFILE"
    uint32_t fmt_size = 0;        // size field of the "fmt " chunk
    int16_t format_tag = 0;       // 1 = PCM
    int32_t channels = 0;         // 1 mono, 2 stereo
    int32_t sample_rate = 0;      // the whole 32-bit header field
    int32_t bits_per_sample = 0;  // 16 or 24
    // 1 exactly when bits = 24 and channels = 1. Only the load-time check
    // sets it; the job and the output writer use the value it left.
    int8_t mono24 = 0;
    // Size of the sample data in bytes: the "data" size field, cut to what
    // the file really holds behind the chunk header.
    int32_t data_size = 0;
    // data chunk header position + data size (1-based; 8 bytes short of the
    // position after the last sample byte). The processing loop stops by it.
    int64_t data_end = 0;
    // 1-based file position of the first sample byte (data header + 8).
    int64_t data_start = 0;
    double playing_time = 0.0;    // seconds, from the media layer

    // 0-based byte offset of the first sample byte, for File::read_at.
    uint64_t data_offset() const { return data_start > 0 ? static_cast<uint64_t>(data_start - 1) : 0; }
};

}  // namespace sc
