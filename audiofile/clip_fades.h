// Fades at both ends of a clip of 16-bit samples (little endian, channels
// interleaved): the first and the last `fade_frames` frames are multiplied
// by a gain that starts at 0 and grows by 1 / fade_frames per frame, both
// channels of a frame alike.
#pragma once

#include <cstdint>
#include <vector>

namespace sc {

enum class FadeRounding { Down, Nearest };

void fade_clip_ends(std::vector<uint8_t>& samples16, int channels, int fade_frames, FadeRounding rounding);

}  // namespace sc
