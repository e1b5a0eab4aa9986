// Reads an X window dump (xwd, 32 bits per pixel) into an RGB picture.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/png_image.h"

namespace sc::test {

namespace xwd_detail {

inline uint32_t be32(const std::vector<uint8_t>& d, std::size_t pos) {
    return uint32_t(d[pos]) << 24 | uint32_t(d[pos + 1]) << 16 | uint32_t(d[pos + 2]) << 8 | d[pos + 3];
}

inline int shift_of(uint32_t mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

}  // namespace xwd_detail

// The picture of the dump, or nothing with `error` set.
inline std::optional<platform::RgbImage> read_xwd(const std::string& path, std::string& error) {
    using xwd_detail::be32;
    using xwd_detail::shift_of;
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 100) {
        error = "no window dump in " + path;
        return std::nullopt;
    }
    const uint32_t header_size = be32(d, 0), width = be32(d, 16), height = be32(d, 20);
    const uint32_t byte_order = be32(d, 28), bits_per_pixel = be32(d, 44), bytes_per_line = be32(d, 48);
    const uint32_t red_mask = be32(d, 56), green_mask = be32(d, 60), blue_mask = be32(d, 64);
    const uint32_t ncolors = be32(d, 76);
    if (bits_per_pixel != 32 || width == 0 || height == 0 || width > 8192 || height > 8192) {
        error = "only 32-bit dumps are read";
        return std::nullopt;
    }
    const std::size_t data = header_size + std::size_t(ncolors) * 12;
    if (d.size() < data + std::size_t(bytes_per_line) * height) {
        error = "the window dump is cut short";
        return std::nullopt;
    }
    platform::RgbImage image{int(width), int(height), std::vector<uint32_t>(std::size_t(width) * height)};
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const std::size_t p = data + std::size_t(y) * bytes_per_line + 4 * x;
            const uint32_t v = byte_order == 0
                                   ? uint32_t(d[p]) | uint32_t(d[p + 1]) << 8 | uint32_t(d[p + 2]) << 16 | uint32_t(d[p + 3]) << 24
                                   : be32(d, p);
            image.pixels[std::size_t(y) * width + x] = ((v & red_mask) >> shift_of(red_mask)) << 16 |
                                                        ((v & green_mask) >> shift_of(green_mask)) << 8 |
                                                        ((v & blue_mask) >> shift_of(blue_mask));
        }
    return image;
}

}  // namespace sc::test
