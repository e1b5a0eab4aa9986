// Build step: writes the code page 437 8 x 8 font as a C++ table, taking the
// glyphs from a console font (PSF with a Unicode table, gzip-compressed).
// Characters the console font lacks come from the small table below.
//
//   make_font OUTPUT.cpp FONT.psf.gz [MORE.psf.gz ...]

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "settings/text.h"

namespace {

struct ConsoleFont {
    int height = 0;
    std::vector<std::vector<uint8_t>> glyphs;  // one byte per row (8 wide)
    std::map<char32_t, int> by_unicode;
};

bool read_gz(const char* path, std::vector<uint8_t>& out) {
    gzFile f = gzopen(path, "rb");
    if (!f) return false;
    uint8_t buf[8192];
    int n;
    while ((n = gzread(f, buf, sizeof buf)) > 0) out.insert(out.end(), buf, buf + n);
    gzclose(f);
    return n == 0;
}

uint32_t le32(const std::vector<uint8_t>& d, size_t pos) {
    return d[pos] | d[pos + 1] << 8 | d[pos + 2] << 16 | uint32_t(d[pos + 3]) << 24;
}

// Decodes one UTF-8 sequence of a PSF2 table; advances pos.
char32_t utf8_at(const std::vector<uint8_t>& d, size_t& pos) {
    const uint8_t b = d[pos++];
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? b & 7 : extra == 2 ? b & 15 : extra == 1 ? b & 31 : b;
    while (extra-- > 0 && pos < d.size()) cp = cp << 6 | (d[pos++] & 63);
    return cp;
}

bool load_font(const char* path, ConsoleFont& font) {
    std::vector<uint8_t> d;
    if (!read_gz(path, d) || d.size() < 4) return false;
    size_t count = 0, bytes = 0, pos = 0;
    bool has_table = false, psf2 = false;
    if (d[0] == 0x36 && d[1] == 0x04) {
        count = (d[2] & 1) ? 512 : 256;
        has_table = (d[2] & 2) != 0;
        font.height = d[3];
        bytes = font.height;
        pos = 4;
    } else if (d.size() >= 32 && le32(d, 0) == 0x864ab572u) {
        psf2 = true;
        pos = le32(d, 8);
        has_table = (le32(d, 12) & 1) != 0;
        count = le32(d, 16);
        bytes = le32(d, 20);
        font.height = static_cast<int>(le32(d, 24));
        if (le32(d, 28) != 8) return false;
    } else {
        return false;
    }
    if (font.height != 8 || bytes != 8 || !has_table || d.size() < pos + count * bytes) return false;
    for (size_t g = 0; g < count; ++g) font.glyphs.emplace_back(d.begin() + pos + g * bytes, d.begin() + pos + (g + 1) * bytes);
    pos += count * bytes;
    for (size_t g = 0; g < count && pos < d.size(); ++g) {
        if (!psf2) {
            while (pos + 1 < d.size()) {
                const char32_t u = d[pos] | d[pos + 1] << 8;
                pos += 2;
                if (u == 0xFFFF) break;
                if (u == 0xFFFE) {  // sequences follow: not single characters
                    while (pos + 1 < d.size() && (d[pos] | d[pos + 1] << 8) != 0xFFFF) pos += 2;
                    continue;
                }
                font.by_unicode.emplace(u, static_cast<int>(g));
            }
        } else {
            bool in_sequence = false;
            while (pos < d.size()) {
                if (d[pos] == 0xFF) { ++pos; break; }
                if (d[pos] == 0xFE) { ++pos; in_sequence = true; continue; }
                const char32_t u = utf8_at(d, pos);
                if (!in_sequence) font.by_unicode.emplace(u, static_cast<int>(g));
            }
        }
    }
    return true;
}

// Glyphs that the Debian VGA console fonts do not carry, drawn by hand.
const std::map<char32_t, std::vector<uint8_t>> kOwnGlyphs = {
    {0x25BA, {0x80, 0xE0, 0xF8, 0xFE, 0xF8, 0xE0, 0x80, 0x00}},  // right-pointing pointer
    {0x25C4, {0x02, 0x0E, 0x3E, 0xFE, 0x3E, 0x0E, 0x02, 0x00}},  // left-pointing pointer
    {0x20A7, {0xF8, 0xCC, 0xCC, 0xFA, 0xC6, 0xCF, 0xC6, 0xC7}},  // peseta sign
    {0x2310, {0x00, 0x00, 0x00, 0xFC, 0xC0, 0xC0, 0x00, 0x00}},  // reversed not sign
    {0x221E, {0x00, 0x00, 0x7E, 0xDB, 0xDB, 0x7E, 0x00, 0x00}},  // infinity
    {0x2229, {0x78, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0x00}},  // intersection
    {0x2261, {0x00, 0xFC, 0x00, 0x00, 0xFC, 0x00, 0xFC, 0x00}},  // identical to
};

// The box-drawing characters 179 ... 218, built from their four arms
// (0 none, 1 single, 2 double) in the geometry of the console font's own
// single lines: vertical lines two pixels wide, horizontal lines one pixel
// high; a double line is two of them with a gap.
struct Arms {
    int up, down, left, right;
};
constexpr Arms kBoxArms[40] = {
    {1, 1, 0, 0}, {1, 1, 1, 0}, {1, 1, 2, 0}, {2, 2, 1, 0}, {0, 2, 1, 0}, {0, 1, 2, 0}, {2, 2, 2, 0},
    {2, 2, 0, 0}, {0, 2, 2, 0}, {2, 0, 2, 0}, {2, 0, 1, 0}, {1, 0, 2, 0}, {0, 1, 1, 0}, {1, 0, 0, 1},
    {1, 0, 1, 1}, {0, 1, 1, 1}, {1, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 1}, {1, 1, 0, 2}, {2, 2, 0, 1},
    {2, 0, 0, 2}, {0, 2, 0, 2}, {2, 0, 2, 2}, {0, 2, 2, 2}, {2, 2, 0, 2}, {0, 0, 2, 2}, {2, 2, 2, 2},
    {1, 0, 2, 2}, {2, 0, 1, 1}, {0, 1, 2, 2}, {0, 2, 1, 1}, {2, 0, 0, 1}, {1, 0, 0, 2}, {0, 1, 0, 2},
    {0, 2, 0, 1}, {2, 2, 1, 1}, {1, 1, 2, 2}, {1, 0, 1, 0}, {0, 1, 0, 1}};

std::vector<uint8_t> box_glyph(const Arms& a) {
    bool px[8][8] = {};
    auto vline = [&px](int col, int from, int to) {  // two pixels wide from col
        for (int r = from; r <= to; ++r) px[r][col] = px[r][col + 1] = true;
    };
    auto hline = [&px](int row, int from, int to) {
        for (int c = from; c <= to; ++c) px[row][c] = true;
    };
    const bool vdouble = a.up == 2 || a.down == 2;
    const bool hdouble = a.left == 2 || a.right == 2;
    // A single line meets a double one at its near line when the double one
    // passes through, else it reaches across to the far line.
    const bool hthrough = a.left != 0 && a.right != 0;
    const bool vthrough = a.up != 0 && a.down != 0;
    // vertical arms
    if (a.up == 1) vline(3, 0, a.down == 1 ? 7 : !hdouble ? 4 : hthrough ? 3 : 5);
    if (a.down == 1) vline(3, a.up == 1 ? 0 : !hdouble ? 4 : hthrough ? 5 : 3, 7);
    for (int side = 0; side < 2; ++side) {  // 0 the left line (cols 2-3), 1 the right one (5-6)
        const int col = side == 0 ? 2 : 5;
        const int own = side == 0 ? a.left : a.right;
        const int other = side == 0 ? a.right : a.left;
        if (a.up == 2) vline(col, 0, own == 2 ? 3 : a.down == 2 ? 7 : other == 2 ? 5 : 4);
        if (a.down == 2) vline(col, own == 2 ? 5 : a.up == 2 ? 0 : other == 2 ? 3 : 4, 7);
    }
    // horizontal arms
    if (a.left == 1) hline(4, 0, a.right == 1 ? 7 : !vdouble ? 4 : vthrough ? 2 : 6);
    if (a.right == 1) hline(4, a.left == 1 ? 0 : !vdouble ? 3 : vthrough ? 5 : 2, 7);
    for (int side = 0; side < 2; ++side) {  // 0 the upper line (row 3), 1 the lower one (row 5)
        const int row = side == 0 ? 3 : 5;
        const int own = side == 0 ? a.up : a.down;
        const int other = side == 0 ? a.down : a.up;
        if (a.left == 2) hline(row, 0, own == 2 ? 3 : a.right == 2 ? 7 : other == 2 ? 6 : 4);
        if (a.right == 2) hline(row, own == 2 ? 5 : a.left == 2 ? 0 : other == 2 ? 2 : 3, 7);
    }
    std::vector<uint8_t> rows(8, 0);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if (px[r][c]) rows[r] |= static_cast<uint8_t>(0x80 >> c);
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_font OUTPUT.cpp FONT.psf.gz ...\n");
        return 2;
    }
    std::vector<ConsoleFont> fonts;
    for (int i = 2; i < argc; ++i) {
        ConsoleFont f;
        if (!load_font(argv[i], f)) {
            std::fprintf(stderr, "make_font: %s is not an 8x8 console font with a Unicode table\n", argv[i]);
            return 1;
        }
        fonts.push_back(std::move(f));
    }
    auto find = [&](char32_t u, std::vector<uint8_t>& rows) {
        for (const ConsoleFont& f : fonts) {
            auto it = f.by_unicode.find(u);
            if (it != f.by_unicode.end()) { rows = f.glyphs[it->second]; return true; }
        }
        return false;
    };
    std::string out =
        "// Generated at build time from the console font; do not edit.\n"
        "#include \"platform/font8x8.h\"\n\nnamespace sc::platform {\n\nnamespace {\n"
        "const std::array<Glyph, 256> kFont = {{\n";
    for (int c = 0; c < 256; ++c) {
        std::vector<uint8_t> rows(8, 0);
        const char32_t u = sc::cp437_to_unicode(static_cast<unsigned char>(c));
        if (c >= 179 && c <= 218) {
            rows = box_glyph(kBoxArms[c - 179]);
        } else if (c != 0 && c != 32 && c != 255) {
            if (!find(u, rows)) {
                auto own = kOwnGlyphs.find(u);
                if (own == kOwnGlyphs.end()) {
                    std::fprintf(stderr, "make_font: no glyph for code page 437 character %d (U+%04X)\n", c, unsigned(u));
                    return 1;
                }
                rows = own->second;
            }
        }
        char line[96];
        std::snprintf(line, sizeof line, "    {{0x%02X, 0x%02X, 0x%02X, 0x%02X, 0x%02X, 0x%02X, 0x%02X, 0x%02X}},  // %d\n",
                      rows[0], rows[1], rows[2], rows[3], rows[4], rows[5], rows[6], rows[7], c);
        out += line;
    }
    out += "}};\n}  // namespace\n\nconst Glyph& font_glyph(unsigned char cp437) { return kFont[cp437]; }\n\n"
           "}  // namespace sc::platform\n";
    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "make_font: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
