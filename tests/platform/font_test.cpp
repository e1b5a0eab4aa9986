#include <gtest/gtest.h>

#include "platform/font8x8.h"

namespace sc::platform {
namespace {

int lit(const Glyph& g) {
    int n = 0;
    for (uint8_t row : g) n += __builtin_popcount(row);
    return n;
}

TEST(Font, EveryCodePointButTheBlankOnesHasAGlyph) {
    for (int c = 0; c < 256; ++c) {
        const bool blank = c == 0 || c == 32 || c == 255;
        EXPECT_EQ(lit(font_glyph(static_cast<unsigned char>(c))) == 0, blank) << c;
    }
    // Printable ASCII and the accented letters are all told apart.
    for (int a = 33; a < 168; ++a)
        for (int b = a + 1; b < 168; ++b)
            if (a != 127 && b != 127) {
                EXPECT_NE(font_glyph(a), font_glyph(b)) << a << " " << b;
            }
}

TEST(Font, UmlautsAreTheBaseLetterWithTwoDots) {
    // Two dots in the top row above the letter.
    const struct { unsigned char umlaut, base; } pairs[] = {{142, 'A'}, {153, 'O'}, {154, 'U'},
                                                            {132, 'a'}, {148, 'o'}, {129, 'u'}};
    for (const auto& p : pairs) {
        const Glyph& u = font_glyph(p.umlaut);
        const Glyph& b = font_glyph(p.base);
        // Two separate dots at the top.
        EXPECT_EQ(__builtin_popcount(u[0]), 4) << int(p.umlaut);
        EXPECT_EQ(u[0] & 0x30, 0) << int(p.umlaut);  // a gap between the dots
        EXPECT_EQ(u[1] & u[0], 0) << int(p.umlaut);  // the dots stand apart from the letter
        EXPECT_EQ(u[7], b[7]) << int(p.umlaut);
    }
    // Lower-case umlauts are the whole lower-case letter under the dots.
    for (const auto& p : {std::pair<unsigned char, char>{132, 'a'}, {148, 'o'}, {129, 'u'}}) {
        for (int r = 2; r < 8; ++r) EXPECT_EQ(font_glyph(p.first)[r], font_glyph(p.second)[r]) << int(p.first);
    }
}

}  // namespace
}  // namespace sc::platform
