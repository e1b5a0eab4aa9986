#include "audiofile/loudness.h"

#include <ebur128.h>

#include <cmath>
#include <memory>
#include <vector>

#include "audiofile/chunk_walk.h"

namespace sc {

namespace {

struct StateDeleter {
    void operator()(ebur128_state* s) const { ebur128_destroy(&s); }
};

}  // namespace

std::optional<Loudness> measure_loudness(platform::FileSystem& fs, const std::string& path) {
    auto file = fs.open(path, platform::OpenMode::Read);
    if (!file) return std::nullopt;
    const ChunkWalk walk = walk_chunks(*file);
    if (walk.stage != WalkStage::Complete || walk.format_tag != FORMAT_TAG_PCM) return std::nullopt;
    const int channels = walk.channels;
    const int bytes = walk.bits_per_sample / 8;
    if ((channels != 1 && channels != 2) || (bytes != 2 && bytes != 3) || walk.sample_rate <= 0) return std::nullopt;

    std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(walk.sample_rate),
                     EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_TRUE_PEAK));
    if (!state) return std::nullopt;

    const std::size_t frame = static_cast<std::size_t>(channels * bytes);
    const uint64_t total = walk.data_bytes() / frame * frame;
    const std::size_t frames_per_block = 65536;
    std::vector<uint8_t> raw(frames_per_block * frame);
    std::vector<float> samples(frames_per_block * static_cast<std::size_t>(channels));
    uint64_t position = static_cast<uint64_t>(walk.data_position - 1) + 8;
    for (uint64_t done = 0; done < total;) {
        const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(raw.size(), total - done));
        const std::size_t got = file->read_at(position + done, raw.data(), want) / frame * frame;
        if (got == 0) break;
        const std::size_t count = got / static_cast<std::size_t>(bytes);
        for (std::size_t i = 0; i < count; ++i) {
            const uint8_t* p = raw.data() + i * static_cast<std::size_t>(bytes);
            int32_t v = bytes == 2 ? static_cast<int16_t>(p[0] | p[1] << 8)
                                   : static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 | static_cast<uint32_t>(p[1]) << 16 |
                                                          static_cast<uint32_t>(p[2]) << 24) >> 8;
            samples[i] = static_cast<float>(v / (bytes == 2 ? 32768.0 : 8388608.0));
        }
        if (ebur128_add_frames_float(state.get(), samples.data(), got / frame) != EBUR128_SUCCESS) return std::nullopt;
        done += got;
    }

    Loudness l;
    if (ebur128_loudness_global(state.get(), &l.integrated_lufs) != EBUR128_SUCCESS) return std::nullopt;
    if (ebur128_loudness_range(state.get(), &l.range_lu) != EBUR128_SUCCESS) return std::nullopt;
    double peak = 0.0;
    for (unsigned c = 0; c < static_cast<unsigned>(channels); ++c) {
        double p = 0.0;
        if (ebur128_true_peak(state.get(), c, &p) != EBUR128_SUCCESS) return std::nullopt;
        peak = std::max(peak, p);
    }
    l.true_peak_dbtp = peak > 0.0 ? 20.0 * std::log10(peak) : -HUGE_VAL;
    return l;
}

}  // namespace sc
