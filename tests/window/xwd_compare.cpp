// Compares an X window dump (xwd) with a PNG picture of the framebuffer:
// the window must be 800 x 525 and show the same pixels outside the
// animated button column, the info box and the heartbeat pixel.
//
//   xwd_compare WINDOW.xwd PICTURE.png [DECODED.png]
//
// The third argument keeps the decoded window as PNG for a look.
#include <cstdio>

#include "tests/window/xwd_image.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: xwd_compare WINDOW.xwd PICTURE.png\n");
        return 2;
    }
    std::string error;
    const auto window = sc::test::read_xwd(argv[1], error);
    if (!window) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("window %d x %d, 32 bits per pixel\n", window->width, window->height);
    if (window->width != 800 || window->height != 525) {
        std::fprintf(stderr, "the window is %d x %d, not 800 x 525\n", window->width, window->height);
        return 1;
    }
    const auto picture = sc::platform::read_png(argv[2]);
    if (!picture || picture->width != 800 || picture->height != 525) {
        std::fprintf(stderr, "no 800 x 525 picture in %s\n", argv[2]);
        return 1;
    }
    sc::platform::RgbImage shown{800, 525, std::vector<uint32_t>(800 * 525)};
    long differing = 0, compared = 0;
    for (int y = 0; y < 525; ++y)
        for (int x = 0; x < 800; ++x) {
            if (x >= 734 && y <= 95) continue;  // START and OPEN change colour while the program waits
            if (y >= 350 && y <= 393) continue;  // the info box explains the field under the pointer
            if (x == 1 && y == 1) continue;      // the heartbeat
            const uint32_t rgb = window->at(x, y);
            shown.pixels[std::size_t(y) * 800 + x] = rgb;
            ++compared;
            if (rgb != picture->at(x, y)) ++differing;
        }
    std::printf("%ld of %ld pixels differ\n", differing, compared);
    if (argc == 4) sc::platform::write_png(argv[3], shown);
    return differing == 0 ? 0 : 1;
}
