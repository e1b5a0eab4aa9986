#include "audiofile/chunk_walk.h"

#include <cctype>
#include <cstring>
#include <limits>

namespace sc {

namespace {

uint32_t u32_at(const HeaderWindow& w, int offset) {
    return static_cast<uint32_t>(w.bytes[offset]) | static_cast<uint32_t>(w.bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(w.bytes[offset + 2]) << 16 | static_cast<uint32_t>(w.bytes[offset + 3]) << 24;
}

int32_t u16_at(const HeaderWindow& w, int offset) {
    return w.bytes[offset] + 256 * w.bytes[offset + 1];
}

bool tag_at(const HeaderWindow& w, int offset, const char* tag) {
    return std::memcmp(w.bytes + offset, tag, std::strlen(tag)) == 0;
}

// True when the n bytes from the 1-based position lie inside the file.
bool inside(uint64_t file_length, int64_t position, uint64_t n) {
    return position >= 1 && static_cast<uint64_t>(position - 1) + n <= file_length;
}

// Looks for the chunk `id` at position, skipping at most three other chunks
// by their size + 8 (odd sizes as they stand, no pad byte). Leaves position
// at the chunk found; false when it is not there or a header is cut off.
bool find_chunk(platform::File& file, uint64_t file_length, int64_t& position, const char* id,
                HeaderWindow& window) {
    for (int skips = 0;; ++skips) {
        if (!inside(file_length, position, 8)) return false;
        window = read_window(file, file_length, position);
        if (tag_at(window, 0, id)) return true;
        if (skips == 3) return false;
        position += 8 + static_cast<int64_t>(u32_at(window, 4));
    }
}

}  // namespace

HeaderWindow read_window(platform::File& file, uint64_t file_length, int64_t position) {
    HeaderWindow w;
    if (position < 1 || static_cast<uint64_t>(position - 1) >= file_length) return w;
    file.read_at(static_cast<uint64_t>(position - 1), w.bytes, WINDOW_SIZE);
    return w;
}

ChunkWalk walk_chunks(platform::File& file) {
    ChunkWalk r;
    const uint64_t length = file.length();
    r.file_length = length;
    if (length > std::numeric_limits<uint32_t>::max()) {
        r.stage = WalkStage::FileTooBig;
        return r;
    }

    int64_t position = 1;
    HeaderWindow window = read_window(file, length, position);
    if (inside(length, 1, 8)) {
        bool musifile = true;
        for (int i = 0; i < 8; ++i) {
            if (std::toupper(window.bytes[i]) != "MUSIFILE"[i]) musifile = false;
        }
        if (musifile) {
            r.musifile_flag = 1;
            if (!inside(length, 1, 12)) {
                r.stage = WalkStage::NotRiffWave;
                return r;
            }
            position = static_cast<int64_t>(u32_at(window, 8)) + 1;
            window = read_window(file, length, position);
        }
    }

    if (!inside(length, position, 12) || !tag_at(window, 0, "RIFF") || !tag_at(window, 8, "WAVE")) {
        r.stage = WalkStage::NotRiffWave;
        return r;
    }
    position += 12;

    // The format fields reach to offset 23, and a chunk smaller than 16 bytes
    // would hand them out of the following chunk.
    if (!find_chunk(file, length, position, "fmt ", window) || !inside(length, position, 24) ||
        u32_at(window, 4) < 16) {
        r.stage = WalkStage::NoFmt;
        return r;
    }
    r.fmt_position = position;
    r.fmt_size = u32_at(window, 4);
    r.format_tag = static_cast<int16_t>(u16_at(window, 8));
    r.channels = u16_at(window, 10);
    r.sample_rate = u16_at(window, 12);
    r.bits_per_sample = u16_at(window, 22);

    position += static_cast<int64_t>(r.fmt_size) + 8;
    if (!find_chunk(file, length, position, "data", window)) {
        r.stage = WalkStage::NoData;
        return r;
    }
    r.data_position = position;
    r.data_size_field = u32_at(window, 4);
    r.data_available = length - static_cast<uint64_t>(position - 1) - 8;
    r.stage = WalkStage::Complete;
    return r;
}

}  // namespace sc
