// Compares an X window dump (xwd) with a PNG picture of the framebuffer:
// the window must be 800 x 525 and show the same pixels outside the
// animated button column, the info box and the heartbeat pixel.
//
//   xwd_compare WINDOW.xwd PICTURE.png [DECODED.png]
//
// The third argument keeps the decoded window as PNG for a look.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/png_image.h"

namespace {

uint32_t be32(const std::vector<uint8_t>& d, std::size_t pos) {
    return uint32_t(d[pos]) << 24 | uint32_t(d[pos + 1]) << 16 | uint32_t(d[pos + 2]) << 8 | d[pos + 3];
}

int shift_of(uint32_t mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: xwd_compare WINDOW.xwd PICTURE.png\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 100) {
        std::fprintf(stderr, "no window dump in %s\n", argv[1]);
        return 1;
    }
    const uint32_t header_size = be32(d, 0), width = be32(d, 16), height = be32(d, 20);
    const uint32_t byte_order = be32(d, 28), bits_per_pixel = be32(d, 44), bytes_per_line = be32(d, 48);
    const uint32_t red_mask = be32(d, 56), green_mask = be32(d, 60), blue_mask = be32(d, 64);
    const uint32_t ncolors = be32(d, 76);
    std::printf("window %u x %u, %u bits per pixel\n", width, height, bits_per_pixel);
    if (width != 800 || height != 525) {
        std::fprintf(stderr, "the window is %u x %u, not 800 x 525\n", width, height);
        return 1;
    }
    if (bits_per_pixel != 32) {
        std::fprintf(stderr, "only 32-bit dumps are read\n");
        return 1;
    }
    const std::size_t data = header_size + std::size_t(ncolors) * 12;
    if (d.size() < data + std::size_t(bytes_per_line) * height) {
        std::fprintf(stderr, "the window dump is cut short\n");
        return 1;
    }
    const auto picture = sc::platform::read_png(argv[2]);
    if (!picture || picture->width != 800 || picture->height != 525) {
        std::fprintf(stderr, "no 800 x 525 picture in %s\n", argv[2]);
        return 1;
    }
    sc::platform::RgbImage shown{800, 525, std::vector<uint32_t>(800 * 525)};
    long differing = 0, compared = 0;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            if (x >= 734 && y <= 95) continue;  // START and OPEN change colour while the program waits
            if (y >= 350 && y <= 393) continue;  // the info box explains the field under the pointer
            if (x == 1 && y == 1) continue;      // the heartbeat
            const std::size_t p = data + std::size_t(y) * bytes_per_line + 4 * x;
            const uint32_t v = byte_order == 0
                                   ? uint32_t(d[p]) | uint32_t(d[p + 1]) << 8 | uint32_t(d[p + 2]) << 16 | uint32_t(d[p + 3]) << 24
                                   : be32(d, p);
            const uint32_t rgb = ((v & red_mask) >> shift_of(red_mask)) << 16 |
                                 ((v & green_mask) >> shift_of(green_mask)) << 8 | ((v & blue_mask) >> shift_of(blue_mask));
            shown.pixels[std::size_t(y) * 800 + x] = rgb;
            ++compared;
            if (rgb != picture->at(static_cast<int>(x), static_cast<int>(y))) ++differing;
        }
    std::printf("%ld of %ld pixels differ\n", differing, compared);
    if (argc == 4) sc::platform::write_png(argv[3], shown);
    return differing == 0 ? 0 : 1;
}
