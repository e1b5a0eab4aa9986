#include "ui/palette.h"

#include <cmath>

namespace sc::ui {

using platform::Rgb6;

std::array<Rgb6, 256> default_palette() {
    std::array<Rgb6, 256> p{};
    constexpr Rgb6 ega[16] = {{0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},
                              {42, 0, 0},   {42, 0, 42},  {42, 21, 0},  {42, 42, 42},
                              {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
                              {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63}};
    for (int i = 0; i < 16; ++i) p[i] = ega[i];
    constexpr uint8_t greys[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
    for (int i = 0; i < 16; ++i) p[16 + i] = {greys[i], greys[i], greys[i]};
    // Nine rings of 24 hues (blue, magenta, red, yellow, green, cyan): three
    // saturations at each of three brightnesses, each from five levels.
    constexpr uint8_t levels[9][5] = {
        {0, 16, 31, 47, 63},  {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},
        {0, 7, 14, 21, 28},   {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
        {0, 4, 8, 12, 16},    {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16}};
    for (int ring = 0; ring < 9; ++ring) {
        const uint8_t* L = levels[ring];
        for (int h = 0; h < 24; ++h) {
            const int sector = h / 4, step = h % 4;
            int r = 0, g = 0, b = 0;
            switch (sector) {
                case 0: r = step; g = 0; b = 4; break;      // blue -> magenta
                case 1: r = 4; g = 0; b = 4 - step; break;  // magenta -> red
                case 2: r = 4; g = step; b = 0; break;      // red -> yellow
                case 3: r = 4 - step; g = 4; b = 0; break;  // yellow -> green
                case 4: r = 0; g = 4; b = step; break;      // green -> cyan
                default: r = 0; g = 4 - step; b = 4; break; // cyan -> blue
            }
            p[32 + ring * 24 + h] = {L[r], L[g], L[b]};
        }
    }
    return p;
}

void load_default_palette(platform::Framebuffer& frame) {
    const auto p = default_palette();
    for (int i = 0; i < 256; ++i) frame.set_palette(i, p[i]);
}

void set_start_palette(platform::Framebuffer& frame) {
    for (int i = 140; i <= 160; ++i)
        frame.set_palette(i, {static_cast<uint8_t>(std::nearbyint(2.51 * (i - 135))), 0, 0});
    for (int i = 170; i <= 180; ++i) {
        const auto v = static_cast<uint8_t>((i + 5) % 64);
        frame.set_palette(i, {v, v, v});
    }
    for (int i = 0; i <= 60; ++i) {
        const auto v = static_cast<uint8_t>(i);
        frame.set_palette(250 - i, {v, v, static_cast<uint8_t>((4 * i) % 64)});
    }
    frame.set_palette(41, {43, 0, 0});
    frame.set_palette(43, {20, 0, 0});
}

}  // namespace sc::ui
