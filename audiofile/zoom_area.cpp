#include "audiofile/zoom_area.h"

#include <algorithm>
#include <cmath>

#include "audiofile/chunk_walk.h"
#include "audiofile/clip_fades.h"
#include "audiofile/output_header.h"
#include "settings/program_exit.h"

namespace sc {

namespace {

constexpr int kColumns = 780;
constexpr int kStripLeft = 9;

int64_t rounded(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

}  // namespace

int zoom_frame_bytes(int channels, int bits) { return channels == 2 ? 4 : bits == 24 ? 3 : 2; }

ZoomArea zoom_area(int mouse_x, int64_t data_size, int channels, int bits) {
    const int c = mouse_x - kStripLeft;
    const double d = static_cast<double>(data_size);
    const int64_t from = std::max<int64_t>(1, rounded(d * (c - ZOOM_HALF_COLUMNS) / kColumns));
    const int64_t to = std::min<int64_t>(data_size, rounded(d * (c + ZOOM_HALF_COLUMNS) / kColumns));
    const int frame = zoom_frame_bytes(channels, bits);
    ZoomArea a;
    // The "data" chunk header is 8 bytes long: counted from it, an even start
    // is a 16-bit frame boundary, and a 24-bit one lies at 3 k + 2.
    a.start = frame == 3 ? from / 3 * 3 + 2 : from / frame * frame;
    const int64_t span = std::max<int64_t>(0, to - from);
    a.length = std::max<int64_t>(0, span / frame * frame - frame);
    return a;
}

bool zoom_area_long_enough(const ZoomArea& area, int channels, int bits, int32_t sample_rate) {
    const double bytes_per_second = static_cast<double>(sample_rate) * zoom_frame_bytes(channels, bits);
    return static_cast<double>(area.length) >= bytes_per_second / 2 * 0.5;
}

void fade_16bit_area(std::vector<uint8_t>& bytes, int channels) {
    fade_clip_ends(bytes, channels, ZOOM_FADE_FRAMES, FadeRounding::Down);
}

std::optional<ZoomSource> zoom_source(platform::File& file) {
    const ChunkWalk walk = walk_chunks(file);
    if (walk.stage != WalkStage::Complete) return std::nullopt;
    ZoomSource s;
    s.data_header = walk.data_position;
    s.data_size = static_cast<int64_t>(std::min<uint64_t>(walk.data_size_field, walk.data_available));
    s.channels = walk.channels;
    s.bits = walk.bits_per_sample;
    s.sample_rate = walk.sample_rate;
    const bool known = (s.channels == 2 && s.bits == 16) || (s.channels == 1 && (s.bits == 16 || s.bits == 24));
    if (!known || s.sample_rate <= 0 || s.data_size >= ZOOM_DATA_SIZE_LIMIT) return std::nullopt;
    return s;
}

std::vector<uint8_t> read_zoom_area(platform::File& file, const ZoomSource& source, const ZoomArea& area) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(area.length));
    // 1-based position data header + start is the 0-based offset one less.
    const uint64_t offset = static_cast<uint64_t>(source.data_header - 1 + area.start);
    const std::size_t got = file.read_at(offset, bytes.data(), bytes.size());
    bytes.resize(got - got % static_cast<std::size_t>(zoom_frame_bytes(source.channels, source.bits)));
    if (source.bits == 16) fade_16bit_area(bytes, source.channels);
    return bytes;
}

void write_zoom_file(platform::FileSystem& fs, const std::string& path, const ZoomSource& source,
                     const std::vector<uint8_t>& bytes) {
    SourceFormat fmt;
    fmt.channels = source.channels;
    fmt.sample_rate = source.sample_rate;
    fmt.mono24 = source.channels == 1 && source.bits == 24 ? 1 : 0;
    fmt.data_size = static_cast<int32_t>(bytes.size());
    const WavHeader h = output_header(fmt);
    auto file = create_work_file(fs, path);
    if (!file) throw RunTimeError{"cannot create the zoom file: " + path};
    if (!file->write(h.data(), h.size()) || !file->write(bytes.data(), bytes.size()) || !file->close())
        throw RunTimeError{"cannot write the zoom file: " + path};
    file.reset();
    patch_clip_lengths(fs, path);
}

}  // namespace sc
