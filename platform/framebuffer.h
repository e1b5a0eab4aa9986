// The program's own 8-bit indexed picture of the window and its palette.
#pragma once

#include <array>
#include <cstdint>

namespace sc::platform {

inline constexpr int SCREEN_WIDTH = 800;
inline constexpr int SCREEN_HEIGHT = 525;

// A palette colour with 6-bit components (0 ... 63).
struct Rgb6 {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb6&) const = default;
};

// A 6-bit component as shown on the screen: c * 255 / 63, truncated.
constexpr uint8_t shown_component(uint8_t c6) { return static_cast<uint8_t>((c6 & 63) * 255 / 63); }

class Framebuffer {
public:
    static constexpr int width = SCREEN_WIDTH;
    static constexpr int height = SCREEN_HEIGHT;

    static constexpr bool inside(int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; }
    // Pixels outside the window are ignored; reading one gives 0.
    void set(int x, int y, uint8_t colour) {
        if (inside(x, y)) pixels_[static_cast<std::size_t>(y) * width + x] = colour;
    }
    uint8_t at(int x, int y) const {
        return inside(x, y) ? pixels_[static_cast<std::size_t>(y) * width + x] : 0;
    }
    void fill(uint8_t colour) { pixels_.fill(colour); }

    const Rgb6& palette(int index) const { return palette_[index & 255]; }
    void set_palette(int index, Rgb6 c) { palette_[index & 255] = {uint8_t(c.r & 63), uint8_t(c.g & 63), uint8_t(c.b & 63)}; }

    // The shown colour of a pixel as 0xRRGGBB.
    uint32_t rgb_at(int x, int y) const {
        const Rgb6& c = palette_[at(x, y)];
        return uint32_t(shown_component(c.r)) << 16 | uint32_t(shown_component(c.g)) << 8 | shown_component(c.b);
    }

    const std::array<uint8_t, width * height>& pixels() const { return pixels_; }

private:
    std::array<uint8_t, width * height> pixels_{};
    std::array<Rgb6, 256> palette_{};
};

}  // namespace sc::platform
