#include "audiofile/chunk_walk.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace sc {

namespace {

// Skips of chunks whose id is no four-character code, as old writers left
// them; beyond these every skipped chunk needs a proper id.
constexpr int LOOSE_SKIPS = 3;

// The sub-format GUID of integer PCM in an extensible format block.
constexpr uint8_t PCM_SUBFORMAT[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// cbSize (2 bytes) + valid bits (2) + channel mask (4) + GUID (16) behind the
// 16 plain bytes.
constexpr uint32_t EXTENSIBLE_FMT_SIZE = 40;
constexpr int SUBFORMAT_OFFSET = 8 + 24;

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

// A chunk id as writers use them: four printable ASCII characters, the first
// a letter or digit ("fmt ", "LIST", "bext", "iXML", "id3 ").
bool proper_id(const HeaderWindow& w) {
    if (!std::isalnum(w.bytes[0])) return false;
    for (int i = 1; i < 4; ++i)
        if (w.bytes[i] < 0x20 || w.bytes[i] > 0x7E) return false;
    return true;
}

class Walker {
public:
    Walker(platform::File& file, uint64_t length) : file_(file), length_(length) {}

    // The chunk header at position, when its 8 bytes lie inside the file.
    bool header_at(int64_t position, HeaderWindow& w) {
        if (!inside(length_, position, 8)) return false;
        w = read_window(file_, length_, position);
        return true;
    }

    // The position after the chunk at position whose size field is size. An
    // odd size is followed by a pad byte in well-made files and by none in
    // some others: the position that holds the chunk looked for, else a
    // proper chunk header, is taken; the padded one when neither does.
    int64_t next(int64_t position, uint32_t size, const char* wanted) {
        const int64_t bare = position + 8 + static_cast<int64_t>(size);
        if (size % 2 == 0) return bare;
        const int64_t padded = bare + 1;
        HeaderWindow w;
        for (int64_t candidate : {padded, bare})
            if (header_at(candidate, w) && tag_at(w, 0, wanted)) return candidate;
        for (int64_t candidate : {padded, bare})
            if (header_at(candidate, w) && proper_id(w)) return candidate;
        return padded;
    }

    // Looks for the chunk `id` from position on, skipping other chunks.
    // Leaves position at the chunk found; false when it is not there before
    // the file ends or the chunks stop making sense.
    bool find(int64_t& position, const char* id, HeaderWindow& window) {
        for (int skips = 0;; ++skips) {
            if (!header_at(position, window)) return false;
            if (tag_at(window, 0, id)) return true;
            if (skips >= LOOSE_SKIPS && !proper_id(window)) return false;
            position = next(position, u32_at(window, 4), id);
        }
    }

private:
    platform::File& file_;
    uint64_t length_;
};

// The format tag that counts: an extensible block with the PCM sub-format
// is PCM; any other tag stands as it is.
int16_t effective_format_tag(uint64_t length, int64_t fmt_position, const HeaderWindow& w, int16_t tag) {
    if (tag != FORMAT_TAG_EXTENSIBLE || u32_at(w, 4) < EXTENSIBLE_FMT_SIZE) return tag;
    if (!inside(length, fmt_position, 8 + EXTENSIBLE_FMT_SIZE)) return tag;
    return std::memcmp(w.bytes + SUBFORMAT_OFFSET, PCM_SUBFORMAT, sizeof PCM_SUBFORMAT) == 0 ? FORMAT_TAG_PCM : tag;
}

}  // namespace

uint64_t ChunkWalk::data_bytes() const {
    // data_available is below 4 GiB, so 0xFFFFFFFF always reaches the end.
    return std::min<uint64_t>(data_size_field, data_available);
}

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
    Walker walker(file, length);
    if (!walker.find(position, "fmt ", window) || !inside(length, position, 24) || u32_at(window, 4) < 16) {
        r.stage = WalkStage::NoFmt;
        return r;
    }
    r.fmt_position = position;
    r.fmt_size = u32_at(window, 4);
    r.header_format_tag = static_cast<int16_t>(u16_at(window, 8));
    r.format_tag = effective_format_tag(length, position, window, r.header_format_tag);
    r.channels = u16_at(window, 10);
    // All four bytes: a rate beyond 65535 must fail the range check, not
    // pass as its low half.
    r.sample_rate = static_cast<int32_t>(std::min<uint32_t>(u32_at(window, 12), std::numeric_limits<int32_t>::max()));
    r.bits_per_sample = u16_at(window, 22);

    position = walker.next(position, r.fmt_size, "data");
    if (!walker.find(position, "data", window)) {
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
