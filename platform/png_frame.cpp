#include "platform/png_image.h"

namespace sc::platform {

RgbImage image_of(const Framebuffer& frame) {
    RgbImage img{Framebuffer::width, Framebuffer::height, {}};
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) img.pixels[static_cast<std::size_t>(y) * img.width + x] = frame.rgb_at(x, y);
    return img;
}

}  // namespace sc::platform
