// Reads text back from a picture (the framebuffer, or the RGB pixels of a
// window) by matching the font's glyphs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/font8x8.h"
#include "platform/framebuffer.h"
#include "settings/text.h"

namespace sc::test {

// The code page 437 character drawn in the cell: the first glyph whose set
// pixels share one colour and whose clear pixels share another; 0x01 when
// none fits.
template <class Image>
inline char cell_char(const Image& f, int row, int column) {
    const int x0 = 8 * (column - 1), y0 = 8 * (row - 1);
    for (int ch = 32; ch < 256; ++ch) {
        const platform::Glyph& g = platform::font_glyph(static_cast<unsigned char>(ch));
        int64_t on = -1, off = -1;
        bool same = true;
        for (int y = 0; y < 8 && same; ++y)
            for (int x = 0; x < 8 && same; ++x) {
                int64_t& expected = (g[y] & (0x80 >> x)) ? on : off;
                const int64_t c = f.at(x0 + x, y0 + y);
                if (expected < 0) expected = c;
                same = expected == c;
            }
        if (same && (on < 0 || off < 0 || on != off)) return static_cast<char>(ch);
    }
    return '\x01';
}

// n characters from (row, column), as UTF-8.
template <class Image>
inline std::string screen_text(const Image& f, int row, int column, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += cell_char(f, row, column + i);
    return from_cp437(s);
}

}  // namespace sc::test
