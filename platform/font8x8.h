// The screen font: the 256 glyphs of code page 437 in cells of 8 x 8 pixels.
#pragma once

#include <array>
#include <cstdint>

namespace sc::platform {

// Eight rows from the top; in each row bit 7 is the leftmost pixel.
using Glyph = std::array<uint8_t, 8>;

const Glyph& font_glyph(unsigned char cp437);

}  // namespace sc::platform
