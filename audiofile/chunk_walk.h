// The walk through the header of a RIFF/WAVE source, shared by the load-time
// and the job-start check: an optional MUSIFILE prefix, "RIFF"/"WAVE", any
// number of foreign chunks before "fmt " and before "data".
//
// The walk reads nothing outside the file and trusts no size field: a chunk
// whose size points past the end, a MUSIFILE offset beyond the file and a
// file cut off inside a header all end the walk at the stage they reached.
// Every skip moves forward by at least 8 bytes, so the file's length bounds
// the walk. Of the skipped chunks only the first three may carry an id that
// is no four-character code (as older writers left them); further chunks must
// have one, so a run of zero bytes ends the walk at once.
#pragma once

#include <cstdint>

#include "platform/file_system.h"

namespace sc {

enum class WalkStage {
    Complete,     // "fmt " and "data" found
    FileTooBig,   // 4 GiB or more: no position would fit
    NotRiffWave,  // no "RIFF" ... "WAVE" where the body should begin
    NoFmt,        // no complete "fmt " chunk before the chunks end
    NoData        // "fmt " read, but no "data" chunk header after it
};

// WAVE_FORMAT_EXTENSIBLE: the real format stands in the sub-format GUID.
inline constexpr int16_t FORMAT_TAG_PCM = 1;
inline constexpr int16_t FORMAT_TAG_EXTENSIBLE = static_cast<int16_t>(0xFFFE);

struct ChunkWalk {
    WalkStage stage = WalkStage::NotRiffWave;
    uint64_t file_length = 0;
    int16_t musifile_flag = 0;
    // Valid from stage NoData on.
    int64_t fmt_position = 0;  // 1-based
    uint32_t fmt_size = 0;
    // The format tag; an extensible block whose sub-format is PCM counts as
    // PCM (1), its own tag stays in header_format_tag.
    int16_t format_tag = 0;
    int16_t header_format_tag = 0;
    int32_t channels = 0;
    int32_t sample_rate = 0;   // all four bytes (saturated to int32)
    int32_t bits_per_sample = 0;
    // Valid at stage Complete.
    int64_t data_position = 0;    // 1-based position of the "data" header
    uint32_t data_size_field = 0;
    uint64_t data_available = 0;  // bytes behind the "data" header
    // The sample bytes: the size field, or everything to the end of the file
    // when the field is 0xFFFFFFFF (a writer that could not seek back) or
    // promises more than the file holds.
    uint64_t data_bytes() const;
};

inline constexpr uint64_t WINDOW_SIZE = 80;

// The header window: 80 bytes at the 1-based position, zero-padded where the
// file ends (only bytes inside the file are ever compared).
struct HeaderWindow {
    uint8_t bytes[WINDOW_SIZE] = {};
};
HeaderWindow read_window(platform::File& file, uint64_t file_length, int64_t position);

ChunkWalk walk_chunks(platform::File& file);

}  // namespace sc
