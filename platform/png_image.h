// PNG pictures: the framebuffer as it is shown, and reading one back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/framebuffer.h"

namespace sc::platform {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row
    uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

RgbImage image_of(const Framebuffer& frame);

// Writes through a temporary file beside the target; false on failure (the
// target is then untouched).
bool write_png(const std::string& path, const RgbImage& image);
std::optional<RgbImage> read_png(const std::string& path);

}  // namespace sc::platform
