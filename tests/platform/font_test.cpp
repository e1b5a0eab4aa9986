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

// Runs of lit pixels along one edge of a glyph: 0 no line leaves the cell
// there, 1 a single line, 2 a double one.
int lines_at_edge(const Glyph& g, char edge) {
    bool px[8];
    for (int i = 0; i < 8; ++i) {
        switch (edge) {
            case 'u': px[i] = g[0] & (0x80 >> i); break;
            case 'd': px[i] = g[7] & (0x80 >> i); break;
            case 'l': px[i] = g[i] & 0x80; break;
            default: px[i] = g[i] & 0x01; break;
        }
    }
    int runs = 0;
    for (int i = 0; i < 8; ++i)
        if (px[i] && (i == 0 || !px[i - 1])) ++runs;
    return runs;
}

TEST(Font, BoxDrawingsLeaveTheCellWithSingleAndDoubleLinesWhereTheirNamesSay) {
    // arms up, down, left, right of 179 ... 218 in code page order
    const char* const arms[40] = {
        "1100", "1110", "1120", "2210", "0210", "0120", "2220", "2200", "0220", "2020",
        "2010", "1020", "0110", "1001", "1011", "0111", "1101", "0011", "1111", "1102",
        "2201", "2002", "0202", "2022", "0222", "2202", "0022", "2222", "1022", "2011",
        "0122", "0211", "2001", "1002", "0102", "0201", "2211", "1122", "1010", "0101"};
    for (int c = 179; c <= 218; ++c) {
        const Glyph& g = font_glyph(static_cast<unsigned char>(c));
        const char* a = arms[c - 179];
        EXPECT_EQ(lines_at_edge(g, 'u'), a[0] - '0') << c;
        EXPECT_EQ(lines_at_edge(g, 'd'), a[1] - '0') << c;
        EXPECT_EQ(lines_at_edge(g, 'l'), a[2] - '0') << c;
        EXPECT_EQ(lines_at_edge(g, 'r'), a[3] - '0') << c;
        for (int d = c + 1; d <= 218; ++d) EXPECT_NE(g, font_glyph(static_cast<unsigned char>(d))) << c << " " << d;
    }
}

}  // namespace
}  // namespace sc::platform
