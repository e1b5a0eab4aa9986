#include "audiofile/clip_fades.h"

#include <algorithm>
#include <cmath>

namespace sc {

void fade_clip_ends(std::vector<uint8_t>& samples16, int channels, int fade_frames, FadeRounding rounding) {
    const std::size_t frame = 2 * static_cast<std::size_t>(channels);
    const std::size_t frames = samples16.size() / frame;
    auto scale = [&](std::size_t f, double gain) {
        for (std::size_t ch = 0; ch < static_cast<std::size_t>(channels); ++ch) {
            uint8_t* p = samples16.data() + f * frame + 2 * ch;
            const double v = static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8)) * gain;
            const auto out = static_cast<int16_t>(rounding == FadeRounding::Down ? std::floor(v) : std::nearbyint(v));
            p[0] = static_cast<uint8_t>(out & 0xFF);
            p[1] = static_cast<uint8_t>((out >> 8) & 0xFF);
        }
    };
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(fade_frames, 0)), frames);
    for (std::size_t i = 0; i < n; ++i) scale(i, static_cast<double>(i) / fade_frames);
    for (std::size_t i = 0; i < n; ++i) scale(frames - 1 - i, static_cast<double>(i) / fade_frames);
}

}  // namespace sc
