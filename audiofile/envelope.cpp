#include "audiofile/envelope.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace sc {

namespace {

constexpr int64_t BLOCKS_PER_ENVELOPE = 780 * 5;
// The first block starts this many bytes behind the "data" chunk header.
constexpr int64_t FIRST_BLOCK_OFFSET = 44;

int16_t le16(const uint8_t* p) { return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8))); }

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

EnvelopeLayout envelope_layout(int channels, bool mono24) {
    if (channels == 2) return EnvelopeLayout::Stereo16;
    return mono24 ? EnvelopeLayout::Mono24 : EnvelopeLayout::Mono16;
}

int64_t envelope_block_size(int64_t data_size, EnvelopeLayout layout) {
    int64_t b = data_size / BLOCKS_PER_ENVELOPE;
    int64_t grow = 2;
    if (layout == EnvelopeLayout::Stereo16) {
        b = b / 4 * 4;
        grow = 4;
    } else {
        b = b / 2 * 2;
        if (layout == EnvelopeLayout::Mono24) {
            b = b / 3 * 3;
            grow = 3;
        }
    }
    if (b * BLOCKS_PER_ENVELOPE < data_size) b += grow;
    return b;
}

BlockPeaks scan_envelope_block(const uint8_t* data, std::size_t n, EnvelopeLayout layout) {
    BlockPeaks p;
    switch (layout) {
        case EnvelopeLayout::Stereo16:
            for (std::size_t i = 0; i + 4 <= n; i += 4) {
                p.left = std::max(p.left, envelope_peak(le16(data + i)));
                p.right = std::max(p.right, envelope_peak(le16(data + i + 2)));
            }
            break;
        case EnvelopeLayout::Mono16:
            for (std::size_t i = 0; i + 2 <= n; i += 2) p.left = std::max(p.left, envelope_peak(le16(data + i)));
            break;
        case EnvelopeLayout::Mono24:
            // the upper two bytes of each 3-byte sample
            for (std::size_t i = 1; i + 2 <= n; i += 3) p.left = std::max(p.left, envelope_peak(le16(data + i)));
            break;
    }
    return p;
}

void fill_envelope_columns(Envelope& env) {
    for (int c = 0; c < ENVELOPE_COLUMN_COUNT; ++c) {
        int16_t l = 0, r = 0;
        for (int k = 5 * c + 1; k <= 5 * c + 5 && k <= ENVELOPE_FINE; ++k) {
            l = std::max(l, env.fine_left[static_cast<std::size_t>(k)]);
            r = std::max(r, env.fine_right[static_cast<std::size_t>(k)]);
        }
        env.column_left[static_cast<std::size_t>(c)] = l;
        env.column_right[static_cast<std::size_t>(c)] = env.stereo() ? r : 0;
    }
}

void read_envelope(platform::File& file, const EnvelopeWalk& walk, Envelope& env,
                   const std::function<void(int percent)>& progress) {
    env.clear();
    env.channels = walk.layout == EnvelopeLayout::Stereo16 ? 2 : 1;
    const int64_t b = std::max<int64_t>(walk.block_size, 1);
    std::vector<uint8_t> block(static_cast<std::size_t>(b));
    int64_t position = walk.data_header + FIRST_BLOCK_OFFSET;
    auto percent = [&] {
        return walk.data_end > 0 ? static_cast<int>(std::min<int64_t>(position * 100 / walk.data_end, 100)) : 100;
    };
    for (int k = 1; k <= ENVELOPE_FINE; ++k) {
        // A block that reaches past the end of the file reads as silence there.
        const std::size_t got = file.read_at(static_cast<uint64_t>(position - 1), block.data(), block.size());
        std::fill(block.begin() + static_cast<std::ptrdiff_t>(got), block.end(), uint8_t{0});
        const BlockPeaks p = scan_envelope_block(block.data(), block.size(), walk.layout);
        env.fine_left[static_cast<std::size_t>(k)] = p.left;
        env.fine_right[static_cast<std::size_t>(k)] = p.right;
        position += b;
        if (k % walk.progress_every == 0 && progress) progress(percent());
        const bool more = walk.read_to_end ? position < walk.data_end : position + b < walk.data_end;
        if (!more) break;
    }
    if (progress) progress(100);
    fill_envelope_columns(env);
}

ResultHeader read_result_header(platform::File& file, ResultFormat& out) {
    const uint64_t length = file.length();
    uint8_t head[8];
    // The chunk header at the 1-based position; false beyond the file.
    auto chunk_at = [&](int64_t pos) {
        return pos >= 1 && static_cast<uint64_t>(pos) + 7 <= length &&
               file.read_at(static_cast<uint64_t>(pos - 1), head, 8) == 8;
    };
    auto is = [&](const char* id) { return std::memcmp(head, id, 4) == 0; };

    int64_t pos = 13;
    if (!chunk_at(pos)) return ResultHeader::NoFmt;
    if (!is("fmt ")) {
        pos += 8 + static_cast<int64_t>(le32(head + 4));
        if (!chunk_at(pos) || !is("fmt ")) return ResultHeader::NoFmt;
    }
    uint8_t fmt[16] = {};
    if (file.read_at(static_cast<uint64_t>(pos + 7), fmt, sizeof fmt) != sizeof fmt) return ResultHeader::NoFmt;
    if (le16(fmt) != 1) return ResultHeader::NotPcm;
    out.channels = le16(fmt + 2);
    out.bits_per_sample = le16(fmt + 14);
    pos += 8 + static_cast<int64_t>(le32(head + 4));
    for (int skips = 0;; ++skips) {
        if (!chunk_at(pos)) return ResultHeader::NoData;
        if (is("data")) break;
        if (skips == 2) return ResultHeader::NoData;
        pos += 8 + static_cast<int64_t>(le32(head + 4));
    }
    out.data_header = pos;
    const uint64_t held = length - static_cast<uint64_t>(pos + 7);
    out.data_size = static_cast<int64_t>(std::min<uint64_t>(le32(head + 4), held));
    return ResultHeader::Ok;
}

}  // namespace sc
